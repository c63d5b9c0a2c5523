// SPDX-License-Identifier: GPL-3.0-or-later
#include "plotpage/fit_limits_page.h"

#include <array>
#include <charconv>

#include "core/eng_writers.h"
#include "core/family_name.h"
#include "usecase/design_command.h"

namespace kestro {
namespace {

// Where the window sits on the screen (shares of its width and height): right of the analysis
// page's command column.
constexpr float kShareLeft = 0.12f, kShareTop = 0.28f, kShareWidth = 0.42f, kShareHeight = 0.36f;
constexpr float kLeft = 500, kWidth = 11000;

// Two decimals with a point, whatever the locale.
std::string Fixed2(float value) {
  std::array<char, 32> text{};
  const auto end =
      std::to_chars(text.data(), text.data() + text.size(), value, std::chars_format::fixed, 2);
  return {text.data(), end.ptr};
}

// The text padded with blanks to the width of its column.
std::string Column(std::string text, std::size_t width) {
  if (text.size() < width)
    text.append(width - text.size(), ' ');
  return text;
}

}  // namespace

FitLimitsPage::FitLimitsPage(AppContext& context, PlotRedraw& plot)
    : context_(context), plot_(plot), rows_(FitToLimits(context.record)) {
  SetWindowCaption("Fit to limits");
  SetWindowShare(kShareWidth, kShareHeight);
  SetWindowPosition(kShareLeft, kShareTop);
  CreateControls();
}

std::string FitLimitsPage::RowText(const FitRow& row) {
  const std::string family = Column(FamilyName(row.family), 13);
  if (!row.met)
    return family + row.message;
  const std::string ripple = row.family == kChebyshev ? Fixed2(row.ripple) + " dB" : "-";
  return family + Column(std::to_string(row.order), 7) + Column(FormatEng(row.bandwidth, '.'), 12) +
         Column(ripple, 10) + Fixed2(row.marginDb) + " dB";
}

void FitLimitsPage::CreateControls() {
  FitLimitsPageControls& c = controls_;
  c.lblTitle = &Add(ControlKind::Label, "lblTitle", "Lowest order that keeps the gain limits",
                    kLeft, 300, kWidth, 800);
  c.lblTitle->bold = true;
  c.lblColumns = &Add(ControlKind::Label, "lblColumns", kColumns, kLeft, 1300, kWidth, 700);
  c.lstFitRows = &Add(ControlKind::ListBox, "lstFitRows", "", kLeft, 2000, kWidth, 3800);
  for (Control* control : {c.lblColumns, c.lstFitRows})
    control->fixedPitch = true;
  for (const FitRow& row : rows_)
    c.lstFitRows->rows.push_back(RowText(row));
  c.lstFitRows->onRowClick = [this](int row) { Pick(row); };
  c.cmdFitDesign = &Add(ControlKind::Button, "cmdFitDesign", "Design", kLeft, 6600, 5000, 1400);
  c.cmdFitDesign->enabled = false;
  c.cmdFitDesign->onClick = [this] { DesignPicked(); };
  c.cmdFitClose = &Add(ControlKind::Button, "cmdFitClose", "Close", 6500, 6600, 5000, 1400);
  c.cmdFitClose->onClick = [this] { Close(); };
}

// Only a met row can be designed.
void FitLimitsPage::Pick(int row) {
  const bool valid = row >= 0 && row < static_cast<int>(rows_.size());
  picked_ = valid ? row : -1;
  controls_.cmdFitDesign->enabled = valid && rows_[static_cast<std::size_t>(row)].met;
}

void FitLimitsPage::DesignPicked() {
  if (!controls_.cmdFitDesign->enabled)
    return;
  ApplyFitRow(context_.record, rows_[static_cast<std::size_t>(picked_)]);
  FinishDesignCommand(context_.record, context_.dialogs);
  plot_.DesignChanged();
  Close();
}

void FitLimitsPage::Close() {
  context_.navigator.Close(PageId::FitLimits);
}

}  // namespace kestro
