// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace kestro::cli {

// Exit codes of kestrolab-cli.
constexpr int kExitOk = 0;       // the command ran
constexpr int kExitStopped = 1;  // the program itself stopped the command (its message says why)
constexpr int kExitUsage = 2;    // the command line could not be used
constexpr int kExitFile = 3;     // a file could not be read or written (its message says which)

}  // namespace kestro::cli
