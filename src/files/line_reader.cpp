#include "files/line_reader.h"

#include <filesystem>
#include <system_error>

namespace kestro {

LineReader::~LineReader() {
  Close();
}

bool LineReader::Open(const std::string& path) {
  Close();
  failed_ = false;
  std::error_code error;
  if (path.empty() || std::filesystem::is_directory(path, error))
    return false;
  file_ = std::fopen(path.c_str(), "rb");
  return file_ != nullptr;
}

bool LineReader::ReadLine(std::string& line) {
  line.clear();
  if (file_ == nullptr)
    return false;
  int c = std::fgetc(file_);
  if (c == EOF) {
    failed_ = std::ferror(file_) != 0;
    return false;
  }
  while (c != EOF && c != '\n' && c != '\r') {
    if (line.size() < kMaxLineLength)
      line.push_back(static_cast<char>(c));
    c = std::fgetc(file_);
  }
  if (c == '\r') {
    const int next = std::fgetc(file_);
    if (next != '\n' && next != EOF)
      std::ungetc(next, file_);
  }
  if (c == EOF)
    failed_ = std::ferror(file_) != 0;
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
