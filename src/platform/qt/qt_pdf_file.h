// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QBuffer>
#include <QPageLayout>
#include <QPdfWriter>
#include <string>

namespace kestro {

// A PDF document drawn in memory and handed whole to the program's one file writer once it is
// complete, so a failed, cancelled or killed print never leaves a half-written file and the old
// file stays as it was.
class QtPdfFile final {
 public:
  // The document's info names it title, made by "KestroLab" and the build's version.
  QtPdfFile(std::string path, const std::string& title);
  QtPdfFile(const QtPdfFile&) = delete;
  QtPdfFile& operator=(const QtPdfFile&) = delete;

  QPagedPaintDevice& Device() { return writer_; }
  const QPagedPaintDevice& Device() const { return writer_; }
  int Resolution() const { return writer_.resolution(); }
  void SetResolution(int dotsPerInch) { writer_.setResolution(dotsPerInch); }

  // Before drawing starts: throws PrintError when the file could not be written at all (a
  // folder, FIFO or device, a missing folder, no permission), so nothing is drawn in vain.
  void CheckTarget() const;
  // After the painter has ended: checks that the document is complete and writes it; throws
  // PrintError when it is not or cannot be written.
  void Write();

 private:
  std::string path_;
  QBuffer bytes_;
  QPdfWriter writer_;
};

}  // namespace kestro
