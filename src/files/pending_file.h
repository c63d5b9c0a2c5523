// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <sys/stat.h>

#include <filesystem>
#include <string>
#include <string_view>

namespace kestro {

// The path that name finally denotes once every symbolic link in its last component is followed;
// a link whose target is missing gives that target, so writing creates it behind the link.
std::filesystem::path FollowLinks(std::filesystem::path name);

// One file's new bytes, written completely and synced before anything about the target changes,
// then put in place by Publish(). Until then the target is untouched, and where the system
// allows it (Linux O_TMPFILE) the bytes sit in a file without a name, so a killed process leaves
// nothing behind, but for the few system calls between naming the finished file and renaming it;
// a name left there is removed by the next write into that folder. A target with more than one
// hard link, or in a folder that forbids new files, is rewritten in place instead: its space is
// reserved first, so a full disk fails before the old bytes are touched.
class PendingFile final {
 public:
  // Prepares the replacement of path (symbolic links followed). Failed() tells whether it could
  // not be prepared; errno then says why.
  PendingFile(const std::string& path, std::string_view bytes);
  ~PendingFile();  // drops whatever was not published
  PendingFile(const PendingFile&) = delete;
  PendingFile& operator=(const PendingFile&) = delete;

  bool Failed() const { return fd_ < 0; }
  bool InPlace() const { return inPlace_; }
  // Puts the bytes in place and syncs the folder; false (errno set) when that failed.
  bool Publish();

 private:
  void PrepareInPlace(std::string_view bytes);
  void PrepareReplacement(const struct ::stat* existing, std::string_view bytes);
  bool OpenTemporary();
  void KeepOwnerAndMode(const struct ::stat& existing);
  bool PublishInPlace();
  bool PublishReplacement();
  void Close();

  std::filesystem::path target_;
  std::filesystem::path temporary_;  // empty while the bytes have no name
  std::string inPlaceBytes_;
  int fd_ = -1;
  bool inPlace_ = false;
};

}  // namespace kestro
