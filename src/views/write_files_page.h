// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

#include "platform/app_context.h"
#include "platform/page.h"
#include "views/views_shared.h"

namespace kestro {

// The controls of the file-writing page, one member per control, named as the control.
struct WriteFilesPageControls {
  Control* lblTitle = nullptr;
  Control* cmdPrinterSummary = nullptr;
  Control* cmdWriteSpiceSchematic = nullptr;
  Control* cmdWriteTabulatedE = nullptr;
  Control* cmdWriteTabulatedS = nullptr;
  Control* cmdWritePartsList = nullptr;
  Control* cmdExit = nullptr;
  Control* Label1 = nullptr;  // the disclaimer
};

// The file-writing page frmWriteFiles, opened modally by the Write buttons: the program summary
// for the printer, the LTspice schematic, the two tabulated-data files and the parts list (CSV).
// Each export proposes the name it was last given (with its own extension); cancelling its dialog
// writes nothing.
class WriteFilesPage final : public Page {
 public:
  WriteFilesPage(AppContext& context, ViewsShared& shared);

  void OnShown() override;

  static constexpr const char* kDisclaimer =
      "LTspice is a third-party simulator (Analog Devices): check the written schematic there.";

  // The save dialog of an export: its title, filter and first proposal.
  struct ExportDialog {
    const char* title;
    const char* filter;
    const char* defaultName;
  };
  // The request of an export's dialog. It proposes the last chosen name with the extension of
  // the default name in place of its own, or the default name the first time.
  static FileDialogRequest RequestFor(const ExportDialog& dialog, const std::string& remembered);

 private:
  void CreateControls();
  void OnWriteSpice();
  void OnWriteTabulated(bool scientific);
  void OnWritePartsList();
  // Asks for the file name; an empty result means the user cancelled.
  std::string AskName(const ExportDialog& dialog, std::string& remembered);
  void onPrintClicked();

  AppContext& context_;
  ViewsShared& shared_;
  WriteFilesPageControls controls_;
};

}  // namespace kestro
