// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace kestro {

// Why a file cannot be used, in short words that are the same in every locale.

// The reason for a system error number ("no space left on the device").
std::string ErrorText(int error);

// Why path cannot be read as a file ("no such file", "is a folder", "permission denied"); ""
// when reading may be tried.
std::string ReadProblem(const std::string& path);

// Why the one writer would refuse path, found without opening or creating anything ("no such
// folder", "is a folder", "not a regular file", "permission denied"); "" when writing may be
// tried.
std::string WriteProblem(const std::string& path);

}  // namespace kestro
