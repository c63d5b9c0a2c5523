// SPDX-License-Identifier: GPL-3.0-or-later
#include "views/schematic_page.h"

#include "core/eng_value.h"
#include "printouts/picture_file.h"
#include "printouts/print_job.h"
#include "printouts/print_schematic.h"
#include "views/schematic_drawing.h"

namespace kestro {

namespace {
constexpr Rgb kPageBackground{238, 255, 255};
}  // namespace

SchematicPage::SchematicPage(AppContext& context)
    : MainViewPage(context, PageId::Schematic),
      layout_(SchematicLayout::For(context.record)),
      capacitors_(FindCapacitorRange(context.record)) {
  SetWindowCaption("KestroLab - Schematic");
  controls_.HScroll1 = &Add(ControlKind::ScrollBar, "HScroll1", "", 0, 4320, 12000, 160);
  Control& bar = *controls_.HScroll1;
  bar.minimum = 0;
  bar.maximum = SchematicLayout::kScrollMaximum;
  bar.visible = layout_.Scrolls();
  bar.onChange = [this] { OnScrolled(); };
  AddPictureButton();
}

void SchematicPage::OnShown() {
  DrawCircuit();
  ShowCapacitorRange();
}

void SchematicPage::OnScrolled() {
  x0_ = layout_.OriginAt(controls_.HScroll1->value);
  DrawCircuit();
}

void SchematicPage::onPrintClicked() {
  const auto device = NewPrintJob(context().printers);
  SchematicPrintout(context().record, *device, context().dialogs, context().clock).Run();
}

void SchematicPage::onPictureClicked() {
  SavePicture(context().dialogs, context().printers, "schematic.svg", [this](PrintDevice& device) {
    SchematicPrintout(context().record, device, context().dialogs, context().clock).Run();
  });
}

void SchematicPage::DrawCircuit() {
  if (canvas() == nullptr)
    return;
  SchematicDrawing(*canvas(), context().record).Draw(x0_, y0_);
}

void SchematicPage::ShowCapacitorRange() {
  if (canvas() == nullptr)
    return;
  PrintAt(*canvas(), 2000, 4500, "Smallest capacitor: " + FormatCap(capacitors_.CapMin),
          kPageBackground);
  PrintAt(*canvas(), 2000, 4740, "Largest capacitor: " + FormatCap(capacitors_.CapMax),
          kPageBackground);
}

}  // namespace kestro
