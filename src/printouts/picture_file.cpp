// SPDX-License-Identifier: GPL-3.0-or-later
#include "printouts/picture_file.h"

#include <algorithm>
#include <filesystem>
#include <memory>
#include <optional>

#include "printouts/no_print_device.h"

namespace kestro {

namespace {

constexpr const char* kNotAPictureName =
    "Pictures are SVG or PNG files: name the file .svg or .png.";

std::optional<PictureFormat> FormatOfName(const std::string& path) {
  std::string extension = std::filesystem::path(path).extension().string();
  std::transform(extension.begin(), extension.end(), extension.begin(), [](char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
  });
  if (extension == ".svg")
    return PictureFormat::Svg;
  if (extension == ".png")
    return PictureFormat::Png;
  return std::nullopt;
}

std::optional<PictureRequest> AskPictureFile(Dialogs& dialogs, const std::string& initialName) {
  FileDialogRequest ask;
  ask.title = "Save picture";
  ask.filter = "SVG picture (*.svg)|*.svg|PNG picture (*.png)|*.png";
  ask.initialName = initialName;
  ask.overwritePrompt = true;
  const std::string path = dialogs.SaveFile(ask);
  if (path.empty())
    return std::nullopt;
  const std::optional<PictureFormat> format = FormatOfName(path);
  if (!format) {
    dialogs.Message(kNotAPictureName);
    return std::nullopt;
  }
  PictureRequest request;
  request.path = path;
  request.format = *format;
  return request;
}

std::unique_ptr<PrintDevice> NewPictureJob(Printers* printers, const PictureRequest& request) {
  if (printers == nullptr)
    return std::make_unique<NoPrintDevice>();
  return printers->NewPicture(request);
}

}  // namespace

void SavePicture(Dialogs& dialogs, Printers* printers, const std::string& initialName,
                 const std::function<void(PrintDevice&)>& printout) {
  if (const auto request = AskPictureFile(dialogs, initialName))
    printout(*NewPictureJob(printers, *request));
}

}  // namespace kestro
