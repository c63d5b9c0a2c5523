// SPDX-License-Identifier: GPL-3.0-or-later
#include "plotpage/limits_page.h"

#include "core/gain_limits.h"

namespace kestro {
namespace {

// Where the window sits on the screen (shares of its width and height): right of the analysis
// page's command column.
constexpr float kShareLeft = 0.12f, kShareTop = 0.28f, kShareWidth = 0.14f, kShareHeight = 0.42f;

// Rows of the page, in its own page units.
constexpr float kLeft = 900;
constexpr float kWidth = 10200;
constexpr float kFirstTop = 1500;
constexpr float kPitch = 1400;
constexpr float kButtonHeight = 1000;

}  // namespace

LimitsPage::LimitsPage(AppContext& context, PlotRedraw& plot) : context_(context), plot_(plot) {
  SetWindowCaption("Limits");
  SetWindowShare(kShareWidth, kShareHeight);
  SetWindowPosition(kShareLeft, kShareTop);
  CreateControls();
}

void LimitsPage::CreateControls() {
  controls_.lblTitle = &Add(ControlKind::Label, "lblTitle", "Gain limits", kLeft, 300, kWidth, 900);
  controls_.lblTitle->bold = true;
  struct Button {
    Control* LimitsPageControls::*slot;
    const char* name;
    const char* caption;
    void (LimitsPage::*command)();
  };
  using C = LimitsPageControls;
  const Button buttons[] = {
      {&C::cmdEnter, "cmdEnter", "Enter", &LimitsPage::Enter},
      {&C::cmdLimitsEdit, "cmdLimitsEdit", "Edit", &LimitsPage::Edit},
      {&C::cmdLimitsEraseAll, "cmdLimitsEraseAll", "Erase all", &LimitsPage::EraseAll},
      {&C::cmdLimitsHide, "cmdLimitsHide", "Hide", &LimitsPage::Hide},
      {&C::cmdLimitsOn, "cmdLimitsOn", "Show", &LimitsPage::Show}};
  float top = kFirstTop;
  for (const Button& button : buttons) {
    Control& control =
        Add(ControlKind::Button, button.name, button.caption, kLeft, top, kWidth, kButtonHeight);
    control.onClick = [this, command = button.command] { (this->*command)(); };
    controls_.*button.slot = &control;
    top += kPitch;
  }
}

void LimitsPage::Enter() {
  context_.record.LimitEntrySet = kGainLimitSet;
  context_.record.LimitsOn = 1;
  plot_.BeginLimitEntry();
  Close();
}

// The edit page opens when any of the sets 1 to 6 holds a limit.
void LimitsPage::Edit() {
  context_.record.LimitsOn = 1;
  for (int set = 1; set <= 6; ++set) {
    if (LimitCount(context_.record, set) > 0) {
      context_.navigator.Open(PageId::EditLimits, OpenMode::Over);
      return;
    }
  }
  context_.dialogs.Message(kNoLimits);
}

void LimitsPage::EraseAll() {
  EraseAllLimits(context_.record);
  plot_.RedrawPlot();
  Close();
}

void LimitsPage::Hide() {
  context_.record.LimitsOn = 0;
  plot_.DisableOptimize();
  plot_.RedrawPlot();
  Close();
}

void LimitsPage::Show() {
  context_.record.LimitsOn = 1;
  plot_.RedrawPlot();
  Close();
}

void LimitsPage::Close() {
  context_.navigator.Close(PageId::Limits);
}

}  // namespace kestro
