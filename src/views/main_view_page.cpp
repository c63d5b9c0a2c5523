// SPDX-License-Identifier: GPL-3.0-or-later
#include "views/main_view_page.h"

#include <array>

#include "printouts/picture_file.h"

namespace kestro {

namespace {

constexpr Rgb kPageBackground{238, 255, 255};
constexpr Rgb kRowFace{221, 255, 255};
constexpr Rgb kCurrentPageFace{128, 255, 255};

struct RowButton {
  Control* NavigationRowControls::*slot;
  const char* name;
  const char* caption;
  float left, width;
  PageId page;  // the page the button switches to; Opening for the other commands
};
using Row = NavigationRowControls;
constexpr std::array<RowButton, 10> kRow{
    {{&Row::cmdDesign, "cmdDesign", "Design", 1400, 900, PageId::Design},
     {&Row::cmdSchematic, "cmdSchematic", "Schematic", 2300, 1100, PageId::Schematic},
     {&Row::cmdPlot, "cmdPlot", "Plot", 3400, 600, PageId::Plot},
     {&Row::cmdTransient, "cmdTransient", "Transient", 4000, 1000, PageId::Opening},
     {&Row::cmdTabulate, "cmdTabulate", "Tabulate", 5000, 1000, PageId::Tabulated},
     {&Row::cmdPrint, "cmdPrint", "Print", 6000, 600, PageId::Opening},
     {&Row::cmdWrite, "cmdWrite", "Write", 6600, 600, PageId::Opening},
     {&Row::cmdAbout, "cmdAbout", "About", 7200, 600, PageId::Opening},
     {&Row::cmdQuit, "cmdQuit", "Quit", 7800, 600, PageId::Opening},
     {&Row::cmdStages, "cmdStages", "Stages", 8400, 800, PageId::Stages}}};

}  // namespace

MainViewPage::MainViewPage(AppContext& context, PageId self) : context_(context), self_(self) {
  SetBackColour(kPageBackground);
  AddNavigationRow();
}

void MainViewPage::AddNavigationRow() {
  for (const RowButton& button : kRow) {
    Control& control =
        Add(ControlKind::Button, button.name, button.caption, button.left, 0, button.width, 300);
    navigation_.*button.slot = &control;
    const bool current = (button.page == self_);
    control.face = current ? kCurrentPageFace : kRowFace;
    if (button.page != PageId::Opening && !current) {
      const PageId target = button.page;
      control.onClick = [this, target] { SwitchTo(target); };
    }
  }
  Navigator& navigator = context_.navigator;
  navigation_.cmdTransient->onClick = [&navigator] {
    navigator.Open(PageId::Transient, OpenMode::Over);
  };
  navigation_.cmdAbout->onClick = [&navigator] { navigator.Open(PageId::About, OpenMode::Over); };
  navigation_.cmdWrite->onClick = [&navigator] {
    navigator.Open(PageId::WriteFiles, OpenMode::Modal);
  };
  navigation_.cmdPrint->onClick = [this] { onPrintClicked(); };
  navigation_.cmdQuit->onClick = [this] { OnQuit(); };
}

void MainViewPage::AddPictureButton() {
  Control& control =
      Add(ControlKind::Button, "cmdPicture", kSavePictureCaption, 9200, 0, 1300, 300);
  control.face = kRowFace;
  control.onClick = [this] { onPictureClicked(); };
  navigation_.cmdPicture = &control;
}

void MainViewPage::SwitchTo(PageId page) {
  context_.navigator.Open(page, OpenMode::Switch);
}

void MainViewPage::OnQuit() {
  context_.navigator.Open(PageId::Exit, OpenMode::Modal);
}

}  // namespace kestro
