#pragma once

#include <string>

namespace kestro::test {

// Creates the one QApplication of the test program on first use (offscreen platform).
void EnsureQtApplication();

// Runs posted events, deferred deletions included, so closed windows are gone.
void SettleEvents();

// What a shell command prints on its standard output, and its exit status.
std::string CommandOutput(const std::string& command, int* exitStatus = nullptr);

}  // namespace kestro::test
