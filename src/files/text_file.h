// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace kestro {

// Writing of the program's files: text files end every line in CR LF.

// The lines, each followed by CR LF.
std::string JoinCrLf(const std::vector<std::string>& lines);

// The one writer of every file the program writes: the bytes (text or binary) reach path whole
// or not at all. They go to a synced temporary file beside the target that replaces it in one
// rename, after which the folder is synced; a failed or killed write leaves any earlier file
// untouched, and two writers of one file leave one of their files whole. A symbolic link is
// followed: the file it points to is written and the link stays. An existing file keeps its
// permission bits, and its owner and group where the process may set them. A target that exists
// but is no regular file (a folder, FIFO or device) or cannot be written is refused at once,
// without opening it. A file with a second hard link, or in a folder that forbids new files, is
// rewritten in place after its space is reserved. Inside StagedWriteSet::Capture the bytes are
// staged in that set instead. Returns false (errno set) on any failure.
bool ReplaceFileText(const std::string& path, std::string_view bytes);

}  // namespace kestro
