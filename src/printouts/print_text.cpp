#include "printouts/print_text.h"

#include <ctime>

#include "core/eng_value.h"

namespace kestro::print_text {

void PrintAt(PrintDevice& device, float x, float y, const std::string& text) {
  device.SetPosition(x, y);
  device.Write(text);
}

std::string DateTimeNow() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  char text[32] = {};
  std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S", &local);
  return text;
}

std::string SignedDecimal(double value) {
  return (value >= 0 ? " " : "") + PlainNumber(value);
}

}  // namespace kestro::print_text
