#include "files/text_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <filesystem>
#include <optional>
#include <system_error>

namespace kestro {

namespace fs = std::filesystem;

namespace {

constexpr int kMaxLinkHops = 40;  // as the kernel's own limit on nested links (ELOOP)

// The path the name finally denotes once every symbolic link in its last component is followed;
// a link whose target is missing gives that target, so writing creates it behind the link.
fs::path FollowLinks(fs::path path) {
  for (int hop = 0; hop < kMaxLinkHops; ++hop) {
    std::error_code error;
    if (!fs::is_symlink(fs::symlink_status(path, error)))
      return path;
    const fs::path next = fs::read_symlink(path, error);
    if (error)
      return path;
    path = next.is_absolute() ? next : path.parent_path() / next;
  }
  return path;
}

// Writes every byte to the open descriptor, syncs it and closes it.
bool WriteSyncClose(int fd, std::string_view text) {
  bool ok = true;
  for (std::size_t done = 0; ok && done < text.size();) {
    const ssize_t n = ::write(fd, text.data() + done, text.size() - done);
    if (n < 0 && errno == EINTR)
      continue;
    ok = n > 0;
    done += ok ? static_cast<std::size_t>(n) : 0;
  }
  ok = ::fsync(fd) == 0 && ok;
  return ::close(fd) == 0 && ok;
}

// A short name in the target's folder, so any target name the file system accepts still leaves
// room for it ("name.tmp..." fails for names near the 255-byte limit).
fs::path TemporaryNameFor(const fs::path& target) {
  static std::atomic<unsigned> counter{0};
  return target.parent_path() /
         (".kst" + std::to_string(::getpid()) + "_" + std::to_string(counter++) + ".tmp");
}

// The permission bits of an existing regular file; nothing for a missing one. Refuses (false)
// anything else, and a file the caller may not write.
bool InspectTarget(const fs::path& target, std::optional<mode_t>& mode) {
  struct stat info {};
  if (::stat(target.c_str(), &info) != 0)
    return errno == ENOENT;
  if (!S_ISREG(info.st_mode) || ::access(target.c_str(), W_OK) != 0)
    return false;
  mode = info.st_mode & 07777;
  return true;
}

// The folder forbids new files: the target is rewritten where it stands.
bool RewriteInPlace(const fs::path& target, std::string_view text) {
  const int fd = ::open(target.c_str(), O_WRONLY | O_TRUNC | O_NONBLOCK | O_NOFOLLOW | O_CLOEXEC);
  return fd >= 0 && WriteSyncClose(fd, text);
}

bool FolderForbidsNewFiles(int error) {
  return error == EACCES || error == EPERM || error == EROFS;
}

}  // namespace

std::string JoinCrLf(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) {
    text += line;
    text += "\r\n";
  }
  return text;
}

bool ReplaceFileText(const std::string& path, std::string_view text) {
  if (path.empty())
    return false;
  const fs::path target = FollowLinks(path);
  std::optional<mode_t> mode;
  if (!InspectTarget(target, mode))
    return false;
  const fs::path temporary = TemporaryNameFor(target);
  const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
  if (fd < 0)
    return mode.has_value() && FolderForbidsNewFiles(errno) && RewriteInPlace(target, text);
  bool ok = !mode || ::fchmod(fd, *mode) == 0;
  ok = WriteSyncClose(fd, text) && ok;
  std::error_code error;
  if (ok)
    fs::rename(temporary, target, error);
  if (ok && !error)
    return true;
  fs::remove(temporary, error);
  return false;
}

}  // namespace kestro
