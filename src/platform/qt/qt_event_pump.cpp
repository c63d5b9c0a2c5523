// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/qt/qt_event_pump.h"

#include <QCoreApplication>

namespace kestro {

void QtEventPump::ProcessPendingEvents() {
  if (beforePump)
    beforePump();
  QCoreApplication::processEvents();
}

}  // namespace kestro
