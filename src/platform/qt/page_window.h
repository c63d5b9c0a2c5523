// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/page.h"
#include "platform/qt/backed_canvas.h"
#include "platform/qt/page_geometry.h"

class QListWidget;

namespace kestro {

// One window that hosts any page: a Qt widget per control, placed by mapping the page's
// 12000 x 9000 units onto the window, the page's drawing painted below the controls and kept
// until the page clears it. Events go to the page; after each one every widget is brought back
// in line with its control, so page logic only ever changes plain data.
class PageWindow final : public QWidget {
 public:
  explicit PageWindow(std::unique_ptr<Page> page, QWidget* parent = nullptr);
  ~PageWindow() override;

  Page& HostedPage() { return *page_; }
  // The widget that shows the named control (nullptr for an unknown name).
  QWidget* WidgetFor(const std::string& name) const;

  // Brings every widget in line with its control's state.
  void Sync();
  // Opens maximised, or at the page's share of the screen: where the page places it, or centred.
  void ShowAsPage();
  // Closes the window without asking closeRequested (the program closes it).
  void CloseByProgram();

  // Asked when the user closes the window from its title bar: true lets it close.
  std::function<bool()> closeRequested;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  struct Entry {
    Control* control;
    QWidget* widget;
    QString style;                  // the style sheet last applied
    std::vector<std::string> rows;  // list boxes: the rows last shown
  };

  void BuildMissingWidgets();
  QWidget* MakeWidget(Control& control);
  QWidget* MakeButton(Control& control);
  QWidget* MakeTextBox(Control& control);
  QWidget* MakeOption(Control& control);
  QWidget* MakeSpinner(Control& control);
  QWidget* MakeListBox(Control& control);
  QWidget* MakeScrollBar(Control& control);
  void Place(Entry& entry) const;
  void SyncEntry(Entry& entry);
  void SyncContent(Entry& entry);  // the caption, rows or value of each kind of widget
  void SyncList(Entry& entry, QListWidget* list);
  void SyncStyle(Entry& entry);
  // Runs an event on the page, then syncs the widgets.
  void Deliver(const std::function<void()>& event);
  PageGeometry Geometry() const;
  QPointF PagePosition(const QMouseEvent* event) const;
  // At most one repaint a frame, however fast the page draws: the first change repaints at once,
  // later ones within the frame wait for its end.
  void ScheduleRepaint();
  void EndFrame();

  std::unique_ptr<Page> page_;
  BackedCanvas drawing_;
  QTimer frame_;
  bool repaintWaiting_ = false;
  std::vector<Entry> entries_;
  bool shown_ = false;
  bool closingByProgram_ = false;
  bool syncing_ = false;
};

}  // namespace kestro
