// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>

#include "app/design_page_controls.h"
#include "platform/app_context.h"
#include "platform/page.h"
#include "usecase/design_fields.h"

namespace kestro {

// The design page frmDesign: family, order, bandwidth, ripple, sweep and graph settings, and the
// Design command that reads, repairs and applies them. Every view button runs the command first.
class DesignPage final : public Page {
 public:
  explicit DesignPage(AppContext& context);

  // Reads every field into the record, repairing out-of-range values with one message each, then
  // designs (unless the parts are the user's) and analyses. Returns false when it stopped because
  // the stopping frequency is not above the starting frequency; nothing is designed then.
  bool RunDesignCommand();

 private:
  // --- Building the page ---
  void AddPanels();
  void AddFamilyOptions();
  void AddCapSeriesOptions();
  void AddDesignFields();
  void AddSweepFields();
  void AddGraphFields();
  void AddButtons();
  void AddYIntervals();
  // Adds a label and its text box on one row, binds both, and returns the box.
  Control& AddField(Control*& label, const char* labelName, const char* caption, Control*& box,
                    const char* boxName, float left, float top);

  // --- Showing the record ---
  void ShowRecord();
  void ShowFamilyControls(int16_t family);
  void ShowPerInterval();
  void ShowPerIntervalDelay();

  // --- Option buttons ---
  void OnFamilyOption(int16_t family);

  // --- Per-keystroke and spinner handlers ---
  void OnIntervalsTyped();
  void OnNrYSpun();
  void OnOrderLabelClicked();

  // --- The Design command's fields ---
  DesignFields GatherFields() const;
  void ShowFields(const DesignFields& fields);

  // --- Buttons ---
  void DesignThenOpen(PageId page, OpenMode mode);
  void OnSave();
  void OnGet();

  AppContext& context_;
  DesignPageControls controls_;
};

}  // namespace kestro
