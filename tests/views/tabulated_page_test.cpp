#include "views/tabulated_page.h"

#include <gtest/gtest.h>

#include "files/scratch_folder.h"
#include "support/recording_printers.h"
#include "views/tabulated_rows.h"
#include "views_test_context.h"

namespace kestro::test {
namespace {

TEST(TabulatedRows, FieldsAreTwelveWideAndLongerTextsGetTwoBlanks) {
  const std::pair<std::string, std::string> cases[] = {{"", std::string(12, ' ')},
                                                       {" 1K ", " 1K         "},
                                                       {"1234567890", "1234567890  "},
                                                       {"12345678901", "12345678901  "},
                                                       {"1.23457E-04xx", "1.23457E-04xx  "}};
  for (const auto& [text, padded] : cases)
    EXPECT_EQ(PadTabulatedField(text), padded) << '"' << text << '"';

  DesignRecord record{};
  std::tie(record.Freq[3], record.Gain[3], record.Phase[3], record.Delay[3]) =
      std::make_tuple(1234.5678f, -3.0103f, -135.0f, 0.0012f);
  // The formatters' own blanks stay: " 1.2346K ", "-3.0103 ", "-135 ", "1.2m".
  EXPECT_EQ(TabulatedRow(record, 3), " 1.2346K    -3.0103     -135        1.2m        ");
}

TEST(TabulatedPage, ListsEveryPointUnderAFixedPitchHeading) {
  ViewsTestContext app;
  app.record.Nints = 2048;
  Analyze(app.record);
  TabulatedPage page(app.context);
  const Control& list = page["lstTabulated"];
  ASSERT_EQ(list.rows.size(), 2049u);
  EXPECT_EQ(std::tuple(list.rows.front(), list.rows.back(), list.fixedPitch),
            std::tuple(TabulatedRow(app.record, 0), TabulatedRow(app.record, 2048), true));
  EXPECT_EQ(std::tuple(page.WindowCaption(), page["Label1"].caption, page["Label1"].fixedPitch),
            std::tuple(std::string("KestroLab - Tabulated output"),
                       std::string("Freq:        Gain:       Phase:      Delay:"), true));
  // Print asks about the 51 sheets first; a cancelled printer dialog then sends nothing.
  RecordingPrinters printers;
  printers.setup.cancelDialog = true;
  app.context.printers = &printers;
  page.Click("cmdPrint");
  EXPECT_EQ(
      app.dialogs.Texts(),
      (Strings{"We have 2048 lines of data and so will use over 51 sheets of paper. \nAre you "
               "sure you want to continue and print out the data?",
               "Cancel was selected."}));
  EXPECT_EQ(printers.calls, (Strings{"Preview", "SelectPrinter"}));
}

// Quit saves the session as the exit page does and ends the program without it; a session that
// cannot be written asks first.
TEST(TabulatedPage, QuitSavesTheSessionAndEndsAtOnce) {
  const Calls closeAndEnd{{Call::Kind::Close, PageId::Tabulated},
                          {Call::Kind::End, PageId::Opening}};
  {
    ScratchFolder folder;
    ViewsTestContext app;
    TabulatedPage(app.context).Click("cmdQuit");
    Strings saved = SplitCrLf(FileText("LASTSESSION.KST")), expected = Session(app.record);
    ASSERT_EQ(saved.size(), expected.size());
    saved.front() = expected.front();  // the heading line carries the date and time
    EXPECT_EQ(std::tuple(saved, app.navigator.calls, app.dialogs.Texts()),
              std::tuple(expected, closeAndEnd, Strings{}));
  }
  for (const MessageAnswer answer : {MessageAnswer::No, MessageAnswer::Yes}) {
    ScratchFolder folder;
    std::filesystem::create_directory("LASTSESSION.KST");  // cannot be written as a file
    ViewsTestContext app;
    app.dialogs.answers = {answer};
    TabulatedPage(app.context).Click("cmdQuit");
    EXPECT_EQ(app.dialogs.messages.back().buttons, MessageButtons::YesNo);
    EXPECT_EQ(app.navigator.calls, answer == MessageAnswer::Yes ? closeAndEnd : Calls{});
  }
}

}  // namespace
}  // namespace kestro::test
