#include "app/not_built_page.h"

namespace kestro {

NotBuiltPage::NotBuiltPage(AppContext& context, PageId page, OpenMode mode)
    : context_(context), page_(page), mode_(mode) {
  SetWindowCaption("KestroLab - " + PageTitle(page));
  const bool mainPage = (mode == OpenMode::Switch);
  if (!mainPage)
    SetWindowShare(0.5f, 0.4f);
  const float scale = mainPage ? 1.0f : 2.5f;  // the same look in the smaller window
  Control& notice = Add(ControlKind::Label, "lblNotBuilt", "This view is not built yet.", 0,
                        mainPage ? 3500 : 1200, 12000, 700 * scale);
  notice.align = TextAlign::Center;
  notice.fontScale = 1.5f;
  const float buttonWidth = 1200 * scale;
  Add(ControlKind::Button, "cmdReturn", "Return", 6000 - buttonWidth / 2, mainPage ? 5000 : 5500,
      buttonWidth, 500 * scale)
      .onClick = [this] { OnReturn(); };
}

std::string NotBuiltPage::PageTitle(PageId page) {
  switch (page) {
    case PageId::Opening:
      return "Welcome!";
    case PageId::Design:
      return "Design";
    case PageId::Plot:
      return "Plot";
    case PageId::Schematic:
      return "Schematic";
    case PageId::Tabulated:
      return "Tabulated";
    case PageId::WriteFiles:
      return "Write files";
    case PageId::Transient:
      return "Transient";
    case PageId::Poles:
      return "Poles";
    case PageId::Marker:
      return "Markers";
    case PageId::About:
      return "About";
    case PageId::Exit:
      return "Exit?";
    case PageId::Limits:
      return "Limits";
    case PageId::EditLimits:
      return "Edit limits";
    case PageId::NotBuilt:
      break;
  }
  return "Not built";
}

void NotBuiltPage::OnReturn() {
  if (mode_ == OpenMode::Switch) {
    context_.navigator.Open(PageId::Design, OpenMode::Switch);
  } else {
    context_.navigator.Close(page_);
  }
}

}  // namespace kestro
