#include "files/text_file.h"

#include <unistd.h>

#include <atomic>
#include <cstdio>
#include <filesystem>
#include <system_error>

namespace kestro {

namespace fs = std::filesystem;

namespace {

// Writes all of text to an open stream, flushes it to the disk and closes it.
bool WriteAndClose(std::FILE* file, std::string_view text, bool syncToDisk) {
  bool ok = std::fwrite(text.data(), 1, text.size(), file) == text.size();
  ok = std::fflush(file) == 0 && ok;
  if (syncToDisk)
    ok = ::fsync(::fileno(file)) == 0 && ok;
  return std::fclose(file) == 0 && ok;
}

// An existing target that is a folder or refuses to be opened for writing is protected.
bool IsProtected(const std::string& path) {
  std::error_code error;
  if (!fs::exists(path, error))
    return false;
  if (fs::is_directory(path, error))
    return true;
  std::FILE* probe = std::fopen(path.c_str(), "ab");
  if (probe == nullptr)
    return true;
  std::fclose(probe);
  return false;
}

std::string TemporaryNameFor(const std::string& path) {
  static std::atomic<unsigned> counter{0};
  return path + ".tmp" + std::to_string(::getpid()) + "_" + std::to_string(counter++);
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

bool WriteFileText(const std::string& path, std::string_view text) {
  if (path.empty())
    return false;
  std::error_code error;
  if (fs::is_directory(path, error))
    return false;
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (file == nullptr)
    return false;
  return WriteAndClose(file, text, false);
}

bool ReplaceFileText(const std::string& path, std::string_view text) {
  if (path.empty() || IsProtected(path))
    return false;
  const std::string temporary = TemporaryNameFor(path);
  std::FILE* file = std::fopen(temporary.c_str(), "wb");
  if (file == nullptr)
    return false;
  std::error_code error;
  if (WriteAndClose(file, text, true)) {
    fs::rename(temporary, path, error);
    if (!error)
      return true;
  }
  fs::remove(temporary, error);
  return false;
}

}  // namespace kestro
