// SPDX-License-Identifier: GPL-3.0-or-later
#include "printouts/print_tabulated.h"

#include <algorithm>

#include "core/eng_value.h"
#include "printouts/print_job.h"
#include "printouts/print_text.h"

namespace kestro {

namespace {
constexpr int kRowsWithoutQuestion = 40;
constexpr float kOrigin = 1008;  // twips (0.7 inch) right of and below the printable corner
constexpr int kFirstCount = 3;   // the title lines count towards the first sheet
constexpr int kLastLineOfSheet = 43;
constexpr float kContinuedTop = 300;
constexpr float kFreqX = 1100, kGainX = 2600, kPhaseX = 3800, kDelayX = 5000;
}  // namespace

std::string TabulatedPrintout::CautionText(int nints) {
  return "We have " + std::to_string(nints) + " lines of data and so will use over " +
         std::to_string(nints / kRowsWithoutQuestion) + " sheets of paper. \n" +
         "Are you sure you want to continue and print out the data?";
}

bool TabulatedPrintout::Run() {
  if (record_.Nints > kRowsWithoutQuestion) {
    dialogs_.Beep();
    const MessageAnswer answer = dialogs_.Message(CautionText(record_.Nints), MessageButtons::YesNo,
                                                  MessageIcon::Question, "Caution");
    if (answer != MessageAnswer::Yes)
      return false;
  }
  return PrintOrReportError(
      device_, [this](PrintDevice& sheet) { DrawSheets(sheet); }, dialogs_);
}

void TabulatedPrintout::DrawSheets(PrintDevice& device) const {
  device.SetOrientation(PrintOrientation::Portrait);
  device.SetOrigin(kOrigin, kOrigin);
  device.SetPosition(1000, 200);
  device.SetFont("", 16, true);
  device.Print("Tabulated Responses");
  device.Print("");
  device.SetFont("", 16, false);
  int lines = kFirstCount;
  PrintHeadings(device);
  const int last = std::clamp<int>(record_.Nints, 0, kMaxNints);
  for (int point = 0; point <= last; ++point) {
    PrintRow(device, record_, point);
    if (++lines > kLastLineOfSheet) {  // the break also follows a row that ends the table
      device.NewPage();
      lines = 0;
      device.SetPosition(0, kContinuedTop);
      PrintHeadings(device);
    }
  }
  device.Print("");
  device.Print("");
  device.SetFont("", 8, false);
  device.SetPosition(1000, device.PositionY());
  device.Print(clock_.LocalDateTime());
}

// An empty line in 14-point type, the headings in 12-point, an empty line, then 10-point rows.
void TabulatedPrintout::PrintHeadings(PrintDevice& device) {
  device.SetFont("", 14, false);
  device.Print("");
  device.SetFont("", 12, false);
  const float y = device.PositionY();
  print_text::PrintAt(device, kFreqX, y, "Frequency:");
  print_text::PrintAt(device, kGainX, y, "Gain:");
  print_text::PrintAt(device, kPhaseX, y, "Phase:");
  print_text::PrintAt(device, kDelayX, y, "Delay:");
  device.EndLine();
  device.Print("");
  device.SetFont("", 10, false);
}

// The four texts untrimmed, as the tabulated list shows them.
void TabulatedPrintout::PrintRow(PrintDevice& device, const DesignRecord& record, int point) {
  const auto i = static_cast<std::size_t>(point);
  const float y = device.PositionY();
  print_text::PrintAt(device, kFreqX, y, FormatFreq(record.Freq[i]));
  print_text::PrintAt(device, kGainX, y, FormatNum(record.Gain[i]));
  print_text::PrintAt(device, kPhaseX, y, FormatNum(record.Phase[i]));
  print_text::PrintAt(device, kDelayX, y, FormatEng(record.Delay[i]));
  device.EndLine();
}

}  // namespace kestro
