// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPointer>
#include <map>
#include <string>

#include "core/design_record.h"
#include "gui/page_factory.h"
#include "platform/app_context.h"
#include "platform/qt/page_window.h"
#include "platform/qt/qt_clock.h"
#include "platform/qt/qt_event_pump.h"
#include "platform/qt/qt_printers.h"
#include "platform/uniform_random.h"
#include "plotpage/plot_shared.h"

namespace kestro {

// The application: owns the one design record, the shared plot state and the platform services,
// and moves between pages. Exactly one main page is open at a time (opened with Switch);
// secondary windows come and go over it; a modal window blocks the pages below until it closes.
class Shell final : public Navigator {
 public:
  // dialogs: the message boxes and file dialogs the pages use (QtDialogs in the program).
  // blockOnModal false opens modal windows without waiting for them (widget tests).
  Shell(const PageFactory& factory, Dialogs& dialogs, bool blockOnModal = true);
  ~Shell() override;

  Shell(const Shell&) = delete;
  Shell& operator=(const Shell&) = delete;

  // Opens the welcome page; with a session file named, goes on at once to the design page with
  // that session read, as "Retrieve an olde design" would.
  void Start(const std::string& sessionFile = {});

  // --- Navigator ---
  void Open(PageId page, OpenMode mode) override;
  void Close(PageId page) override;
  void EndProgram() override;

  // The open window of a page, or nullptr.
  PageWindow* WindowOf(PageId page) const;
  PageId MainPage() const { return main_; }
  bool Ended() const { return ended_; }
  AppContext& Context() { return context_; }

 private:
  PageWindow* CreateWindow(PageId page, OpenMode mode);
  void SwitchTo(PageId page);
  void WaitUntilClosed(PageWindow* window);
  bool UserClosing(PageId page, OpenMode mode);
  void SyncAll();

  DesignRecord record_{};
  PlotShared plot_{};
  QtEventPump events_;
  QtClock clock_;
  UniformRandom random_;
  QtPrinters printers_;
  AppContext context_;
  const PageFactory& factory_;
  bool blockOnModal_;
  std::map<PageId, QPointer<PageWindow>> windows_;
  PageId main_ = PageId::Opening;
  bool ended_ = false;
};

}  // namespace kestro
