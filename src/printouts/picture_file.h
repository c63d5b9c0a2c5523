// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <string>

#include "platform/dialogs.h"
#include "platform/print_device.h"
#include "platform/printers.h"

namespace kestro {

// The caption of the pages' command that saves their printout as a picture.
inline constexpr const char* kSavePictureCaption = "Save picture…";

// A page's "Save picture…": asks for the file, proposing `initialName` ("plot.svg"), and runs the
// page's printout on a device that draws it as a picture. The format follows the name's
// extension, in any case; another extension is reported and nothing is drawn, and cancel does
// nothing. The picture has its natural size. Without printers the device reports "No printer is
// available.".
void SavePicture(Dialogs& dialogs, Printers* printers, const std::string& initialName,
                 const std::function<void(PrintDevice&)>& printout);

}  // namespace kestro
