// SPDX-License-Identifier: GPL-3.0-or-later
#include "views/write_files_page.h"

#include <array>
#include <filesystem>

#include "files/parts_list.h"
#include "files/spice_schematic.h"
#include "files/tabulated_files.h"
#include "printouts/print_job.h"
#include "printouts/print_summary.h"

namespace kestro {

namespace {

constexpr Rgb kBackground{221, 255, 255};
constexpr Rgb kButtonFace{187, 255, 255};
constexpr Rgb kBorder{0, 0, 160};
constexpr WriteFilesPage::ExportDialog kSpiceDialog{
    "Write LTspice schematic", "LTspice files (*.ASC)|*.ASC", "VANTORdefault.ASC"};
constexpr WriteFilesPage::ExportDialog kTabulatedDialog{
    "KESTRO - write tabulated data file",
    "Tabulated-data files (*.DAT)|*.DAT|Text files (*.TXT)|*.TXT|All files (*.*)|*.*",
    "Default.DAT"};
constexpr WriteFilesPage::ExportDialog kPartsListDialog{"Write parts list",
                                                        "CSV files (*.csv)|*.csv", "PartsList.csv"};

using C = WriteFilesPageControls;

struct Command {
  Control* WriteFilesPageControls::*slot;
  const char* name;
  const char* caption;
};
constexpr std::array<Command, 6> kCommands{{
    {&C::cmdPrinterSummary, "cmdPrinterSummary", "Program summary to printer"},
    {&C::cmdWriteSpiceSchematic, "cmdWriteSpiceSchematic", "Write LTspice schematic"},
    {&C::cmdWriteTabulatedE, "cmdWriteTabulatedE", "Write tabulated-data file (easy format)"},
    {&C::cmdWriteTabulatedS, "cmdWriteTabulatedS", "Write tabulated-data file (scientific format)"},
    {&C::cmdWritePartsList, "cmdWritePartsList", "Write parts list"},
    {&C::cmdExit, "cmdExit", "Return"},
}};

}  // namespace

WriteFilesPage::WriteFilesPage(AppContext& context, ViewsShared& shared)
    : context_(context), shared_(shared) {
  SetWindowCaption("KestroLab - Write files");
  SetBackColour(kBackground);
  SetWindowShare(0.5f, 0.6f);
  CreateControls();
}

// Frames the window, which opens over a main page.
void WriteFilesPage::OnShown() {
  if (canvas() != nullptr)
    canvas()->Rect(0, 0, kPageWidth - 1, kPageHeight - 1, kBorder);
}

void WriteFilesPage::CreateControls() {
  WriteFilesPageControls& c = controls_;
  c.lblTitle = &Add(ControlKind::Label, "lblTitle", "File-writing Page", 0, 400, 12000, 800);
  c.lblTitle->align = TextAlign::Center;
  c.lblTitle->bold = true;
  c.lblTitle->fontScale = 1.6f;
  float top = 1600;
  for (const Command& command : kCommands) {
    Control& button = Add(ControlKind::Button, command.name, command.caption, 2500, top, 7000, 800);
    button.face = kButtonFace;
    c.*command.slot = &button;
    top += 980;
  }
  c.Label1 = &Add(ControlKind::Label, "Label1", kDisclaimer, 800, 7500, 10400, 1100);
  c.Label1->align = TextAlign::Center;
  c.cmdPrinterSummary->onClick = [this] { onPrintClicked(); };
  c.cmdWriteSpiceSchematic->onClick = [this] { OnWriteSpice(); };
  c.cmdWriteTabulatedE->onClick = [this] { OnWriteTabulated(false); };
  c.cmdWriteTabulatedS->onClick = [this] { OnWriteTabulated(true); };
  c.cmdWritePartsList->onClick = [this] { OnWritePartsList(); };
  c.cmdExit->onClick = [this] { context_.navigator.Close(PageId::WriteFiles); };
}

FileDialogRequest WriteFilesPage::RequestFor(const ExportDialog& dialog,
                                             const std::string& remembered) {
  FileDialogRequest request;
  request.title = dialog.title;
  request.filter = dialog.filter;
  request.overwritePrompt = true;
  request.initialName = dialog.defaultName;
  if (!remembered.empty()) {
    const std::filesystem::path extension = std::filesystem::path(dialog.defaultName).extension();
    request.initialName = std::filesystem::path(remembered).replace_extension(extension).string();
  }
  return request;
}

std::string WriteFilesPage::AskName(const ExportDialog& dialog, std::string& remembered) {
  std::string chosen = context_.dialogs.SaveFile(RequestFor(dialog, remembered));
  if (!chosen.empty())
    remembered = chosen;
  return chosen;
}

void WriteFilesPage::OnWriteSpice() {
  const std::string chosen = AskName(kSpiceDialog, shared_.SpiceFile);
  if (!chosen.empty())
    PassedOrShown(WriteSpiceSchematic(context_.record, chosen), context_.dialogs);
}

void WriteFilesPage::OnWriteTabulated(bool scientific) {
  const std::string chosen =
      AskName(kTabulatedDialog, scientific ? shared_.TabFileSci : shared_.TabFileEasy);
  if (chosen.empty())
    return;
  if (scientific) {
    PassedOrShown(WriteTabulatedSci(context_.record, chosen), context_.dialogs);
  } else {
    PassedOrShown(WriteTabulatedEasy(context_.record, chosen), context_.dialogs);
  }
}

void WriteFilesPage::OnWritePartsList() {
  const std::string chosen = AskName(kPartsListDialog, shared_.PartsListFile);
  if (!chosen.empty())
    PassedOrShown(WritePartsList(context_.record, chosen), context_.dialogs);
}

void WriteFilesPage::onPrintClicked() {
  const auto device = NewPrintJob(context_.printers);
  SummaryPrintout(context_.record, *device, context_.dialogs, context_.clock).Run();
}

}  // namespace kestro
