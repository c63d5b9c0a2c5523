// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>

#include "platform/event_pump.h"

namespace kestro {

// Lets pending Qt events run. Before it does, it calls beforePump, which the application uses to
// bring every open window in line with its page, so a long command shows its progress.
class QtEventPump final : public EventPump {
 public:
  void ProcessPendingEvents() override;

  std::function<void()> beforePump;
};

}  // namespace kestro
