// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/printers.h"
#include "support/recording_print_device.h"

namespace kestro::test {

// Printers that hand out recording devices set up like `setup`; every call any of them received
// stays in `calls`, after the printout has dropped its device. Pictures get recording devices too,
// and their requests stay in `pictures`.
class RecordingPrinters final : public Printers {
 public:
  std::unique_ptr<PrintDevice> NewJob() override {
    auto device = std::make_unique<RecordingPrintDevice>();
    device->cancelPreview = setup.cancelPreview;
    device->cancelDialog = setup.cancelDialog;
    device->failAtDrawing = setup.failAtDrawing;
    device->mirror = &calls;
    return device;
  }
  std::unique_ptr<PrintDevice> NewPicture(const PictureRequest& request) override {
    pictures.push_back(request);
    return NewJob();
  }

  struct Setup {
    bool cancelPreview = false;
    bool cancelDialog = false;
    int failAtDrawing = 0;
  } setup;
  std::vector<std::string> calls;
  std::vector<PictureRequest> pictures;
};

}  // namespace kestro::test
