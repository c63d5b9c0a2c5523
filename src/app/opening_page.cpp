#include "app/opening_page.h"

#include <cmath>

#include "app/program_texts.h"
#include "app/welcome_drawing.h"
#include "files/session_file.h"

namespace kestro {

namespace {
constexpr Rgb kBackground{238, 255, 255};
constexpr Rgb kTitleColour{0, 0, 160};
}  // namespace

OpeningPage::OpeningPage(AppContext& context) : context_(context) {
  SetWindowCaption(std::string(ProgramTexts::kTitle) + " - Welcome!");
  SetBackColour(kBackground);
  context_.record.Pi = 4.0f * std::atan(1.0f);
  AddControls();
}

void OpeningPage::AddControls() {
  Control& title = Add(ControlKind::Label, "lblTitle", ProgramTexts::kTitle, 0, 400, 12000, 1000);
  title.fontScale = 3.5f;
  title.bold = true;
  title.align = TextAlign::Center;
  title.foreColour = kTitleColour;
  Control& description =
      Add(ControlKind::Label, "lblDescription", ProgramTexts::kDescription, 0, 1500, 12000, 450);
  description.fontScale = 1.4f;
  description.align = TextAlign::Center;
  Add(ControlKind::Label, "lblVersion", ProgramTexts::kVersion, 0, 6950, 12000, 300).align =
      TextAlign::Center;
  Add(ControlKind::Label, "lblCredit", ProgramTexts::kCredit, 0, 7300, 12000, 300).align =
      TextAlign::Center;
  Add(ControlKind::Button, "cmdGetOld", "Retrieve an olde design", 2400, 7950, 3300, 550).onClick =
      [this] { OnGetOld(); };
  Add(ControlKind::Button, "cmdStart", "Restart at last session", 6300, 7950, 3300, 550).onClick =
      [this] { OnStart(); };
}

void OpeningPage::OnShown() {
  if (canvas() != nullptr)
    DrawWelcomeSchematic(*canvas(), kBackground);
}

// Defaults first, then the chosen file over them; a cancelled dialog keeps the defaults.
void OpeningPage::OnGetOld() {
  DesignRecord& record = context_.record;
  record.SetOpeningDefaults();
  FileDialogRequest request;
  request.title = "Get File";
  request.filter = "KESTRO files (*.KST)|*.KST";
  record.SessionFile = context_.dialogs.OpenFile(request);
  ReadSessionFile(record, record.SessionFile, context_.dialogs);
  context_.navigator.Open(PageId::Design, OpenMode::Switch);
}

// No defaults on this path: the reader supplies its own when the file is missing or bad.
void OpeningPage::OnStart() {
  context_.record.SessionFile = kLastSessionName;
  ReadSessionFile(context_.record, context_.record.SessionFile, context_.dialogs);
  context_.navigator.Open(PageId::Design, OpenMode::Switch);
}

}  // namespace kestro
