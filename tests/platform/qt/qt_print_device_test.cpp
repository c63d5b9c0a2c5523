#include "platform/qt/qt_print_device.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QPrintDialog>
#include <QPrinter>
#include <QTimer>
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include "files/scratch_folder.h"

namespace kestro::test {
namespace {

using Lines = std::vector<std::string>;

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

// The lines of pdfinfo about the file that name its title and maker; the program's exit status
// when pdfinfo finds no whole PDF.
Lines PdfInfo(const std::string& path) {
  if (std::system(("pdfinfo " + path + " >info.txt 2>&1").c_str()) != 0)
    return {"pdfinfo failed: " + FileText("info.txt")};
  Lines named;
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

// The PDF appears only whole, at the end of the document, with its title and maker; a document
// that is never ended (a failed or cancelled printout) leaves the old file as it was.
TEST(QtPrintDevice, WritesThePdfWholeAtTheEndOrNotAtAll) {
  ScratchFolder folder;
  PutFile("old.pdf", "old");
  {
    auto unfinished = QtPrintDevice::ToPdf("old.pdf", "Plot");
    DrawTwoSheets(*unfinished);
  }
  EXPECT_EQ(FileText("old.pdf"), "old");
  auto device = QtPrintDevice::ToPdf("old.pdf", "Plot");
  DrawTwoSheets(*device);
  EXPECT_EQ(FileText("old.pdf"), "old");
  device->EndDocument();
  EXPECT_EQ(PdfInfo("old.pdf"),
            (Lines{"Title:           Plot", "Creator:         KestroLab " KESTRO_VERSION}));
  EXPECT_EQ(folder.Entries(), (Lines{"info.txt", "old.pdf"}));
}

// "Print to file" in the print dialog goes through the same writer: the file appears whole at
// the end of the document.
TEST(QtPrintDevice, APdfFileChosenInThePrintDialogIsWrittenWholeAtTheEnd) {
  ScratchFolder folder;
  const std::string path = (folder.Path() / "chosen.pdf").string();
  QTimer::singleShot(0, [path] {
    auto* dialog = qobject_cast<QPrintDialog*>(QApplication::activeModalWidget());
    ASSERT_NE(dialog, nullptr);
    dialog->printer()->setOutputFormat(QPrinter::PdfFormat);
    dialog->printer()->setOutputFileName(QString::fromStdString(path));
    dialog->done(QDialog::Accepted);  // as chosen, without the dialog's own fields
  });
  QtPrintDevice device;
  device.SelectPrinter();
  DrawTwoSheets(device);
  EXPECT_EQ(folder.Entries(), Lines{});
  device.EndDocument();
  EXPECT_EQ(PdfInfo("chosen.pdf"),
            (Lines{"Title:           KestroLab", "Creator:         KestroLab " KESTRO_VERSION}));
}

}  // namespace
}  // namespace kestro::test
