// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

#include "platform/dialogs.h"

namespace kestro::cli {

// Dialogs that pass everything on to another; a subclass changes only what it must.
class ForwardingDialogs : public Dialogs {
 public:
  explicit ForwardingDialogs(Dialogs& inner) : inner_(inner) {}

  MessageAnswer Message(const std::string& text, MessageButtons buttons, MessageIcon icon,
                        const std::string& title) override {
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
