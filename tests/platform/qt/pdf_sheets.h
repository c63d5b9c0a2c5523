// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

#include "platform/print_device.h"

namespace kestro::test {

// The lines of pdfinfo about the file that name its title and maker; pdfinfo's own words when it
// finds no whole PDF.
std::vector<std::string> PdfInfo(const std::string& path);

// "First sheet" and "Second sheet", one on each page.
void DrawTwoSheets(PrintDevice& device);

}  // namespace kestro::test
