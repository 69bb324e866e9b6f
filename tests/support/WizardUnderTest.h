#pragma once
// The whole wizard set up as the program sets itself up, for tests and tools
// that walk it from the welcome page on.

#include <string>

// Registers every page, as the program does at start.
void RegisterEveryPage();

// Points the wizard at the emulator at address (its probe site included),
// with pauses, time-outs and the result timer short enough for a walk to take
// seconds.
void PointWizardAtEmulator(const std::string& address);
