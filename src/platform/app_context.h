// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/design_record.h"
#include "platform/dialogs.h"
#include "platform/event_pump.h"
#include "platform/page.h"
#include "platform/printers.h"

namespace kestro {

// The analysis page's state that outlives the page; only that page and its helpers look inside.
struct PlotShared;

// Everything a page works on: the one design record, the state shared across page openings, and
// the platform services. The application owns one for the whole run; tests build their own.
struct AppContext {
  DesignRecord& record;
  PlotShared& plot;
  Dialogs& dialogs;
  Navigator& navigator;
  EventPump& events;
  Clock& clock;
  Random& random;
  // The printer; none in tests and tools that print nothing (a printout then reports an error).
  Printers* printers = nullptr;
};

}  // namespace kestro
