// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/file_names.h"

#include <algorithm>
#include <filesystem>
#include <system_error>
#include <vector>

namespace kestro {

namespace fs = std::filesystem;

namespace {

char FoldCase(char c) {
  return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

// Names of the folder's entries that match leaf without regard to case, in name order.
std::vector<std::string> MatchingEntries(const fs::path& folder, const std::string& leaf) {
  std::vector<std::string> matches;
  std::error_code error;
  fs::directory_iterator entries(folder.empty() ? fs::path(".") : folder, error);
  for (; !error && entries != fs::directory_iterator(); entries.increment(error)) {
    const std::string name = entries->path().filename().string();
    if (SameNameIgnoringCase(name, leaf))
      matches.push_back(name);
  }
  std::sort(matches.begin(), matches.end());
  return matches;
}

}  // namespace

bool SameNameIgnoringCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return FoldCase(x) == FoldCase(y);
         });
}

std::string ResolveFileName(const std::string& fileName) {
  if (fileName.empty())
    return fileName;
  const fs::path path(fileName);
  const std::string leaf = path.filename().string();
  if (leaf.empty() || leaf == "." || leaf == "..")
    return fileName;
  std::error_code error;
  if (fs::exists(path, error))
    return fileName;
  const std::vector<std::string> matches = MatchingEntries(path.parent_path(), leaf);
  if (matches.empty())
    return fileName;
  return (path.parent_path() / matches.front()).string();
}

}  // namespace kestro
