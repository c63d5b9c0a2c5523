// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/qt/spinner_widget.h"

#include <QToolButton>

namespace kestro {

namespace {

QToolButton* MakeArrow(QWidget* parent, Qt::ArrowType arrow) {
  auto* button = new QToolButton(parent);
  button->setArrowType(arrow);
  button->setAutoRepeat(true);
  button->setFocusPolicy(Qt::NoFocus);
  return button;
}

}  // namespace

SpinnerWidget::SpinnerWidget(QWidget* parent)
    : QWidget(parent), up_(MakeArrow(this, Qt::UpArrow)), down_(MakeArrow(this, Qt::DownArrow)) {
  QObject::connect(up_, &QToolButton::clicked, this, [this] {
    if (stepped)
      stepped(+1);
  });
  QObject::connect(down_, &QToolButton::clicked, this, [this] {
    if (stepped)
      stepped(-1);
  });
}

void SpinnerWidget::resizeEvent(QResizeEvent* /*event*/) {
  const int half = height() / 2;
  up_->setGeometry(0, 0, width(), half);
  down_->setGeometry(0, half, width(), height() - half);
}

}  // namespace kestro
