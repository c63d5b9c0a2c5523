// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

#include "platform/dialogs.h"

namespace kestro::cli {

// Passes every message and question on and keeps the texts, so that a run can list its repairs
// in its JSON document and refuse them under --strict.
class MessageLog final : public Dialogs {
 public:
  explicit MessageLog(Dialogs& inner) : inner_(inner) {}

  MessageAnswer Message(const std::string& text, MessageButtons buttons, MessageIcon icon,
                        const std::string& title) override {
    texts_.push_back(title.empty() ? text : title + ": " + text);
    return inner_.Message(text, buttons, icon, title);
  }
  void Beep() override { inner_.Beep(); }
  std::string OpenFile(const FileDialogRequest& request) override {
    return inner_.OpenFile(request);
  }
  std::string SaveFile(const FileDialogRequest& request) override {
    return inner_.SaveFile(request);
  }

  const std::vector<std::string>& Texts() const { return texts_; }

 private:
  Dialogs& inner_;
  std::vector<std::string> texts_;
};

}  // namespace kestro::cli
