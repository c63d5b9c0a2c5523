// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>

namespace kestro {

// What a reader or writer reports: nothing when it worked, otherwise the message text that the
// caller (a page or the command-line tool) shows with its beep.
using FileFailure = std::optional<std::string>;

}  // namespace kestro
