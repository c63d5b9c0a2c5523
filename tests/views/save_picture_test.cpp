// SPDX-License-Identifier: GPL-3.0-or-later
#include "printouts/picture_file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <ostream>

#include "plotpage/plot_page.h"
#include "support/recording_printers.h"
#include "views/poles_page.h"
#include "views/schematic_page.h"
#include "views/transient_page.h"
#include "views/views_test_context.h"

namespace kestro::test {
namespace {

// What the pages work on: a designed filter, recording printers and the pages' shared state.
struct PictureTestContext : ViewsTestContext {
  PictureTestContext() { context.printers = &printers; }
  RecordingPrinters printers;
  TransientState transient;
  PlotLink link;
};

// A page with "Save picture…", the name its dialog proposes, a text its sheet prints and the
// control it is enabled with.
struct PicturePage {
  const char* label;
  std::function<std::unique_ptr<Page>(PictureTestContext&)> open;
  const char* initialName;
  const char* sheetText;
  const char* enabledWith = "cmdPrint";
};
void PrintTo(const PicturePage& page, std::ostream* out) {
  *out << page.label;
}

class SavePictureTest : public ::testing::TestWithParam<PicturePage> {
 protected:
  // Clicks "Save picture…" with `answer` as the chosen name; true when a sheet was drawn that
  // holds the page's text.
  bool SaveAs(Page& page, const std::string& answer) {
    printers.calls.clear();
    app.dialogs.fileAnswers = {answer};
    page.Click("cmdPicture");
    const std::string written = std::string(" ") + GetParam().sheetText;
    return std::any_of(printers.calls.begin(), printers.calls.end(), [&](const std::string& call) {
      return call.starts_with("Write ") && call.ends_with(written);
    });
  }

  PictureTestContext app;
  RecordingPrinters& printers = app.printers;
};

// The format follows the extension in any case; another extension is refused with a message,
// and cancel does nothing. The button is enabled as Print is.
TEST_P(SavePictureTest, SavesThePageSheetAsTheNamedPicture) {
  const std::unique_ptr<Page> page = GetParam().open(app);
  Page& p = *page;
  EXPECT_EQ(p["cmdPicture"].caption, "Save picture…");
  Control& enabledWith = p[GetParam().enabledWith];
  EXPECT_EQ(p["cmdPicture"].enabled, enabledWith.enabled);
  app.Show(p);
  ASSERT_TRUE(p["cmdPicture"].enabled && enabledWith.enabled);

  EXPECT_TRUE(SaveAs(p, "x.PNG"));
  EXPECT_TRUE(SaveAs(p, "x.svg"));
  ASSERT_EQ(printers.pictures.size(), 2U);
  EXPECT_EQ(printers.pictures[0].path, "x.PNG");
  EXPECT_EQ(printers.pictures[0].format, PictureFormat::Png);
  EXPECT_EQ(printers.pictures[1].path, "x.svg");
  EXPECT_EQ(printers.pictures[1].format, PictureFormat::Svg);
  EXPECT_EQ(printers.pictures[1].width + printers.pictures[1].height, 0);
  EXPECT_EQ(app.dialogs.Texts(), Strings{});

  EXPECT_FALSE(SaveAs(p, "x.jpg"));
  EXPECT_EQ(app.dialogs.Texts(),
            Strings{"Pictures are SVG or PNG files: name the file .svg or .png."});
  EXPECT_FALSE(SaveAs(p, ""));
  EXPECT_EQ(printers.pictures.size(), 2U);
  EXPECT_EQ(app.dialogs.Texts().size(), 1U);
  EXPECT_EQ(printers.calls, Strings{});

  const std::string asked = std::string("Save picture | SVG picture (*.svg)|*.svg|PNG picture ") +
                            "(*.png)|*.png | " + GetParam().initialName +
                            " | 1 | overwrite prompt\n";
  std::string allAsked;
  for (int i = 0; i < 4; ++i)
    allAsked += asked;
  EXPECT_EQ(Describe(app.dialogs.saveRequests), allAsked);
}

INSTANTIATE_TEST_SUITE_P(
    Pages, SavePictureTest,
    ::testing::Values(PicturePage{"Plot",
                                  [](PictureTestContext& app) -> std::unique_ptr<Page> {
                                    return std::make_unique<PlotPage>(app.context, app.link);
                                  },
                                  "plot.svg", "Gain, dB"},
                      PicturePage{"Schematic",
                                  [](PictureTestContext& app) -> std::unique_ptr<Page> {
                                    return std::make_unique<SchematicPage>(app.context);
                                  },
                                  "schematic.svg", "Lowpass Schematic"},
                      PicturePage{"Transient",
                                  [](PictureTestContext& app) -> std::unique_ptr<Page> {
                                    return std::make_unique<TransientPage>(app.context,
                                                                           app.transient);
                                  },
                                  "waves.svg", "Transient Plot"},
                      PicturePage{"Poles",
                                  [](PictureTestContext& app) -> std::unique_ptr<Page> {
                                    return std::make_unique<PolesPage>(app.context);
                                  },
                                  "poles.svg", "Order: 4", "cmdGrid"}),
    [](const auto& row) { return std::string(row.param.label); });

}  // namespace
}  // namespace kestro::test
