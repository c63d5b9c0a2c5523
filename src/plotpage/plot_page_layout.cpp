#include "plotpage/plot_page_layout.h"

#include <array>

#include "plotpage/plot_page_controls.h"
#include "plotpage/plot_palette.h"

namespace kestro {
namespace {

using Layouts = std::vector<ControlLayout>;

ControlLayout ButtonAt(std::string name, std::string caption, float left, float top, float width,
                       float height, Rgb face, bool visible = true) {
  return {ControlKind::Button,
          std::move(name),
          std::move(caption),
          left,
          top,
          width,
          height,
          face,
          visible};
}

ControlLayout HiddenLabel(std::string name, std::string caption, float left, float top, float width,
                          float height) {
  return {ControlKind::Label,
          std::move(name),
          std::move(caption),
          left,
          top,
          width,
          height,
          std::nullopt,
          false};
}

void AddTopRow(Layouts& layouts) {
  struct Item {
    const char* name;
    const char* caption;
    float left, width;
  };
  constexpr std::array<Item, 11> kRow{{{"cmdSave", "Save", 0, 700},
                                       {"cmdGet", "Get", 700, 700},
                                       {"cmdDesign", "Design", 1400, 900},
                                       {"cmdSchematic", "Schematic", 2300, 1100},
                                       {"cmdPlot", "Plot", 3400, 600},
                                       {"cmdTransient", "Transient", 4000, 1000},
                                       {"cmdTabulate", "Tabulate", 5000, 1000},
                                       {"cmdPrint", "Print", 6000, 600},
                                       {"cmdWrite", "Write", 6600, 600},
                                       {"cmdAbout", "About", 7200, 600},
                                       {"cmdQuit", "Quit", 7800, 600}}};
  for (const Item& item : kRow) {
    layouts.push_back(
        ButtonAt(item.name, item.caption, item.left, 0, item.width, 300, plot::kTopRowFace));
  }
  layouts[4].face = plot::kPlotButtonFace;  // cmdPlot
}

void AddCommandColumn(Layouts& layouts) {
  constexpr std::array<std::array<const char*, 2>, 15> kColumn{{{"cmdPoles", "Show poles"},
                                                                {"cmdDelay", "Plot delay"},
                                                                {"cmdPhase", "Plot phase"},
                                                                {"cmdSavePlot", "Save plot"},
                                                                {"cmdGetPlot", "Get plot"},
                                                                {"cmdMarkers", "Markers"},
                                                                {"cmdLimits", "Limits"},
                                                                {"cmdOptimize", "Optimize"},
                                                                {"cmdMonteCarlo", "Monte Carlo"},
                                                                {"cmdNearest5", "Nearest %"},
                                                                {"cmdRestore", "Restore"},
                                                                {"cmdTuneWidth", "Tune width"},
                                                                {"cmdTunePart", "Tune part"},
                                                                {"cmdEditPart", "Edit part"},
                                                                {"cmdReset", "Clear"}}};
  float top = 1200;
  for (const auto& [name, caption] : kColumn) {
    layouts.push_back(ButtonAt(name, caption, 300, top, 1000, 300, plot::kTuningFace));
    top += 400;
  }
  layouts[layouts.size() - 4].face = plot::kWhite;  // cmdTuneWidth
}

void AddTransientButtons(Layouts& layouts) {
  layouts.push_back(ButtonAt("cmdLimit1", "", 4500, 7600, 600, 600, plot::kTuningFace, false));
  layouts.push_back(ButtonAt("cmdLimit4", "", 5300, 7600, 600, 600, plot::kTuningFace, false));
  layouts.push_back(ButtonAt("cmdLimit2", "", 6100, 7600, 600, 600, plot::kTuningFace, false));
  constexpr std::array<std::array<const char*, 2>, 5> kTolerances{{{"cmdMC1", "1%"},
                                                                   {"cmdMC2", "2%"},
                                                                   {"cmdMC5", "5%"},
                                                                   {"cmdMC10", "10%"},
                                                                   {"cmdMC20", "20%"}}};
  float left = 4000;
  for (const auto& [name, caption] : kTolerances) {
    layouts.push_back(ButtonAt(name, caption, left, 8000, 450, 300, plot::kTuningFace, false));
    left += 500;
  }
  layouts.push_back(
      ButtonAt("cmdResetMC", "Show Extremes", 6500, 8000, 1500, 300, plot::kTuningFace, false));
  constexpr std::array<std::array<const char*, 2>, 4> kSeries{
      {{"cmd2", "2%"}, {"cmd5", "5%"}, {"cmd10", "10%"}, {"cmd20", "20%"}}};
  left = 4500;
  for (const auto& [name, caption] : kSeries) {
    layouts.push_back(ButtonAt(name, caption, left, 8000, 450, 300, plot::kTuningFace, false));
    left += 500;
  }
}

ControlLayout Spinner(const char* name) {
  return {ControlKind::Spinner, name, "", 4200, 7800, 300, 300, std::nullopt, false};
}

constexpr std::array<float, 6> kPartLeft{4500, 5700, 6900, 8100, 9300, 10500};

float ValueLeft(int part) {
  return kPartLeft[static_cast<std::size_t>(part)] + 300;
}
float ValueWidth(int part) {
  return plot_controls::IsResistor(part) ? 700 : 900;
}
std::string PartName(int part) {
  return plot_controls::kParts[static_cast<std::size_t>(part)];
}

void AddTunePanel(Layouts& layouts) {
  layouts.push_back(HiddenLabel("lblStageNr", "Stage: ", 3100, 7800, 800, 300));
  layouts.push_back(HiddenLabel("lblStage", "1", 3900, 7800, 300, 300));
  layouts.push_back(Spinner("UpDown1"));
  for (int part = 0; part < 6; ++part) {
    const float left = kPartLeft[static_cast<std::size_t>(part)];
    const std::string caption = PartName(part) + (part == 5 ? ":" : ": ");
    layouts.push_back(HiddenLabel("lbl" + PartName(part), caption, left, 7700, 300, 300));
    layouts.push_back(HiddenLabel("lbl" + PartName(part) + "value", "", ValueLeft(part), 7700,
                                  ValueWidth(part), 300));
    layouts.push_back(ButtonAt("cmd" + PartName(part) + "down", "<", left, 7900, 240, 240,
                               plot::kTuningFace, false));
    layouts.push_back(ButtonAt("cmd" + PartName(part) + "up", ">", left + 240, 7900, 240, 240,
                               plot::kTuningFace, false));
  }
}

void AddEditPanel(Layouts& layouts) {
  layouts.push_back(HiddenLabel("lblStageNrEdit", "Stage: ", 3100, 7800, 800, 300));
  layouts.push_back(HiddenLabel("lblStageEdit", "1", 3900, 7800, 300, 300));
  layouts.push_back(Spinner("UpDown2"));
  for (int part = 0; part < 6; ++part) {
    const float left = kPartLeft[static_cast<std::size_t>(part)];
    layouts.push_back(
        HiddenLabel("lbl" + PartName(part) + "edit", PartName(part) + ": ", left, 7700, 300, 300));
    layouts.push_back(HiddenLabel("lbl" + PartName(part) + "editValue", "", ValueLeft(part), 7700,
                                  ValueWidth(part), 300));
    layouts.push_back({ControlKind::TextBox, "txt" + PartName(part) + "value", "", left, 7900, 1000,
                       300, std::nullopt, false});
  }
  layouts.push_back(
      ButtonAt("cmdEnterAll", "Enter all", 4500, 8200, 7000, 300, plot::kTuningFace, false));
}

void AddWidthPanel(Layouts& layouts) {
  layouts.push_back(
      ButtonAt("cmdWidthDown", "<", 4500, 8000, 240, 240, plot::kWidthStepFace, false));
  layouts.push_back(ButtonAt("cmdWidthUp", ">", 4740, 8000, 240, 240, plot::kWidthStepFace, false));
  layouts.push_back(HiddenLabel("lblBandwidth", "", 5100, 8000, 4000, 300));
}

}  // namespace

std::vector<ControlLayout> PlotPageLayout() {
  Layouts layouts;
  AddTopRow(layouts);
  AddCommandColumn(layouts);
  AddTransientButtons(layouts);
  AddTunePanel(layouts);
  AddEditPanel(layouts);
  AddWidthPanel(layouts);
  return layouts;
}

}  // namespace kestro
