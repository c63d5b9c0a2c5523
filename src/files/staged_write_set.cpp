// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/staged_write_set.h"

#include <algorithm>
#include <cerrno>

#include "files/pending_file.h"

namespace kestro {

namespace {
thread_local StagedWriteSet* capturing = nullptr;
}  // namespace

StagedWriteSet::StagedWriteSet() = default;
StagedWriteSet::~StagedWriteSet() = default;

StagedWriteSet* StagedWriteSet::Capturing() {
  return capturing;
}

bool StagedWriteSet::Capture(const std::function<bool()>& writers) {
  if (capturing != nullptr)
    return writers();
  capturing = this;
  struct Restore {
    ~Restore() { capturing = nullptr; }
  } restore;
  return writers();
}

bool StagedWriteSet::Stage(const std::string& path, std::string_view bytes) {
  auto file = std::make_unique<PendingFile>(path, bytes);
  if (file->Failed())
    return false;
  files_.push_back(std::move(file));
  return true;
}

bool StagedWriteSet::Commit() {
  std::stable_partition(files_.begin(), files_.end(),
                        [](const auto& file) { return file->InPlace(); });
  bool ok = true;
  for (const auto& file : files_)
    ok = ok && file->Publish();
  const int error = errno;
  files_.clear();
  errno = error;
  return ok;
}

}  // namespace kestro
