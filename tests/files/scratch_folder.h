#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace kestro::test {

// A fresh empty folder that is the working directory while the object lives.
class ScratchFolder final {
 public:
  ScratchFolder();
  ~ScratchFolder();
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;
  const std::filesystem::path& Path() const { return path_; }
  std::vector<std::string> Entries() const;  // names of the folder's entries, sorted

 private:
  std::filesystem::path previous_, path_;
};

// While it lives, files cannot grow beyond maxBytes: writes past it fail as on a full disk.
class FileSizeLimit final {
 public:
  explicit FileSizeLimit(long maxBytes);
  ~FileSizeLimit();
  FileSizeLimit(const FileSizeLimit&) = delete;
  FileSizeLimit& operator=(const FileSizeLimit&) = delete;

 private:
  long previousSoft_ = 0;
  void (*previousHandler_)(int) = nullptr;
};

std::string FileText(const std::string& path);  // "" when the file is missing
void PutFile(const std::string& path, const std::string& bytes);
// The lines joined, each followed by end.
std::string Joined(const std::vector<std::string>& lines, const char* end = "\r\n");
// The lines of CR LF text; fails the calling test when a line end is anything else.
std::vector<std::string> SplitCrLf(const std::string& text);

}  // namespace kestro::test
