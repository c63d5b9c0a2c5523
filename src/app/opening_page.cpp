// SPDX-License-Identifier: GPL-3.0-or-later
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
// Repairs the family, order and number of intervals a session file just read held out of range by
// the design page's own rules and messages: an unknown family becomes Butterworth, as the page
// shows it, and the Design command's field repairs give the rest ("... reset downward to 2048").
// Those repairs run on a copy, so everything else stays as saved (the ripple of a Butterworth
// design, values finer than the fields show) until the user's next Design command. Defaults (a
// cancelled dialog, a missing file) need no repair but pass through it unchanged.
void RepairSession(DesignRecord& record, Dialogs& dialogs) {
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

// A read that worked may still have something to say (a value held at the reader's bound): each
// notice is a message of its own, before the repairs of the design page.
void ShowNotices(const SessionNotices& notices, Dialogs& dialogs) {
  for (const std::string& notice : notices)
    dialogs.Message(notice);
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
  FileDialogRequest request;
  request.title = "Get File";
  request.filter = "KESTRO files (*.KST)|*.KST";
  OpenSession(context_, context_.dialogs.OpenFile(request));
}

void OpeningPage::OpenSession(AppContext& context, const std::string& fileName) {
  DesignRecord& record = context.record;
  record.SetOpeningDefaults();
  record.SessionFile = fileName;
  SessionNotices notices;
  if (!record.SessionFile.empty() &&
      PassedOrShown(ReadSessionFile(record, record.SessionFile, &notices), context.dialogs)) {
    ShowNotices(notices, context.dialogs);
    RepairSession(record, context.dialogs);
  }
  context.navigator.Open(PageId::Design, OpenMode::Switch);
}

// The last session is taken whole or not at all: a first start (no file) opens quietly with the
// defaults, a damaged file with the defaults and the reader's message.
void OpeningPage::OnStart() {
  DesignRecord& record = context_.record;
  record.SessionFile = kLastSessionName;
  SessionNotices notices;
  if (PassedOrShown(ReadLastSession(record, record.SessionFile, &notices), context_.dialogs)) {
    ShowNotices(notices, context_.dialogs);
    RepairSession(record, context_.dialogs);
  }
  context_.navigator.Open(PageId::Design, OpenMode::Switch);
}

}  // namespace kestro
