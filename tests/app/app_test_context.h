#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "core/design_record.h"
#include "core/plot_shared.h"
#include "platform/app_context.h"
#include "support/scripted_dialogs.h"

namespace kestro::test {

// A navigator that records every call.
class RecordingNavigator final : public Navigator {
 public:
  struct Call {
    enum class Kind { Open, Close, End } kind;
    PageId page;
    OpenMode mode = OpenMode::Over;
    friend bool operator==(const Call&, const Call&) = default;
  };
  void Open(PageId page, OpenMode mode) override {
    calls.push_back({Call::Kind::Open, page, mode});
  }
  void Close(PageId page) override { calls.push_back({Call::Kind::Close, page}); }
  void EndProgram() override { calls.push_back({Call::Kind::End, PageId::Opening}); }

  std::vector<Call> calls;
};

class HalfRandom final : public Random {
 public:
  float Next() override { return 0.5f; }
};

// The record, the shared state and the doubles a page works on, wired into one AppContext.
struct AppTestContext {
  explicit AppTestContext(const DesignRecord& start = {}) : record(start) {}

  DesignRecord record;
  PlotShared plot{};
  ScriptedDialogs dialogs;
  RecordingNavigator navigator;
  ManualEventPump events;
  ManualClock clock;
  HalfRandom random;
  AppContext context{record, plot, dialogs, navigator, events, clock, random};
};

// A fresh empty folder that is the working directory while the object lives.
class ScratchDirectory final {
 public:
  ScratchDirectory();
  ~ScratchDirectory();
  ScratchDirectory(const ScratchDirectory&) = delete;
  ScratchDirectory& operator=(const ScratchDirectory&) = delete;

  const std::filesystem::path& Path() const { return path_; }
  std::string File(const std::string& name) const { return (path_ / name).string(); }

 private:
  std::filesystem::path previous_;
  std::filesystem::path path_;
};

// The persistent fields of two records (what a session file carries) agree to the seven
// significant digits the file keeps.
::testing::AssertionResult SameSession(DesignRecord expected, DesignRecord actual);

// The record as the welcome page leaves it after "Retrieve an olde design" with no file.
DesignRecord OpeningDefaults();

// A manual design with every persistent field set to a recognisable value.
DesignRecord DistinctSession();

}  // namespace kestro::test
