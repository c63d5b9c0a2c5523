// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

namespace kestro {

// File names are compared without regard to case, also on case-sensitive file systems, so that
// "LastSession.KST" and "LASTSESSION.KST" denote one file.

// True when the two names are equal apart from the case of ASCII letters.
bool SameNameIgnoringCase(std::string_view a, std::string_view b);

// The name under which fileName should be opened or written: fileName itself when a file of that
// exact name exists or no entry of its folder matches; otherwise the path of the folder entry
// whose name matches the last component without regard to case (an exact match wins, then the
// first match in name order). Relative names stay relative to the working directory.
std::string ResolveFileName(const std::string& fileName);

}  // namespace kestro
