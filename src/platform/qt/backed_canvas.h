// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QImage>
#include <QPainter>
#include <QSize>
#include <functional>
#include <memory>

#include "platform/canvas.h"
#include "platform/qt/qt_canvas.h"
#include "platform/qt/retained_canvas.h"

namespace kestro {

// A page's drawing as the window shows it: every command is painted at once into a backing image
// at the window's pixel size, so showing the page costs one image copy however much was drawn
// (a plot after 1000 Monte Carlo passes repaints as fast as after one). The commands are also
// kept (RetainedCanvas, bounded) to paint the page again sharp when the window changes size;
// past that bound a resize scales the last picture until the page clears its drawing.
class BackedCanvas final : public Canvas {
 public:
  // changed: called after every command, so the window can schedule a repaint.
  explicit BackedCanvas(std::function<void()> changed = {},
                        std::size_t maxKeptPoints = RetainedCanvas::kMaxKeptPoints);
  ~BackedCanvas() override;
  BackedCanvas(const BackedCanvas&) = delete;
  BackedCanvas& operator=(const BackedCanvas&) = delete;

  // --- Canvas ---
  void FillRect(float x1, float y1, float x2, float y2, Rgb colour) override;
  void Rect(float x1, float y1, float x2, float y2, Rgb colour) override;
  void Line(float x1, float y1, float x2, float y2, Rgb colour) override;
  void LineTo(float x, float y, Rgb colour) override;
  void Point(float x, float y, Rgb colour) override;
  void SetLineWidth(int width) override;
  void SetTextColour(Rgb colour) override;
  void Print(const std::string& text) override;
  void PrintWithin(const std::string& text, float maxWidth) override;
  void Circle(float x, float y, float radius, Rgb colour) override;
  void Clear() override;
  float ScreenWidthTwips() const override { return kept_.ScreenWidthTwips(); }

  // --- The window's side ---
  void SetScreenWidthTwips(float twips) { kept_.SetScreenWidthTwips(twips); }
  // The colour Clear paints and an empty window shows.
  void SetBackground(QColor colour);
  // Page geometry of a window opened at a share of the screen height (the page font).
  void SetHeightShare(float share);
  // Makes the image `pixels` large, painted again from the kept commands (or scaled).
  void Resize(QSize pixels);
  // The picture, with every command so far painted in.
  const QImage& Image();
  const RetainedCanvas& Kept() const { return kept_; }
  // The pixels painted since the last call (empty when none), so the window repaints only them.
  QRect TakeDirty();

 private:
  void Open();
  void Close();
  void Rebuild();
  void Changed(float x1, float y1, float x2, float y2);
  void ChangedAll();

  std::function<void()> changed_;
  RetainedCanvas kept_;
  QImage image_;
  std::unique_ptr<QPainter> painter_;
  std::unique_ptr<QtCanvas> target_;
  QColor background_{Qt::white};
  float heightShare_ = 1.0f;
  // Page units painted since TakeDirty; x1 > x2 when nothing was.
  float dirtyX1_ = kPageWidth, dirtyY1_ = kPageHeight, dirtyX2_ = 0, dirtyY2_ = 0;
  QPointF current_;  // page units, for the segment LineTo paints
};

}  // namespace kestro
