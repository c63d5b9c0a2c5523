#include <gtest/gtest.h>
#include <sys/wait.h>

#include <QApplication>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScrollBar>
#include <QTest>
#include <QTime>
#include <QToolButton>
#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <functional>
#include <set>

#include "files/scratch_folder.h"
#include "gui/display_check.h"
#include "gui/shell.h"
#include "platform/qt/page_geometry.h"
#include "platform/qt/page_window.h"
#include "platform/qt/qt_canvas.h"
#include "platform/qt/qt_clock.h"
#include "platform/qt/qt_dialogs.h"
#include "platform/qt/qt_print_device.h"
#include "platform/qt/retained_canvas.h"
#include "platform/qt/spinner_widget.h"
#include "support/scripted_dialogs.h"

namespace kestro::test {
namespace {

using Strings = std::vector<std::string>;

// The one QApplication of the test program, offscreen; never destroyed, since one torn down
// among the exit handlers crashes.
[[maybe_unused]] const QApplication* const kApplication = [] {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  static int argc = 1;
  static char name[] = "kestro_gui_tests";
  static char* argv[] = {name, nullptr};
  auto* application = new QApplication(argc, argv);
  QApplication::setQuitOnLastWindowClosed(false);
  return application;
}();

// Runs posted events, deferred deletions included, so closed windows are gone.
void SettleEvents() {
  for (int round = 0; round < 3; ++round) {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
  }
}

// A shell command's standard output and exit status.
std::string CommandOutput(const std::string& command, int* exitStatus = nullptr) {
  std::string output;
  FILE* pipe = popen(command.c_str(), "r");
  char buffer[512];
  while (pipe != nullptr && fgets(buffer, sizeof buffer, pipe) != nullptr)
    output += buffer;
  const int status = pipe != nullptr ? pclose(pipe) : -1;
  if (exitStatus != nullptr)
    *exitStatus = WEXITSTATUS(status);
  return output;
}

constexpr Rgb kWhite{255, 255, 255};
constexpr Rgb kRed{255, 0, 0};
constexpr Rgb kBlue{0, 0, 255};
constexpr Rgb kBack{238, 255, 255};

Rgb PixelAt(const QImage& image, int x, int y) {
  const QRgb pixel = image.pixel(x, y);
  return {uint8_t(qRed(pixel)), uint8_t(qGreen(pixel)), uint8_t(qBlue(pixel))};
}

int CountColour(const QImage& image, QRect area, Rgb colour) {
  int count = 0;
  for (int y = area.top(); y <= area.bottom(); ++y)
    for (int x = area.left(); x <= area.right(); ++x)
      count += PixelAt(image, x, y) == colour;
  return count;
}

// A white image of the given size with what `draw` puts on a canvas painting onto it.
QImage Drawn(QSize size, const std::function<void(QtCanvas&)>& draw) {
  QImage image(size, QImage::Format_RGB32);
  image.fill(Qt::white);
  draw(*std::make_unique<QtCanvas>(image));  // the canvas ends its painting with the statement
  return image;
}

QImage Replayed(const RetainedCanvas& drawing, QSize size) {
  return Drawn(size, [&drawing](QtCanvas& canvas) { drawing.ReplayOn(canvas); });
}

TEST(PageGeometry, FontIsTheScreenShareInTwipsAsPoints) {
  // 0.0008 x screen height in twips (pixels x 1440 / dpi).
  EXPECT_NEAR(PageGeometry::FontPoints(1080, 96), 12.96f, 1e-3);
  EXPECT_NEAR(PageGeometry::FontPoints(768, 72), 12.288f, 1e-3);
  // Pixels: 0.016 of the full screen height; a window at 40 % of a 1080-pixel screen keeps the
  // screen's font, and a font scale of 2 doubles it.
  EXPECT_NEAR(PageGeometry(QSizeF(1280, 800)).FontPixels(), 12.8, 1e-3);
  EXPECT_NEAR(PageGeometry(QSizeF(768, 432), 0.4f).FontPixels(), 17.28, 1e-3);
  EXPECT_NEAR(PageGeometry(QSizeF(1920, 1080)).FontPixels(2.0f), 34.56, 1e-3);
}

TEST(QtCanvas, FillsOutlinesAndLinesAtTheMappedPixels) {
  const QImage image = Drawn(QSize(1200, 900), [](QtCanvas& canvas) {  // 10 page units a pixel
    canvas.FillRect(1000, 1000, 3000, 2000, kRed);
    canvas.Rect(5000, 1000, 7000, 2000, kBlue);
    canvas.Line(0, 5000, 6000, 5000, kBlue);
    canvas.LineTo(6000, 8000, kRed);  // from the end of the last line
    canvas.Line(1000, 3000, 5000, 3000, kRed);
    canvas.SetLineWidth(2);
    canvas.Line(1000, 7000, 5000, 7000, kRed);
  });
  const std::tuple<int, int, Rgb> pixels[]{
      {200, 150, kRed},  {350, 150, kWhite}, {500, 150, kBlue}, {600, 150, kWhite},
      {300, 500, kBlue}, {700, 500, kWhite}, {600, 650, kRed},  {650, 650, kWhite}};
  for (const auto& [x, y, colour] : pixels)
    EXPECT_EQ(PixelAt(image, x, y), colour) << x << "," << y;
  // Width one is one pixel thick, width two two pixels.
  EXPECT_EQ(CountColour(image, QRect(200, 290, 1, 20), kRed), 1);
  EXPECT_EQ(CountColour(image, QRect(200, 690, 1, 20), kRed), 2);
}

TEST(QtCanvas, PrintsTextBelowAndRightOfThePointAndClearPaintsTheBackground) {
  const QImage image = Drawn(QSize(1920, 1080), [](QtCanvas& canvas) {
    canvas.SetTextColour(kBlue);
    canvas.Point(6000, 4500, kWhite);
    canvas.Print("Mousedown for data");
  });
  EXPECT_GT(CountColour(image, QRect(960, 540, 300, 30), kBlue), 50);  // below and right
  EXPECT_EQ(CountColour(image, QRect(900, 480, 400, 58), kBlue), 0);   // above
  EXPECT_EQ(CountColour(image, QRect(700, 540, 259, 30), kBlue), 0);   // left
  const QImage cleared = Drawn(QSize(600, 450), [](QtCanvas& canvas) {
    canvas.SetBackground(kBack);
    canvas.FillRect(0, 0, 6000, 4500, kRed);
    canvas.Clear();
  });
  EXPECT_EQ(CountColour(cleared, cleared.rect(), kBack), 600 * 450);
}

TEST(RetainedCanvas, IsRepaintedAtAnyWindowSizeUntilCleared) {
  int changes = 0;
  RetainedCanvas drawing([&changes] { ++changes; });
  drawing.FillRect(6000, 0, 12000, 4500, kRed);
  drawing.Line(0, 6000, 12000, 6000, kBlue);
  EXPECT_EQ(changes, 2);
  const QImage image = Replayed(drawing, QSize(640, 400));
  EXPECT_EQ(
      (std::vector{PixelAt(image, 480, 100), PixelAt(image, 160, 100), PixelAt(image, 320, 266)}),
      (std::vector{kRed, kWhite, kBlue}));
  drawing.Clear();
  EXPECT_GT(changes, 2);
  const QImage cleared = Replayed(drawing, QSize(120, 90));
  EXPECT_EQ(CountColour(cleared, cleared.rect(), kWhite), 120 * 90);
}

// A panel painted over and over keeps the list short; text printed after the fill still goes
// to the position a covered point set, and a line continues from the fill's far corner.
TEST(RetainedCanvas, DrawingCoveredByAFillIsDroppedButThePositionsStay) {
  RetainedCanvas drawing;
  drawing.Line(0, 8500, 12000, 8500, kBlue);  // outside the panel: kept
  for (int pass = 0; pass < 200; ++pass) {
    drawing.FillRect(1000, 1000, 7000, 7000, kBack);
    drawing.Line(2000, 2000, 6000, 6000, kRed);
    drawing.Point(3000, 3000, kRed);
    drawing.Print("x");
  }
  EXPECT_LT(drawing.Size(), 12u);
  drawing.FillRect(1000, 1000, 7000, 7000, kBack);  // covers the last line and point too
  drawing.SetTextColour(kBlue);
  drawing.Print("Mark");               // at (3000, 3000), where the covered point left it
  drawing.LineTo(12000, 3000, kBlue);  // from (7000, 7000), the corner of the fill
  const QImage image = Replayed(drawing, QSize(1200, 900));
  EXPECT_GT(80 * 25 - CountColour(image, QRect(300, 300, 80, 25), kBack), 20);  // the text's ink
  EXPECT_EQ(CountColour(image, QRect(200, 200, 95, 95), kBlue), 0);
  // The continued line, the old line painted over, the line outside the panel.
  EXPECT_EQ(
      (std::vector{PixelAt(image, 950, 500), PixelAt(image, 500, 500), PixelAt(image, 600, 850)}),
      (std::vector{kBlue, kBack, kBlue}));
}

// Labels redrawn where no fill clears them stay one command each; a label printed in another
// colour or text is kept.
TEST(RetainedCanvas, ALabelPrintedAgainAtItsPlaceReplacesTheEarlierOne) {
  RetainedCanvas drawing;
  auto label = [&drawing](const char* text, Rgb colour) {
    drawing.SetTextColour(colour);
    drawing.Point(1800, 7100, kBack);
    drawing.Print(text);
  };
  label("1K", kBlue);
  const std::size_t once = drawing.Size();
  for (int redraw = 0; redraw < 100; ++redraw)
    label("1K", kBlue);
  EXPECT_LE(drawing.Size(), once + 2);
  const std::size_t repeated = drawing.Size();
  label("2K", kBlue);
  label("1K", kRed);
  EXPECT_GE(drawing.Size(), repeated + 2);
  const QImage image = Replayed(drawing, QSize(1200, 900));
  EXPECT_GT(60 * 25 - CountColour(image, QRect(180, 710, 60, 25), kBack), 20);  // the labels' ink
}

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
  EXPECT_EQ((std::vector{QtDialogs::SelectedFilter(filter, 1), QtDialogs::SelectedFilter(filter, 2),
                         QtDialogs::SelectedFilter(filter, 7)}),
            (std::vector<QString>{"Easy (*.DAT *.dat)", "Scientific (*.TXT *.txt)",
                                  "Easy (*.DAT *.dat)"}));
}

TEST(QtClock, ReadsSecondsSinceMidnight) {
  const double before = QTime::currentTime().msecsSinceStartOfDay() / 1000.0;
  const double reading = QtClock().SecondsSinceMidnight();
  const double after = QTime::currentTime().msecsSinceStartOfDay() / 1000.0;
  if (after < before)
    GTEST_SKIP() << "midnight passed during the test";
  EXPECT_TRUE(reading >= before && reading <= after) << before << " " << reading << " " << after;
}

TEST(QtPrintDevice, PrintsTextAndLineWorkIntoAPdfFileOfTwoPages) {
  try {
    QtPrintDevice::ToPdf("/nonexistent-folder/sheet.pdf")->Print("never");
    ADD_FAILURE() << "printing into a missing folder succeeded";
  } catch (const PrintError& error) {
    EXPECT_NE(std::string(error.what()).find("/nonexistent-folder/sheet.pdf"), std::string::npos);
  }
  ScratchFolder folder;
  auto printer = QtPrintDevice::ToPdf("sheet.pdf");
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

// A page with one control of each kind that records what reaches it.
struct ProbePage final : Page {
  ProbePage() {
    SetBackColour({238, 255, 255});
    Add(ControlKind::ListBox, "lstRows", "", 0, 0, 6000, 3000).onRowClick = [this](int row) {
      (*this)["lblShown"].caption = "row " + std::to_string(row);
    };
    Add(ControlKind::ScrollBar, "hsbScroll", "", 0, 3000, 12000, 300).onChange = [this] {
      (*this)["lblShown"].caption = std::to_string((*this)["hsbScroll"].value);
    };
    (*this)["hsbScroll"].maximum = 100;
    Add(ControlKind::Label, "lblShown", "", 0, 4000, 6000, 300).onClick = [this] { ++clicks; };
    Add(ControlKind::Button, "cmdHide", "Hide", 6000, 4000, 2000, 300).onClick = [this] {
      (*this)["lblShown"].visible = false;
      (*this)["cmdHide"].enabled = false;
      (*this)["cmdHide"].face = Rgb{128, 255, 255};
      (*this)["lstRows"].rows = {"first", "second", "third"};
    };
    (*this)["lstRows"].rows = {"alpha", "beta"};
  }
  void OnMouseDown(int button, float x, float y) override {
    downs.push_back(std::to_string(button) + " " + std::to_string(std::lround(x / 10) * 10) + " " +
                    std::to_string(std::lround(y / 10) * 10));
  }
  // A red block in the lower right quarter of the page.
  void DrawMark() { canvas()->FillRect(9000, 6750, 12000, 9000, {255, 0, 0}); }

  std::vector<std::string> downs;
  int clicks = 0;
};

class PageWindowTest : public ::testing::Test {
 protected:
  PageWindowTest() {
    window.resize(1200, 900);
    window.show();
    SettleEvents();
  }
  template <typename Widget>
  Widget* Find(const char* name) {
    return qobject_cast<Widget*>(window.WidgetFor(name));
  }
  ProbePage* probe = new ProbePage;
  PageWindow window{std::unique_ptr<Page>(probe)};
};

// List rows, scroll bar and label clicks reach the page; the widgets then follow the controls.
TEST_F(PageWindowTest, EventsReachThePageAndWidgetsFollowItsControls) {
  auto* list = Find<QListWidget>("lstRows");
  auto* label = Find<QLabel>("lblShown");
  ASSERT_EQ(list->count(), 2);
  EXPECT_EQ(list->item(1)->text(), "beta");
  emit list->itemClicked(list->item(1));
  EXPECT_EQ(label->text(), "row 1");
  EXPECT_EQ(Find<QScrollBar>("hsbScroll")->maximum(), 100);
  Find<QScrollBar>("hsbScroll")->setValue(42);
  EXPECT_EQ(std::tuple((*probe)["hsbScroll"].value, label->text()), std::tuple(42, "42"));
  QTest::mouseClick(label, Qt::LeftButton);
  EXPECT_EQ(probe->clicks, 1);

  auto* hide = Find<QPushButton>("cmdHide");
  hide->click();
  EXPECT_EQ(std::tuple(label->isHidden(), hide->isEnabled(),
                       hide->styleSheet().contains("rgb(128, 255, 255)"), list->count()),
            std::tuple(true, false, true, 3));
  EXPECT_EQ(list->item(2)->text(), "third");
}

// Presses below the controls arrive in page units, the button counted from one; controls, their
// font and the drawing scale with the window.
TEST_F(PageWindowTest, MousePressesArriveInPageUnitsAndEverythingScales) {
  QWidget* button = window.WidgetFor("cmdHide");
  EXPECT_EQ(std::tuple(button->geometry(), button->font().pixelSize()),
            std::tuple(QRect(600, 400, 200, 30), 14));  // 0.016 x 900 pixels = 14.4
  window.resize(2400, 1350);                            // the page's units stretch unevenly
  SettleEvents();
  EXPECT_EQ(std::tuple(button->geometry(), button->font().pixelSize()),
            std::tuple(QRect(1200, 600, 400, 45), 22));  // 0.016 x 1350 pixels = 21.6
  QTest::mouseClick(&window, Qt::LeftButton, {}, QPoint(1200, 1050));
  QTest::mouseClick(&window, Qt::RightButton, {}, QPoint(2200, 1200));
  EXPECT_EQ(probe->downs, (std::vector<std::string>{"1 6000 7000", "2 11000 8000"}));

  // The background is painted and the drawing kept after a resize.
  EXPECT_EQ(window.grab().toImage().pixelColor(1100, 800), QColor(238, 255, 255));
  probe->DrawMark();
  for (const QSize size : {QSize(1200, 900), QSize(800, 500)}) {  // back, and smaller
    window.resize(size);
    SettleEvents();
    const QImage shown = window.grab().toImage();
    const int w = shown.width(), h = shown.height();
    EXPECT_EQ(
        std::tuple(shown.pixelColor(w * 7 / 8, h * 7 / 8), shown.pixelColor(w * 5 / 8, h * 7 / 8)),
        std::tuple(QColor(255, 0, 0), QColor(238, 255, 255)))
        << w;
  }
}

// A smaller window opens at its share of the screen: centred, or where the page places it.
TEST(PageWindowPlacement, OpensCentredOrAtThePagesPosition) {
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
        placed ? screen.topLeft() +
                     QPoint(static_cast<int>(static_cast<float>(screen.width()) * 0.4f),
                            static_cast<int>(static_cast<float>(screen.height()) * 0.13f))
               : screen.center() - QPoint(window.width() / 2, window.height() / 2);
    EXPECT_EQ(window.size(), QSize(static_cast<int>(static_cast<float>(screen.width()) * 0.25f),
                                   static_cast<int>(static_cast<float>(screen.height()) * 0.5f)));
    EXPECT_EQ(window.pos(), expected) << placed;
  }
}

// The caption a control's widget shows: a frame's title, or the text of a button, label or box.
std::string Shown(const QWidget* widget) {
  const char* property = qobject_cast<const QGroupBox*>(widget) ? "title" : "text";
  return widget == nullptr ? "(none)" : widget->property(property).toString().toStdString();
}

class ShellTest : public ::testing::Test {
 protected:
  ~ShellTest() override {
    shell.reset();
    SettleEvents();
  }
  template <typename Widget = QWidget>
  Widget* Find(PageId page, const char* name) {
    PageWindow* window = shell->WindowOf(page);
    return window == nullptr ? nullptr : qobject_cast<Widget*>(window->WidgetFor(name));
  }
  void Click(PageId page, const char* button) {
    ASSERT_NE(Find<QPushButton>(page, button), nullptr) << button;
    Find<QPushButton>(page, button)->click();
    SettleEvents();
  }

  ScratchFolder folder;
  ScriptedDialogs dialogs;
  PageFactory factory{"/usr/local/bin"};
  std::unique_ptr<Shell> shell = std::make_unique<Shell>(factory, dialogs, false);
};

TEST_F(ShellTest, EveryPageBuildsItsWidgets) {
  using enum PageId;
  using enum OpenMode;
  const std::vector<std::pair<PageId, OpenMode>> pages{
      {Opening, Switch},   {Design, Switch},    {Plot, Switch},    {Schematic, Switch},
      {Tabulated, Switch}, {WriteFiles, Modal}, {Transient, Over}, {Poles, Modal},
      {Marker, Over},      {About, Over},       {Exit, Modal}};
  shell->Context().record.SetOpeningDefaults();
  for (const auto& [id, mode] : pages) {
    PageWindow window(factory.Create(id, mode, shell->Context()));
    window.resize(1280, 800);
    window.show();
    SettleEvents();
    Page& page = window.HostedPage();
    EXPECT_EQ(std::tuple(window.windowTitle().toStdString(), page.WindowCaption().empty()),
              std::tuple(page.WindowCaption(), false));
    for (const Control& control : page.Controls()) {
      const QWidget* widget = window.WidgetFor(control.name);
      ASSERT_NE(widget, nullptr) << control.name;
      const bool captioned = control.kind < ControlKind::Spinner;  // not a spinner, list or bar
      EXPECT_EQ(std::tuple(widget->isHidden(), widget->isEnabled(),
                           captioned ? Shown(widget) : control.caption,
                           window.rect().contains(widget->geometry())),
                std::tuple(!control.visible, control.enabled, control.caption, true))
          << control.name;
    }
  }
}

TEST_F(ShellTest, ClickThroughThePagesThatExist) {
  using enum PageId;
  shell->Start();
  SettleEvents();
  ASSERT_NE(shell->WindowOf(Opening), nullptr);
  EXPECT_EQ(shell->WindowOf(Opening)->windowTitle(), "KestroLab - Welcome!");
  EXPECT_TRUE(shell->WindowOf(Opening)->isVisible());

  Click(Opening, "cmdStart");  // no last session here: the reader's message
  EXPECT_EQ(dialogs.Texts(),
            Strings{"The KESTRO file was not read correctly; defaults are being used"});
  EXPECT_EQ(std::tuple(shell->WindowOf(Opening), shell->MainPage()), std::tuple(nullptr, Design));
  ASSERT_NE(shell->WindowOf(Design), nullptr);
  EXPECT_EQ(shell->WindowOf(Design)->windowTitle(), "KestroLab - Design");
  EXPECT_EQ((std::vector{Shown(Find(Design, "txtWidth")), Shown(Find(Design, "txtInts")),
                         Shown(Find(Design, "lblPerYinterval"))}),
            (Strings{" 3K ", "500 ", "per interval: 10dB"}));
  EXPECT_TRUE(Find<QRadioButton>(Design, "optButterworth")->isChecked());
  EXPECT_FALSE(Find(Design, "txtApass")->isEnabled());

  QLineEdit* width = Find<QLineEdit>(Design, "txtWidth");
  width->clear();
  QTest::keyClicks(width, "20M");
  Find<QLineEdit>(Design, "txtdBBottom")->selectAll();
  QTest::keyClicks(Find(Design, "txtdBBottom"), "-80");
  EXPECT_EQ(Shown(Find(Design, "lblPerYinterval")), "per interval: 15dB");

  Click(Design, "cmdDesign");
  EXPECT_EQ(dialogs.Texts().back(), "The filter bandwidth has been reset downward to 10 MHz");
  EXPECT_EQ(width->text(), "10M");
  const DesignRecord& record = shell->Context().record;
  EXPECT_EQ(std::tuple(record.Bandwidth, record.dBbottom, record.C[1][2] > 0, shell->MainPage()),
            std::tuple(1e7f, -80.0f, true, Design));

  // Options and spinners.
  Find<QRadioButton>(Design, "optChebyshev")->click();
  EXPECT_EQ(std::tuple(Find<QRadioButton>(Design, "optChebyshev")->isChecked(),
                       Find<QRadioButton>(Design, "optButterworth")->isChecked(),
                       Find(Design, "txtApass")->isEnabled(), shell->Context().record.Family),
            std::tuple(true, false, true, int16_t{kChebyshev}));

  auto* order = dynamic_cast<SpinnerWidget*>(Find(Design, "UpDown1"));
  ASSERT_NE(order, nullptr);
  order->UpButton()->click();
  order->UpButton()->click();
  EXPECT_EQ(Shown(Find(Design, "lblOrderInput")), "5");
  order->DownButton()->click();
  EXPECT_EQ(Shown(Find(Design, "lblOrderInput")), "4");

  // A view: the command designs first, the view replaces the design page, Design comes back.
  Click(Design, "cmdSchematic");
  EXPECT_EQ(std::tuple(shell->Context().record.Order, shell->MainPage(),
                       shell->WindowOf(Design) == nullptr),
            std::tuple(4, Schematic, true));
  Click(Schematic, "cmdDesign");
  EXPECT_EQ(std::tuple(shell->MainPage(), shell->WindowOf(Schematic)), std::tuple(Design, nullptr));

  // About opens over the design page and Return closes it; closing the design page from its
  // title bar asks through the exit page, where Cancel stays; Quit there saves and ends.
  PageWindow* design = shell->WindowOf(Design);
  ASSERT_NE(design, nullptr);
  Click(Design, "cmdAbout");
  ASSERT_NE(shell->WindowOf(About), nullptr);
  EXPECT_EQ(shell->WindowOf(About)->windowTitle(), "KestroLab - About");
  EXPECT_EQ(Shown(Find(About, "lblPath")), "/usr/local/bin");
  EXPECT_LT(shell->WindowOf(About)->width(), design->width());
  Click(About, "cmdExit");
  EXPECT_EQ(shell->WindowOf(About), nullptr);

  EXPECT_FALSE(design->close());
  ASSERT_NE(shell->WindowOf(Exit), nullptr);
  EXPECT_EQ(shell->WindowOf(Exit)->windowModality(), Qt::ApplicationModal);
  Click(Exit, "cmdCancel");
  EXPECT_EQ(std::tuple(shell->WindowOf(Exit), shell->WindowOf(Design),
                       std::filesystem::exists("LASTSESSION.KST"), shell->Ended()),
            std::tuple(nullptr, design, false, false));

  Click(Design, "cmdQuit");
  Click(Exit, "cmdExit");
  EXPECT_EQ(std::tuple(shell->Ended(), std::filesystem::exists("LASTSESSION.KST"),
                       shell->WindowOf(Design)),
            std::tuple(true, true, nullptr));
}

TEST(DisplayCheck, NeedsADisplayOnlyForPlatformsThatUseOne) {
  const std::pair<DisplayEnvironment, bool> cases[]{
      {{"", "", ""}, false},         {{"", ":0", ""}, true},
      {{"", "", "wayland-0"}, true}, {{"xcb", "", "wayland-0"}, false},
      {{"xcb", ":99", ""}, true},    {{"wayland", ":0", ""}, false},
      {{"offscreen", "", ""}, true}, {{"vnc", "", ""}, true}};
  for (const auto& [environment, available] : cases) {
    EXPECT_EQ(DisplayAvailable(environment), available)
        << environment.platform << "|" << environment.x11Display << "|"
        << environment.waylandDisplay;
  }
}

TEST(DisplayCheck, TheProgramSaysSoInOneLineAndFails) {
  int status = -1;
  const std::string output = CommandOutput(
      "env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM " KESTROLAB_PROGRAM " 2>&1", &status);
  EXPECT_EQ(std::tuple(status, std::count(output.begin(), output.end(), '\n'),
                       output.find("xvfb-run") != std::string::npos,
                       output.find("kestrolab-cli") != std::string::npos),
            std::tuple(1, 1, true, true))
      << output;
}

}  // namespace
}  // namespace kestro::test
