// SPDX-License-Identifier: GPL-3.0-or-later
#include "views/poles_page.h"

#include "printouts/picture_file.h"
#include "printouts/pole_plot.h"
#include "printouts/print_poles.h"

namespace kestro {

namespace {
constexpr Rgb kBackground{255, 255, 255};
constexpr Rgb kButtonFace{221, 255, 255};
}  // namespace

PolesPage::PolesPage(AppContext& context) : context_(context) {
  SetWindowCaption("KestroLab - Poles");
  SetBackColour(kBackground);
  controls_.cmdExit = &Add(ControlKind::Button, "cmdExit", "Return", 300, 1200, 1000, 300);
  controls_.cmdExit->face = kButtonFace;
  controls_.cmdExit->onClick = [this] { context_.navigator.Close(PageId::Poles); };
  controls_.cmdGrid = &Add(ControlKind::Button, "cmdGrid", "Grid", 300, 1600, 1000, 300);
  controls_.cmdGrid->face = kButtonFace;
  controls_.cmdGrid->onClick = [this] { OnGridClicked(); };
  controls_.cmdPicture =
      &Add(ControlKind::Button, "cmdPicture", kSavePictureCaption, 300, 2000, 1000, 300);
  controls_.cmdPicture->face = kButtonFace;
  controls_.cmdPicture->onClick = [this] { OnPictureClicked(); };
  ComputePoles(context_.record, poles_);
  poleScale_ = PolePlot::PoleScaleFor(context_.record, poles_);
}

void PolesPage::OnShown() {
  Draw();
}

// The poles are not computed again: the grid only changes the drawing.
void PolesPage::OnGridClicked() {
  gridOn_ = static_cast<int16_t>(gridOn_ + 1 > 1 ? 0 : gridOn_ + 1);
  if (canvas() != nullptr)
    canvas()->Clear();
  Draw();
}

void PolesPage::OnPictureClicked() {
  SavePicture(context_.dialogs, context_.printers, "poles.svg", [this](PrintDevice& device) {
    PolesPrintout(context_.record, gridOn_ == 1, device, context_.dialogs).Run();
  });
}

void PolesPage::Draw() {
  if (canvas() == nullptr)
    return;
  PolePlot(*canvas(), context_.record, poles_, poleScale_).Draw(gridOn_ == 1);
}

}  // namespace kestro
