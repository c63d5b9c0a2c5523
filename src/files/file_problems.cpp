// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/file_problems.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "files/pending_file.h"

namespace kestro {

namespace fs = std::filesystem;

namespace {

std::string StatusProblem(const struct stat& info) {
  if (S_ISDIR(info.st_mode))
    return "is a folder";
  return S_ISREG(info.st_mode) ? "" : "not a regular file";
}

// A target that does not exist yet: its folder must exist and take new files.
std::string FolderProblem(const fs::path& target) {
  const fs::path folder = target.parent_path().empty() ? fs::path(".") : target.parent_path();
  struct stat info {};
  if (::stat(folder.c_str(), &info) != 0 || !S_ISDIR(info.st_mode))
    return "no such folder";
  return ::access(folder.c_str(), W_OK | X_OK) == 0 ? "" : "permission denied";
}

}  // namespace

std::string ErrorText(int error) {
  switch (error) {
    case ENOENT:
      return "no such file";
    case ENOTDIR:
      return "no such folder";
    case EISDIR:
      return "is a folder";
    case EACCES:
    case EPERM:
      return "permission denied";
    case ENOSPC:
      return "no space left on the device";
    case EDQUOT:
      return "disk quota exceeded";
    case EFBIG:
      return "file too large";
    case EROFS:
      return "read-only file system";
    case ELOOP:
      return "too many symbolic links";
    case EIO:
      return "input/output error";
    default:
      return "system error " + std::to_string(error);
  }
}

std::string ReadProblem(const std::string& path) {
  struct stat info {};
  if (path.empty() || ::stat(path.c_str(), &info) != 0)
    return ErrorText(path.empty() ? ENOENT : errno);
  if (std::string problem = StatusProblem(info); !problem.empty())
    return problem;
  return ::access(path.c_str(), R_OK) == 0 ? "" : ErrorText(EACCES);
}

std::string WriteProblem(const std::string& path) {
  if (path.empty())
    return ErrorText(ENOENT);
  const fs::path target = FollowLinks(path);
  struct stat info {};
  if (::stat(target.c_str(), &info) != 0)
    return errno == ENOENT ? FolderProblem(target) : ErrorText(errno);
  if (std::string problem = StatusProblem(info); !problem.empty())
    return problem;
  return ::access(target.c_str(), W_OK) == 0 ? "" : ErrorText(EACCES);
}

}  // namespace kestro
