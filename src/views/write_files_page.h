#pragma once

#include <string>

#include "platform/app_context.h"
#include "platform/page.h"
#include "views/views_shared.h"

namespace kestro {

// The file-writing page frmWriteFiles, opened modally by the Write buttons: the program summary
// for the printer, the LTspice schematic and the two tabulated-data files. Each export proposes
// the name it was last given (with its own extension); cancelling its dialog writes nothing.
class WriteFilesPage final : public Page {
 public:
  WriteFilesPage(AppContext& context, ViewsShared& shared);

  void OnShown() override;

  static constexpr const char* kDisclaimer =
      "LTspice is a third-party simulator (Analog Devices): check the written schematic there.";

  // The name a dialog proposes: the last chosen name with the given extension in place of its
  // own, or defaultName the first time.
  static std::string ProposedName(const std::string& remembered, const std::string& defaultName,
                                  const std::string& extension);

 private:
  void CreateControls();
  void OnWriteSpice();
  void OnWriteTabulated(bool scientific);
  void onPrintClicked();

  AppContext& context_;
  ViewsShared& shared_;
};

}  // namespace kestro
