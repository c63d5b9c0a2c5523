// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

#include "platform/dialogs.h"

namespace kestro::cli {

// Passes every message on, but answers a question Yes without showing it: a command line that
// asks for a sheet has already said that it wants it (the long-table question of the tabulated
// printout).
class AnswerYesDialogs final : public Dialogs {
 public:
  explicit AnswerYesDialogs(Dialogs& inner) : inner_(inner) {}

  MessageAnswer Message(const std::string& text, MessageButtons buttons, MessageIcon icon,
                        const std::string& title) override {
    if (buttons == MessageButtons::YesNo)
      return MessageAnswer::Yes;
    return inner_.Message(text, buttons, icon, title);
  }
  void Beep() override { inner_.Beep(); }
  std::string OpenFile(const FileDialogRequest& request) override {
    return inner_.OpenFile(request);
  }
  std::string SaveFile(const FileDialogRequest& request) override {
    return inner_.SaveFile(request);
  }

 private:
  Dialogs& inner_;
};

}  // namespace kestro::cli
