#pragma once

#include <string>
#include <vector>

#include "analysis/response_engine.h"
#include "app/app_test_context.h"
#include "support/recording_canvas.h"
#include "usecase/design_command.h"

namespace kestro::test {

using Kind = DrawCommand::Kind;

// A designed and analysed filter at 1 kHz (sweep 100 Hz..10 kHz) with the doubles a view page
// works on and a recording canvas.
struct ViewsTestContext : AppTestContext {
  explicit ViewsTestContext(int16_t family = kButterworth, int16_t order = 4, float apass = 0) {
    record.SetOpeningDefaults();
    std::tie(record.Family, record.Order, record.Apass, record.Bandwidth) =
        std::make_tuple(family, order, apass, 1000.0f);
    std::tie(record.Fstart, record.Fstop) = std::make_pair(100.0f, 10000.0f);
    SynthesizeOrReport(record, dialogs);
    Analyze(record);
  }
  // Shows the page on the recording canvas.
  template <typename PageType>
  PageType& Show(PageType& page) {
    page.SetCanvas(&canvas);
    page.OnShown();
    return page;
  }
  // The texts printed at a text position, in order.
  std::vector<std::string> PrintedAt(float x, float y) const {
    std::vector<std::string> texts;
    for (const DrawCommand& c : canvas.Printed()) {
      if (c.textX == x && c.textY == y)
        texts.push_back(c.text);
    }
    return texts;
  }
  RecordingCanvas canvas;
};

}  // namespace kestro::test
