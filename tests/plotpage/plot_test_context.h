// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "analysis/response_engine.h"
#include "core/design_record.h"
#include "core/eng_value.h"
#include "platform/app_context.h"
#include "plotpage/plot_link.h"
#include "plotpage/plot_page.h"
#include "plotpage/plot_shared.h"
#include "support/recording_canvas.h"
#include "support/scripted_dialogs.h"
#include "support/sequence_random.h"
#include "synthesis/stage_synthesis.h"

namespace kestro::test {

using Kind = DrawCommand::Kind;
using Names = std::vector<std::string>;
using Floats = std::vector<float>;

struct RecordingNavigator final : Navigator {
  void Open(PageId page, OpenMode mode) override { opened.emplace_back(page, mode); }
  void Close(PageId page) override { closed.push_back(page); }
  void EndProgram() override {}
  std::vector<std::pair<PageId, OpenMode>> opened;
  std::vector<PageId> closed;
};

// Index of the first Print of `text` (at text position x, when given); size() when there is none.
inline std::size_t FindPrint(const RecordingCanvas& canvas, const std::string& text, float x = -1) {
  for (std::size_t i = 0; i < canvas.commands.size(); ++i) {
    const DrawCommand& c = canvas.commands[i];
    if (c.kind == Kind::Print && c.text == text && (x < 0 || c.textX == x))
      return i;
  }
  return canvas.commands.size();
}

// The value an engineering text such as "4.7k" reads as.
inline float Read(const std::string& text) {
  float value = 0;
  ReadEngValue(text, value);
  return value;
}

// A designed filter of the given family and order at 1 kHz, analysed from 100 Hz to 10 kHz at
// 512 intervals, -60..+10 dB in 7 divisions.
struct PlotTestContext {
  explicit PlotTestContext(int16_t order = 4, int16_t family = kButterworth) {
    record.SetOpeningDefaults();
    record.Family = family;
    record.Order = order;
    record.Apass = family == kChebyshev ? 0.5f : 0.0f;
    record.Bandwidth = 1000;
    record.Fstart = 100;
    // Fstop 10 kHz and dBtop +10 dB are the opening defaults.
    record.dBbottom = -60;
    record.NrYintervals = 7;
    record.DelayTop = 0.002f;
    EXPECT_TRUE(SynthesizeFamilyDesign(record));
    Analyze(record);
    ComputeGridFreqs(record);
  }

  // True when the last drawing printed `text` (at text position x, when given).
  bool Shows(const std::string& text, float x = -1) const {
    return FindPrint(canvas, text, x) < canvas.commands.size();
  }
  // That Print; throws, failing the test, when there is none.
  const DrawCommand& PrintOf(const std::string& text, float x = -1) const {
    return canvas.commands.at(FindPrint(canvas, text, x));
  }

  DesignRecord record;
  PlotShared shared;
  ScriptedDialogs dialogs;
  RecordingNavigator navigator;
  ManualEventPump pump;
  ManualClock clock;
  SequenceRandom random;
  AppContext context{record, shared, dialogs, navigator, pump, clock, random};
  PlotLink link;
  RecordingCanvas canvas;
};

// An analysis page opened over a designed filter and shown on a recording canvas.
struct PlotPageFixture : PlotTestContext {
  explicit PlotPageFixture(int16_t order = 4, int16_t family = kButterworth)
      : PlotTestContext(order, family), page(std::make_unique<PlotPage>(context, link)) {
    page->SetCanvas(&canvas);
    page->OnShown();
  }
  Control& operator[](const std::string& name) { return (*page)[name]; }
  // The names among `names` whose control is enabled (visible).
  Names EnabledOf(Names names) { return Having(std::move(names), &Control::enabled); }
  Names VisibleOf(Names names) { return Having(std::move(names), &Control::visible); }
  static Names NamesOf(const std::vector<Control*>& controls) {
    Names names;
    for (const Control* control : controls)
      names.push_back(control->name);
    return names;
  }
  Names Having(Names names, bool Control::*state) {
    std::erase_if(names, [&](const std::string& name) { return !((*page)[name].*state); });
    return names;
  }
  // Clicks a control with a fresh recording of the drawing.
  void Click(const std::string& name) {
    canvas.commands.clear();
    page->Click(name);
  }
  // True when the last click redrew the plot: the box cleared first, the gain axis titled.
  bool Redrawn() const {
    return !canvas.commands.empty() && canvas.commands[0].kind == Kind::FillRect &&
           Shows("Gain, dB:");
  }
  // Family and PartsModified together: {kManual, 1} after a change by hand.
  std::vector<int> FamilyAndModified() const { return {record.Family, record.PartsModified}; }

  std::unique_ptr<PlotPage> page;
};

}  // namespace kestro::test
