// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/stderr_dialogs.h"

namespace kestro::cli {

MessageAnswer StderrDialogs::Message(const std::string& text, MessageButtons buttons,
                                     MessageIcon /*icon*/, const std::string& title) {
  err_ << "kestrolab-cli: ";
  if (!title.empty())
    err_ << title << ": ";
  err_ << text;
  if (buttons == MessageButtons::YesNo) {
    err_ << " [answered No]";
  }
  err_ << '\n' << std::flush;
  return buttons == MessageButtons::YesNo ? MessageAnswer::No : MessageAnswer::Ok;
}

void StderrDialogs::Beep() {
  if (audible_)
    err_ << '\a' << std::flush;
}

std::string StderrDialogs::OpenFile(const FileDialogRequest& /*request*/) {
  return {};
}

std::string StderrDialogs::SaveFile(const FileDialogRequest& /*request*/) {
  return {};
}

}  // namespace kestro::cli
