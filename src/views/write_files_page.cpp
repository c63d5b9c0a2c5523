#include "views/write_files_page.h"

#include <array>
#include <filesystem>

#include "files/spice_schematic.h"
#include "files/tabulated_files.h"
#include "views/print_job.h"
#include "views/print_summary.h"

namespace kestro {

namespace {

constexpr Rgb kBackground{221, 255, 255};
constexpr Rgb kButtonFace{187, 255, 255};
constexpr Rgb kBorder{0, 0, 160};
constexpr const char* kSpiceFilter = "LTspice files (*.ASC)|*.ASC";
constexpr const char* kTabulatedFilter =
    "Tabulated-data files (*.DAT)|*.DAT|Text files (*.TXT)|*.TXT|All files (*.*)|*.*";

struct Command {
  const char* name;
  const char* caption;
};
constexpr std::array<Command, 5> kCommands{{
    {"cmdPrinterSummary", "Program summary to printer"},
    {"cmdWriteSpiceSchematic", "Write LTspice schematic"},
    {"cmdWriteTabulatedE", "Write tabulated-data file (easy format)"},
    {"cmdWriteTabulatedS", "Write tabulated-data file (scientific format)"},
    {"cmdExit", "Return"},
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
  Control& title = Add(ControlKind::Label, "lblTitle", "File-writing Page", 0, 400, 12000, 800);
  title.align = TextAlign::Center;
  title.bold = true;
  title.fontScale = 1.6f;
  float top = 1600;
  for (const Command& command : kCommands) {
    Add(ControlKind::Button, command.name, command.caption, 2500, top, 7000, 850).face =
        kButtonFace;
    top += 1150;
  }
  Control& disclaimer = Add(ControlKind::Label, "Label1", kDisclaimer, 800, 7500, 10400, 1100);
  disclaimer.align = TextAlign::Center;
  (*this)["cmdPrinterSummary"].onClick = [this] { onPrintClicked(); };
  (*this)["cmdWriteSpiceSchematic"].onClick = [this] { OnWriteSpice(); };
  (*this)["cmdWriteTabulatedE"].onClick = [this] { OnWriteTabulated(false); };
  (*this)["cmdWriteTabulatedS"].onClick = [this] { OnWriteTabulated(true); };
  (*this)["cmdExit"].onClick = [this] { context_.navigator.Close(PageId::WriteFiles); };
}

std::string WriteFilesPage::ProposedName(const std::string& remembered,
                                         const std::string& defaultName,
                                         const std::string& extension) {
  if (remembered.empty())
    return defaultName;
  return std::filesystem::path(remembered).replace_extension(extension).string();
}

void WriteFilesPage::OnWriteSpice() {
  FileDialogRequest request;
  request.title = "Write LTspice schematic";
  request.filter = kSpiceFilter;
  request.initialName = ProposedName(shared_.SpiceFile, "VANTORdefault.ASC", ".ASC");
  request.overwritePrompt = true;
  const std::string chosen = context_.dialogs.SaveFile(request);
  if (chosen.empty())
    return;
  shared_.SpiceFile = chosen;
  WriteSpiceSchematic(context_.record, chosen, context_.dialogs);
}

void WriteFilesPage::OnWriteTabulated(bool scientific) {
  std::string& remembered = scientific ? shared_.TabFileSci : shared_.TabFileEasy;
  FileDialogRequest request;
  request.title = "KESTRO - write tabulated data file";
  request.filter = kTabulatedFilter;
  request.initialName = ProposedName(remembered, "Default.DAT", ".DAT");
  request.overwritePrompt = true;
  const std::string chosen = context_.dialogs.SaveFile(request);
  if (chosen.empty())
    return;
  remembered = chosen;
  if (scientific) {
    WriteTabulatedSci(context_.record, chosen, context_.dialogs);
  } else {
    WriteTabulatedEasy(context_.record, chosen, context_.dialogs);
  }
}

void WriteFilesPage::onPrintClicked() {
  const auto device = NewPrintJob(context_.printers);
  SummaryPrintout(context_.record, *device, context_.dialogs).Run();
}

}  // namespace kestro
