// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/print_command.h"

#include <QGuiApplication>
#include <algorithm>
#include <cctype>
#include <iostream>
#include <memory>

#include "analysis/response_engine.h"
#include "cli/answer_yes_dialogs.h"
#include "cli/exit_codes.h"
#include "cli/file_options.h"
#include "cli/output_paths.h"
#include "cli/print_target.h"
#include "core/eng_value.h"
#include "platform/system_clock.h"
#include "printouts/print_plot.h"
#include "printouts/print_poles.h"
#include "printouts/print_schematic.h"
#include "printouts/print_summary.h"
#include "printouts/print_tabulated.h"
#include "printouts/print_waves.h"
#include "usecase/square_wave.h"

namespace kestro::cli {

namespace {

// Qt's own notes (a missing runtime folder, font fallbacks) are not the command's messages.
void KeepSeriousQtMessages(QtMsgType type, const QMessageLogContext&, const QString& text) {
  if (type == QtCriticalMsg || type == QtFatalMsg)
    std::cerr << "kestrolab-cli: " << text.toStdString() << '\n';
}

// Fonts and the PDF writer need a GUI application; the offscreen platform needs no display.
// The caller owns it, so it ends before main returns; none is made when one runs already.
std::unique_ptr<QGuiApplication> StartGuiApplication() {
  if (QCoreApplication::instance() != nullptr)
    return nullptr;
  qInstallMessageHandler(KeepSeriousQtMessages);
  qputenv("QT_QPA_PLATFORM", "offscreen");
  static int argc = 1;  // Qt keeps referring to these for the application's whole life
  static char name[] = "kestrolab-cli";
  static char* argv[] = {name, nullptr};
  return std::make_unique<QGuiApplication>(argc, argv);
}

// The square-wave frequency as the transient page reads it: at most 0.01 Hz becomes 1 Hz.
TransientState SquareWaveState(const std::string& text, Dialogs& dialogs) {
  TransientState state;
  state.SquareFreq = SquareWave::Read(text, dialogs);
  return state;
}

bool PrintKind(const CliArguments& args, DesignRecord& record, PrintDevice& device,
               Dialogs& dialogs) {
  const SystemClock clock;
  const std::string kind = args.Value("kind").value_or("");
  if (kind == "summary")
    return SummaryPrintout(record, device, dialogs, clock).Run();
  if (kind == "table")
    return TabulatedPrintout(record, device, dialogs, clock).Run();
  if (kind == "schematic")
    return SchematicPrintout(record, device, dialogs, clock).Run();
  if (kind == "poles")
    return PolesPrintout(record, args.Flag("grid"), device, dialogs).Run();
  if (kind == "plot") {
    const PlotPrintout::Curves curves{args.Flag("delay"), args.Flag("phase")};
    const auto& freq = record.MarkerFreq;
    record.MarkersOn = std::any_of(freq.begin() + 1, freq.begin() + kUsedMarkers + 1,
                                   [](float f) { return f > 0; })
                           ? 1
                           : 0;
    return PlotPrintout(record, curves, device, dialogs, clock).Run();
  }
  TransientState state = SquareWaveState(args.Value("transient").value_or(""), dialogs);
  return WavesPrintout(record, state, device, dialogs).Run();
}

// The PDF's title: the sheet's name, "Table" for the table sheet.
std::string SheetTitle(std::string kind) {
  kind[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(kind[0])));
  return kind;
}

std::string MissingOption(const CliArguments& args) {
  for (const char* name : {"kind", "open"}) {
    if (!args.Value(name))
      return name == std::string("kind") ? "KIND" : std::string("--") + name;
  }
  if (args.Value("kind") == "waves" && !args.Value("transient"))
    return "--transient";
  return {};
}

}  // namespace

int RunPrint(const CliArguments& args, std::ostream& out, std::ostream& err, Dialogs& dialogs) {
  if (const std::string missing = MissingOption(args); !missing.empty()) {
    err << "kestrolab-cli: print needs " << missing << "\nTry 'kestrolab-cli --help'.\n";
    return kExitUsage;
  }
  const std::optional<PrintTarget> target = ReadPrintTarget(args, err);
  if (!target)
    return kExitUsage;
  OutputPaths paths;
  auto record = std::make_unique<DesignRecord>();
  if (!OpenSessionOption(args, *record, err, paths))
    return kExitFile;
  Analyze(*record);
  ComputeGridFreqs(*record);
  const std::unique_ptr<QGuiApplication> application = StartGuiApplication();
  AnswerYesDialogs answers(dialogs);
  {
    // The device writes its file when it is closed, at the end of this block.
    const auto device =
        NewPrintDevice(*target, paths.Path(target->file), SheetTitle(*args.Value("kind")));
    if (!PrintKind(args, *record, *device, answers))
      return kExitFile;
  }
  if (paths.SendStandardOutput(out))
    return kExitOk;
  dialogs.Message(target->option == "pdf" ? "The PDF could not be written to standard output"
                                          : "The picture could not be written to standard output");
  return kExitFile;
}

}  // namespace kestro::cli
