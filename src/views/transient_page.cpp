// SPDX-License-Identifier: GPL-3.0-or-later
#include "views/transient_page.h"

#include <array>

#include "core/eng_value.h"
#include "core/leading_number.h"
#include "files/waveform_file.h"
#include "printouts/picture_file.h"
#include "printouts/print_job.h"
#include "printouts/print_waves.h"
#include "usecase/square_wave.h"
#include "views/transient_plot.h"

namespace kestro {

namespace {

constexpr Rgb kPageBackground{238, 255, 255};
constexpr Rgb kButtonFace{221, 255, 255};
constexpr float kStepFactor = 1.01f;

using Slot = Control* TransientPageControls::*;
using C = TransientPageControls;

struct Placed {
  Slot slot;
  ControlKind kind;
  const char* name;
  const char* caption;
  float left, top, width, height;
};
constexpr std::array<Placed, 11> kControls{{
    {&C::lblHeading, ControlKind::Label, "lblHeading", "Transient Plot", 30, 400, 11700, 375},
    {&C::cmdFreqDown, ControlKind::Button, "cmdFreqDown", "<", 2000, 7660, 240, 240},
    {&C::cmdFreqUp, ControlKind::Button, "cmdFreqUp", ">", 2240, 7660, 240, 240},
    {&C::lblSquarewaveFreq, ControlKind::Label, "lblSquarewaveFreq", "Squarewave freq (Hz):", 3000,
     7440, 1600, 240},
    {&C::txtSquarewaveFreq, ControlKind::TextBox, "txtSquarewaveFreq", "", 3000, 7660, 1100, 300},
    {&C::cmdPlot, ControlKind::Button, "cmdPlot", "(Re)Plot", 4500, 7660, 900, 300},
    {&C::cmdSave, ControlKind::Button, "cmdSave", "Save waveform", 5900, 7660, 1200, 300},
    {&C::cmdGet, ControlKind::Button, "cmdGet", "Get waveform", 7300, 7660, 1200, 300},
    {&C::cmdPrint, ControlKind::Button, "cmdPrint", "Print", 8700, 7660, 900, 300},
    {&C::cmdPicture, ControlKind::Button, "cmdPicture", kSavePictureCaption, 8700, 8060, 2000, 300},
    {&C::cmdExitTransient, ControlKind::Button, "cmdExitTransient", "Return", 9800, 7660, 900, 300},
}};

}  // namespace

TransientPage::TransientPage(AppContext& context, TransientState& state)
    : context_(context), state_(state) {
  SetWindowCaption("KestroLab - Transient Plot");
  SetBackColour(kPageBackground);
  CreateControls();
  if (state_.SquareFreq <= 0)  // the first opening of the run
    state_.SquareFreq = 0.1f * context_.record.Bandwidth;
  ShowFrequency();
}

void TransientPage::CreateControls() {
  AddPlaced(kControls, controls_, kButtonFace);
  TransientPageControls& c = controls_;
  c.lblHeading->align = TextAlign::Center;
  c.lblHeading->bold = true;
  c.lblHeading->fontScale = 1.4f;
  c.cmdPrint->enabled = false;  // until the first plot
  c.cmdPicture->enabled = false;
  c.txtSquarewaveFreq->onChange = [this] { OnFrequencyTyped(); };
  c.cmdFreqDown->onClick = [this] { OnStep(false); };
  c.cmdFreqUp->onClick = [this] { OnStep(true); };
  c.cmdPlot->onClick = [this] { OnPlotClicked(); };
  c.cmdSave->onClick = [this] {
    PassedOrShown(SaveWaveform(state_.TransientWave), context_.dialogs);
  };
  c.cmdGet->onClick = [this] { OnGetWaveform(); };
  c.cmdPrint->onClick = [this] { onPrintClicked(); };
  c.cmdPicture->onClick = [this] { onPictureClicked(); };
  c.cmdExitTransient->onClick = [this] { context_.navigator.Close(PageId::Transient); };
}

void TransientPage::OnShown() {
  if (canvas() != nullptr)
    TransientPlot(*canvas()).DrawTransientGrid();
  ReplotTransient();
}

void TransientPage::OnFrequencyTyped() {
  ReadEngValue(controls_.txtSquarewaveFreq->caption, state_.SquareFreq);
}

// The stepped value goes through the text box, as if typed, before the plot reads it again.
void TransientPage::OnStep(bool up) {
  state_.SquareFreq = up ? state_.SquareFreq * kStepFactor : state_.SquareFreq / kStepFactor;
  ShowFrequency();
  OnFrequencyTyped();
  ReplotTransient();
}

void TransientPage::OnPlotClicked() {
  const std::string text = Trimmed(controls_.txtSquarewaveFreq->caption);
  state_.SquareFreq = LeadingDecimal(text);
  ReplotTransient();
}

void TransientPage::ReplotTransient() {
  Control& box = *controls_.txtSquarewaveFreq;
  ReadEngValue(box.caption, state_.SquareFreq);
  if (SquareWave::Repair(state_.SquareFreq, context_.dialogs))
    box.caption = "1";
  ShowFrequency();
  ComputeTransient(context_.record, state_);
  const auto components = TransientComponents(context_.record, state_);
  controls_.cmdPrint->enabled = true;
  controls_.cmdPicture->enabled = true;
  if (canvas() == nullptr)
    return;
  canvas()->Clear();
  TransientPlot plot(*canvas());
  plot.DrawTransientGrid();
  plot.PlotTransient(state_);
  plot.ShowComponents(components);
}

// A missing or short file draws nothing; the user is told why no second curve appears.
void TransientPage::OnGetWaveform() {
  if (!GetWaveform(state_.SavedWave)) {
    context_.dialogs.Message(kNoWaveformMessage);
    return;
  }
  if (canvas() != nullptr)
    TransientPlot(*canvas()).PlotSavedWave(state_.SavedWave);
}

void TransientPage::onPrintClicked() {
  const auto device = NewPrintJob(context_.printers);
  WavesPrintout(context_.record, state_, *device, context_.dialogs).Run();
}

void TransientPage::onPictureClicked() {
  SavePicture(context_.dialogs, context_.printers, "waves.svg", [this](PrintDevice& device) {
    WavesPrintout(context_.record, state_, device, context_.dialogs).Run();
  });
}

void TransientPage::ShowFrequency() {
  controls_.txtSquarewaveFreq->caption = FormatFreq(state_.SquareFreq);
}

}  // namespace kestro
