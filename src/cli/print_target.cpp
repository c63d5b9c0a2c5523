// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/print_target.h"

#include <array>

#include "cli/whole_number.h"
#include "platform/qt/qt_pdf_device.h"
#include "platform/qt/qt_picture_device.h"

namespace kestro::cli {

namespace {

constexpr std::array<const char*, 3> kTargets{"pdf", "svg", "png"};

// Only the sheets of one page make a picture.
bool DrawsOneSheet(const std::string& kind) {
  return kind != "summary" && kind != "table";
}

std::optional<int> ReadSide(const CliArguments& args, const char* name, std::ostream& err) {
  const auto text = args.Value(name);
  if (!text)
    return 0;
  const auto side = WholeNumber<int>(*text, kMinPictureSide, kMaxPictureSide);
  if (!side)
    err << "kestrolab-cli: --" << name << " '" << *text << "' is not a whole number from "
        << kMinPictureSide << " to " << kMaxPictureSide << '\n';
  return side;
}

std::optional<PrintTarget> ReadPicture(const CliArguments& args, PrintTarget target,
                                       std::ostream& err) {
  if (!DrawsOneSheet(args.Value("kind").value_or(""))) {
    err << "kestrolab-cli: --" << target.option
        << " draws one sheet: the plot, schematic, poles or waves\n";
    return std::nullopt;
  }
  const auto width = ReadSide(args, "width", err);
  const auto height = width ? ReadSide(args, "height", err) : std::nullopt;
  if (!width || !height)
    return std::nullopt;
  target.picture.format = target.option == "png" ? PictureFormat::Png : PictureFormat::Svg;
  target.picture.width = *width;
  target.picture.height = *height;
  return target;
}

}  // namespace

std::optional<PrintTarget> ReadPrintTarget(const CliArguments& args, std::ostream& err) {
  std::optional<PrintTarget> target;
  for (const char* option : kTargets) {
    const auto file = args.Value(option);
    if (!file)
      continue;
    if (target) {
      err << "kestrolab-cli: print writes one file: give one of --pdf, --svg and --png\n";
      return std::nullopt;
    }
    target = PrintTarget{option, *file, {}};
  }
  if (!target) {
    err << "kestrolab-cli: print needs --pdf, --svg or --png\nTry 'kestrolab-cli --help'.\n";
    return std::nullopt;
  }
  if ((args.Value("width") || args.Value("height")) && target->option != "png") {
    err << "kestrolab-cli: --width and --height size a --png picture\n";
    return std::nullopt;
  }
  if (target->option == "pdf")
    return target;
  return ReadPicture(args, *target, err);
}

std::unique_ptr<PrintDevice> NewPrintDevice(const PrintTarget& target, const std::string& path,
                                            const std::string& sheetTitle) {
  if (target.option == "pdf")
    return std::make_unique<QtPdfDevice>(path, sheetTitle);
  PictureRequest request = target.picture;
  request.path = path;
  return std::make_unique<QtPictureDevice>(request);
}

}  // namespace kestro::cli
