// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/man_page.h"

#include <sstream>

namespace kestro::cli {
namespace {

constexpr char kDescription[] = R"(.SH DESCRIPTION
.B kestrolab-cli
is the headless companion of
.BR kestrolab (1).
Its
.B design
command designs a unity-gain Sallen-Key lowpass filter the way the design page's Design command
does, with the same repairs of out-of-range values and the same messages (on standard error).
It prints the normalised poles and the parts of every stage, optionally the analysed response,
gain limits with their limit error, the optimizer's trials and a Monte Carlo envelope, and
reads and writes every file the desktop program writes.
The
.B print
command prints one sheet of a session file into a PDF file through the same code as the
window's Print commands, on Qt's offscreen platform; no display is needed.
)";

constexpr char kFilesAndExamples[] = R"(.SH FILES
Relative file names are in the working directory and are compared without regard to case:
reading
.I LastSession.KST
finds
.IR LASTSESSION.KST .
.SH EXAMPLES
A third-order Butterworth filter with a 1 kHz bandwidth; prints the poles \-1 and
\-0.5 \(+- j0.866 and the parts of its one three-pole stage:
.PP
.RS
.B kestrolab-cli design \-\-family butterworth \-\-order 3 \-\-bandwidth 1k
.RE
.PP
A fifth-order Chebyshev filter with 0.5 dB ripple and two gain limits, saved as a session file:
.PP
.RS
.B kestrolab-cli design \-\-family chebyshev \-\-order 5 \-\-bandwidth 2k \-\-ripple 0.5
.B \-\-start 100 \-\-limit floor,800,\-1 \-\-limit ceiling-up,6k,\-40 \-\-save filter.KST
.RE
.PP
The parts of that file fitted into its limits by the optimizer, saved again:
.PP
.RS
.B kestrolab-cli design \-\-open filter.KST \-\-family manual \-\-optimize \-\-save tuned.KST
.RE
.PP
The plot sheet of that file with its phase and delay curves, as a PDF file:
.PP
.RS
.B kestrolab-cli print plot \-\-open tuned.KST \-\-pdf plot.pdf \-\-phase \-\-delay
.RE
.SH SEE ALSO
.BR kestrolab (1)
.PP
The user guide,
.IR /usr/share/doc/kestrolab/user-guide.md .
)";

// Text for a roff line: backslashes and hyphens escaped (a plain "-" may be set as a hyphen),
// and a leading "." or "'" kept from reading as a request.
std::string Roff(std::string_view text) {
  std::string out;
  if (!text.empty() && (text.front() == '.' || text.front() == '\''))
    out = "\\&";
  for (const char c : text) {
    if (c == '\\')
      out += "\\e";
    else if (c == '-')
      out += "\\-";
    else
      out += c;
  }
  return out;
}

// The help paragraphs' line breaks become blanks: roff fills the lines itself.
std::string Filled(std::string_view text) {
  std::string line(text);
  for (char& c : line)
    c = c == '\n' ? ' ' : c;
  while (!line.empty() && line.back() == ' ')
    line.pop_back();
  return line;
}

void WriteSynopsis(const CliOptions& options, std::ostream& page) {
  page << ".SH SYNOPSIS\n";
  for (const CommandSpec& command : options.Commands()) {
    page << ".B kestrolab-cli\n.B " << Roff(command.name) << '\n';
    if (command.operand)
      page << ".I " << Roff(command.operand->valueName) << '\n';
    page << ".RI [ options ]\n.br\n";
  }
  page << ".B kestrolab-cli\n.B \\-\\-help\n.br\n.B kestrolab-cli\n.B \\-\\-version\n";
}

void WriteCommands(const CliOptions& options, std::ostream& page) {
  page << ".SH COMMANDS\n";
  for (const CommandSpec& command : options.Commands()) {
    page << ".TP\n";
    if (command.operand)
      page << ".BI " << Roff(command.name) << " \" " << Roff(command.operand->valueName) << "\"\n";
    else
      page << ".B " << Roff(command.name) << '\n';
    page << Roff(command.summary) << ".\n";
  }
}

void WriteOption(const OptionSpec& option, std::ostream& page) {
  page << ".TP\n";
  if (option.valueName.empty())
    page << ".B \\-\\-" << Roff(option.name) << '\n';
  else
    page << ".BI \\-\\-" << Roff(option.name) << " \" " << Roff(option.valueName) << "\"\n";
  page << Roff(option.help) << ".\n";
}

void WriteOptions(const CliOptions& options, std::ostream& page) {
  page << ".SH OPTIONS\n";
  for (const CommandSpec& command : options.Commands()) {
    page << ".SS Options of " << Roff(command.name) << '\n';
    for (const OptionSpec& option : command.options)
      WriteOption(option, page);
  }
  page << ".SS Both commands\n";
  WriteOption({"help", "", "show this text and exit", {}}, page);
  WriteOption({"version", "", "show the version and exit", {}}, page);
}

void WriteExitStatus(std::ostream& page) {
  page << ".SH EXIT STATUS\n";
  for (const ExitCodeRow& exit : ExitCodeTable())
    page << ".TP\n.B " << exit.code << '\n' << Roff(exit.meaning) << ".\n";
}

}  // namespace

std::string ManPage(const CliOptions& options, std::string_view version, std::string_view date) {
  std::ostringstream page;
  page << ".TH KESTROLAB\\-CLI 1 \"" << Roff(date) << "\" \"KestroLab " << Roff(version)
       << "\" \"User Commands\"\n"
       << ".SH NAME\nkestrolab\\-cli \\- design and analyse Sallen\\-Key active lowpass filters "
          "from the command line\n";
  WriteSynopsis(options, page);
  page << kDescription;
  WriteCommands(options, page);
  WriteOptions(options, page);
  page << ".SH NUMBERS\n" << Roff(Filled(NumberSyntaxText())) << '\n';
  WriteExitStatus(page);
  page << kFilesAndExamples;
  return page.str();
}

}  // namespace kestro::cli
