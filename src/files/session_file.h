#pragma once

#include <string>
#include <string_view>

#include "core/design_record.h"
#include "platform/dialogs.h"

namespace kestro {

// The session file (".KST"): the persistent fields of the design record as CR LF text lines.

// Writes the record to fileName (the file is replaced only once it is complete). Returns false
// after reporting the failure through the dialogs.
bool WriteSessionFile(DesignRecord& record, const std::string& fileName, Dialogs& dialogs);

// Reads fileName into the record; a failed read is reported and replaced by defaults. Returns
// false after such a failure (an empty name, and a file that simply ends early, are no failure).
bool ReadSessionFile(DesignRecord& record, const std::string& fileName, Dialogs& dialogs);

// Splits the first blank-separated token off line: both are changed.
void NextToken(std::string& line, std::string& token);

}  // namespace kestro
