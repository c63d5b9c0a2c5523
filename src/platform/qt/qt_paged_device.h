// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <memory>
#include <string>

#include "platform/qt/qt_painted_device.h"
#include "platform/qt/qt_pdf_file.h"

class QPagedPaintDevice;

namespace kestro {

// A painted device with pages: a printer or a PDF file. A PDF file is drawn in memory and written
// whole through the program's file writer at the end of the document.
class QtPagedDevice : public QtPaintedDevice {
 public:
  ~QtPagedDevice() override;

  // --- Job ---
  void SetOrientation(PrintOrientation orientation) override;
  void NewPage() override;
  void EndDocument() override;

 protected:
  QtPagedDevice() = default;

  // Draws into a PDF file at path instead of the printer; the caller sets its page layout.
  QtPdfFile& DrawIntoPdfFile(const std::string& path, const std::string& title, int resolution);
  // The printer drawn on while no PDF file is set.
  virtual QPagedPaintDevice& Printer() const = 0;
  virtual int PrinterResolution() const = 0;

  QPaintDevice& Surface() const override;
  int Resolution() const override;
  QSizeF PrintableSize() const override;
  void BeforePainting() override;

 private:
  QPagedPaintDevice& Device() const;  // the printer or the PDF file

  std::unique_ptr<QtPdfFile> pdf_;  // drawn instead of the printer when set
};

}  // namespace kestro
