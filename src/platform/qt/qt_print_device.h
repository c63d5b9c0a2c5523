#pragma once

#include <QFont>
#include <QPointF>
#include <memory>
#include <string>

#include "platform/print_device.h"

class QPainter;
class QPrinter;
class QWidget;

namespace kestro {

// The printer on QPrinter: a real printer chosen in the print dialog, or a PDF file. Positions
// and sizes are in twips from the origin; the document starts with the first drawing.
class QtPrintDevice final : public PrintDevice {
 public:
  // A real printer, chosen in SelectPrinter(); the dialog opens over dialogParent.
  explicit QtPrintDevice(QWidget* dialogParent = nullptr);
  // A PDF file at path; SelectPrinter() then shows no dialog.
  static std::unique_ptr<QtPrintDevice> ToPdf(const std::string& path);
  ~QtPrintDevice() override;

  QtPrintDevice(const QtPrintDevice&) = delete;
  QtPrintDevice& operator=(const QtPrintDevice&) = delete;

  // --- Job ---
  void SelectPrinter() override;
  void SetOrientation(PrintOrientation orientation) override;
  void NewPage() override;
  void EndDocument() override;

  // --- Drawing area ---
  void SetOrigin(float x, float y) override;
  float AreaWidth() const override;
  float AreaHeight() const override;

  // --- Text ---
  void SetFont(const std::string& name, float points, bool bold) override;
  void SetPosition(float x, float y) override;
  float PositionX() const override { return static_cast<float>(position_.x()); }
  float PositionY() const override { return static_cast<float>(position_.y()); }
  void Print(const std::string& text) override;
  float TextWidth(const std::string& text) const override;
  float TextHeight() const override;

  // --- Line work ---
  void SetLineWidth(float points) override;
  void Line(float x1, float y1, float x2, float y2) override;
  void Box(float x1, float y1, float x2, float y2, bool filled) override;
  void Circle(float x, float y, float radius) override;
  void Arc(float x, float y, float radius, float startAngle, float endAngle) override;

 private:
  QPainter& Painter();  // starts the document on first use
  void UsePen();
  QPointF ToDevice(float x, float y) const;
  double DevicePerTwip() const;

  std::unique_ptr<QPrinter> printer_;
  std::unique_ptr<QPainter> painter_;
  QWidget* dialogParent_;
  bool toPdf_ = false;
  QPointF origin_;    // twips
  QPointF position_;  // twips from the origin
  QFont font_;
  float lineWidthPoints_ = 0.5f;
};

}  // namespace kestro
