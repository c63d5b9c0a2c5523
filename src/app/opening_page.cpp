#include "app/opening_page.h"

#include <algorithm>
#include <cmath>
#include <memory>

#include "app/welcome_drawing.h"
#include "core/program_texts.h"
#include "files/session_file.h"
#include "usecase/design_fields.h"

namespace kestro {

namespace {
constexpr Rgb kBackground{238, 255, 255};
constexpr Rgb kTitleColour{0, 0, 160};
constexpr int16_t kFewestIntervals = 10;  // the design page's bound for the intervals field
// Reads the session file and repairs the family, order and number of intervals it held out of
// range by the design page's own rules and messages: an unknown family becomes Butterworth, as
// the page shows it, and the Design command's field repairs give the rest ("... reset downward
// to 2048"). Those repairs run on a copy, so everything else stays as saved (the ripple of a
// Butterworth design, values finer than the fields show) until the user's next Design command.
// Nothing read (a cancelled dialog, or the reader's defaults after a failure) needs no repair.
void ReadAndRepairSession(DesignRecord& record, Dialogs& dialogs) {
  if (record.SessionFile.empty() ||
      !PassedOrShown(ReadSessionFile(record, record.SessionFile), dialogs)) {
    return;
  }
  if (record.Family < kButterworth || record.Family > kManual)
    record.Family = kButterworth;
  DesignFields fields = DesignFields::FromRecord(record);
  auto repaired = std::make_unique<DesignRecord>(record);
  ReadDesignFields(fields, *repaired, dialogs);
  record.Order = repaired->Order;
  record.NrStages = StagesForOrder(record.Order);
  // An empty sweep stops the field repairs before the intervals: they are held in range here.
  record.Nints = std::clamp<int16_t>(repaired->Nints, kFewestIntervals, kMaxNints);
}

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
  ReadAndRepairSession(record, context_.dialogs);
  context_.navigator.Open(PageId::Design, OpenMode::Switch);
}

// No defaults on this path: the reader supplies its own when the file is missing or bad.
void OpeningPage::OnStart() {
  context_.record.SessionFile = kLastSessionName;
  ReadAndRepairSession(context_.record, context_.dialogs);
  context_.navigator.Open(PageId::Design, OpenMode::Switch);
}

}  // namespace kestro
