// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <string>

#include "platform/app_context.h"
#include "platform/page.h"
#include "plotpage/plot_link.h"
#include "views/views_shared.h"

namespace kestro {

// Builds the page for a page id. The table in page_factory.cpp lists every page the program has.
// It also holds the views' state that lives for the run (the square-wave frequency, the names
// the export dialogs propose).
class PageFactory {
 public:
  using Maker = std::function<std::unique_ptr<Page>(AppContext&)>;

  // programFolder: shown on the About page.
  explicit PageFactory(const std::string& programFolder);

  // nullptr for a page the program does not have.
  std::unique_ptr<Page> Create(PageId page, OpenMode mode, AppContext& context) const;
  bool Has(PageId page) const { return makers_.count(page) != 0; }

 private:
  // The analysis page attaches itself here; its secondary windows redraw it through it.
  std::unique_ptr<PlotLink> plotLink_;
  std::shared_ptr<ViewsShared> views_;  // shared with the makers, so a copy keeps working
  std::map<PageId, Maker> makers_;
};

}  // namespace kestro
