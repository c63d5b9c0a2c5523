// SPDX-License-Identifier: GPL-3.0-or-later
#include "pdf_sheets.h"

#include <cstdlib>
#include <sstream>

#include "files/scratch_folder.h"

namespace kestro::test {

std::vector<std::string> PdfInfo(const std::string& path) {
  if (std::system(("pdfinfo " + path + " >info.txt 2>&1").c_str()) != 0)
    return {"pdfinfo failed: " + FileText("info.txt")};
  std::vector<std::string> named;
  std::istringstream info(FileText("info.txt"));
  for (std::string line; std::getline(info, line);) {
    if (line.starts_with("Title:") || line.starts_with("Creator:"))
      named.push_back(line);
  }
  return named;
}

void DrawTwoSheets(PrintDevice& device) {
  device.SetPosition(1000, 1000);
  device.Write("First sheet");
  device.NewPage();
  device.Write("Second sheet");
}

}  // namespace kestro::test
