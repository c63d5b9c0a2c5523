// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <memory>
#include <string>

#include "platform/print_device.h"

namespace kestro {

enum class PictureFormat { Svg, Png };

// One sheet drawn as a picture file instead of on paper.
struct PictureRequest {
  std::string path;
  PictureFormat format = PictureFormat::Svg;
  // The PNG's size in pixels. The drawing is scaled to fit and centred; a side of 0 follows the
  // other side's scale, and with both 0 the picture has its natural size.
  int width = 0;
  int height = 0;
};

// Hands out one print device per printout: the window's printer (preview, then the system
// dialog), or a PDF file for the command-line tool; and devices that draw a sheet as a picture.
class Printers {
 public:
  virtual ~Printers() = default;
  virtual std::unique_ptr<PrintDevice> NewJob() = 0;
  virtual std::unique_ptr<PrintDevice> NewPicture(const PictureRequest& request) = 0;
};

}  // namespace kestro
