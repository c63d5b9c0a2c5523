// SPDX-License-Identifier: GPL-3.0-or-later
#include "plotpage/plot_page_layout.h"

#include <array>

#include "plotpage/plot_palette.h"
#include "printouts/picture_file.h"

namespace kestro {
namespace {

using Layouts = std::vector<ControlLayout>;

ControlLayout ButtonAt(Control*& slot, std::string name, std::string caption, float left, float top,
                       float width, float height, Rgb face, bool visible = true) {
  return {ControlKind::Button,
          std::move(name),
          std::move(caption),
          left,
          top,
          width,
          height,
          face,
          visible,
          &slot};
}

ControlLayout HiddenLabel(Control*& slot, std::string name, std::string caption, float left,
                          float top, float width, float height) {
  return {ControlKind::Label,
          std::move(name),
          std::move(caption),
          left,
          top,
          width,
          height,
          std::nullopt,
          false,
          &slot};
}

struct Named {
  Control* PlotPageControls::*slot;
  const char* name;
  const char* caption;
};

void AddTopRow(Layouts& layouts, PlotPageControls& c) {
  struct Item {
    Named control;
    float left, width;
  };
  using P = PlotPageControls;
  const std::array<Item, 13> kRow{
      {{{&P::cmdSave, "cmdSave", "Save"}, 0, 700},
       {{&P::cmdGet, "cmdGet", "Get"}, 700, 700},
       {{&P::cmdDesign, "cmdDesign", "Design"}, 1400, 900},
       {{&P::cmdSchematic, "cmdSchematic", "Schematic"}, 2300, 1100},
       {{&P::cmdPlot, "cmdPlot", "Plot"}, 3400, 600},
       {{&P::cmdTransient, "cmdTransient", "Transient"}, 4000, 1000},
       {{&P::cmdTabulate, "cmdTabulate", "Tabulate"}, 5000, 1000},
       {{&P::cmdPrint, "cmdPrint", "Print"}, 6000, 600},
       {{&P::cmdWrite, "cmdWrite", "Write"}, 6600, 600},
       {{&P::cmdAbout, "cmdAbout", "About"}, 7200, 600},
       {{&P::cmdQuit, "cmdQuit", "Quit"}, 7800, 600},
       {{&P::cmdStages, "cmdStages", "Stages"}, 8400, 800},
       {{&P::cmdPicture, "cmdPicture", kSavePictureCaption}, 9200, 1300}}};
  for (const Item& item : kRow) {
    const Named& n = item.control;
    layouts.push_back(
        ButtonAt(c.*n.slot, n.name, n.caption, item.left, 0, item.width, 300, plot::kTopRowFace));
  }
  layouts[4].face = plot::kPlotButtonFace;  // cmdPlot
}

void AddCommandColumn(Layouts& layouts, PlotPageControls& c) {
  using P = PlotPageControls;
  const std::array<Named, 15> kColumn{{{&P::cmdPoles, "cmdPoles", "Show poles"},
                                       {&P::cmdDelay, "cmdDelay", "Plot delay"},
                                       {&P::cmdPhase, "cmdPhase", "Plot phase"},
                                       {&P::cmdSavePlot, "cmdSavePlot", "Save plot"},
                                       {&P::cmdGetPlot, "cmdGetPlot", "Get plot"},
                                       {&P::cmdMarkers, "cmdMarkers", "Markers"},
                                       {&P::cmdLimits, "cmdLimits", "Limits"},
                                       {&P::cmdOptimize, "cmdOptimize", "Optimize"},
                                       {&P::cmdMonteCarlo, "cmdMonteCarlo", "Monte Carlo"},
                                       {&P::cmdNearest5, "cmdNearest5", "Nearest %"},
                                       {&P::cmdRestore, "cmdRestore", "Restore"},
                                       {&P::cmdTuneWidth, "cmdTuneWidth", "Tune width"},
                                       {&P::cmdTunePart, "cmdTunePart", "Tune part"},
                                       {&P::cmdEditPart, "cmdEditPart", "Edit part"},
                                       {&P::cmdReset, "cmdReset", "Clear"}}};
  float top = 1200;
  for (const Named& n : kColumn) {
    layouts.push_back(
        ButtonAt(c.*n.slot, n.name, n.caption, 300, top, 1000, 300, plot::kTuningFace));
    top += 400;
  }
  layouts[layouts.size() - 4].face = plot::kWhite;  // cmdTuneWidth
  layouts.push_back(ButtonAt(c.cmdFitLimits, "cmdFitLimits", "Fit to limits", 300, top, 1000, 300,
                             plot::kTuningFace));
}

// A row of small hidden buttons from `left`, 500 units apart.
void AddHiddenRow(Layouts& layouts, PlotPageControls& c, const std::vector<Named>& row,
                  float left) {
  for (const Named& n : row) {
    layouts.push_back(
        ButtonAt(c.*n.slot, n.name, n.caption, left, 8000, 450, 300, plot::kTuningFace, false));
    left += 500;
  }
}

// Beside the series buttons: which parts a series button rounds.
void AddRoundedPartsOptions(Layouts& layouts, PlotPageControls& c) {
  using P = PlotPageControls;
  const std::array<Named, 3> kOptions{
      {{&P::optRoundAll, "optRoundAll", "All parts"},
       {&P::optRoundResistors, "optRoundResistors", "Resistors"},
       {&P::optRoundCapacitors, "optRoundCapacitors", "Capacitors"}}};
  float left = 7600;
  for (const Named& n : kOptions) {
    layouts.push_back({ControlKind::Option, n.name, n.caption, left, 8000, 1250, 300,
                       plot::kTuningFace, false, &(c.*n.slot)});
    left += 1350;
  }
}

void AddTransientButtons(Layouts& layouts, PlotPageControls& c) {
  using P = PlotPageControls;
  const Rgb face = plot::kTuningFace;
  layouts.push_back(ButtonAt(c.cmdLimit1, "cmdLimit1", "", 4500, 7600, 600, 600, face, false));
  layouts.push_back(ButtonAt(c.cmdLimit4, "cmdLimit4", "", 5300, 7600, 600, 600, face, false));
  layouts.push_back(ButtonAt(c.cmdLimit2, "cmdLimit2", "", 6100, 7600, 600, 600, face, false));
  AddHiddenRow(layouts, c,
               {{&P::cmdMC1, "cmdMC1", "1%"},
                {&P::cmdMC2, "cmdMC2", "2%"},
                {&P::cmdMC5, "cmdMC5", "5%"},
                {&P::cmdMC10, "cmdMC10", "10%"},
                {&P::cmdMC20, "cmdMC20", "20%"}},
               4000);
  layouts.push_back(
      ButtonAt(c.cmdResetMC, "cmdResetMC", "Show Extremes", 6500, 8000, 1500, 300, face, false));
  AddHiddenRow(layouts, c,
               {{&P::cmd05, "cmd05", "0.5%"},
                {&P::cmd1, "cmd1", "1%"},
                {&P::cmd2, "cmd2", "2%"},
                {&P::cmd5, "cmd5", "5%"},
                {&P::cmd10, "cmd10", "10%"},
                {&P::cmd20, "cmd20", "20%"}},
               4500);
  AddRoundedPartsOptions(layouts, c);
}

ControlLayout Spinner(Control*& slot, const char* name) {
  return {ControlKind::Spinner, name, "", 4200, 7800, 300, 300, std::nullopt, false, &slot};
}

// The names of one part's controls in the two panels.
struct PartNames {
  const char* part;
  const char* label;
  const char* value;
  const char* down;
  const char* up;
  const char* editLabel;
  const char* editValue;
  const char* editBox;
};
constexpr std::array<PartNames, 6> kPartNames{{{"R1", "lblR1", "lblR1value", "cmdR1down", "cmdR1up",
                                                "lblR1edit", "lblR1editValue", "txtR1value"},
                                               {"R2", "lblR2", "lblR2value", "cmdR2down", "cmdR2up",
                                                "lblR2edit", "lblR2editValue", "txtR2value"},
                                               {"R3", "lblR3", "lblR3value", "cmdR3down", "cmdR3up",
                                                "lblR3edit", "lblR3editValue", "txtR3value"},
                                               {"C1", "lblC1", "lblC1value", "cmdC1down", "cmdC1up",
                                                "lblC1edit", "lblC1editValue", "txtC1value"},
                                               {"C2", "lblC2", "lblC2value", "cmdC2down", "cmdC2up",
                                                "lblC2edit", "lblC2editValue", "txtC2value"},
                                               {"C3", "lblC3", "lblC3value", "cmdC3down", "cmdC3up",
                                                "lblC3edit", "lblC3editValue", "txtC3value"}}};

constexpr std::array<float, 6> kPartLeft{4500, 5700, 6900, 8100, 9300, 10500};

float ValueLeft(std::size_t part) {
  return kPartLeft[part] + 300;
}
float ValueWidth(std::size_t part) {
  return plot_controls::IsResistor(static_cast<int>(part)) ? 700 : 900;
}

void AddTunePanel(Layouts& layouts, PlotPageControls& c) {
  layouts.push_back(HiddenLabel(c.lblStageNr, "lblStageNr", "Stage: ", 3100, 7800, 800, 300));
  layouts.push_back(HiddenLabel(c.lblStage, "lblStage", "1", 3900, 7800, 300, 300));
  layouts.push_back(Spinner(c.UpDown1, "UpDown1"));
  for (std::size_t part = 0; part < kPartNames.size(); ++part) {
    const PartNames& names = kPartNames[part];
    PartControls& controls = c.parts[part];
    const float left = kPartLeft[part];
    const std::string caption = std::string(names.part) + (part == 5 ? ":" : ": ");
    layouts.push_back(HiddenLabel(controls.label, names.label, caption, left, 7700, 300, 300));
    layouts.push_back(
        HiddenLabel(controls.value, names.value, "", ValueLeft(part), 7700, ValueWidth(part), 300));
    layouts.push_back(
        ButtonAt(controls.down, names.down, "<", left, 7900, 240, 240, plot::kTuningFace, false));
    layouts.push_back(
        ButtonAt(controls.up, names.up, ">", left + 240, 7900, 240, 240, plot::kTuningFace, false));
  }
}

void AddEditPanel(Layouts& layouts, PlotPageControls& c) {
  layouts.push_back(
      HiddenLabel(c.lblStageNrEdit, "lblStageNrEdit", "Stage: ", 3100, 7800, 800, 300));
  layouts.push_back(HiddenLabel(c.lblStageEdit, "lblStageEdit", "1", 3900, 7800, 300, 300));
  layouts.push_back(Spinner(c.UpDown2, "UpDown2"));
  for (std::size_t part = 0; part < kPartNames.size(); ++part) {
    const PartNames& names = kPartNames[part];
    PartControls& controls = c.parts[part];
    const float left = kPartLeft[part];
    layouts.push_back(HiddenLabel(controls.editLabel, names.editLabel,
                                  std::string(names.part) + ": ", left, 7700, 300, 300));
    layouts.push_back(HiddenLabel(controls.editValue, names.editValue, "", ValueLeft(part), 7700,
                                  ValueWidth(part), 300));
    layouts.push_back({ControlKind::TextBox, names.editBox, "", left, 7900, 1000, 300, std::nullopt,
                       false, &controls.editBox});
  }
  layouts.push_back(ButtonAt(c.cmdEnterAll, "cmdEnterAll", "Enter all", 4500, 8200, 7000, 300,
                             plot::kTuningFace, false));
}

void AddWidthPanel(Layouts& layouts, PlotPageControls& c) {
  layouts.push_back(ButtonAt(c.cmdWidthDown, "cmdWidthDown", "<", 4500, 8000, 240, 240,
                             plot::kWidthStepFace, false));
  layouts.push_back(
      ButtonAt(c.cmdWidthUp, "cmdWidthUp", ">", 4740, 8000, 240, 240, plot::kWidthStepFace, false));
  layouts.push_back(HiddenLabel(c.lblBandwidth, "lblBandwidth", "", 5100, 8000, 4000, 300));
}

}  // namespace

std::vector<ControlLayout> PlotPageLayout(PlotPageControls& controls) {
  Layouts layouts;
  AddTopRow(layouts, controls);
  AddCommandColumn(layouts, controls);
  AddTransientButtons(layouts, controls);
  AddTunePanel(layouts, controls);
  AddEditPanel(layouts, controls);
  AddWidthPanel(layouts, controls);
  return layouts;
}

}  // namespace kestro
