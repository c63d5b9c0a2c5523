// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/line_reader.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

namespace kestro {

namespace {

// Opens without blocking (a FIFO without a writer would wait for one) and keeps the descriptor
// only for a regular file, which then reads in the ordinary blocking way.
int OpenRegularFile(const std::string& path, FileBytes& failure) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) {
    failure = errno == ENOENT ? FileBytes::Missing : FileBytes::Refused;
    return -1;
  }
  struct stat info {};
  if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode) ||
      ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK) != 0) {
    ::close(fd);
    failure = FileBytes::Refused;
    return -1;
  }
  return fd;
}

// Reads up to one byte past the bound, so that a file just over it is seen as too large instead
// of being cut.
bool ReadUpToBound(int fd, std::string& bytes) {
  constexpr std::size_t kLimit = kMaxFileBytes + 1;
  constexpr std::size_t kChunk = std::size_t{1} << 16;
  std::size_t used = 0;
  while (used < kLimit) {
    bytes.resize(std::min(used + kChunk, kLimit));
    const ssize_t got = ::read(fd, bytes.data() + used, bytes.size() - used);
    if (got < 0 && errno == EINTR)
      continue;
    if (got < 0)
      return false;
    if (got == 0)
      break;
    used += static_cast<std::size_t>(got);
  }
  bytes.resize(used);
  return used <= kMaxFileBytes;
}

}  // namespace

FileBytes ReadFileBytes(const std::string& path, std::string& bytes) {
  bytes.clear();
  if (path.empty())
    return FileBytes::Missing;
  FileBytes failure = FileBytes::Refused;
  const int fd = OpenRegularFile(path, failure);
  if (fd < 0)
    return failure;
  const bool whole = ReadUpToBound(fd, bytes);
  ::close(fd);
  if (whole)
    return FileBytes::Read;
  bytes.clear();
  bytes.shrink_to_fit();
  return FileBytes::Refused;
}

bool LineReader::ReadLine(std::string_view& line) {
  line = {};
  if (next_ >= bytes_.size())
    return false;
  // A plain scan: find_first_of would search the two line-end characters once per byte.
  std::size_t end = next_;
  while (end < bytes_.size() && bytes_[end] != '\r' && bytes_[end] != '\n')
    ++end;
  line = std::string_view(bytes_.data() + next_, std::min(end - next_, kMaxLineLength));
  next_ = end + 1;
  if (end < bytes_.size() && bytes_[end] == '\r' && next_ < bytes_.size() && bytes_[next_] == '\n')
    ++next_;
  return true;
}

bool LineReader::ReadLine(std::string& line) {
  std::string_view view;
  const bool read = ReadLine(view);
  line.assign(view);
  return read;
}

bool IsBlankLine(std::string_view line) {
  return std::all_of(line.begin(), line.end(), [](char c) { return c == ' ' || c == '\t'; });
}

}  // namespace kestro
