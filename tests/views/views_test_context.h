// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "analysis/response_engine.h"
#include "app/app_test_context.h"
#include "support/recording_canvas.h"
#include "usecase/design_command.h"

namespace kestro::test {

using Kind = DrawCommand::Kind;

// A designed and analysed filter at 1 kHz (sweep 1 kHz..10 kHz, 512 intervals) with its grid
// frequencies, the doubles a view page works on and a recording canvas.
struct ViewsTestContext : AppTestContext {
  explicit ViewsTestContext(int16_t family = kButterworth, int16_t order = 4, float apass = 0) {
    record.SetOpeningDefaults();
    record.Family = family, record.Order = order, record.Apass = apass, record.Bandwidth = 1000;
    SynthesizeOrReport(record, dialogs);
    Analyze(record);
    ComputeGridFreqs(record);
  }
  // Shows the page on the recording canvas.
  template <typename PageType>
  void Show(PageType& page) {
    page.SetCanvas(&canvas);
    page.OnShown();
  }
  RecordingCanvas canvas;
};

}  // namespace kestro::test
