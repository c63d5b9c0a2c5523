// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "plotpage/plot_redraw.h"

namespace kestro {

// The way from a secondary window to the analysis page, which may be closed: while a plot page
// is attached the requests reach it, otherwise they do nothing. The program keeps one link for
// the whole run; the plot page attaches itself while it lives.
class PlotLink final : public PlotRedraw {
 public:
  void Attach(PlotRedraw& page) { open_ = &page; }
  // Only the attached page detaches: a page replaced by a newer one leaves the newer attached.
  void Detach(const PlotRedraw& page) {
    if (open_ == &page)
      open_ = nullptr;
  }
  bool Attached() const { return open_ != nullptr; }

  void RedrawPlot() override {
    if (open_ != nullptr)
      open_->RedrawPlot();
  }
  void ClearMarkerArea() override {
    if (open_ != nullptr)
      open_->ClearMarkerArea();
  }
  void BeginLimitEntry() override {
    if (open_ != nullptr)
      open_->BeginLimitEntry();
  }
  void DisableOptimize() override {
    if (open_ != nullptr)
      open_->DisableOptimize();
  }
  void DesignChanged() override {
    if (open_ != nullptr)
      open_->DesignChanged();
  }

 private:
  PlotRedraw* open_ = nullptr;
};

}  // namespace kestro
