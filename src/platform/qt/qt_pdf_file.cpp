// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/qt/qt_pdf_file.h"

#include <cerrno>
#include <string_view>
#include <utility>

#include "files/file_problems.h"
#include "files/text_file.h"
#include "platform/print_device.h"

#ifndef KESTRO_VERSION
#error "KESTRO_VERSION must be defined by the build"
#endif

namespace kestro {

namespace {

// A finished PDF ends with its end-of-file marker, perhaps followed by a line end.
bool EndsWithEofMarker(const QByteArray& bytes) {
  return bytes.trimmed().endsWith("%%EOF");
}

}  // namespace

QtPdfFile::QtPdfFile(std::string path, const std::string& title)
    : path_(std::move(path)), writer_(&bytes_) {
  bytes_.open(QIODevice::WriteOnly);
  writer_.setTitle(QString::fromStdString(title));
  writer_.setCreator(QStringLiteral("KestroLab " KESTRO_VERSION));
}

void QtPdfFile::CheckTarget() const {
  if (const std::string problem = WriteProblem(path_); !problem.empty())
    throw PrintError("The document could not be started on " + path_ + ": " + problem + ".");
}

void QtPdfFile::Write() {
  const QByteArray& bytes = bytes_.data();
  if (!EndsWithEofMarker(bytes))
    throw PrintError("The document for " + path_ + " is incomplete and was not written.");
  const std::string_view view(bytes.constData(), static_cast<std::size_t>(bytes.size()));
  if (!ReplaceFileText(path_, view))
    throw PrintError("The document could not be written to " + path_ + ": " + ErrorText(errno) +
                     ".");
}

}  // namespace kestro
