// SPDX-License-Identifier: GPL-3.0-or-later
#include "views/write_files_page.h"

#include <gtest/gtest.h>

#include "files/parts_list.h"
#include "files/scratch_folder.h"
#include "files/spice_schematic.h"
#include "files/tabulated_files.h"
#include "support/recording_printers.h"
#include "views_test_context.h"

namespace kestro::test {
namespace {

// Each export proposes the name it was last given, for the run, with its own extension;
// cancelling writes nothing and forgets nothing.
TEST(WriteFilesPage, ExportsProposeTheirLastNamesAndWriteTheFiles) {
  ScratchFolder folder;
  ViewsTestContext app;
  ViewsShared shared;
  app.dialogs.fileAnswers = {"", "filter.ASC", "easy.TXT", "", "sci.DAT", ""};
  for (const char* command : {"cmdWriteSpiceSchematic", "cmdWriteSpiceSchematic",
                              "cmdWriteTabulatedE", "cmdWriteTabulatedE", "cmdWriteTabulatedS"})
    WriteFilesPage(app.context, shared).Click(command);
  WriteFilesPage(app.context, shared).Click("cmdWriteSpiceSchematic");
  const std::string spice = "Write LTspice schematic | LTspice files (*.ASC)|*.ASC | ";
  const std::string tabulated =
      "KESTRO - write tabulated data file | Tabulated-data files (*.DAT)|*.DAT|Text files "
      "(*.TXT)|*.TXT|All files (*.*)|*.* | ";
  const std::string prompt = " | 1 | overwrite prompt\n";
  EXPECT_EQ(Describe(app.dialogs.saveRequests),
            spice + "VANTORdefault.ASC" + prompt + spice + "VANTORdefault.ASC" + prompt +
                tabulated + "Default.DAT" + prompt + tabulated + "easy.DAT" + prompt + tabulated +
                "Default.DAT" + prompt + spice + "filter.ASC" + prompt);
  EXPECT_EQ(folder.Entries(), (Strings{"easy.TXT", "filter.ASC", "sci.DAT"}));
  EXPECT_EQ(SplitCrLf(FileText("filter.ASC")), SpiceSchematicLines(app.record));
  EXPECT_EQ(SplitCrLf(FileText("easy.TXT")), TabulatedEasyLines(app.record));
  EXPECT_EQ(SplitCrLf(FileText("sci.DAT")), TabulatedSciLines(app.record));
  // The summary goes to the printer from here; Return closes the page.
  RecordingPrinters printers;
  printers.setup.cancelDialog = true;
  app.context.printers = &printers;
  WriteFilesPage page(app.context, shared);
  page.Click("cmdPrinterSummary");
  page.Click("cmdExit");
  EXPECT_EQ(page["lblTitle"].caption, "File-writing Page");
  EXPECT_EQ(printers.calls, (Strings{"Preview", "SelectPrinter"}));
  EXPECT_EQ(app.navigator.calls, (Calls{{Call::Kind::Close, PageId::WriteFiles}}));
}

// The parts list: a cancelled dialog writes nothing, a chosen name gets the list, the next dialog
// proposes that name, and a file that cannot be written shows the writer's message.
TEST(WriteFilesPage, WritePartsListWritesTheCsvOrShowsWhyNot) {
  ScratchFolder folder;
  ViewsTestContext app;
  ViewsShared shared;
  const std::string missing = (folder.Path() / "no such folder" / "parts.csv").string();
  app.dialogs.fileAnswers = {"", "parts.csv", missing};
  for (int i = 0; i < 3; ++i)
    WriteFilesPage(app.context, shared).Click("cmdWritePartsList");
  const std::string request = "Write parts list | CSV files (*.csv)|*.csv | ";
  const std::string prompt = " | 1 | overwrite prompt\n";
  EXPECT_EQ(Describe(app.dialogs.saveRequests), request + "PartsList.csv" + prompt + request +
                                                    "PartsList.csv" + prompt + request +
                                                    "parts.csv" + prompt);
  EXPECT_EQ(folder.Entries(), (Strings{"parts.csv"}));
  const Strings lines = SplitCrLf(FileText("parts.csv"));
  ASSERT_FALSE(lines.empty());
  EXPECT_TRUE(lines[0].starts_with("Designator,")) << lines[0];
  EXPECT_EQ(lines, PartsListLines(app.record));
  const auto failure = WritePartsList(app.record, missing);
  ASSERT_TRUE(failure.has_value());
  EXPECT_EQ(app.dialogs.Texts(), (Strings{*failure}));
}

}  // namespace
}  // namespace kestro::test
