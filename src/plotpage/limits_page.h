#pragma once

#include "platform/app_context.h"
#include "platform/page.h"

namespace kestro {

// The limits page frmLimits: Enter (limit entry with the mouse on the analysis page), Edit (the
// edit page), Erase all, Hide and Show. It works on the analysis page through its hooks and
// closes itself after every command but Edit.
class LimitsPage final : public Page {
 public:
  explicit LimitsPage(AppContext& context);

  static constexpr const char* kNoLimits = "No limits areas have been entered";

 private:
  void CreateControls();
  void Enter();
  void Edit();
  void EraseAll();
  void Hide();
  void Show();
  void RedrawPlot();
  void Close();

  AppContext& context_;
};

}  // namespace kestro
