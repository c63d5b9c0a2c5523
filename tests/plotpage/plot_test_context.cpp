#include "plot_test_context.h"

#include "analysis/response_engine.h"
#include "synthesis/stage_synthesis.h"

namespace kestro::test {

PlotTestContext::PlotTestContext(int16_t order, int16_t family) {
  record.SetOpeningDefaults();
  record.Family = family;
  record.Order = order;
  record.Apass = family == kChebyshev ? 0.5f : 0.0f;
  record.Bandwidth = 1000;
  record.Fstart = 100;
  record.Fstop = 10000;
  record.dBtop = 10;
  record.dBbottom = -60;
  record.NrYintervals = 7;
  record.DelayTop = 0.002f;
  SynthesizeFamilyDesign(record, dialogs);
  Analyze(record);
  ComputeGridFreqs(record);
}

std::size_t FindCommand(const RecordingCanvas& canvas, DrawCommand::Kind kind, std::size_t from) {
  for (std::size_t i = from; i < canvas.commands.size(); ++i) {
    if (canvas.commands[i].kind == kind)
      return i;
  }
  return canvas.commands.size();
}

std::size_t FindPrint(const RecordingCanvas& canvas, const std::string& text, std::size_t from) {
  for (std::size_t i = from; i < canvas.commands.size(); ++i) {
    const DrawCommand& command = canvas.commands[i];
    if (command.kind == DrawCommand::Kind::Print && command.text == text)
      return i;
  }
  return canvas.commands.size();
}

std::size_t FindPrintAt(const RecordingCanvas& canvas, const std::string& text, float x) {
  for (std::size_t i = 0; i < canvas.commands.size(); ++i) {
    const DrawCommand& command = canvas.commands[i];
    if (command.kind == DrawCommand::Kind::Print && command.text == text && command.textX == x) {
      return i;
    }
  }
  return canvas.commands.size();
}

}  // namespace kestro::test
