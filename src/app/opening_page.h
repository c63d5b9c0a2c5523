#pragma once

#include "platform/app_context.h"
#include "platform/page.h"

namespace kestro {

// The welcome page: starts a session from an old design file or from the last session.
class OpeningPage final : public Page {
 public:
  explicit OpeningPage(AppContext& context);

  // Draws the decorative schematic.
  void OnShown() override;

  // The last-session name the restart command reads.
  static constexpr const char* kLastSessionName = "LastSession.KST";

 private:
  void AddControls();
  void OnGetOld();
  void OnStart();

  AppContext& context_;
};

}  // namespace kestro
