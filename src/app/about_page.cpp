#include "app/about_page.h"

#include "core/program_texts.h"

namespace kestro {

namespace {
constexpr Rgb kBackground{221, 255, 255};
constexpr Rgb kBorder{0, 0, 160};
}  // namespace

AboutPage::AboutPage(AppContext& context, const std::string& programFolder) : context_(context) {
  SetWindowCaption(std::string(ProgramTexts::kTitle) + " - About");
  SetBackColour(kBackground);
  SetWindowShare(0.6f, 0.6f);
  Control& title = Add(ControlKind::Label, "lblTitle", ProgramTexts::kTitle, 0, 300, 12000, 1300);
  title.fontScale = 2.5f;
  title.bold = true;
  title.align = TextAlign::Center;
  Add(ControlKind::Label, "lblDescription", ProgramTexts::kAboutText, 700, 1800, 10600, 1900);
  Add(ControlKind::Label, "lblVersion", ProgramTexts::kVersion, 700, 3900, 10600, 550);
  Add(ControlKind::Label, "lblCredit", ProgramTexts::kCredit, 700, 4500, 10600, 550);
  Add(ControlKind::Label, "lblPathCaption", "Executable filename and path:", 700, 5200, 10600, 550);
  Add(ControlKind::Label, "lblPath", programFolder, 700, 5800, 10600, 1100);
  Add(ControlKind::Button, "cmdExit", "Return", 4500, 7400, 3000, 900).onClick = [this] {
    context_.navigator.Close(PageId::About);
  };
}

void AboutPage::OnShown() {
  if (canvas() != nullptr)
    canvas()->Rect(0, 0, kPageWidth - 1, kPageHeight - 1, kBorder);
}

}  // namespace kestro
