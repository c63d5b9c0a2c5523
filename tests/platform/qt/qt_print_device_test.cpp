#include "platform/qt/qt_print_device.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>

#include "files/scratch_folder.h"
#include "platform/qt/qt_test_support.h"

namespace kestro::test {
namespace {

TEST(QtPrintDevice, AMissingFolderIsAPrintErrorNamingTheFile) {
  try {
    QtPrintDevice::ToPdf("/nonexistent-folder/sheet.pdf")->Print("never");
    ADD_FAILURE() << "printing into a missing folder succeeded";
  } catch (const PrintError& error) {
    EXPECT_NE(std::string(error.what()).find("/nonexistent-folder/sheet.pdf"), std::string::npos);
  }
}

TEST(QtPrintDevice, PrintsTextAndLineWorkIntoAPdfFileOfTwoPages) {
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
  printer->SetLineWidth(1);
  printer->Line(0, 0, 1440, 1440, Rgb{});
  printer->Box(2000, 2000, 4000, 3000, Rgb{}, false);
  printer->Circle(6000, 3000, 500);
  printer->Arc(6000, 3000, 800, 0.0f, 3.14159f);
  printer->NewPage();
  printer->SetOrigin(720, 720);
  printer->Print("Second sheet");
  printer->EndDocument();
  std::string head(4, '\0');
  std::ifstream("sheet.pdf", std::ios::binary).read(head.data(), 4);
  EXPECT_EQ(head, "%PDF");
  const std::string text = CommandOutput("pdftotext sheet.pdf - 2>/dev/null");
  if (text.empty())
    GTEST_SKIP() << "pdftotext is not installed";
  EXPECT_EQ(std::count(text.begin(), text.end(), '\f'), 2) << text;  // one form feed a page
  EXPECT_NE(text.find("Sallen-Key summary"), std::string::npos) << text;
  EXPECT_NE(text.find("Second sheet"), std::string::npos) << text;
}

}  // namespace
}  // namespace kestro::test
