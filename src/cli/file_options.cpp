// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/file_options.h"

#include <cerrno>
#include <iostream>

#include "analysis/transient.h"
#include "cli/exit_codes.h"
#include "cli/part_options.h"
#include "cli/transient_report.h"
#include "core/design_record.h"
#include "core/eng_value.h"
#include "files/file_names.h"
#include "files/file_problems.h"
#include "files/netlist_file.h"
#include "files/plot_overlay.h"
#include "files/session_file.h"
#include "files/spice_schematic.h"
#include "files/staged_write_set.h"
#include "files/tabulated_files.h"
#include "files/waveform_file.h"
#include "platform/system_clock.h"
#include "usecase/square_wave.h"

namespace kestro::cli {

namespace {

// --transient FREQ: the square-wave frequency as the transient page reads it, then the response,
// the nine components and the transient data file.
bool RunTransient(const std::string& text, DesignRecord& record, std::ostream& out,
                  Dialogs& dialogs, const std::string& folder) {
  TransientState state;
  state.SquareFreq = SquareWave::Read(text, dialogs);
  ComputeTransient(record, state);
  WriteTransientReport(record, state, out);
  return PassedOrShown(SaveWaveform(state.TransientWave, folder), dialogs);
}

}  // namespace

std::vector<OptionSpec> FileOptionSpecs() {
  return {
      {"open",
       "FILE",
       "read a session file (.KST) first; the other options then change what it holds, and "
       "--family manual keeps its parts",
       {}},
      {"save", "FILE", "write the designed record to a session file (.KST)", {}},
      {"tabulate-easy", "FILE", "write the response as a tabulated-data file, easy format", {}},
      {"tabulate-sci",
       "FILE",
       "write the response as a tabulated-data file, scientific format",
       {}},
      {"spice", "FILE", "write the filter as an LTspice schematic (.ASC)", {}},
      {"netlist",
       "FILE",
       "write the filter as a SPICE netlist (.cir) that ngspice runs as it stands: input node "
       "in, output node out, an AC sweep over the analysis range",
       {}},
      {"save-plot",
       "",
       "write the plot overlay files KSTdata.DB, KSTdata.PHS and KSTdata.DEL here",
       {}},
      {"transient",
       "FREQ",
       "print the response to a square wave of FREQ Hz (nine components and WavePeak) and "
       "write it to KESTRO.TRAN here",
       {},
       true},
      {"out-dir",
       "DIR",
       "write the files of relative names, KSTdata.* and KESTRO.TRAN into the folder DIR "
       "(which must exist) instead of the working folder; a FILE of - is standard output "
       "(standard input for --open)",
       {}},
  };
}

bool SquareWaveRepaired(const CliArguments& args, Dialogs& dialogs) {
  const auto text = args.Value("transient");
  float freq = 0;
  return text && (ReadEngValue(*text, freq), SquareWave::Repair(freq, dialogs));
}

bool OpenSessionOption(const CliArguments& args, DesignRecord& record, std::ostream& err,
                       OutputPaths& paths, Dialogs* notices) {
  const auto name = args.Value("open");
  if (!name)
    return true;
  record.SetOpeningDefaults();
  record.SessionFile = *name == "-" ? paths.CopyOfStandardInput(std::cin) : *name;
  std::string problem = ReadProblem(ResolveFileName(record.SessionFile));
  SessionNotices said;
  if (problem.empty() && ReadSessionFile(record, record.SessionFile, &said))
    problem = "damaged, or not a session file";
  if (!problem.empty()) {
    err << "kestrolab-cli: cannot read " << *name << ": " << problem << '\n';
    return false;
  }
  for (const std::string& notice : said) {
    if (notices != nullptr)
      notices->Message(notice);
    else
      err << "kestrolab-cli: " << notice << '\n';
  }
  // The family rule of the design page; the run's field repairs, which follow at once, repair the
  // rest with the page's messages.
  if (record.Family < kButterworth || record.Family > kManual)
    record.Family = kButterworth;
  return true;
}

namespace {

// Every writer runs, so that every file that cannot be written is reported.
bool RunWriters(const CliArguments& args, DesignRecord& record, const FileRun& run) {
  Dialogs& dialogs = run.messages;
  bool ok = true;
  if (const auto name = args.Value("save")) {
    record.SessionFile = *name;
    ok = PassedOrShown(WriteSessionFile(record, record.SessionFile, SystemClock().LocalDateTime()),
                       dialogs) &&
         ok;
  }
  if (const auto name = args.Value("tabulate-easy")) {
    ok = PassedOrShown(WriteTabulatedEasy(record, *name), dialogs) && ok;
  }
  if (const auto name = args.Value("tabulate-sci")) {
    ok = PassedOrShown(WriteTabulatedSci(record, *name), dialogs) && ok;
  }
  if (const auto name = args.Value("spice"))
    ok = PassedOrShown(WriteSpiceSchematic(record, *name), dialogs) && ok;
  if (const auto name = args.Value("netlist"))
    ok = PassedOrShown(WriteNetlist(record, *name), dialogs) && ok;
  ok = WritePartsListOption(args, record, dialogs) && ok;  // --bom
  if (args.Flag("save-plot"))
    ok = PassedOrShown(SavePlot(record, run.paths.Folder()), dialogs) && ok;
  if (const auto freq = args.Value("transient")) {
    ok = RunTransient(*freq, record, run.report, dialogs, run.paths.Folder()) && ok;
  }
  return ok;
}

}  // namespace

int WriteFileOptions(const CliArguments& args, DesignRecord& record, const FileRun& run) {
  const CliOptions options;  // FindCommand points into it: it must outlive command
  const CommandSpec* command = options.FindCommand(args.command);
  const CliArguments resolved = command ? run.paths.Resolved(args, *command) : args;
  const std::size_t messagesBefore = run.messages.Texts().size();
  StagedWriteSet outputs;
  if (!outputs.Capture([&] { return RunWriters(resolved, record, run); }))
    return kExitFile;
  if (run.strict && run.messages.Texts().size() > messagesBefore)
    return kExitUsage;  // the set is dropped: nothing is written
  Dialogs& dialogs = run.messages;
  if (!outputs.Commit()) {
    dialogs.Beep();
    dialogs.Message("The files could not be put in place: " + ErrorText(errno));
    return kExitFile;
  }
  if (run.paths.SendStandardOutput(run.out))
    return kExitOk;
  dialogs.Message("The file could not be written to standard output");
  return kExitFile;
}

}  // namespace kestro::cli
