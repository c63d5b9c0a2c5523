// SPDX-License-Identifier: GPL-3.0-or-later
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
  AboutPageControls& c = controls_;
  c.lblTitle = &Add(ControlKind::Label, "lblTitle", ProgramTexts::kTitle, 0, 300, 12000, 1300);
  c.lblTitle->fontScale = 2.5f;
  c.lblTitle->bold = true;
  c.lblTitle->align = TextAlign::Center;
  c.lblDescription =
      &Add(ControlKind::Label, "lblDescription", ProgramTexts::kAboutText, 700, 1800, 10600, 1900);
  c.lblVersion =
      &Add(ControlKind::Label, "lblVersion", ProgramTexts::kVersion, 700, 3900, 10600, 550);
  c.lblCredit = &Add(ControlKind::Label, "lblCredit", ProgramTexts::kCredit, 700, 4500, 10600, 550);
  c.lblPathCaption = &Add(ControlKind::Label, "lblPathCaption",
                          "Executable filename and path:", 700, 5200, 10600, 550);
  c.lblPath = &Add(ControlKind::Label, "lblPath", programFolder, 700, 5800, 10600, 1100);
  c.cmdExit = &Add(ControlKind::Button, "cmdExit", "Return", 4500, 7400, 3000, 900);
  c.cmdExit->onClick = [this] { context_.navigator.Close(PageId::About); };
}

void AboutPage::OnShown() {
  if (canvas() != nullptr)
    canvas()->Rect(0, 0, kPageWidth - 1, kPageHeight - 1, kBorder);
}

}  // namespace kestro
