// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/text_file.h"

#include "files/pending_file.h"
#include "files/staged_write_set.h"

namespace kestro {

std::string JoinCrLf(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) {
    text += line;
    text += "\r\n";
  }
  return text;
}

bool ReplaceFileText(const std::string& path, std::string_view bytes) {
  if (StagedWriteSet* set = StagedWriteSet::Capturing())
    return set->Stage(path, bytes);
  PendingFile file(path, bytes);
  return !file.Failed() && file.Publish();
}

}  // namespace kestro
