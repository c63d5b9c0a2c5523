#pragma once

#include <QFont>
#include <QPointF>
#include <memory>
#include <string>

#include "platform/print_device.h"
#include "platform/qt/qt_pdf_file.h"

class QPagedPaintDevice;
class QPainter;
class QPrinter;
class QWidget;

namespace kestro {

// The printer on QPrinter: a real printer chosen in the print dialog after a print preview, or a
// PDF file. A PDF file, also one chosen in the print dialog, is drawn in memory and written whole
// through the program's file writer at the end of the document. Positions and sizes are in twips
// from the origin; the document starts with the first drawing.
class QtPrintDevice final : public PrintDevice {
 public:
  // A real printer, chosen in SelectPrinter(); the preview and the dialog open over dialogParent.
  explicit QtPrintDevice(QWidget* dialogParent = nullptr);
  // A PDF file at path named title, on A4 paper; Preview() and SelectPrinter() then show nothing.
  static std::unique_ptr<QtPrintDevice> ToPdf(const std::string& path,
                                              const std::string& title = "KestroLab");
  // Draws on a printer someone else owns (the preview's); shows no dialogs.
  static std::unique_ptr<QtPrintDevice> Borrowing(QPrinter& printer);
  ~QtPrintDevice() override;

  QtPrintDevice(const QtPrintDevice&) = delete;
  QtPrintDevice& operator=(const QtPrintDevice&) = delete;

  // --- Job ---
  void Preview(const PrintSheets& sheets) override;
  void SelectPrinter() override;
  void SetOrientation(PrintOrientation orientation) override;
  void NewPage() override;
  void EndDocument() override;

  // --- Drawing area ---
  void SetDrawingArea(float width, float height) override;
  void SetOrigin(float x, float y) override;
  float AreaWidth() const override;
  float AreaHeight() const override;

  // --- Text ---
  void SetFont(const std::string& name, float points, bool bold) override;
  void SetPosition(float x, float y) override;
  float PositionX() const override { return static_cast<float>(position_.x()); }
  float PositionY() const override { return static_cast<float>(position_.y()); }
  void Write(const std::string& text) override;
  void EndLine() override;
  float TextWidth(const std::string& text) const override;
  float TextHeight() const override;

  // --- Line work ---
  void SetLineWidth(float dots) override;
  void Line(float x1, float y1, float x2, float y2, Rgb colour) override;
  void Box(float x1, float y1, float x2, float y2, Rgb colour, bool filled) override;
  void Point(float x, float y, Rgb colour) override;
  void Circle(float x, float y, float radius) override;
  void Arc(float x, float y, float radius, float startAngle, float endAngle) override;

 private:
  enum class Mode { Dialog, Pdf, Borrowed };
  QtPrintDevice(Mode mode, QPrinter* printer, QWidget* dialogParent);

  QPainter& Painter();  // starts the document on first use
  void StartPainting();
  void DrawIntoPdfFileChosenInDialog();
  QPagedPaintDevice& Device() const;  // the printer or the PDF file
  int Resolution() const;             // device pixels per inch
  void UsePen(Rgb colour);
  QPointF ToDevice(float x, float y) const;
  double DevicePerTwip() const;  // device pixels per (shrunken) twip
  QFont DeviceFont() const;      // the font shrunk with the sheet

  std::unique_ptr<QPrinter> ownPrinter_;
  QPrinter* printer_;
  std::unique_ptr<QtPdfFile> pdf_;  // drawn instead of the printer when set
  std::unique_ptr<QPainter> painter_;
  QWidget* dialogParent_;
  Mode mode_;
  double scale_ = 1;  // the drawing area's shrink factor, at most 1
  QPointF origin_;    // twips
  QPointF position_;  // twips from the origin
  QFont font_;
  float lineWidthDots_ = 1;
};

}  // namespace kestro
