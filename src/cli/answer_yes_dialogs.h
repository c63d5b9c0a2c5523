// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

#include "cli/forwarding_dialogs.h"

namespace kestro::cli {

// Passes every message on, but answers a question Yes without showing it: a command line that
// asks for a sheet has already said that it wants it (the long-table question of the tabulated
// printout).
class AnswerYesDialogs final : public ForwardingDialogs {
 public:
  explicit AnswerYesDialogs(Dialogs& inner) : ForwardingDialogs(inner) {}

  MessageAnswer Message(const std::string& text, MessageButtons buttons, MessageIcon icon,
                        const std::string& title) override {
    if (buttons == MessageButtons::YesNo)
      return MessageAnswer::Yes;
    return ForwardingDialogs::Message(text, buttons, icon, title);
  }
};

}  // namespace kestro::cli
