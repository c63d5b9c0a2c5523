// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

#include "cli/forwarding_dialogs.h"

namespace kestro::cli {

// Passes every message and question on and keeps the texts, so that a run can list its repairs
// in its JSON document and refuse them under --strict.
class MessageLog final : public ForwardingDialogs {
 public:
  explicit MessageLog(Dialogs& inner) : ForwardingDialogs(inner) {}

  MessageAnswer Message(const std::string& text, MessageButtons buttons, MessageIcon icon,
                        const std::string& title) override {
    texts_.push_back(title.empty() ? text : title + ": " + text);
    return ForwardingDialogs::Message(text, buttons, icon, title);
  }

  const std::vector<std::string>& Texts() const { return texts_; }

 private:
  std::vector<std::string> texts_;
};

}  // namespace kestro::cli
