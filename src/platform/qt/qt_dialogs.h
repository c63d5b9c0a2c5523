// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <string>

#include "platform/dialogs.h"

class QWidget;

namespace kestro {

// Message boxes, the beep and the file dialogs on Qt. Message boxes are titled with the program
// title unless a title is given; they open over the active window.
class QtDialogs final : public Dialogs {
 public:
  MessageAnswer Message(const std::string& text, MessageButtons buttons = MessageButtons::Ok,
                        MessageIcon icon = MessageIcon::None,
                        const std::string& title = {}) override;
  void Beep() override;
  std::string OpenFile(const FileDialogRequest& request) override;
  std::string SaveFile(const FileDialogRequest& request) override;

  // "KESTRO files (*.KST)|*.KST|Text|*.txt;*.DAT" -> "KESTRO files (*.KST *.kst);;Text (*.txt
  // *.TXT *.DAT *.dat)": each description followed once by its patterns in both letter cases,
  // one entry of Qt's filter list per description.
  static QString FilterList(const std::string& filter);
  // The entry of FilterList() that a 1-based filter index selects (the first when out of range).
  static QString SelectedFilter(const std::string& filter, int filterIndex);
  // The extension of an entry's first pattern: "KESTRO files (*.KST *.kst)" -> "KST"; empty
  // for a pattern without one ("*", "*.*").
  static QString FilterSuffix(const QString& entry);
  // path with "." + suffix added when its file name has no extension.
  static QString WithSuffix(const QString& path, const QString& suffix);

  static constexpr const char* kProgramTitle = "KestroLab";
};

}  // namespace kestro
