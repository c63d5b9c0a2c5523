// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/page.h"

namespace kestro {

// The controls of the design page, one member per control, named as the control. Each points
// into the page's own control list from the moment the page has built itself.
struct DesignPageControls {
  // Panels
  Control* fraFilterDesign = nullptr;
  Control* fraSweep = nullptr;
  Control* fraGraph = nullptr;
  Control* fraFamily = nullptr;
  // Family
  Control* optButterworth = nullptr;
  Control* optChebyshev = nullptr;
  Control* optBessel = nullptr;
  Control* optManual = nullptr;
  // Standard capacitors
  Control* fraCapSeries = nullptr;
  Control* optCapsComputed = nullptr;
  Control* optCapsE6 = nullptr;
  Control* optCapsE12 = nullptr;
  Control* optCapsE24 = nullptr;
  // Filter design
  Control* lblWidth = nullptr;
  Control* txtWidth = nullptr;
  Control* lblGain = nullptr;
  Control* txtGain = nullptr;
  Control* lblOrder = nullptr;
  Control* lblOrderInput = nullptr;
  Control* UpDown1 = nullptr;
  Control* lblApass = nullptr;
  Control* txtApass = nullptr;
  // Sweep
  Control* lblStart = nullptr;
  Control* txtStart = nullptr;
  Control* lblStop = nullptr;
  Control* txtStop = nullptr;
  Control* lblInts = nullptr;
  Control* txtInts = nullptr;
  // Graph
  Control* lbldbTop = nullptr;
  Control* txtdBTop = nullptr;
  Control* lbldBBottom = nullptr;
  Control* txtdBBottom = nullptr;
  Control* lblNrYintervals = nullptr;
  Control* lblNrY = nullptr;
  Control* UpDown3 = nullptr;
  Control* lblPerYinterval = nullptr;
  Control* lblDelay = nullptr;
  Control* txtDelay = nullptr;
  Control* lblPerYintervalDelay = nullptr;
  // Command row
  Control* cmdDesign = nullptr;
  Control* cmdPlot = nullptr;
  Control* cmdSchematic = nullptr;
  Control* cmdTabulate = nullptr;
  Control* cmdTransient = nullptr;
  Control* cmdWrite = nullptr;
  Control* cmdPrint = nullptr;
  Control* cmdSave = nullptr;
  Control* cmdGet = nullptr;
  Control* cmdAbout = nullptr;
  Control* cmdQuit = nullptr;
};

}  // namespace kestro
