// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/qt/print_preview_dialog.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPrintPreviewWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "platform/qt/qt_print_device.h"

namespace kestro {

namespace {
constexpr int kInitialWidth = 900;
constexpr int kInitialHeight = 1000;

QPushButton* AddButton(QHBoxLayout& row, const QString& caption) {
  auto* button = new QPushButton(caption);
  row.addWidget(button);
  return button;
}
}  // namespace

PrintPreviewDialog::PrintPreviewDialog(QPrinter& printer, PrintSheets sheets, QWidget* parent)
    : QDialog(parent),
      sheets_(std::move(sheets)),
      preview_(new QPrintPreviewWidget(&printer)),
      pageLabel_(new QLabel) {
  setWindowTitle("Print preview");
  auto* buttons = new QHBoxLayout;
  connect(AddButton(*buttons, "Previous sheet"), &QPushButton::clicked, this,
          [this] { preview_->setCurrentPage(preview_->currentPage() - 1); });
  connect(AddButton(*buttons, "Next sheet"), &QPushButton::clicked, this,
          [this] { preview_->setCurrentPage(preview_->currentPage() + 1); });
  buttons->addWidget(pageLabel_);
  connect(AddButton(*buttons, "Zoom in"), &QPushButton::clicked, preview_,
          [this] { preview_->zoomIn(); });
  connect(AddButton(*buttons, "Zoom out"), &QPushButton::clicked, preview_,
          [this] { preview_->zoomOut(); });
  buttons->addStretch();
  QPushButton* print = AddButton(*buttons, "Print...");
  print->setDefault(true);
  connect(print, &QPushButton::clicked, this, &QDialog::accept);
  connect(AddButton(*buttons, "Cancel"), &QPushButton::clicked, this, &QDialog::reject);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(buttons);
  layout->addWidget(preview_, 1);
  connect(preview_, &QPrintPreviewWidget::paintRequested, this, &PrintPreviewDialog::DrawSheets);
  connect(preview_, &QPrintPreviewWidget::previewChanged, this,
          &PrintPreviewDialog::ShowPageNumber);
  resize(kInitialWidth, kInitialHeight);
}

bool PrintPreviewDialog::Run() {
  const bool accepted = exec() == QDialog::Accepted;
  if (!error_.empty())
    throw PrintError(error_);
  return accepted;
}

// The preview's printer records the pages; a failure is kept and raised after the dialog.
void PrintPreviewDialog::DrawSheets(QPrinter* printer) {
  try {
    auto device = QtPrintDevice::Borrowing(*printer);
    sheets_(*device);
    device->EndDocument();
  } catch (const PrintError& error) {
    error_ = error.what();
  }
}

void PrintPreviewDialog::ShowPageNumber() {
  pageLabel_->setText(
      QString("Sheet %1 of %2").arg(preview_->currentPage()).arg(preview_->pageCount()));
}

}  // namespace kestro
