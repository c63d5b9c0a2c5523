// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace kestro {

// Files are read whole into memory first and then split into lines, so that every reader has an
// entry that takes the bytes alone (and needs no disk to be tried with any bytes at all).

// No file this program writes comes near this size; a larger one is refused as damaged.
inline constexpr std::size_t kMaxFileBytes = std::size_t{1} << 24;  // 16 MiB

enum class FileBytes {
  Read,     // the whole file is in bytes
  Missing,  // there is no file of that name (or the name is empty)
  Refused,  // unreadable, no regular file, a read error, or larger than kMaxFileBytes
};

// Reads the whole of the regular file at path into bytes. A folder, FIFO or device is refused at
// once, without waiting for a writer or reading it; bytes is empty unless the result is Read.
FileBytes ReadFileBytes(const std::string& path, std::string& bytes);

// Splits bytes into lines, whatever they hold. A line ends at CR LF, LF or a lone CR; the last
// line needs no line end. NUL bytes are ordinary characters. Lines longer than kMaxLineLength
// keep their first kMaxLineLength characters. The bytes must outlive the reader.
class LineReader final {
 public:
  static constexpr std::size_t kMaxLineLength = 1 << 16;

  explicit LineReader(std::string_view bytes) : bytes_(bytes) {}

  // The next line without its line end; false at the end of the bytes.
  bool ReadLine(std::string& line);
  // The same as a view into the bytes, without a copy.
  bool ReadLine(std::string_view& line);

 private:
  std::string_view bytes_;
  std::size_t next_ = 0;
};

// True for a line that holds nothing but blanks and tabs.
bool IsBlankLine(std::string_view line);

}  // namespace kestro
