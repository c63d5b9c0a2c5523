#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QScreen>

#include <QLabel>
#include <QListWidget>
#include <QMouseEvent>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QTime>
#include <filesystem>
#include <fstream>
#include <set>

#include "platform/qt/page_window.h"
#include "platform/qt/qt_clock.h"
#include "platform/qt/qt_dialogs.h"
#include "platform/qt/qt_print_device.h"
#include "platform/qt/qt_random.h"
#include "qt_application.h"

namespace kestro::test {
namespace {

// --- File dialog filters ---

TEST(QtDialogs, FilterStringsBecomeQtFilterLists) {
  const std::pair<const char*, const char*> cases[]{
      {"KESTRO files (*.KST)|*.KST", "KESTRO files (*.KST *.kst)"},
      {"Data files|*.DAT|All files|*.*", "Data files (*.DAT *.dat);;All files (*.*)"},
      {"LTspice (*.asc)|*.asc;*.ASC", "LTspice (*.asc *.ASC)"},
      {"", ""},
      {"Dangling description", ""}};
  for (const auto& [filter, list] : cases)
    EXPECT_EQ(QtDialogs::FilterList(filter).toStdString(), list) << filter;
  // The filter index counts from one; an index past the end selects the first.
  const std::string filter = "Easy|*.DAT|Scientific|*.TXT";
  EXPECT_EQ(QtDialogs::SelectedFilter(filter, 1).toStdString(), "Easy (*.DAT *.dat)");
  EXPECT_EQ(QtDialogs::SelectedFilter(filter, 2).toStdString(), "Scientific (*.TXT *.txt)");
  EXPECT_EQ(QtDialogs::SelectedFilter(filter, 7).toStdString(), "Easy (*.DAT *.dat)");
}

// --- Random numbers and clock ---

TEST(QtRandom, OneNeverSeededSequenceOnZeroToOne) {
  QtRandom first;
  QtRandom second;
  std::set<float> distinct;
  double sum = 0;
  constexpr int kDraws = 20000;
  for (int i = 0; i < kDraws; ++i) {
    const float value = first.Next();
    ASSERT_GE(value, 0.0f);
    ASSERT_LT(value, 1.0f);
    EXPECT_EQ(value, second.Next());  // every run draws the same numbers
    distinct.insert(value);
    sum += value;
  }
  EXPECT_GT(distinct.size(), kDraws * 9u / 10u);
  EXPECT_NEAR(sum / kDraws, 0.5, 0.01);  // mean of U(0,1), 5 standard errors
}

TEST(QtClock, ReadsSecondsSinceMidnight) {
  const double before = QTime::currentTime().msecsSinceStartOfDay() / 1000.0;
  const double reading = QtClock().SecondsSinceMidnight();
  const double after = QTime::currentTime().msecsSinceStartOfDay() / 1000.0;
  if (after < before)
    GTEST_SKIP() << "midnight passed during the test";
  EXPECT_GE(reading, before);
  EXPECT_LE(reading, after);
}

// --- Printer ---

class PrintDeviceTest : public ::testing::Test {
 protected:
  PrintDeviceTest() { EnsureQtApplication(); }
  ~PrintDeviceTest() override { std::filesystem::remove(path_); }
  std::string path_ = (std::filesystem::temp_directory_path() /
                       ("kestro-print-" + std::to_string(getpid()) + ".pdf"))
                          .string();
};

TEST_F(PrintDeviceTest, PrintsTextAndLineWorkIntoAPdfFileOfTwoPages) {
  auto printer = QtPrintDevice::ToPdf(path_);
  printer->SelectPrinter();
  printer->SetOrientation(PrintOrientation::Landscape);
  EXPECT_GT(printer->AreaWidth(), printer->AreaHeight());
  printer->SetFont("DejaVu Sans", 12, true);
  printer->SetPosition(1440, 1440);
  printer->Print("Sallen-Key summary");
  EXPECT_FLOAT_EQ(printer->PositionX(), 0);
  EXPECT_NEAR(printer->PositionY(), 1440 + printer->TextHeight(), 1);
  EXPECT_NEAR(printer->TextHeight(), 12 * 20 * 1.2, 12 * 20 * 0.4);  // 12 pt is 240 twips
  EXPECT_GT(printer->TextWidth("WWWW"), printer->TextWidth("iiii"));
  printer->SetLineWidth(1);
  printer->Line(0, 0, 1440, 1440);
  printer->Box(2000, 2000, 4000, 3000, false);
  printer->Circle(6000, 3000, 500);
  printer->Arc(6000, 3000, 800, 0.0f, 3.14159f);
  printer->NewPage();
  printer->SetOrigin(720, 720);
  printer->Print("Second sheet");
  printer->EndDocument();

  ASSERT_TRUE(std::filesystem::exists(path_));
  std::ifstream file(path_, std::ios::binary);
  std::string head(4, '\0');
  file.read(head.data(), 4);
  EXPECT_EQ(head, "%PDF");
  const std::string text = CommandOutput("pdftotext '" + path_ + "' - 2>/dev/null");
  if (text.empty())
    GTEST_SKIP() << "pdftotext is not installed";
  EXPECT_NE(text.find("Sallen-Key summary"), std::string::npos) << text;
  EXPECT_NE(text.find("Second sheet"), std::string::npos) << text;
  const std::string info = CommandOutput("pdfinfo '" + path_ + "'");
  const auto pages = info.find("Pages:");
  ASSERT_NE(pages, std::string::npos) << info;
  EXPECT_EQ(std::stoi(info.substr(pages + 6)), 2) << info;
}

TEST_F(PrintDeviceTest, AnUnwritableFileIsAFailureWithADescription) {
  auto printer = QtPrintDevice::ToPdf("/nonexistent-folder/sheet.pdf");
  try {
    printer->Print("never");
    FAIL() << "printing into a missing folder succeeded";
  } catch (const PrintError& error) {
    EXPECT_NE(std::string(error.what()).find("/nonexistent-folder/sheet.pdf"), std::string::npos);
  }
}

// --- The page window's event plumbing ---

// A page with one control of each kind that records what reaches it.
class ProbePage final : public Page {
 public:
  ProbePage() {
    SetWindowCaption("Probe");
    SetBackColour({238, 255, 255});
    Add(ControlKind::ListBox, "lstRows", "", 0, 0, 6000, 3000).onRowClick = [this](int row) {
      clickedRow = row;
      (*this)["lblShown"].caption = "row " + std::to_string(row);
    };
    Control& bar = Add(ControlKind::ScrollBar, "hsbScroll", "", 0, 3000, 12000, 300);
    bar.maximum = 100;
    bar.onChange = [this] {
      (*this)["lblShown"].caption = std::to_string((*this)["hsbScroll"].value);
    };
    Add(ControlKind::Label, "lblShown", "", 0, 4000, 6000, 300).onClick = [this] { ++labelClicks; };
    Add(ControlKind::Button, "cmdHide", "Hide", 6000, 4000, 2000, 300).onClick = [this] {
      Control& shown = (*this)["lblShown"];
      shown.visible = false;
      (*this)["cmdHide"].enabled = false;
      (*this)["cmdHide"].face = Rgb{128, 255, 255};
      (*this)["lstRows"].rows = {"first", "second", "third"};
    };
    (*this)["lstRows"].rows = {"alpha", "beta"};
  }
  void OnMouseDown(int button, float x, float y) override { downs.push_back({button, x, y}); }
  // A red block in the lower right quarter of the page.
  void DrawMark() { canvas()->FillRect(9000, 6750, 12000, 9000, {255, 0, 0}); }

  struct Press {
    int button;
    float x, y;
  };
  std::vector<Press> downs;
  int clickedRow = -1;
  int labelClicks = 0;
};

class PageWindowTest : public ::testing::Test {
 protected:
  PageWindowTest() {
    EnsureQtApplication();
    auto page = std::make_unique<ProbePage>();
    probe = page.get();
    window = std::make_unique<PageWindow>(std::move(page));
    window->resize(1200, 900);
    window->show();
    SettleEvents();
  }
  ProbePage* probe;
  std::unique_ptr<PageWindow> window;
};

// List rows, scroll bar and label clicks reach the page; the widgets then follow the controls.
TEST_F(PageWindowTest, EventsReachThePageAndWidgetsFollowItsControls) {
  auto* list = qobject_cast<QListWidget*>(window->WidgetFor("lstRows"));
  auto* label = qobject_cast<QLabel*>(window->WidgetFor("lblShown"));
  auto* bar = qobject_cast<QScrollBar*>(window->WidgetFor("hsbScroll"));
  ASSERT_EQ(list->count(), 2);
  EXPECT_EQ(list->item(1)->text(), "beta");
  emit list->itemClicked(list->item(1));
  EXPECT_EQ(probe->clickedRow, 1);
  EXPECT_EQ(label->text(), "row 1");
  EXPECT_EQ(bar->maximum(), 100);
  bar->setValue(42);
  EXPECT_EQ((*probe)["hsbScroll"].value, 42);
  EXPECT_EQ(label->text(), "42");
  QTest::mouseClick(label, Qt::LeftButton);
  EXPECT_EQ(probe->labelClicks, 1);

  auto* hide = qobject_cast<QPushButton*>(window->WidgetFor("cmdHide"));
  hide->click();
  EXPECT_TRUE(label->isHidden());
  EXPECT_FALSE(hide->isEnabled());
  EXPECT_NE(hide->styleSheet().indexOf("rgb(128, 255, 255)"), -1);
  ASSERT_EQ(list->count(), 3);
  EXPECT_EQ(list->item(2)->text(), "third");
}

TEST_F(PageWindowTest, MousePressesArriveInPageUnits) {
  QTest::mouseClick(window.get(), Qt::LeftButton, {}, QPoint(600, 700));  // below the controls
  QTest::mouseClick(window.get(), Qt::RightButton, {}, QPoint(1100, 800));
  ASSERT_EQ(probe->downs.size(), 2u);
  const ProbePage::Press expected[]{{1, 6000, 7000}, {2, 11000, 8000}};
  for (int i = 0; i < 2; ++i) {
    EXPECT_EQ(probe->downs[i].button, expected[i].button);
    EXPECT_NEAR(probe->downs[i].x, expected[i].x, 10);
    EXPECT_NEAR(probe->downs[i].y, expected[i].y, 10);
  }
}

TEST_F(PageWindowTest, ControlsAndFontScaleWithTheWindow) {
  QWidget* button = window->WidgetFor("cmdHide");
  EXPECT_EQ(button->geometry(), QRect(600, 400, 200, 30));
  const int smallFont = button->font().pixelSize();
  window->resize(2400, 1800);
  SettleEvents();
  EXPECT_EQ(button->geometry(), QRect(1200, 800, 400, 60));
  EXPECT_EQ(smallFont, 14);                   // 0.016 x 900 pixels = 14.4
  EXPECT_EQ(button->font().pixelSize(), 29);  // 0.016 x 1800 pixels = 28.8
}

TEST_F(PageWindowTest, PaintsTheBackgroundAndKeepsTheDrawingAfterAResize) {
  const QImage before = window->grab().toImage();
  EXPECT_EQ(before.pixelColor(1100, 800), QColor(238, 255, 255));
  probe->DrawMark();
  for (const QSize size : {QSize(1200, 900), QSize(800, 500)}) {
    window->resize(size);
    SettleEvents();
    const QImage shown = window->grab().toImage();
    const int w = shown.width(), h = shown.height();
    EXPECT_EQ(shown.pixelColor(w * 7 / 8, h * 7 / 8), QColor(255, 0, 0)) << w;
    EXPECT_EQ(shown.pixelColor(w * 5 / 8, h * 7 / 8), QColor(238, 255, 255)) << w;
  }
}

// A smaller window opens at its share of the screen: centred, or where the page places it.
TEST(PageWindowPlacement, OpensCentredOrAtThePagesPosition) {
  EnsureQtApplication();
  const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
  struct SmallPage final : Page {
    explicit SmallPage(bool placed) {
      SetWindowShare(0.25f, 0.5f);
      if (placed)
        SetWindowPosition(0.4f, 0.13f);
    }
  };
  for (const bool placed : {false, true}) {
    PageWindow window(std::make_unique<SmallPage>(placed));
    window.ShowAsPage();
    SettleEvents();
    const QPoint expected =
        placed ? screen.topLeft() + QPoint(static_cast<int>(screen.width() * 0.4f),
                                           static_cast<int>(screen.height() * 0.13f))
               : screen.center() - QPoint(window.width() / 2, window.height() / 2);
    EXPECT_EQ(window.size(), QSize(static_cast<int>(screen.width() * 0.25f),
                                   static_cast<int>(screen.height() * 0.5f)));
    EXPECT_EQ(window.pos(), expected) << placed;
  }
}

}  // namespace
}  // namespace kestro::test
