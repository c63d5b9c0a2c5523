// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

#include "platform/app_context.h"
#include "platform/page.h"
#include "synthesis/pole_list.h"

namespace kestro {

// The controls of the pole page, one member per control, named as the control.
struct PolesPageControls {
  Control* cmdExit = nullptr;
  Control* cmdGrid = nullptr;
  Control* cmdPicture = nullptr;
};

// The pole page frmPoles, opened modally by "Show poles": the poles of the current family and
// order over a polar grid, with the rectangular grid on request, and their listing. Return closes
// it; "Save picture…" saves the drawing, with the grid as shown, as an SVG or PNG picture. The
// poles are computed once, when the page opens.
class PolesPage final : public Page {
 public:
  explicit PolesPage(AppContext& context);

  void OnShown() override;

  const PoleList& Poles() const { return poles_; }
  int16_t PoleScale() const { return poleScale_; }
  int16_t GridOn() const { return gridOn_; }

 private:
  void OnGridClicked();
  void OnPictureClicked();
  void Draw();

  AppContext& context_;
  PoleList poles_;
  int16_t poleScale_ = 1;
  int16_t gridOn_ = 0;
  PolesPageControls controls_;
};

}  // namespace kestro
