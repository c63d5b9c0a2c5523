// SPDX-License-Identifier: GPL-3.0-or-later
#include "plotpage/marker_page.h"

#include <string>

#include "core/eng_value.h"

namespace kestro {
namespace {

// Rows of the page, in its own page units: the title, eight label and box pairs, four buttons.
constexpr float kLeft = 800;
constexpr float kWidth = 10400;
constexpr float kTitleTop = 200;
constexpr float kFirstRowTop = 900;
constexpr float kRowPitch = 750;
constexpr float kLabelHeight = 300;
constexpr float kBoxHeight = 380;
constexpr float kFirstButtonTop = 7000;
constexpr float kButtonPitch = 480;
constexpr float kButtonHeight = 400;

}  // namespace

MarkerPage::MarkerPage(AppContext& context, PlotRedraw& plot) : context_(context), plot_(plot) {
  SetWindowCaption("Markers");
  SetWindowShare(static_cast<float>(kPlacement.width), static_cast<float>(kPlacement.height));
  SetWindowPosition(static_cast<float>(kPlacement.left), static_cast<float>(kPlacement.top));
  CreateControls();
  LoadFrequencies();
}

void MarkerPage::CreateControls() {
  controls_.lblTitle =
      &Add(ControlKind::Label, "lblTitle", "Markers", kLeft, kTitleTop, kWidth, 400);
  controls_.lblTitle->bold = true;
  CreateRows();
  struct Button {
    Control* MarkerPageControls::*slot;
    const char* name;
    const char* caption;
    void (MarkerPage::*command)();
  };
  using C = MarkerPageControls;
  const Button buttons[] = {
      {&C::cmdMarkerOn, "cmdMarkerOn", "Show", &MarkerPage::Show},
      {&C::cmdMarkerHide, "cmdMarkerHide", "Hide", &MarkerPage::Hide},
      {&C::cmdMarkerErase, "cmdMarkerErase", "Erase all", &MarkerPage::EraseAll},
      {&C::cmdExit, "cmdExit", "Return", &MarkerPage::Close}};
  float top = kFirstButtonTop;
  for (const Button& button : buttons) {
    Control& control =
        Add(ControlKind::Button, button.name, button.caption, kLeft, top, kWidth, kButtonHeight);
    control.onClick = [this, command = button.command] { (this->*command)(); };
    controls_.*button.slot = &control;
    top += kButtonPitch;
  }
}

// Marker k's label and box; the widget names carry the marker number.
void MarkerPage::CreateRows() {
  for (int k = 1; k <= kUsedMarkers; ++k) {
    const std::string number = std::to_string(k);
    const float top = kFirstRowTop + kRowPitch * static_cast<float>(k - 1);
    const auto at = static_cast<std::size_t>(k - 1);
    controls_.lblMarkerFrequency[at] =
        &Add(ControlKind::Label, "lblMarkerFrequency" + number, "Frequency " + number + ":", kLeft,
             top, kWidth, kLabelHeight);
    controls_.txtMarkerFrequency[at] = &Add(ControlKind::TextBox, "txtMarkerFrequency" + number, "",
                                            kLeft, top + kLabelHeight, kWidth, kBoxHeight);
    controls_.txtMarkerFrequency[at]->onChange = [this, k] { FrequencyTyped(k); };
  }
}

// Each box shows its frequency as FormatFreq writes it, and is read straight back: a frequency
// with more digits than the box shows is thereby rounded to the shown digits.
void MarkerPage::LoadFrequencies() {
  for (int k = 1; k <= kUsedMarkers; ++k) {
    Box(k).caption = FormatFreq(context_.record.MarkerFreq[static_cast<std::size_t>(k)]);
    FrequencyTyped(k);
  }
}

void MarkerPage::FrequencyTyped(int k) {
  ReadEngValue(Box(k).caption, context_.record.MarkerFreq[static_cast<std::size_t>(k)]);
}

Control& MarkerPage::Box(int k) {
  return *controls_.txtMarkerFrequency[static_cast<std::size_t>(k - 1)];
}

void MarkerPage::Show() {
  DesignRecord& record = context_.record;
  record.MarkersOn = 0;
  for (int k = 1; k <= kUsedMarkers; ++k) {
    if (record.MarkerFreq[static_cast<std::size_t>(k)] > 0)
      record.MarkersOn = 1;
  }
  if (record.MarkersOn == 1)
    plot_.RedrawPlot();
  Close();
}

void MarkerPage::Hide() {
  context_.record.MarkersOn = 0;
  plot_.ClearMarkerArea();
  plot_.RedrawPlot();
  Close();
}

void MarkerPage::EraseAll() {
  for (int k = 1; k <= kUsedMarkers; ++k)
    context_.record.MarkerFreq[static_cast<std::size_t>(k)] = 0;
  context_.record.MarkersOn = 0;
  plot_.RedrawPlot();
  Close();
}

void MarkerPage::Close() {
  context_.navigator.Close(PageId::Marker);
}

}  // namespace kestro
