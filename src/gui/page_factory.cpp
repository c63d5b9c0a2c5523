// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/page_factory.h"

#include "app/about_page.h"
#include "app/design_page.h"
#include "app/exit_page.h"
#include "app/opening_page.h"
#include "plotpage/edit_limits_page.h"
#include "plotpage/fit_limits_page.h"
#include "plotpage/limits_page.h"
#include "plotpage/marker_page.h"
#include "plotpage/plot_page.h"
#include "views/poles_page.h"
#include "views/schematic_page.h"
#include "views/stages_page.h"
#include "views/tabulated_page.h"
#include "views/transient_page.h"
#include "views/write_files_page.h"

namespace kestro {

namespace {

// A maker for a page built from the application context alone.
template <typename PageType>
PageFactory::Maker Make() {
  return [](AppContext& context) { return std::make_unique<PageType>(context); };
}

// A maker for a page of the analysis page's family, which reaches the open plot through the link.
template <typename PageType>
PageFactory::Maker WithLink(PlotLink& link) {
  return [&link](AppContext& context) { return std::make_unique<PageType>(context, link); };
}

}  // namespace

PageFactory::PageFactory(const std::string& programFolder)
    : plotLink_(std::make_unique<PlotLink>()),
      views_(std::make_shared<ViewsShared>()),
      makers_{
          // One line per page.
          {PageId::Opening, Make<OpeningPage>()},
          {PageId::Design, Make<DesignPage>()},
          {PageId::Exit, Make<ExitPage>()},
          {PageId::Plot, WithLink<PlotPage>(*plotLink_)},
          {PageId::Marker, WithLink<MarkerPage>(*plotLink_)},
          {PageId::Limits, WithLink<LimitsPage>(*plotLink_)},
          {PageId::EditLimits, WithLink<EditLimitsPage>(*plotLink_)},
          {PageId::FitLimits, WithLink<FitLimitsPage>(*plotLink_)},
          {PageId::Schematic, Make<SchematicPage>()},
          {PageId::Tabulated, Make<TabulatedPage>()},
          {PageId::Poles, Make<PolesPage>()},
          {PageId::Stages, Make<StagesPage>()},
          {PageId::Transient,
           [views = views_](AppContext& context) {
             return std::make_unique<TransientPage>(context, views->transient);
           }},
          {PageId::WriteFiles,
           [views = views_](AppContext& context) {
             return std::make_unique<WriteFilesPage>(context, *views);
           }},
          {PageId::About,
           [programFolder](AppContext& context) {
             return std::make_unique<AboutPage>(context, programFolder);
           }},
      } {}

std::unique_ptr<Page> PageFactory::Create(PageId page, OpenMode /*mode*/,
                                          AppContext& context) const {
  const auto maker = makers_.find(page);
  if (maker == makers_.end())
    return nullptr;
  return maker->second(context);
}

}  // namespace kestro
