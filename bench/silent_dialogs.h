// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/dialogs.h"

namespace kestro::bench {

// Dialogs that drop everything: the benchmarked designs and pages never ask anything.
class SilentDialogs final : public Dialogs {
 public:
  MessageAnswer Message(const std::string&, MessageButtons, MessageIcon,
                        const std::string&) override {
    return MessageAnswer::Ok;
  }
  void Beep() override {}
  std::string OpenFile(const FileDialogRequest&) override { return {}; }
  std::string SaveFile(const FileDialogRequest&) override { return {}; }
};

}  // namespace kestro::bench
