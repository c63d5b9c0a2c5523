// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/qt/page_window.h"

#include <QCloseEvent>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScrollBar>
#include <cmath>
#include <vector>

#include "platform/qt/picture_icon.h"
#include "platform/qt/spinner_widget.h"

namespace kestro {

namespace {

QString ToQString(const std::string& text) {
  return QString::fromStdString(text);
}

QString RgbText(Rgb colour) {
  return QStringLiteral("rgb(%1, %2, %3)").arg(colour.r).arg(colour.g).arg(colour.b);
}

Qt::Alignment ToAlignment(TextAlign align) {
  switch (align) {
    case TextAlign::Center:
      return Qt::AlignHCenter | Qt::AlignVCenter;
    case TextAlign::Right:
      return Qt::AlignRight | Qt::AlignVCenter;
    case TextAlign::Left:
      break;
  }
  return Qt::AlignLeft | Qt::AlignVCenter;
}

// Mouse buttons as the pages count them: 1 left, 2 right, 4 middle.
int ButtonCode(Qt::MouseButtons buttons) {
  int code = 0;
  if (buttons & Qt::LeftButton)
    code |= 1;
  if (buttons & Qt::RightButton)
    code |= 2;
  if (buttons & Qt::MiddleButton)
    code |= 4;
  return code;
}

// 30 ms: more than 30 repaints a second during a long run, each one image copy.
constexpr int kFrameMilliseconds = 30;

float ScreenWidthTwips(const QScreen* screen) {
  if (screen == nullptr)
    return 1920 * 15;
  return static_cast<float>(screen->geometry().width()) * 1440.0f /
         static_cast<float>(screen->logicalDotsPerInchX());
}

// Every open page window. A page's event may change another page's controls (Enter in the
// limits window disables buttons of the analysis page), so after each event all windows sync.
std::vector<PageWindow*>& OpenWindows() {
  static std::vector<PageWindow*> windows;
  return windows;
}

}  // namespace

PageWindow::PageWindow(std::unique_ptr<Page> page, QWidget* parent)
    : QWidget(parent), page_(std::move(page)), drawing_([this] { ScheduleRepaint(); }) {
  setAttribute(Qt::WA_DeleteOnClose);
  setAttribute(Qt::WA_OpaquePaintEvent);  // the backing image covers the whole window
  setMouseTracking(true);
  drawing_.SetScreenWidthTwips(ScreenWidthTwips(QGuiApplication::primaryScreen()));
  drawing_.SetHeightShare(page_->WindowHeightShare());
  page_->SetCanvas(&drawing_);
  if (const auto& back = page_->BackColour()) {
    QPalette colours = palette();
    colours.setColor(QPalette::Window, QColor(back->r, back->g, back->b));
    setPalette(colours);
    setAutoFillBackground(true);
  }
  drawing_.SetBackground(palette().color(QPalette::Window));
  drawing_.Resize(size());
  frame_.setSingleShot(true);
  frame_.setInterval(kFrameMilliseconds);
  connect(&frame_, &QTimer::timeout, this, [this] { EndFrame(); });
  BuildMissingWidgets();
  Sync();
  OpenWindows().push_back(this);
}

PageWindow::~PageWindow() {
  std::erase(OpenWindows(), this);
  page_->SetCanvas(nullptr);
}

QWidget* PageWindow::WidgetFor(const std::string& name) const {
  for (const Entry& entry : entries_) {
    if (entry.control->name == name)
      return entry.widget;
  }
  return nullptr;
}

// --- Building the widgets ---

void PageWindow::BuildMissingWidgets() {
  auto& controls = page_->Controls();
  for (std::size_t i = entries_.size(); i < controls.size(); ++i) {
    Control& control = controls[i];
    QWidget* widget = MakeWidget(control);
    widget->setObjectName(ToQString(control.name));
    if (control.kind == ControlKind::Frame) {
      widget->lower();
    } else {
      widget->raise();
    }
    entries_.push_back({&control, widget, {}, {}});
    Place(entries_.back());
  }
}

QWidget* PageWindow::MakeWidget(Control& control) {
  switch (control.kind) {
    case ControlKind::Button:
      return MakeButton(control);
    case ControlKind::TextBox:
      return MakeTextBox(control);
    case ControlKind::Option:
      return MakeOption(control);
    case ControlKind::Frame:
      return new QGroupBox(this);
    case ControlKind::Spinner:
      return MakeSpinner(control);
    case ControlKind::ListBox:
      return MakeListBox(control);
    case ControlKind::ScrollBar:
      return MakeScrollBar(control);
    case ControlKind::Label:
      break;
  }
  auto* label = new QLabel(this);
  label->setWordWrap(true);
  label->installEventFilter(this);
  return label;
}

QWidget* PageWindow::MakeButton(Control& control) {
  auto* button = new QPushButton(this);
  const std::string name = control.name;
  connect(button, &QPushButton::clicked, this,
          [this, name] { Deliver([this, name] { page_->Click(name); }); });
  return button;
}

QWidget* PageWindow::MakeTextBox(Control& control) {
  auto* box = new QLineEdit(this);
  const std::string name = control.name;
  connect(box, &QLineEdit::textEdited, this, [this, name](const QString& text) {
    Deliver([this, name, text] { page_->Type(name, text.toStdString()); });
  });
  return box;
}

QWidget* PageWindow::MakeOption(Control& control) {
  auto* option = new QRadioButton(this);
  option->setAutoExclusive(false);  // the page unchecks the other options of the frame
  const std::string name = control.name;
  connect(option, &QRadioButton::clicked, this,
          [this, name] { Deliver([this, name] { page_->SelectOption(name); }); });
  return option;
}

QWidget* PageWindow::MakeSpinner(Control& control) {
  auto* spinner = new SpinnerWidget(this);
  Control* state = &control;
  spinner->stepped = [this, state](int step) {
    Deliver([this, state, step] { page_->Spin(state->name, state->value + step); });
  };
  return spinner;
}

QWidget* PageWindow::MakeListBox(Control& control) {
  auto* list = new QListWidget(this);
  list->setUniformItemSizes(true);  // long lists open and scroll without measuring every row
  const std::string name = control.name;
  connect(list, &QListWidget::itemClicked, this, [this, name, list](QListWidgetItem* item) {
    const int row = list->row(item);
    Deliver([this, name, row] { page_->ClickRow(name, row); });
  });
  return list;
}

QWidget* PageWindow::MakeScrollBar(Control& control) {
  auto* bar = new QScrollBar(Qt::Horizontal, this);
  Control* state = &control;
  connect(bar, &QScrollBar::valueChanged, this, [this, state](int value) {
    if (syncing_ || value == state->value)
      return;
    Deliver([state, value] {
      state->value = value;
      if (state->onChange)
        state->onChange();
    });
  });
  return bar;
}

// --- Keeping the widgets in line with the controls ---

PageGeometry PageWindow::Geometry() const {
  return PageGeometry(QSizeF(width(), height()), page_->WindowHeightShare());
}

void PageWindow::Place(Entry& entry) const {
  const Control& control = *entry.control;
  const QRect area =
      Geometry().ToPixels(control.left, control.top, control.width, control.height).toRect();
  entry.widget->setGeometry(area);
  QFont font = entry.widget->font();
  font.setPixelSize(static_cast<int>(std::lround(Geometry().FontPixels(control.fontScale))));
  font.setBold(control.bold);
  if (control.fixedPitch) {
    font.setFamily(QStringLiteral("Courier"));
    font.setStyleHint(QFont::TypeWriter);
    font.setFixedPitch(true);
  }
  entry.widget->setFont(font);
  auto* button = qobject_cast<QPushButton*>(entry.widget);
  if (button != nullptr && !control.picture.empty()) {
    const QSize inside = area.size() * 0.82;  // a margin of the face shows around the picture
    button->setIcon(PictureIcon(control.picture, inside));
    button->setIconSize(inside);
  }
}

void PageWindow::Sync() {
  syncing_ = true;
  BuildMissingWidgets();
  setWindowTitle(ToQString(page_->WindowCaption()));
  for (Entry& entry : entries_)
    SyncEntry(entry);
  syncing_ = false;
}

namespace {

// Setting an unchanged text would move a text box's cursor and repaint: set only a change.
template <typename Widget>
void SetTextIfChanged(Widget* widget, const QString& text) {
  if (widget->text() != text)
    widget->setText(text);
}

void SyncScrollBar(QScrollBar* bar, const Control& control) {
  const int maximum = std::max(control.minimum, control.maximum);
  bar->setRange(control.minimum, maximum);
  // An arrow moves a fortieth of the range, a click beside the handle an eighth.
  bar->setSingleStep(std::max(1, (maximum - control.minimum) / 40));
  bar->setPageStep(std::max(1, (maximum - control.minimum) / 8));
  bar->setValue(control.value);
}

}  // namespace

void PageWindow::SyncEntry(Entry& entry) {
  const Control& control = *entry.control;
  QWidget* widget = entry.widget;
  SyncContent(entry);
  if (widget->font().bold() != control.bold) {
    QFont font = widget->font();
    font.setBold(control.bold);
    widget->setFont(font);
  }
  SyncStyle(entry);
  if (widget->isEnabled() != control.enabled)
    widget->setEnabled(control.enabled);
  if (widget->isHidden() == control.visible)
    widget->setVisible(control.visible);
}

void PageWindow::SyncContent(Entry& entry) {
  const Control& control = *entry.control;
  QWidget* widget = entry.widget;
  const QString caption = ToQString(control.caption);
  if (auto* button = qobject_cast<QPushButton*>(widget)) {
    SetTextIfChanged(button, caption);
  } else if (auto* label = qobject_cast<QLabel*>(widget)) {
    SetTextIfChanged(label, caption);
    label->setAlignment(ToAlignment(control.align));
  } else if (auto* box = qobject_cast<QLineEdit*>(widget)) {
    SetTextIfChanged(box, caption);
    box->setAlignment(ToAlignment(control.align));
  } else if (auto* option = qobject_cast<QRadioButton*>(widget)) {
    SetTextIfChanged(option, caption);
    option->setChecked(control.checked);
  } else if (auto* frame = qobject_cast<QGroupBox*>(widget)) {
    if (frame->title() != caption)
      frame->setTitle(caption);
  } else if (auto* list = qobject_cast<QListWidget*>(widget)) {
    SyncList(entry, list);
  } else if (auto* bar = qobject_cast<QScrollBar*>(widget)) {
    SyncScrollBar(bar, control);
  }
}

void PageWindow::SyncList(Entry& entry, QListWidget* list) {
  const Control& control = *entry.control;
  if (entry.rows == control.rows)  // compared as plain text: cheap after every event
    return;
  QStringList rows;
  for (const std::string& row : control.rows)
    rows << ToQString(row);
  list->clear();
  list->addItems(rows);
  entry.rows = control.rows;
}

void PageWindow::SyncStyle(Entry& entry) {
  const Control& control = *entry.control;
  QString style;
  if (control.face)
    style += QStringLiteral("background-color: %1;").arg(RgbText(*control.face));
  if (control.foreColour)
    style += QStringLiteral("color: %1;").arg(RgbText(*control.foreColour));
  if (style == entry.style)
    return;
  entry.style = style;
  entry.widget->setStyleSheet(style);
}

void PageWindow::Deliver(const std::function<void()>& event) {
  event();
  for (PageWindow* window : OpenWindows())
    window->Sync();
}

// --- Window ---

void PageWindow::ShowAsPage() {
  const QScreen* screen = QGuiApplication::primaryScreen();
  const QRect available = screen != nullptr ? screen->availableGeometry() : QRect(0, 0, 1280, 800);
  const float widthShare = page_->WindowWidthShare();
  const float heightShare = page_->WindowHeightShare();
  if (widthShare >= 1.0f && heightShare >= 1.0f) {
    setGeometry(available);
    showMaximized();
    return;
  }
  const auto share = [](int pixels, float part) {
    return static_cast<int>(static_cast<float>(pixels) * part);  // in single, as the page gives it
  };
  const QSize size(share(available.width(), widthShare), share(available.height(), heightShare));
  resize(size);
  if (const auto& position = page_->WindowPosition()) {
    move(available.topLeft() + QPoint(share(available.width(), position->first),
                                      share(available.height(), position->second)));
  } else {
    move(available.center() - QPoint(size.width() / 2, size.height() / 2));
  }
  show();
}

void PageWindow::CloseByProgram() {
  closingByProgram_ = true;
  close();
}

void PageWindow::ScheduleRepaint() {
  if (frame_.isActive()) {
    repaintWaiting_ = true;
    return;
  }
  update(drawing_.TakeDirty());
  frame_.start();
}

void PageWindow::EndFrame() {
  if (!repaintWaiting_)
    return;
  repaintWaiting_ = false;
  update(drawing_.TakeDirty());
  frame_.start();
}

void PageWindow::paintEvent(QPaintEvent* event) {
  QPainter painter(this);
  const QRect area = event->rect();
  painter.drawImage(area, drawing_.Image(), area);
}

void PageWindow::resizeEvent(QResizeEvent* /*event*/) {
  for (Entry& entry : entries_)
    Place(entry);
  drawing_.Resize(size());
  update();
}

void PageWindow::showEvent(QShowEvent* /*event*/) {
  if (shown_)
    return;
  shown_ = true;
  Deliver([this] { page_->OnShown(); });
}

void PageWindow::closeEvent(QCloseEvent* event) {
  if (closingByProgram_ || !closeRequested || closeRequested()) {
    event->accept();
  } else {
    event->ignore();
  }
}

QPointF PageWindow::PagePosition(const QMouseEvent* event) const {
  return Geometry().ToPage(event->position());
}

void PageWindow::mousePressEvent(QMouseEvent* event) {
  const QPointF at = PagePosition(event);
  const int button = ButtonCode(event->button());
  Deliver([this, at, button] {
    page_->OnMouseDown(button, static_cast<float>(at.x()), static_cast<float>(at.y()));
  });
}

void PageWindow::mouseMoveEvent(QMouseEvent* event) {
  const QPointF at = PagePosition(event);
  const int button = ButtonCode(event->buttons());
  Deliver([this, at, button] {
    page_->OnMouseMove(button, static_cast<float>(at.x()), static_cast<float>(at.y()));
  });
}

void PageWindow::mouseReleaseEvent(QMouseEvent* event) {
  const QPointF at = PagePosition(event);
  const int button = ButtonCode(event->button());
  Deliver([this, at, button] {
    page_->OnMouseUp(button, static_cast<float>(at.x()), static_cast<float>(at.y()));
  });
}

// Labels with a click handler report presses like buttons do.
bool PageWindow::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::MouseButtonPress) {
    for (const Entry& entry : entries_) {
      if (entry.widget == watched && entry.control->onClick) {
        const std::string name = entry.control->name;
        Deliver([this, name] { page_->Click(name); });
        return true;
      }
    }
  }
  return QWidget::eventFilter(watched, event);
}

}  // namespace kestro
