// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/qt/qt_pdf_device.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "files/scratch_folder.h"
#include "pdf_sheets.h"

namespace kestro::test {
namespace {

using Lines = std::vector<std::string>;

// Text lines advance by the font's height, into a PDF file (the printout tests read the sheets).
TEST(QtPdfDevice, PrintsTextIntoAPdfFile) {
  ScratchFolder folder;
  auto printer = std::make_unique<QtPdfDevice>("sheet.pdf");
  printer->SelectPrinter();  // shows nothing
  printer->SetOrientation(PrintOrientation::Landscape);
  EXPECT_GT(printer->AreaWidth(), printer->AreaHeight());
  printer->SetFont("DejaVu Sans", 12, true);
  printer->SetPosition(1440, 1440);
  printer->Print("Sallen-Key summary");  // the next line starts at the left, one line down
  EXPECT_FLOAT_EQ(printer->PositionX(), 0);
  EXPECT_NEAR(printer->PositionY(), 1440 + printer->TextHeight(), 1);
  EXPECT_NEAR(printer->TextHeight(), 12 * 20 * 1.2, 12 * 20 * 0.4);  // 12 pt is 240 twips
  EXPECT_GT(printer->TextWidth("WWWW"), printer->TextWidth("iiii"));
  printer->EndDocument();
}

// The PDF appears only whole, at the end of the document, with its title and maker; a document
// that is never ended (a failed or cancelled printout) leaves the old file as it was.
TEST(QtPdfDevice, WritesThePdfWholeAtTheEndOrNotAtAll) {
  ScratchFolder folder;
  PutFile("old.pdf", "old");
  {
    auto unfinished = std::make_unique<QtPdfDevice>("old.pdf", "Plot");
    DrawTwoSheets(*unfinished);
  }
  EXPECT_EQ(FileText("old.pdf"), "old");
  auto device = std::make_unique<QtPdfDevice>("old.pdf", "Plot");
  DrawTwoSheets(*device);
  EXPECT_EQ(FileText("old.pdf"), "old");
  device->EndDocument();
  EXPECT_EQ(PdfInfo("old.pdf"),
            (Lines{"Title:           Plot", "Creator:         KestroLab " KESTRO_VERSION}));
  EXPECT_EQ(folder.Entries(), (Lines{"info.txt", "old.pdf"}));
}

}  // namespace
}  // namespace kestro::test
