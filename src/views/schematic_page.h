// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "views/capacitor_range.h"
#include "views/main_view_page.h"
#include "views/schematic_layout.h"

namespace kestro {

// The schematic page's own controls, besides the navigation row.
struct SchematicPageControls {
  Control* HScroll1 = nullptr;  // scrolls a drawing wider than the page
};

// The schematic page frmSchematic: the circuit with every value, a scroll bar when the drawing
// is wider than the page, and the smallest and the largest capacitor underneath.
class SchematicPage final : public MainViewPage {
 public:
  explicit SchematicPage(AppContext& context);

  void OnShown() override;

  const SchematicLayout& Layout() const { return layout_; }
  float X0() const { return x0_; }
  const CapacitorRange& Capacitors() const { return capacitors_; }

 private:
  void onPrintClicked() override;
  void onPictureClicked() override;
  void OnScrolled();
  void DrawCircuit();
  void ShowCapacitorRange();

  SchematicLayout layout_;
  CapacitorRange capacitors_;
  float x0_ = SchematicLayout::kLeftMargin;
  float y0_ = SchematicLayout::kSignalLine;
  SchematicPageControls controls_;
};

}  // namespace kestro
