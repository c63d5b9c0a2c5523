#include "files/line_reader.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kestro {

namespace {

// Opens without blocking (a FIFO without a writer would wait for one) and keeps the descriptor
// only for a regular file, which then reads in the ordinary blocking way.
int OpenRegularFile(const std::string& path) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0)
    return -1;
  struct stat info {};
  if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode) ||
      ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK) != 0) {
    ::close(fd);
    return -1;
  }
  return fd;
}

}  // namespace

LineReader::~LineReader() {
  Close();
}

bool LineReader::Open(const std::string& path) {
  Close();
  failed_ = false;
  bytesRead_ = 0;
  if (path.empty())
    return false;
  const int fd = OpenRegularFile(path);
  if (fd < 0)
    return false;
  file_ = ::fdopen(fd, "rb");
  if (file_ == nullptr)
    ::close(fd);
  return file_ != nullptr;
}

// The next byte, or EOF at the end, on an error or past the size bound (the last two fail).
int LineReader::NextByte() {
  if (bytesRead_ >= kMaxFileBytes) {
    failed_ = true;
    return EOF;
  }
  const int c = std::fgetc(file_);
  if (c == EOF)
    failed_ = failed_ || std::ferror(file_) != 0;
  else
    ++bytesRead_;
  return c;
}

bool LineReader::ReadLine(std::string& line) {
  line.clear();
  if (file_ == nullptr)
    return false;
  int c = NextByte();
  if (c == EOF)
    return false;
  while (c != EOF && c != '\n' && c != '\r') {
    if (line.size() < kMaxLineLength)
      line.push_back(static_cast<char>(c));
    c = NextByte();
  }
  if (c == '\r') {
    const int next = NextByte();
    if (next == '\n' || next == EOF)
      return true;
    std::ungetc(next, file_);
    --bytesRead_;
  }
  return true;
}

void LineReader::Close() {
  if (file_ != nullptr)
    std::fclose(file_);
  file_ = nullptr;
}

bool IsBlankLine(const std::string& line) {
  return line.find_first_not_of(" \t") == std::string::npos;
}

}  // namespace kestro
