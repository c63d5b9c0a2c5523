#include "plotpage/long_run_lock.h"

#include "plotpage/plot_page_controls.h"

namespace kestro {

const std::vector<std::string>& LongRunLock::LockedButtons() {
  static const std::vector<std::string> names = [] {
    std::vector<std::string> all{
        "cmdOptimize",  "cmdMC1",     "cmdMC2", "cmdMC5", "cmdMC10", "cmdMC20", "cmdEnterAll",
        "cmdWidthDown", "cmdWidthUp", "cmd2",   "cmd5",   "cmd10",   "cmd20"};
    for (const char* part : plot_controls::kParts) {
      all.push_back(std::string("cmd") + part + "down");
      all.push_back(std::string("cmd") + part + "up");
    }
    return all;
  }();
  return names;
}

LongRunLock::LongRunLock(Page& page) : page_(page) {
  for (const std::string& name : LockedButtons()) {
    Control& control = page_[name];
    saved_.emplace_back(&control, control.enabled);
    control.enabled = false;
  }
}

LongRunLock::~LongRunLock() {
  for (const auto& [control, enabled] : saved_)
    control->enabled = enabled;
}

}  // namespace kestro
