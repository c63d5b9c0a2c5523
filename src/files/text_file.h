#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace kestro {

// Writing of the program's text files: every line ends in CR LF.

// The lines, each followed by CR LF.
std::string JoinCrLf(const std::vector<std::string>& lines);

// Writes text to path whole or not at all. The text goes to a temporary file in the target's
// folder that is synced and then renamed over the target, so a failed write leaves any earlier
// file untouched. A symbolic link is followed: the file it points to is written and the link
// stays. An existing file keeps its permission bits. A target that exists but is no regular file
// (a folder, FIFO or device) or cannot be written is refused at once, without opening it. When
// the folder does not let a file be created but the target is writable, the target is rewritten
// in place and synced. Returns false on any failure.
bool ReplaceFileText(const std::string& path, std::string_view text);

}  // namespace kestro
