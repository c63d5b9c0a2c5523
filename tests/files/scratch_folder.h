// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <future>
#include <memory>
#include <string>
#include <thread>
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

// The result of call, run on its own thread. A call still running after five seconds has hung
// (a FIFO or device read or written as a file): the test program then ends at once with a failure
// rather than stall CI.
template <typename Call>
auto WithinSeconds(Call call) -> decltype(call()) {
  using Result = decltype(call());
  auto promise = std::make_shared<std::promise<Result>>();
  std::future<Result> result = promise->get_future();
  std::thread([promise, call]() mutable { promise->set_value(call()); }).detach();
  if (result.wait_for(std::chrono::seconds(5)) != std::future_status::ready) {
    std::fputs("FAILED: a file operation hung for five seconds\n", stderr);
    std::_Exit(EXIT_FAILURE);
  }
  return result.get();
}

}  // namespace kestro::test
