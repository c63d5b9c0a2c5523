#include "support/recording_canvas.h"

#include <algorithm>
#include <iterator>

namespace kestro::test {

using Kind = DrawCommand::Kind;

// Every field given, in the order DrawCommand declares them.
static DrawCommand Make(Kind kind, float x1 = 0, float y1 = 0, float x2 = 0, float y2 = 0,
                        Rgb colour = {}) {
  return {kind, x1, y1, x2, y2, colour, 0, "", 0, 0, 0};
}

void RecordingCanvas::FillRect(float x1, float y1, float x2, float y2, Rgb colour) {
  commands.push_back(Make(Kind::FillRect, x1, y1, x2, y2, colour));
}
void RecordingCanvas::Rect(float x1, float y1, float x2, float y2, Rgb colour) {
  commands.push_back(Make(Kind::Rect, x1, y1, x2, y2, colour));
}
void RecordingCanvas::Line(float x1, float y1, float x2, float y2, Rgb colour) {
  commands.push_back(Make(Kind::Line, x1, y1, x2, y2, colour));
}
void RecordingCanvas::LineTo(float x, float y, Rgb colour) {
  commands.push_back(Make(Kind::LineTo, x, y, 0, 0, colour));
}
void RecordingCanvas::Point(float x, float y, Rgb colour) {
  textX_ = x;
  textY_ = y;
  commands.push_back(Make(Kind::Point, x, y, 0, 0, colour));
}
void RecordingCanvas::SetLineWidth(int width) {
  commands.push_back(Make(Kind::LineWidth));
  commands.back().width = width;
}
void RecordingCanvas::SetTextColour(Rgb colour) {
  commands.push_back(Make(Kind::TextColour, 0, 0, 0, 0, colour));
}
void RecordingCanvas::Print(const std::string& text) {
  commands.push_back({Kind::Print, 0, 0, 0, 0, {}, 0, text, textX_, textY_, 0});
}
void RecordingCanvas::PrintWithin(const std::string& text, float maxWidth) {
  Print(text);
  commands.back().maxWidth = maxWidth;
}
void RecordingCanvas::Circle(float x, float y, float radius, Rgb colour) {
  commands.push_back(Make(Kind::Circle, x, y, radius, 0, colour));
}
void RecordingCanvas::Clear() {
  commands.push_back(Make(Kind::Clear));
}

std::vector<DrawCommand> RecordingCanvas::OfKind(Kind kind) const {
  std::vector<DrawCommand> result;
  std::ranges::copy_if(commands, std::back_inserter(result),
                       [kind](const DrawCommand& command) { return command.kind == kind; });
  return result;
}

}  // namespace kestro::test
