// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace kestro {

class PendingFile;

// Files that belong together (the outputs of one command, the three overlay files): each is
// written completely beside its target first, and only when every one of them is complete are
// they put in place. A set that is dropped without Commit() leaves every target as it was.
class StagedWriteSet final {
 public:
  StagedWriteSet();
  ~StagedWriteSet();
  StagedWriteSet(const StagedWriteSet&) = delete;
  StagedWriteSet& operator=(const StagedWriteSet&) = delete;

  // Runs writers; every file they write through ReplaceFileText on this thread is staged in
  // this set instead of written. Returns what writers returned. Inside a capture that is
  // already running, the files join that outer set, so sets nest into one.
  bool Capture(const std::function<bool()>& writers);
  // Stages path's new bytes; false (errno set, nothing left behind) when they cannot be written.
  bool Stage(const std::string& path, std::string_view bytes);
  // Puts every staged file in place: files rewritten in place first, then the renames. False
  // (errno set) when one failed; the files after it then stay as they were.
  bool Commit();

  // The set of the capture running on this thread, if any.
  static StagedWriteSet* Capturing();

 private:
  std::vector<std::unique_ptr<PendingFile>> files_;
};

}  // namespace kestro
