// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <memory>
#include <optional>
#include <string>

#include "platform/dialogs.h"
#include "platform/print_device.h"
#include "platform/printers.h"

namespace kestro {

// The caption of the pages' command that saves their printout as a picture.
inline constexpr const char* kSavePictureCaption = "Save picture…";

// The message for a chosen name that is neither .svg nor .png.
inline constexpr const char* kNotAPictureName =
    "Pictures are SVG or PNG files: name the file .svg or .png.";

// Asks for the file a sheet is saved to as a picture, proposing `initialName` ("plot.svg").
// The format follows the name's extension, in any case. Nothing on cancel; a name with another
// extension is reported and gives nothing either. The picture has its natural size.
std::optional<PictureRequest> AskPictureFile(Dialogs& dialogs, const std::string& initialName);

// A device that draws one printout as the requested picture; without printers, one that reports
// "No printer is available.".
std::unique_ptr<PrintDevice> NewPictureJob(Printers* printers, const PictureRequest& request);

}  // namespace kestro
