// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/opening_page.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "app_test_context.h"
#include "files/session_file.h"

namespace kestro::test {
namespace {

constexpr const char* kSavedAt = "2026-12-06 11:45:03";

const Calls kOpenDesign{{Call::Kind::Open, PageId::Design, OpenMode::Switch}};

TEST(OpeningPage, ShowsItsTexts) {
  AppTestContext app;
  OpeningPage page(app.context);
  EXPECT_EQ((Strings{page.WindowCaption(), page["lblTitle"].caption, page["lblDescription"].caption,
                     page["cmdGetOld"].caption, page["cmdStart"].caption}),
            (Strings{"KestroLab - Welcome!", "KestroLab",
                     "The program to design and analyze unity-gain Sallen-Key lowpass filters",
                     "Retrieve an olde design", "Restart at last session"}));
  EXPECT_FALSE(page["lblVersion"].caption.empty() || page["lblCredit"].caption.empty());
}

// Defaults first, then the chosen file over them; a cancelled dialog keeps the defaults.
TEST(OpeningPage, RetrieveSetsDefaultsThenReadsTheChosenFile) {
  ScratchFolder folder;
  DesignRecord saved = DistinctSession();
  ASSERT_EQ(WriteSessionFile(saved, "old.KST", kSavedAt), std::nullopt);
  for (const std::string chosen : {"old.KST", ""}) {
    AppTestContext app;
    app.record.Nints = 99;
    app.dialogs.fileAnswers = {chosen};
    OpeningPage(app.context).Click("cmdGetOld");
    EXPECT_EQ(Describe(app.dialogs.openRequests), "Get File | KESTRO files (*.KST)|*.KST |  | 1\n");
    EXPECT_EQ(app.record.SessionFile, chosen);
    EXPECT_EQ(Session(chosen.empty() ? OpeningDefaults() : DistinctSession()), Session(app.record));
    EXPECT_EQ(app.dialogs.Texts(), Strings{});
    EXPECT_EQ(app.navigator.calls, kOpenDesign);
  }
}

// Values out of the design page's ranges are repaired with its messages; the rest stays as saved.
TEST(OpeningPage, RestartRepairsWhatTheFileHeldOutOfRange) {
  ScratchFolder folder;
  DesignRecord saved = DistinctSession();
  saved.Family = 9, saved.Order = 23, saved.Nints = 2049;
  ASSERT_EQ(WriteSessionFile(saved, "LASTSESSION.KST", kSavedAt), std::nullopt);
  AppTestContext app;
  OpeningPage(app.context).Click("cmdStart");
  EXPECT_EQ(app.dialogs.Texts(), (Strings{"The order has been reset downward to 11",
                                          "Number of test frequencies has been reset downward to "
                                          "2048"}));
  saved.Family = kButterworth, saved.Order = 11, saved.Nints = 2048;
  saved.NrStages = StagesForOrder(11);
  EXPECT_EQ(Session(saved), Session(app.record));
}

// A value the reader holds at its bound is read so, and a message names it, on both commands.
TEST(OpeningPage, AValueLimitedOnReadingIsNamed) {
  ScratchFolder folder;
  DesignRecord saved = DistinctSession();
  saved.C[1][2] = 1e12f;
  ASSERT_EQ(WriteSessionFile(saved, "LASTSESSION.KST", kSavedAt), std::nullopt);
  for (const char* command : {"cmdGetOld", "cmdStart"}) {
    SCOPED_TRACE(command);
    AppTestContext app;
    app.dialogs.fileAnswers = {"LASTSESSION.KST"};
    OpeningPage(app.context).Click(command);
    EXPECT_EQ(app.dialogs.Texts(), Strings{"The value of C1,2 in the KESTRO file has been reset "
                                           "downward from 1E+12 to 1E+10"});
    EXPECT_EQ((std::vector{app.record.C[1][2], app.record.C[2][2]}),
              (std::vector{1e10f, saved.C[2][2]}));
  }
}

// The last session is taken whole or not at all. A first start (no file) opens quietly with the
// defaults; an empty, cut or damaged file with the same defaults and the reader's message, never
// with a zeroed or half-read record.
TEST(OpeningPage, RestartWithoutAWholeLastSessionOpensWithTheDefaults) {
  ScratchFolder folder;
  DesignRecord saved = DistinctSession();
  ASSERT_EQ(WriteSessionFile(saved, "whole.KST", kSavedAt), std::nullopt);
  const std::string whole = FileText("whole.KST");
  const std::string kMessage = "The KESTRO file was not read correctly; defaults are being used";
  const struct {
    const char* name;
    std::string bytes;  // the file's bytes; nothing for no file
    Strings texts;
  } cases[] = {
      {"missing", "", {}},
      {"empty", "-", {kMessage}},
      {"cut", whole.substr(0, whole.find("Order")), {kMessage}},
      {"damaged", whole.substr(0, whole.find("* Markers")) + "Number: 99\r\n", {kMessage}}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    std::filesystem::remove("LASTSESSION.KST");
    if (!c.bytes.empty())
      PutFile("LASTSESSION.KST", c.bytes == "-" ? "" : c.bytes);
    AppTestContext app;
    OpeningPage(app.context).Click("cmdStart");
    EXPECT_EQ(app.dialogs.Texts(), c.texts);
    const DesignRecord& r = app.record;
    EXPECT_EQ((std::vector<float>{float(r.Family), float(r.Order), r.NrStages, r.Bandwidth,
                                  r.Fstart, r.Fstop, float(r.Nints), float(r.NrMarkers)}),
              (std::vector<float>{kButterworth, 3, 1, 3000, 1000, 10000, 500, 0}));
    EXPECT_EQ(r.C[1][1], 0.0f);  // nothing of the half-read file
    EXPECT_EQ(app.navigator.calls, kOpenDesign);
  }
}

}  // namespace
}  // namespace kestro::test
