// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <ostream>
#include <string>

#include "platform/dialogs.h"

namespace kestro::cli {

// Dialogs of the command-line tool: every message goes to the error stream as
// "kestrolab-cli: " and its text; nobody can answer, so a Yes/No question is answered No and a
// file dialog is cancelled. The beep is a BEL character, and only when audible is set (the error
// stream is a terminal).
class StderrDialogs final : public Dialogs {
 public:
  StderrDialogs(std::ostream& err, bool audible) : err_(err), audible_(audible) {}

  MessageAnswer Message(const std::string& text, MessageButtons buttons, MessageIcon icon,
                        const std::string& title) override;
  void Beep() override;
  std::string OpenFile(const FileDialogRequest& request) override;
  std::string SaveFile(const FileDialogRequest& request) override;

 private:
  std::ostream& err_;
  bool audible_;
};

}  // namespace kestro::cli
