#pragma once

#include <string>

#include "platform/app_context.h"
#include "platform/page.h"

namespace kestro {

// The About window frmAbout: title, description, version, credit and the program's folder.
class AboutPage final : public Page {
 public:
  AboutPage(AppContext& context, const std::string& programFolder);

  // Frames the window, which opens over a main page.
  void OnShown() override;

 private:
  AppContext& context_;
};

}  // namespace kestro
