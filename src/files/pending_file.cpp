// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/pending_file.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>

namespace kestro {

namespace fs = std::filesystem;

namespace {

constexpr int kMaxLinkHops = 40;  // as the kernel's own limit on nested links (ELOOP)
constexpr int kNameAttempts = 4;

// Writes every byte from offset 0; a write that makes no progress counts as a full disk.
bool WriteAll(int fd, std::string_view bytes) {
  for (std::size_t done = 0; done < bytes.size();) {
    const ssize_t n =
        ::pwrite(fd, bytes.data() + done, bytes.size() - done, static_cast<off_t>(done));
    if (n < 0 && errno == EINTR)
      continue;
    if (n <= 0) {
      errno = n == 0 ? ENOSPC : errno;
      return false;
    }
    done += static_cast<std::size_t>(n);
  }
  return true;
}

// A short name in the target's folder, so any target name the file system accepts still leaves
// room for it ("name.tmp..." fails for names near the 255-byte limit).
fs::path TemporaryNameFor(const fs::path& target) {
  static std::atomic<unsigned> counter{0};
  return target.parent_path() /
         (".kst" + std::to_string(::getpid()) + "_" + std::to_string(counter++) + ".tmp");
}

fs::path FolderOf(const fs::path& target) {
  return target.parent_path().empty() ? fs::path(".") : target.parent_path();
}

// The process that made a temporary name ".kstPID_N.tmp"; 0 for any other name.
pid_t MakerOf(const std::string& name) {
  if (name.size() < 9 || name.rfind(".kst", 0) != 0 || !name.ends_with(".tmp"))
    return 0;
  const std::size_t end = name.find('_', 4);
  if (end == std::string::npos || end == 4)
    return 0;
  pid_t pid = 0;
  for (std::size_t i = 4; i < end; ++i) {
    if (name[i] < '0' || name[i] > '9' || pid > 99999999)
      return 0;
    pid = pid * 10 + (name[i] - '0');
  }
  return pid;
}

// A process killed between naming its finished file and renaming it leaves that name behind
// (a window of a few system calls). The next write into the folder removes such names whose
// process is gone.
void RemoveStaleTemporaries(const fs::path& folder) {
  std::error_code error;
  for (const auto& entry : fs::directory_iterator(folder, error)) {
    const pid_t maker = MakerOf(entry.path().filename().string());
    if (maker > 0 && maker != ::getpid() && ::kill(maker, 0) != 0 && errno == ESRCH)
      ::unlink(entry.path().c_str());
  }
}

// After a rename the folder entry itself must reach the disk. Some file systems cannot sync a
// folder; the file's own bytes are synced already, so this step is best effort.
void SyncFolder(const fs::path& target) {
  const int fd = ::open(FolderOf(target).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd >= 0) {
    ::fsync(fd);
    ::close(fd);
  }
}

bool FolderForbidsNewFiles(int error) {
  return error == EACCES || error == EPERM || error == EROFS;
}

// Refuses, without opening it, a target that is no regular file or cannot be written.
bool WritableRegularFile(const fs::path& target, const struct stat& info) {
  if (!S_ISREG(info.st_mode)) {
    errno = S_ISDIR(info.st_mode) ? EISDIR : EINVAL;
    return false;
  }
  return ::access(target.c_str(), W_OK) == 0;
}

}  // namespace

fs::path FollowLinks(fs::path name) {
  for (int hop = 0; hop < kMaxLinkHops; ++hop) {
    std::error_code error;
    if (!fs::is_symlink(fs::symlink_status(name, error)))
      return name;
    const fs::path next = fs::read_symlink(name, error);
    if (error)
      return name;
    name = next.is_absolute() ? next : name.parent_path() / next;
  }
  return name;
}

PendingFile::PendingFile(const std::string& path, std::string_view bytes)
    : target_(FollowLinks(path)) {
  if (path.empty()) {
    errno = ENOENT;
    return;
  }
  struct stat info {};
  const bool exists = ::stat(target_.c_str(), &info) == 0;
  if (!exists && errno != ENOENT)
    return;
  if (exists && !WritableRegularFile(target_, info))
    return;
  // Replacing a file with a second hard link would silently split the links.
  if (exists && info.st_nlink > 1)
    PrepareInPlace(bytes);
  else
    PrepareReplacement(exists ? &info : nullptr, bytes);
}

PendingFile::~PendingFile() {
  const int error = errno;
  Close();
  if (!temporary_.empty())
    ::unlink(temporary_.c_str());
  errno = error;
}

void PendingFile::Close() {
  if (fd_ >= 0)
    ::close(fd_);
  fd_ = -1;
}

void PendingFile::PrepareReplacement(const struct stat* existing, std::string_view bytes) {
  RemoveStaleTemporaries(FolderOf(target_));
  if (!OpenTemporary()) {
    if (existing != nullptr && FolderForbidsNewFiles(errno))
      PrepareInPlace(bytes);
    return;
  }
  if (existing != nullptr)
    KeepOwnerAndMode(*existing);
  if (fd_ >= 0 && (!WriteAll(fd_, bytes) || ::fsync(fd_) != 0)) {
    const int error = errno;
    Close();
    errno = error;
  }
}

// The bytes go to a file without a name where the system offers one (nothing to clean up after
// a kill), otherwise to a named temporary file beside the target.
bool PendingFile::OpenTemporary() {
#ifdef O_TMPFILE
  if (::access("/proc/self/fd", X_OK) == 0) {
    fd_ = ::open(FolderOf(target_).c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666);
    if (fd_ >= 0 || (errno != EOPNOTSUPP && errno != EISDIR && errno != EINVAL))
      return fd_ >= 0;
  }
#endif
  temporary_ = TemporaryNameFor(target_);
  fd_ = ::open(temporary_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
  if (fd_ < 0)
    temporary_.clear();
  return fd_ >= 0;
}

// The owner and group where the process may set them (root may; others may keep their own
// group); the permission bits always.
void PendingFile::KeepOwnerAndMode(const struct stat& existing) {
  if (::fchown(fd_, existing.st_uid, existing.st_gid) != 0)
    static_cast<void>(::fchown(fd_, static_cast<uid_t>(-1), existing.st_gid));
  if (::fchmod(fd_, existing.st_mode & 07777) != 0) {
    const int error = errno;
    Close();
    errno = error;
  }
}

void PendingFile::PrepareInPlace(std::string_view bytes) {
  inPlace_ = true;
  fd_ = ::open(target_.c_str(), O_WRONLY | O_NONBLOCK | O_NOFOLLOW | O_CLOEXEC);
  if (fd_ < 0)
    return;
#ifdef FALLOC_FL_KEEP_SIZE
  // Reserve the space now: a full disk then fails here, before a byte of the old file changes.
  if (!bytes.empty() &&
      ::fallocate(fd_, FALLOC_FL_KEEP_SIZE, 0, static_cast<off_t>(bytes.size())) != 0 &&
      errno != EOPNOTSUPP) {
    const int error = errno;
    Close();
    errno = error;
    return;
  }
#endif
  inPlaceBytes_ = bytes;
}

bool PendingFile::Publish() {
  if (Failed())
    return false;
  const bool ok = inPlace_ ? PublishInPlace() : PublishReplacement();
  const int error = errno;
  Close();
  if (ok)
    SyncFolder(target_);
  errno = error;
  return ok;
}

bool PendingFile::PublishInPlace() {
  return WriteAll(fd_, inPlaceBytes_) &&
         ::ftruncate(fd_, static_cast<off_t>(inPlaceBytes_.size())) == 0 && ::fsync(fd_) == 0;
}

// An unnamed file gets a temporary name beside the target first (through /proc, which any user
// may do), then that name is renamed over the target in one step.
bool PendingFile::PublishReplacement() {
  const std::string unnamed = "/proc/self/fd/" + std::to_string(fd_);
  for (int attempt = 0; temporary_.empty() && attempt < kNameAttempts; ++attempt) {
    temporary_ = TemporaryNameFor(target_);
    if (::linkat(AT_FDCWD, unnamed.c_str(), AT_FDCWD, temporary_.c_str(), AT_SYMLINK_FOLLOW) != 0)
      temporary_.clear();
    if (temporary_.empty() && errno != EEXIST)
      return false;
  }
  if (temporary_.empty() || ::rename(temporary_.c_str(), target_.c_str()) != 0)
    return false;
  temporary_.clear();
  return true;
}

}  // namespace kestro
