#pragma once

#include <memory>
#include <string>

#include "plot_test_context.h"
#include "plotpage/plot_page.h"

namespace kestro::test {

// An analysis page opened over a designed filter and shown on a recording canvas.
struct PlotPageFixture : PlotTestContext {
  explicit PlotPageFixture(int16_t order = 4, int16_t family = kButterworth, int16_t markersOn = 0)
      : PlotTestContext(order, family) {
    record.MarkersOn = markersOn;
    page = std::make_unique<PlotPage>(context);
    page->SetCanvas(&canvas);
    page->OnShown();
  }

  Control& operator[](const std::string& name) { return (*page)[name]; }
  bool Enabled(const std::string& name) { return (*page)[name].enabled; }
  bool Visible(const std::string& name) { return (*page)[name].visible; }
  // Clicks a control with a fresh recording of the drawing.
  void Click(const std::string& name) {
    canvas.commands.clear();
    page->Click(name);
  }

  std::unique_ptr<PlotPage> page;
};

}  // namespace kestro::test
