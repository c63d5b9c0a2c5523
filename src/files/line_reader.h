#pragma once

#include <cstddef>
#include <cstdio>
#include <string>

namespace kestro {

// Reads a text file line by line, whatever bytes it holds. A line ends at CR LF, LF or a lone CR;
// the last line needs no line end. NUL bytes are ordinary characters. Lines longer than
// kMaxLineLength keep their first kMaxLineLength characters, so one huge line costs no memory.
class LineReader final {
 public:
  static constexpr std::size_t kMaxLineLength = 1 << 16;

  LineReader() = default;
  ~LineReader();
  LineReader(const LineReader&) = delete;
  LineReader& operator=(const LineReader&) = delete;

  // Opens path for reading; false when it is missing, a folder or unreadable.
  bool Open(const std::string& path);
  // The next line without its line end; false at the end of the file.
  bool ReadLine(std::string& line);
  // True when reading stopped on an error of the file system rather than at the end.
  bool Failed() const { return failed_; }
  void Close();

 private:
  std::FILE* file_ = nullptr;
  bool failed_ = false;
};

// True for a line that holds nothing but blanks and tabs.
bool IsBlankLine(const std::string& line);

}  // namespace kestro
