// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/shell.h"

#include <QCoreApplication>
#include <QEventLoop>

#include "app/opening_page.h"
namespace kestro {

namespace {

bool IsMainMode(OpenMode mode) {
  return mode == OpenMode::Switch;
}

}  // namespace

Shell::Shell(const PageFactory& factory, Dialogs& dialogs, bool blockOnModal)
    : context_{record_, plot_, dialogs, *this, events_, clock_, random_, &printers_},
      factory_(factory),
      blockOnModal_(blockOnModal) {
  events_.beforePump = [this] { SyncAll(); };
}

Shell::~Shell() {
  for (auto& [page, window] : windows_) {
    if (window)
      delete window.data();
  }
}

void Shell::Start(const std::string& sessionFile) {
  Open(PageId::Opening, OpenMode::Switch);
  if (!sessionFile.empty())
    OpeningPage::OpenSession(context_, sessionFile);
}

// --- Navigator ---

void Shell::Open(PageId page, OpenMode mode) {
  if (ended_ || !factory_.Has(page))
    return;
  if (IsMainMode(mode)) {
    SwitchTo(page);
    return;
  }
  if (PageWindow* open = WindowOf(page)) {  // already open: bring it forward
    open->raise();
    open->activateWindow();
    return;
  }
  PageWindow* window = CreateWindow(page, mode);
  if (mode == OpenMode::Modal)
    window->setWindowModality(Qt::ApplicationModal);
  window->ShowAsPage();
  if (mode == OpenMode::Modal && blockOnModal_)
    WaitUntilClosed(window);
}

// The new main page opens before the old one closes, so the program always has a window.
void Shell::SwitchTo(PageId page) {
  PageWindow* previous = WindowOf(main_);
  if (previous != nullptr)
    windows_.erase(main_);
  PageWindow* window = CreateWindow(page, OpenMode::Switch);
  main_ = page;
  window->ShowAsPage();
  if (previous != nullptr)
    previous->CloseByProgram();
}

void Shell::Close(PageId page) {
  PageWindow* window = WindowOf(page);
  if (window == nullptr)
    return;
  windows_.erase(page);
  window->CloseByProgram();
}

void Shell::EndProgram() {
  ended_ = true;
  for (auto& [page, window] : windows_) {
    if (window)
      window->CloseByProgram();
  }
  windows_.clear();
  QCoreApplication::exit(0);
}

PageWindow* Shell::WindowOf(PageId page) const {
  const auto found = windows_.find(page);
  return found == windows_.end() ? nullptr : found->second.data();
}

// --- Windows ---

PageWindow* Shell::CreateWindow(PageId page, OpenMode mode) {
  auto* window = new PageWindow(factory_.Create(page, mode, context_));
  window->closeRequested = [this, page, mode] { return UserClosing(page, mode); };
  windows_[page] = window;
  return window;
}

void Shell::WaitUntilClosed(PageWindow* window) {
  QEventLoop loop;
  QObject::connect(window, &QObject::destroyed, &loop, &QEventLoop::quit);
  loop.exec();
}

// The title bar's close button. Leaving a main page that way goes through the exit page, so
// the session is saved as on every other way out; the welcome page has nothing to save yet.
bool Shell::UserClosing(PageId page, OpenMode mode) {
  if (page == PageId::Opening) {
    EndProgram();
    return true;
  }
  if (IsMainMode(mode)) {
    Open(PageId::Exit, OpenMode::Modal);
    return false;
  }
  windows_.erase(page);
  return true;
}

void Shell::SyncAll() {
  for (auto& [page, window] : windows_) {
    if (window)
      window->Sync();
  }
}

}  // namespace kestro
