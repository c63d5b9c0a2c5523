#include "platform/qt/qt_print_device.h"

#include <gtest/gtest.h>

#include "files/scratch_folder.h"

namespace kestro::test {
namespace {

// Text lines advance by the font's height, into a PDF file (the printout tests read the sheets).
TEST(QtPrintDevice, PrintsTextIntoAPdfFile) {
  ScratchFolder folder;
  auto printer = QtPrintDevice::ToPdf("sheet.pdf");
  printer->SelectPrinter();
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

}  // namespace
}  // namespace kestro::test
