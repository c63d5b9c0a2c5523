// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/qt/picture_icon.h"

#include <QPainter>
#include <QPixmap>

namespace kestro {

QIcon PictureIcon(const ButtonPicture& picture, QSize size) {
  if (picture.empty() || size.isEmpty())
    return {};
  QPixmap pixmap(size);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing);
  const double w = size.width();
  const double h = size.height();
  for (const PictureStroke& stroke : picture) {
    const QColor colour(stroke.colour.r, stroke.colour.g, stroke.colour.b);
    const QPointF from(stroke.x1 * w, stroke.y1 * h);
    const QPointF to(stroke.x2 * w, stroke.y2 * h);
    if (stroke.kind == PictureStroke::Kind::Fill) {
      painter.fillRect(QRectF(from, to).normalized(), colour);
    } else {
      painter.setPen(QPen(colour, stroke.width, Qt::SolidLine, Qt::FlatCap));
      painter.drawLine(from, to);
    }
  }
  return QIcon(pixmap);
}

}  // namespace kestro
