// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/app_context.h"
#include "platform/page.h"

namespace kestro {

// The row of page buttons every main view has, one member per control, named as the control.
struct NavigationRowControls {
  Control* cmdDesign = nullptr;
  Control* cmdSchematic = nullptr;
  Control* cmdPlot = nullptr;
  Control* cmdTransient = nullptr;
  Control* cmdTabulate = nullptr;
  Control* cmdPrint = nullptr;
  Control* cmdWrite = nullptr;
  Control* cmdAbout = nullptr;
  Control* cmdQuit = nullptr;
  Control* cmdStages = nullptr;
  Control* cmdPicture = nullptr;  // only on pages whose printout can be saved as a picture
};

// A main view (schematic, tabulated response) with the row of page buttons the analysis page
// has, at the same places: Design, Plot, Schematic, Tabulate and Stages switch to their page; About
// and Transient open over it; Write opens the file-writing page modally; Quit opens the exit page.
// The button of the page itself stays, without an action, in the face of the current page.
class MainViewPage : public Page {
 public:
 protected:
  MainViewPage(AppContext& context, PageId self);

  // The page's Print command: its printout.
  virtual void onPrintClicked() = 0;
  // Adds "Save picture…" after the row, for a page whose printout can also be a picture file.
  void AddPictureButton();
  // The page's "Save picture…" command: its printout drawn into a picture file.
  virtual void onPictureClicked() {}
  // The page's Quit command.
  virtual void OnQuit();

  AppContext& context() { return context_; }

 private:
  void AddNavigationRow();
  void SwitchTo(PageId page);

  AppContext& context_;
  PageId self_;
  NavigationRowControls navigation_;
};

}  // namespace kestro
