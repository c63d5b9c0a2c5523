// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <memory>
#include <optional>
#include <ostream>
#include <string>

#include "cli/cli_arguments.h"
#include "platform/print_device.h"
#include "platform/printers.h"

namespace kestro::cli {

// What the print command draws on: a PDF file (--pdf), or the one sheet as an SVG (--svg) or PNG
// (--png) picture, sized by --width and --height.
struct PrintTarget {
  std::string option;  // "pdf", "svg" or "png"
  std::string file;    // the option's value
  PictureRequest picture;
};

// The largest PNG side in pixels: 8000 x 8000 is 256 MB of pixels.
constexpr int kMaxPictureSide = 8000;
constexpr int kMinPictureSide = 16;

// Reads the target options of a print command line. On a usage error (none or two of --pdf,
// --svg and --png, a picture of a many-page sheet, a size without --png or out of range) writes
// the message to err and returns nothing.
std::optional<PrintTarget> ReadPrintTarget(const CliArguments& args, std::ostream& err);

// A device that draws on the target at path: the PDF titled after the sheet, or the picture.
std::unique_ptr<PrintDevice> NewPrintDevice(const PrintTarget& target, const std::string& path,
                                            const std::string& sheetTitle);

}  // namespace kestro::cli
