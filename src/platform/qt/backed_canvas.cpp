// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/qt/backed_canvas.h"

#include <algorithm>

namespace kestro {

BackedCanvas::BackedCanvas(std::function<void()> changed, std::size_t maxKeptPoints)
    : changed_(std::move(changed)), kept_({}, 28800, maxKeptPoints) {
  Resize(QSize(1, 1));
}

BackedCanvas::~BackedCanvas() {
  Close();
}

// --- Painting target ---

void BackedCanvas::Open() {
  painter_ = std::make_unique<QPainter>(&image_);
  target_ = std::make_unique<QtCanvas>(*painter_, QSizeF(image_.size()), heightShare_,
                                       kept_.ScreenWidthTwips());
  target_->SetBackground({static_cast<uint8_t>(background_.red()),
                          static_cast<uint8_t>(background_.green()),
                          static_cast<uint8_t>(background_.blue())});
}

void BackedCanvas::Close() {
  target_.reset();  // paints what it still holds
  if (painter_)
    painter_->end();
  painter_.reset();
}

void BackedCanvas::SetBackground(QColor colour) {
  background_ = colour;
  Rebuild();
}

void BackedCanvas::SetHeightShare(float share) {
  heightShare_ = share;
  Rebuild();
}

// Paints the image again from the kept commands, at its size.
void BackedCanvas::Rebuild() {
  const QSize size = image_.size();
  Close();
  image_ = QImage();
  Resize(size);
}

void BackedCanvas::Resize(QSize pixels) {
  pixels = pixels.expandedTo(QSize(1, 1));
  if (pixels == image_.size())
    return;
  Close();
  QImage old = std::move(image_);
  image_ = QImage(pixels, QImage::Format_RGB32);
  image_.fill(background_);
  if (!kept_.Complete() && !old.isNull()) {
    QPainter scaler(&image_);
    scaler.setRenderHint(QPainter::SmoothPixmapTransform);
    scaler.drawImage(image_.rect(), old);
  }
  Open();
  if (kept_.Complete())
    kept_.ReplayOn(*target_);
  kept_.PrimeState(*target_);
}

const QImage& BackedCanvas::Image() {
  target_->Flush();
  return image_;
}

void BackedCanvas::Changed(float x1, float y1, float x2, float y2) {
  dirtyX1_ = std::min({dirtyX1_, x1, x2});
  dirtyY1_ = std::min({dirtyY1_, y1, y2});
  dirtyX2_ = std::max({dirtyX2_, x1, x2});
  dirtyY2_ = std::max({dirtyY2_, y1, y2});
  if (changed_)
    changed_();
}

void BackedCanvas::ChangedAll() {
  Changed(0, 0, kPageWidth, kPageHeight);
}

// Text reaches right and down of its position by an amount the page cannot know: its whole
// line is taken. Lines get a margin of a few pixels for their width.
QRect BackedCanvas::TakeDirty() {
  if (dirtyX1_ > dirtyX2_)
    return {};
  const PageGeometry geometry(QSizeF(image_.size()), heightShare_);
  const QRectF area(geometry.ToPixels(dirtyX1_, dirtyY1_), geometry.ToPixels(dirtyX2_, dirtyY2_));
  dirtyX1_ = kPageWidth;
  dirtyY1_ = kPageHeight;
  dirtyX2_ = dirtyY2_ = 0;
  return area.normalized().toAlignedRect().adjusted(-3, -3, 3, 3);
}

// --- Canvas: each command is kept and painted ---

void BackedCanvas::FillRect(float x1, float y1, float x2, float y2, Rgb colour) {
  kept_.FillRect(x1, y1, x2, y2, colour);
  target_->FillRect(x1, y1, x2, y2, colour);
  current_ = QPointF(x2, y2);
  Changed(x1, y1, x2, y2);
}

void BackedCanvas::Rect(float x1, float y1, float x2, float y2, Rgb colour) {
  kept_.Rect(x1, y1, x2, y2, colour);
  target_->Rect(x1, y1, x2, y2, colour);
  current_ = QPointF(x2, y2);
  Changed(x1, y1, x2, y2);
}

void BackedCanvas::Line(float x1, float y1, float x2, float y2, Rgb colour) {
  kept_.Line(x1, y1, x2, y2, colour);
  target_->Line(x1, y1, x2, y2, colour);
  current_ = QPointF(x2, y2);
  Changed(x1, y1, x2, y2);
}

void BackedCanvas::LineTo(float x, float y, Rgb colour) {
  kept_.LineTo(x, y, colour);
  target_->LineTo(x, y, colour);
  Changed(static_cast<float>(current_.x()), static_cast<float>(current_.y()), x, y);
  current_ = QPointF(x, y);
}

void BackedCanvas::Point(float x, float y, Rgb colour) {
  kept_.Point(x, y, colour);
  target_->Point(x, y, colour);
  current_ = QPointF(x, y);
  Changed(x, y, x, y);
}

void BackedCanvas::SetLineWidth(int width) {
  kept_.SetLineWidth(width);
  target_->SetLineWidth(width);
}

void BackedCanvas::SetTextColour(Rgb colour) {
  kept_.SetTextColour(colour);
  target_->SetTextColour(colour);
}

void BackedCanvas::Print(const std::string& text) {
  kept_.Print(text);
  target_->Print(text);
  ChangedAll();
}

void BackedCanvas::PrintWithin(const std::string& text, float maxWidth) {
  kept_.PrintWithin(text, maxWidth);
  target_->PrintWithin(text, maxWidth);
  ChangedAll();
}

void BackedCanvas::Circle(float x, float y, float radius, Rgb colour) {
  kept_.Circle(x, y, radius, colour);
  target_->Circle(x, y, radius, colour);
  Changed(x - 2 * radius, y - 2 * radius, x + 2 * radius, y + 2 * radius);
}

void BackedCanvas::Clear() {
  kept_.Clear();
  target_->Clear();
  ChangedAll();
}

}  // namespace kestro
