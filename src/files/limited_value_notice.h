// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace kestro {

// The engineering reader holds every value within +-1E+10. When the text of a session file's
// value line (key: the text before its colon) lies beyond that bound and was read as the bound,
// the notice that says so: "The value of C1,1 in the KESTRO file has been reset downward from
// 1E+12 to 1E+10". Nothing for a value read as written, the bound itself included.
std::optional<std::string> LimitedValueNotice(std::string_view key, std::string_view text,
                                              float read);

}  // namespace kestro
