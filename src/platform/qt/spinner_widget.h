// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>
#include <functional>

class QToolButton;

namespace kestro {

// An up-down control: two arrow buttons, up above down. It keeps no value of its own; each
// press reports a step of +1 or -1 and the page decides the value its buddy label shows.
class SpinnerWidget final : public QWidget {
 public:
  explicit SpinnerWidget(QWidget* parent = nullptr);

  std::function<void(int step)> stepped;

  QToolButton* UpButton() const { return up_; }
  QToolButton* DownButton() const { return down_; }

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  QToolButton* up_;
  QToolButton* down_;
};

}  // namespace kestro
