#pragma once

namespace kestro::test {

// Creates the one QApplication of the test program on first use (offscreen platform).
void EnsureQtApplication();

// Runs posted events, deferred deletions included, so closed windows are gone.
void SettleEvents();

}  // namespace kestro::test
