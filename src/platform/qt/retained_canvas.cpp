// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/qt/retained_canvas.h"

#include <algorithm>

#include "platform/qt/qt_canvas.h"

namespace kestro {

namespace {
// A generous box for printed text, in page units, so text is only dropped when surely covered.
constexpr float kTextUnitsPerChar = 220;
constexpr float kTextUnitsHigh = 400;
}  // namespace

RetainedCanvas::RetainedCanvas(std::function<void()> changed, float screenWidthTwips,
                               std::size_t maxKeptPoints)
    : maxKeptPoints_(maxKeptPoints),
      changed_(std::move(changed)),
      screenWidthTwips_(screenWidthTwips) {}

void RetainedCanvas::Record(Command command) {
  if (complete_) {
    command.current = current_;
    command.textAt = text_;
    keptPoints_ += std::max<std::size_t>(1, command.points.size());
    commands_.push_back(std::move(command));
  }
  GiveUpOverBound();
  if (changed_)
    changed_();
}

// Past the bound only the state is followed, until the next Clear.
void RetainedCanvas::GiveUpOverBound() {
  if (keptPoints_ <= maxKeptPoints_)
    return;
  complete_ = false;
  commands_.clear();
  commands_.shrink_to_fit();
  keptPoints_ = 0;
}

// A segment that continues the last polyline in its colour is appended to it.
bool RetainedCanvas::ExtendPolyline(float x, float y, Rgb colour) {
  if (commands_.empty() || !complete_)
    return false;
  Command& last = commands_.back();
  if (last.kind != Kind::Polyline || last.colour != colour || last.points.back() != current_)
    return false;
  last.points.emplace_back(x, y);
  last.x1 = std::min(last.x1, x);
  last.y1 = std::min(last.y1, y);
  last.x2 = std::max(last.x2, x);
  last.y2 = std::max(last.y2, y);
  current_ = QPointF(x, y);
  last.current = current_;
  ++keptPoints_;
  GiveUpOverBound();
  return true;
}

void RetainedCanvas::FillRect(float x1, float y1, float x2, float y2, Rgb colour) {
  DropCovered(std::min(x1, x2), std::min(y1, y2), std::max(x1, x2), std::max(y1, y2));
  current_ = QPointF(x2, y2);
  Record({Kind::FillRect, x1, y1, x2, y2, colour, 0, {}, {}, {}, {}});
}

void RetainedCanvas::Rect(float x1, float y1, float x2, float y2, Rgb colour) {
  current_ = QPointF(x2, y2);
  Record({Kind::Rect, x1, y1, x2, y2, colour, 0, {}, {}, {}, {}});
}

void RetainedCanvas::Line(float x1, float y1, float x2, float y2, Rgb colour) {
  current_ = QPointF(x2, y2);
  Record({Kind::Line, x1, y1, x2, y2, colour, 0, {}, {}, {}, {}});
}

void RetainedCanvas::LineTo(float x, float y, Rgb colour) {
  if (ExtendPolyline(x, y, colour)) {
    if (changed_)
      changed_();
    return;
  }
  const auto fromX = static_cast<float>(current_.x());
  const auto fromY = static_cast<float>(current_.y());
  current_ = QPointF(x, y);
  Command polyline{Kind::Polyline,
                   std::min(fromX, x),
                   std::min(fromY, y),
                   std::max(fromX, x),
                   std::max(fromY, y),
                   colour,
                   0,
                   {},
                   {},
                   {},
                   {QPointF(fromX, fromY), current_}};
  Record(std::move(polyline));
}

void RetainedCanvas::Point(float x, float y, Rgb colour) {
  current_ = QPointF(x, y);
  text_ = current_;
  Command point{Kind::Point, x, y, x, y, colour, 0, {}, {}, {}, {}};
  DropRepeated(point);
  Record(std::move(point));
}

void RetainedCanvas::SetLineWidth(int width) {
  if (width == lineWidth_)
    return;
  lineWidth_ = width;
  Record({Kind::LineWidth, 0, 0, 0, 0, {}, width, {}, {}, {}, {}});
}

void RetainedCanvas::SetTextColour(Rgb colour) {
  if (colour == textColour_)
    return;
  textColour_ = colour;
  Record({Kind::TextColour, 0, 0, 0, 0, colour, 0, {}, {}, {}, {}});
}

void RetainedCanvas::Print(const std::string& text) {
  const auto x = static_cast<float>(text_.x());
  const auto y = static_cast<float>(text_.y());
  const float width = kTextUnitsPerChar * static_cast<float>(text.size() + 1);
  Command print{Kind::Print, x, y, x + width, y + kTextUnitsHigh, textColour_, 0, text, {}, {}, {}};
  DropRepeated(print);
  Record(std::move(print));
}

void RetainedCanvas::PrintWithin(const std::string& text, float maxWidth) {
  const auto x = static_cast<float>(text_.x());
  const auto y = static_cast<float>(text_.y());
  const float width = std::min(maxWidth, kTextUnitsPerChar * static_cast<float>(text.size() + 1));
  Command print{Kind::Print, x, y, x + width, y + kTextUnitsHigh, textColour_, 0, text, {}, {}, {}};
  print.maxWidth = maxWidth;
  DropRepeated(print);
  Record(std::move(print));
}

void RetainedCanvas::Circle(float x, float y, float radius, Rgb colour) {
  Record({Kind::Circle, x, y, radius, 0, colour, 0, {}, {}, {}, {}});
}

// Nothing before a clear is seen again; the line width and text colour stay as they are.
void RetainedCanvas::Clear() {
  commands_.clear();
  keptPoints_ = 0;
  complete_ = true;
  Record({Kind::LineWidth, 0, 0, 0, 0, {}, lineWidth_, {}, {}, {}, {}});
  Record({Kind::TextColour, 0, 0, 0, 0, textColour_, 0, {}, {}, {}, {}});
}

bool RetainedCanvas::Inside(const Command& command, float x1, float y1, float x2, float y2) {
  auto within = [&](float left, float top, float right, float bottom) {
    return left >= x1 && right <= x2 && top >= y1 && bottom <= y2;
  };
  switch (command.kind) {
    case Kind::FillRect:
    case Kind::Rect:
    case Kind::Line:
    case Kind::Print:
    case Kind::Polyline:
      return within(std::min(command.x1, command.x2), std::min(command.y1, command.y2),
                    std::max(command.x1, command.x2), std::max(command.y1, command.y2));
    case Kind::Point:
      return within(command.x1, command.y1, command.x1, command.y1);
    case Kind::Circle:
      return within(command.x1 - command.x2 * 2, command.y1 - command.x2 * 2,
                    command.x1 + command.x2 * 2, command.y1 + command.x2 * 2);
    case Kind::LineWidth:
    case Kind::TextColour:
    case Kind::State:
      return false;
  }
  return false;
}

// Covered drawing becomes a State command (its positions only).
void RetainedCanvas::DropCovered(float x1, float y1, float x2, float y2) {
  bool dropped = false;
  for (Command& command : commands_) {
    if (Inside(command, x1, y1, x2, y2)) {
      command.kind = Kind::State;
      command.text.clear();
      keptPoints_ -= std::min(keptPoints_, std::max<std::size_t>(1, command.points.size()));
      command.points = {};
      dropped = true;
    }
  }
  if (dropped)
    Compact();
}

// The same text printed at the same place in the same colour, or the same point, draws nothing
// new over the earlier one: the earlier one is dropped, so labels that a page redraws without
// clearing them do not pile up in the list (nor thicken on every replay).
void RetainedCanvas::DropRepeated(const Command& repeat) {
  bool dropped = false;
  for (Command& command : commands_) {
    if (command.kind == repeat.kind && command.x1 == repeat.x1 && command.y1 == repeat.y1 &&
        command.colour == repeat.colour && command.text == repeat.text) {
      command.kind = Kind::State;
      command.text.clear();
      dropped = true;
    }
  }
  if (dropped)
    Compact();
}

// Runs of State commands keep only the last, whose positions are the ones that count.
void RetainedCanvas::Compact() {
  std::vector<Command> kept;
  kept.reserve(commands_.size());
  for (Command& command : commands_) {
    if (command.kind == Kind::State && !kept.empty() && kept.back().kind == Kind::State) {
      kept.back() = std::move(command);
    } else {
      kept.push_back(std::move(command));
    }
  }
  commands_ = std::move(kept);
}

void RetainedCanvas::ReplayOn(QtCanvas& target) const {
  for (const Command& command : commands_) {
    switch (command.kind) {
      case Kind::FillRect:
        target.FillRect(command.x1, command.y1, command.x2, command.y2, command.colour);
        break;
      case Kind::Rect:
        target.Rect(command.x1, command.y1, command.x2, command.y2, command.colour);
        break;
      case Kind::Line:
        target.Line(command.x1, command.y1, command.x2, command.y2, command.colour);
        break;
      case Kind::Point:
        target.Point(command.x1, command.y1, command.colour);
        break;
      case Kind::LineWidth:
        target.SetLineWidth(command.width);
        break;
      case Kind::TextColour:
        target.SetTextColour(command.colour);
        break;
      case Kind::Print:
        if (command.maxWidth > 0) {
          target.PrintWithin(command.text, command.maxWidth);
        } else {
          target.Print(command.text);
        }
        break;
      case Kind::Circle:
        target.Circle(command.x1, command.y1, command.x2, command.colour);
        break;
      case Kind::Polyline:
        target.Polyline(command.points, command.colour);
        break;
      case Kind::State:
        break;
    }
    target.SetPositions(command.current, command.textAt);
  }
}

void RetainedCanvas::PrimeState(QtCanvas& target) const {
  target.SetLineWidth(lineWidth_);
  target.SetTextColour(textColour_);
  target.SetPositions(current_, text_);
}

}  // namespace kestro
