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

std::string Box(int k) {
  return "txtMarkerFrequency" + std::to_string(k);
}

}  // namespace

MarkerPage::MarkerPage(AppContext& context, PlotRedraw& plot) : context_(context), plot_(plot) {
  SetWindowCaption("Markers");
  SetWindowShare(static_cast<float>(kPlacement.width), static_cast<float>(kPlacement.height));
  SetWindowPosition(static_cast<float>(kPlacement.left), static_cast<float>(kPlacement.top));
  CreateControls();
  LoadFrequencies();
}

void MarkerPage::CreateControls() {
  Add(ControlKind::Label, "lblTitle", "Markers", kLeft, kTitleTop, kWidth, 400).bold = true;
  for (int k = 1; k <= kUsedMarkers; ++k) {
    const float top = kFirstRowTop + kRowPitch * static_cast<float>(k - 1);
    Add(ControlKind::Label, "lblMarkerFrequency" + std::to_string(k),
        "Frequency " + std::to_string(k) + ":", kLeft, top, kWidth, kLabelHeight);
    Add(ControlKind::TextBox, Box(k), "", kLeft, top + kLabelHeight, kWidth, kBoxHeight).onChange =
        [this, k] { FrequencyTyped(k); };
  }
  const std::pair<const char*, const char*> buttons[] = {{"cmdMarkerOn", "Show"},
                                                         {"cmdMarkerHide", "Hide"},
                                                         {"cmdMarkerErase", "Erase all"},
                                                         {"cmdExit", "Return"}};
  float top = kFirstButtonTop;
  for (const auto& [name, caption] : buttons) {
    Add(ControlKind::Button, name, caption, kLeft, top, kWidth, kButtonHeight);
    top += kButtonPitch;
  }
  (*this)["cmdMarkerOn"].onClick = [this] { Show(); };
  (*this)["cmdMarkerHide"].onClick = [this] { Hide(); };
  (*this)["cmdMarkerErase"].onClick = [this] { EraseAll(); };
  (*this)["cmdExit"].onClick = [this] { Close(); };
}

// Each box shows its frequency as FormatFreq writes it, and is read straight back: a frequency
// with more digits than the box shows is thereby rounded to the shown digits.
void MarkerPage::LoadFrequencies() {
  for (int k = 1; k <= kUsedMarkers; ++k) {
    Type(Box(k), FormatFreq(context_.record.MarkerFreq[static_cast<std::size_t>(k)]));
  }
}

void MarkerPage::FrequencyTyped(int k) {
  ReadEngValue((*this)[Box(k)].caption, context_.record.MarkerFreq[static_cast<std::size_t>(k)]);
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
