#include "support/recording_print_device.h"

namespace kestro::test {

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
  RecordingPrintDevice preview;  // the preview draws every sheet once, as a dialog would
  draw(preview);
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

void RecordingPrintDevice::Write(const std::string& text) {
  Draw("Write " + Xy(x_, y_) + " " + text);
  texts.push_back({sheets, x_, y_, text});
  x_ += TextWidth(text);
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

}  // namespace kestro::test
