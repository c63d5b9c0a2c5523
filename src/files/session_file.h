// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/design_record.h"
#include "files/file_failure.h"

namespace kestro {

// The session file (".KST"): the persistent fields of the design record as CR LF text lines.

// What a read that worked still has to say: a value held at the reader's bound, an op-amp
// section that could not be used. The caller shows each one; none of them is a failure.
using SessionNotices = std::vector<std::string>;

// Writes the record to fileName (the file is replaced only once it is complete); an empty name
// writes nothing. savedAt is the date and time on its first line ("2026-12-06 11:45:03"), from
// the caller's clock. Returns the failure message when the file cannot be written.
FileFailure WriteSessionFile(DesignRecord& record, const std::string& fileName,
                             const std::string& savedAt);

// Reads fileName into the record as it stands: a Family, Order or Nints outside the design
// page's ranges is kept for the caller to repair by the page's rules. Only a missing, unreadable
// or damaged file and the three count failures (more than 11 stages, 10 markers or 15 limits)
// fail; the record then gets the reader's defaults and the failure message is returned. An empty
// name, and a file that simply ends early, are no failure.
// The op-amp section after the limits is optional: without it the op-amp is ideal (amplitude
// 1 V, switched off). Notices, when given, get what the read has to say besides a failure.
FileFailure ReadSessionFile(DesignRecord& record, const std::string& fileName,
                            SessionNotices* notices = nullptr);
// The same reading of bytes already in memory.
FileFailure ReadSessionText(DesignRecord& record, std::string_view bytes,
                            SessionNotices* notices = nullptr);

// The last session, which the program writes whole on every exit: the record gets the opening
// defaults, then the file. A file that is not complete (empty, cut or damaged) is never taken in
// part: the record gets the reader's defaults over the opening ones and the failure message is
// returned. A missing file (a first start) gives the same defaults without a message.
FileFailure ReadLastSession(DesignRecord& record, const std::string& fileName,
                            SessionNotices* notices = nullptr);

// Splits the first blank-separated token off line: both are changed.
void NextToken(std::string& line, std::string& token);

}  // namespace kestro
