#pragma once

#include <string>

#include "platform/app_context.h"
#include "platform/page.h"

namespace kestro {

// Stands in for a view that this version does not have yet: says so plainly and offers Return.
// Opened as a main page, Return goes back to the design page; opened over one, it just closes.
class NotBuiltPage final : public Page {
 public:
  NotBuiltPage(AppContext& context, PageId page, OpenMode mode);

  // The name a window caption uses for a page: "Plot", "Write files", ...
  static std::string PageTitle(PageId page);

 private:
  void OnReturn();

  AppContext& context_;
  PageId page_;
  OpenMode mode_;
};

}  // namespace kestro
