// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/exit_page.h"

#include "files/session_file.h"

namespace kestro {

namespace {
constexpr Rgb kBackground{221, 255, 255};
constexpr Rgb kBorder{0, 0, 160};
}  // namespace

ExitPage::ExitPage(AppContext& context) : context_(context) {
  SetWindowCaption("KestroLab - Exit?");
  SetBackColour(kBackground);
  SetWindowShare(0.5f, 0.4f);
  controls_.Label1 = &Add(ControlKind::Label, "Label1", "", 300, 1000, 11400, 2200);
  controls_.Label1->visible = false;
  controls_.Label1->align = TextAlign::Center;
  controls_.cmdCancel =
      &Add(ControlKind::Button, "cmdCancel", "Cancel and continue", 900, 4800, 4700, 1700);
  controls_.cmdCancel->onClick = [this] { context_.navigator.Close(PageId::Exit); };
  controls_.cmdExit = &Add(ControlKind::Button, "cmdExit", "Exit / quit", 6400, 4800, 4700, 1700);
  controls_.cmdExit->onClick = [this] { OnExit(); };
}

// A session that could not be written is not announced as saved: the user decides whether to
// leave without it or to go back (and save it elsewhere with Save).
void ExitPage::OnExit() {
  DesignRecord& record = context_.record;
  record.SessionFile = kLastSessionName;
  if (!PassedOrShown(WriteSessionFile(record, record.SessionFile, context_.clock.LocalDateTime()),
                     context_.dialogs)) {
    if (ConfirmExitUnsaved())
      EndProgram();
    return;
  }
  controls_.cmdCancel->enabled = false;
  controls_.cmdExit->enabled = false;
  Control& notice = *controls_.Label1;
  notice.bold = true;
  notice.caption = "Design has been saved as 'LASTSESSION' for program restart";
  notice.visible = true;
  WaitWhileRepainting(kWaitSeconds);
  notice.visible = false;
  EndProgram();
}

bool ExitPage::ConfirmExitUnsaved() {
  return context_.dialogs.Message(
             "The design could not be saved for program restart.\nExit anyway?",
             MessageButtons::YesNo, MessageIcon::Question) == MessageAnswer::Yes;
}

// Lets the window repaint once, then keeps it responsive until the time has passed. The clock
// restarts at midnight; a wait that crosses midnight ends there.
void ExitPage::WaitWhileRepainting(double seconds) {
  context_.events.ProcessPendingEvents();
  const double start = context_.clock.SecondsSinceMidnight();
  for (;;) {
    const double now = context_.clock.SecondsSinceMidnight();
    if (now < start || now - start >= seconds)
      return;
    context_.events.ProcessPendingEvents();
  }
}

void ExitPage::EndProgram() {
  context_.navigator.Close(PageId::Exit);
  context_.navigator.EndProgram();
}

void ExitPage::OnShown() {
  if (canvas() != nullptr)
    canvas()->Rect(0, 0, kPageWidth - 1, kPageHeight - 1, kBorder);
}

}  // namespace kestro
