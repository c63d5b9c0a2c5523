#include "support/recording_print_device.h"

#include <sstream>

namespace kestro::test {

namespace {
std::string Xy(float x, float y) {
  std::ostringstream text;
  text << x << ',' << y;
  return text.str();
}

std::string Colour(Rgb colour) {
  std::ostringstream text;
  text << int{colour.r} << ',' << int{colour.g} << ',' << int{colour.b};
  return text.str();
}
}  // namespace

void RecordingPrintDevice::Record(std::string call) {
  if (mirror != nullptr)
    mirror->push_back(call);
  calls.push_back(std::move(call));
}

void RecordingPrintDevice::Draw(std::string call) {
  Record(std::move(call));
  if (++drawings_ == failAtDrawing)
    throw PrintError("Out of paper.");
}

void RecordingPrintDevice::Preview(const PrintSheets& draw) {
  Record("Preview");
  RecordingPrintDevice preview;
  draw(preview);
  previewCalls = preview.calls;
  if (cancelPreview)
    throw PrintError("Cancel was selected.");
}

void RecordingPrintDevice::SelectPrinter() {
  Record("SelectPrinter");
  if (cancelDialog)
    throw PrintError("Cancel was selected.");
}

void RecordingPrintDevice::SetOrientation(PrintOrientation orientation) {
  Record(orientation == PrintOrientation::Portrait ? "Portrait" : "Landscape");
}

void RecordingPrintDevice::NewPage() {
  Draw("NewPage");
  ++sheets;
  x_ = y_ = 0;
}

void RecordingPrintDevice::EndDocument() {
  Record("EndDocument");
}

void RecordingPrintDevice::SetDrawingArea(float width, float height) {
  Record("Area " + Xy(width, height));
}

void RecordingPrintDevice::SetOrigin(float x, float y) {
  Record("Origin " + Xy(x, y));
}

void RecordingPrintDevice::SetFont(const std::string& name, float points, bool bold) {
  std::ostringstream text;
  text << "Font '" << name << "' " << points << (bold ? " bold" : "");
  Record(text.str());
}

void RecordingPrintDevice::SetPosition(float x, float y) {
  x_ = x;
  y_ = y;
}

void RecordingPrintDevice::Write(const std::string& text) {
  Draw("Write " + Xy(x_, y_) + " " + text);
  texts.push_back({sheets, x_, y_, text});
  x_ += TextWidth(text);
}

void RecordingPrintDevice::EndLine() {
  x_ = 0;
  y_ += TextHeight();
}

float RecordingPrintDevice::TextWidth(const std::string& text) const {
  return 100 * static_cast<float>(text.size());
}

void RecordingPrintDevice::SetLineWidth(float dots) {
  std::ostringstream text;
  text << "Width " << dots;
  Record(text.str());
}

void RecordingPrintDevice::Line(float x1, float y1, float x2, float y2, Rgb colour) {
  Draw("Line " + Xy(x1, y1) + " " + Xy(x2, y2) + " " + Colour(colour));
  x_ = x2;
  y_ = y2;
}

void RecordingPrintDevice::Box(float x1, float y1, float x2, float y2, Rgb colour, bool filled) {
  Draw("Box " + Xy(x1, y1) + " " + Xy(x2, y2) + " " + Colour(colour) + (filled ? " filled" : ""));
}

void RecordingPrintDevice::Point(float x, float y, Rgb colour) {
  Draw("Point " + Xy(x, y) + " " + Colour(colour));
  x_ = x;
  y_ = y;
}

void RecordingPrintDevice::Circle(float x, float y, float radius) {
  std::ostringstream text;
  text << "Circle " << Xy(x, y) << " " << radius;
  Draw(text.str());
}

void RecordingPrintDevice::Arc(float x, float y, float radius, float startAngle, float endAngle) {
  std::ostringstream text;
  text << "Arc " << Xy(x, y) << " " << radius << " " << startAngle << " " << endAngle;
  Draw(text.str());
}

}  // namespace kestro::test
