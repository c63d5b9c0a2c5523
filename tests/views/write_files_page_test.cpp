#include "views/write_files_page.h"

#include <gtest/gtest.h>

#include "files/scratch_folder.h"
#include "files/spice_schematic.h"
#include "files/tabulated_files.h"
#include "support/recording_printers.h"
#include "views_test_context.h"

namespace kestro::test {
namespace {

struct WriteFilesPageTest : ::testing::Test {
  ScratchFolder folder;
  ViewsTestContext app;
  ViewsShared shared;
  // Clicks the command with the dialog answering `chosen` ("" cancels).
  void Write(WriteFilesPage& page, const char* command, const std::string& chosen) {
    app.dialogs.fileAnswers = {chosen};
    page.Click(command);
  }
};

// Each export proposes the name it was last given, with its own extension; cancelling writes
// nothing and forgets nothing.
TEST_F(WriteFilesPageTest, ExportsProposeTheirLastNamesAndWriteTheFiles) {
  WriteFilesPage page(app.context, shared);
  Write(page, "cmdWriteSpiceSchematic", "");
  Write(page, "cmdWriteSpiceSchematic", "filter.ASC");
  Write(page, "cmdWriteSpiceSchematic", "");
  Write(page, "cmdWriteTabulatedE", "easy.TXT");
  Write(page, "cmdWriteTabulatedE", "");
  Write(page, "cmdWriteTabulatedS", "sci.DAT");
  const std::string spice = "Write LTspice schematic | LTspice files (*.ASC)|*.ASC | ";
  const std::string tabulated =
      "KESTRO - write tabulated data file | Tabulated-data files (*.DAT)|*.DAT|Text files "
      "(*.TXT)|*.TXT|All files (*.*)|*.* | ";
  EXPECT_EQ(Describe(app.dialogs.saveRequests),
            spice + "VANTORdefault.ASC | 1 | overwrite prompt\n" + spice +
                "VANTORdefault.ASC | 1 | overwrite prompt\n" + spice +
                "filter.ASC | 1 | overwrite prompt\n" + tabulated +
                "Default.DAT | 1 | overwrite prompt\n" + tabulated +
                "easy.DAT | 1 | overwrite prompt\n" + tabulated +
                "Default.DAT | 1 | overwrite prompt\n");
  EXPECT_EQ(folder.Entries(), (Strings{"easy.TXT", "filter.ASC", "sci.DAT"}));
  EXPECT_EQ(std::tuple(SplitCrLf(FileText("filter.ASC")), SplitCrLf(FileText("easy.TXT")),
                       SplitCrLf(FileText("sci.DAT"))),
            std::tuple(SpiceSchematicLines(app.record), TabulatedEasyLines(app.record),
                       TabulatedSciLines(app.record)));
  // The names live for the run: a new page proposes them again.
  WriteFilesPage again(app.context, shared);
  Write(again, "cmdWriteTabulatedE", "");
  EXPECT_EQ(app.dialogs.saveRequests.back().initialName, "easy.DAT");
}

TEST_F(WriteFilesPageTest, ACancelledSummaryPrintoutSaysSoAndReturnCloses) {
  WriteFilesPage page(app.context, shared);
  RecordingPrinters printers;
  printers.setup.cancelDialog = true;
  app.context.printers = &printers;
  page.Click("cmdPrinterSummary");
  EXPECT_EQ(std::tuple(printers.calls, app.dialogs.beeps),
            std::tuple(Strings{"Preview", "SelectPrinter"}, 1));
  page.Click("cmdExit");
  EXPECT_EQ(
      std::tuple(app.dialogs.Texts(), app.navigator.calls, page["lblTitle"].caption),
      std::tuple(Strings{"The summary text file was not sent to the printer."},
                 Calls{{Call::Kind::Close, PageId::WriteFiles}}, std::string("File-writing Page")));
}

}  // namespace
}  // namespace kestro::test
