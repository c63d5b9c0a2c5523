#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace kestro {

// Writing of the program's text files: every line ends in CR LF.

// The lines, each followed by CR LF.
std::string JoinCrLf(const std::vector<std::string>& lines);

// Creates or truncates the file at path and writes text. Returns false on any failure; what was
// written before the failure stays in the file.
bool WriteFileText(const std::string& path, std::string_view text);

// Writes text to a temporary file in the folder of path and renames it over path once it is
// complete, so a failed write leaves any earlier file untouched. A file that exists but cannot be
// written is left alone and counts as a failure. The temporary file never outlives the call.
bool ReplaceFileText(const std::string& path, std::string_view text);

}  // namespace kestro
