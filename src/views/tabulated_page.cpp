// SPDX-License-Identifier: GPL-3.0-or-later
#include "views/tabulated_page.h"

#include "files/session_file.h"
#include "printouts/print_job.h"
#include "printouts/print_tabulated.h"
#include "views/tabulated_rows.h"

namespace kestro {

TabulatedPage::TabulatedPage(AppContext& context) : MainViewPage(context, PageId::Tabulated) {
  SetWindowCaption("KestroLab - Tabulated output");
  controls_.Label1 = &Add(ControlKind::Label, "Label1",
                          "Freq:        Gain:       Phase:      Delay:", 2000, 500, 8000, 300);
  controls_.Label1->fixedPitch = true;
  controls_.lstTabulated = &Add(ControlKind::ListBox, "lstTabulated", "", 2000, 800, 4600, 7900);
  controls_.lstTabulated->fixedPitch = true;
  controls_.lstTabulated->rows = TabulatedRows(context.record);
}

void TabulatedPage::onPrintClicked() {
  const auto device = NewPrintJob(context().printers);
  TabulatedPrintout(context().record, *device, context().dialogs, context().clock).Run();
}

// A session that could not be written is not left behind silently: the user decides whether to
// end the program without it.
void TabulatedPage::OnQuit() {
  DesignRecord& record = context().record;
  record.SessionFile = kLastSessionName;
  if (!PassedOrShown(WriteSessionFile(record, record.SessionFile, context().clock.LocalDateTime()),
                     context().dialogs) &&
      !ConfirmQuitUnsaved())
    return;
  context().navigator.Close(PageId::Tabulated);
  context().navigator.EndProgram();
}

bool TabulatedPage::ConfirmQuitUnsaved() {
  return context().dialogs.Message(
             "The design could not be saved for program restart.\nExit anyway?",
             MessageButtons::YesNo, MessageIcon::Question) == MessageAnswer::Yes;
}

}  // namespace kestro
