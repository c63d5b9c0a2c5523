// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>

namespace kestro {

enum class MessageButtons { Ok, YesNo };
enum class MessageIcon { None, Exclamation, Question };
enum class MessageAnswer { Ok, Yes, No };

// A file dialog request. The filter is "description|pattern|description|pattern...".
struct FileDialogRequest {
  std::string title;
  std::string filter;
  std::string initialName;
  int filterIndex = 1;           // first filter selected, counted from 1
  bool overwritePrompt = false;  // save dialogs only
};

// Message boxes, the beep and the file dialogs. Every page and every writer reports through this
// interface; the window shows message boxes, the command-line tool prints to stderr.
class Dialogs {
 public:
  virtual ~Dialogs() = default;

  // Modal message box. The text may hold line breaks; an empty title means the program title.
  virtual MessageAnswer Message(const std::string& text,
                                MessageButtons buttons = MessageButtons::Ok,
                                MessageIcon icon = MessageIcon::None,
                                const std::string& title = {}) = 0;
  virtual void Beep() = 0;

  // Return the chosen path, or an empty string when the user cancels.
  virtual std::string OpenFile(const FileDialogRequest& request) = 0;
  virtual std::string SaveFile(const FileDialogRequest& request) = 0;
};

// Shows a failure that a reader or writer returned (its message text) with a beep and a message
// box. True when there was none.
inline bool PassedOrShown(const std::optional<std::string>& failure, Dialogs& dialogs) {
  if (!failure)
    return true;
  dialogs.Beep();
  dialogs.Message(*failure);
  return false;
}

}  // namespace kestro
