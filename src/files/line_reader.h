#pragma once

#include <cstddef>
#include <cstdio>
#include <string>

namespace kestro {

// Reads a text file line by line, whatever bytes it holds. A line ends at CR LF, LF or a lone CR;
// the last line needs no line end. NUL bytes are ordinary characters. Lines longer than
// kMaxLineLength keep their first kMaxLineLength characters, so one huge line costs no memory.
// Only regular files are read, and no more than kMaxFileBytes of them: no file this program
// writes comes near that size, and a larger one is refused as damaged.
class LineReader final {
 public:
  static constexpr std::size_t kMaxLineLength = 1 << 16;
  static constexpr long kMaxFileBytes = 1L << 24;  // 16 MiB

  LineReader() = default;
  ~LineReader();
  LineReader(const LineReader&) = delete;
  LineReader& operator=(const LineReader&) = delete;

  // Opens path for reading; false when it is missing, unreadable or no regular file (a folder,
  // FIFO or device is refused at once, without waiting for a writer or reading it).
  bool Open(const std::string& path);
  // The next line without its line end; false at the end of the file.
  bool ReadLine(std::string& line);
  // True when reading stopped on an error of the file system or at kMaxFileBytes rather than at
  // the end.
  bool Failed() const { return failed_; }
  void Close();

 private:
  int NextByte();

  std::FILE* file_ = nullptr;
  long bytesRead_ = 0;
  bool failed_ = false;
};

// True for a line that holds nothing but blanks and tabs.
bool IsBlankLine(const std::string& line);

}  // namespace kestro
