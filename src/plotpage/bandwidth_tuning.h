// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

#include "platform/app_context.h"
#include "plotpage/plot_page_controls.h"
#include "plotpage/response_plot.h"

namespace kestro {

// The bandwidth panel of the analysis page: steps of 1 % up or down. A family design gets a new
// Bandwidth and is synthesised again (resistors and capacitors); a hand-made design has every
// capacitor scaled instead, which moves all its poles by the same factor. Family, PartsModified
// and Rounded stay as they are; Restore is disabled, since saved values no longer belong to it.
class BandwidthTuning final {
 public:
  BandwidthTuning(PlotPageControls& controls, AppContext& context, ResponsePlot& plot);

  void OpenPanel();       // cmdTuneWidth
  void Step(bool wider);  // cmdWidthUp (wider) / cmdWidthDown

  // The caption of lblBandwidth for a family design after a step; empty for any other family.
  static std::string FamilyCaption(const DesignRecord& record);
  static constexpr const char* kManualCaption = "No family; capacitors are being adjusted";

 private:
  void ScaleCapacitors(bool wider);
  void Resynthesise(bool wider);

  PlotPageControls& controls_;
  AppContext& context_;
  ResponsePlot& plot_;
};

}  // namespace kestro
