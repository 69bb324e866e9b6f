#pragma once
// The whole wizard set up as the program sets itself up, for tests and tools
// that walk it from the welcome page on.

#include "FakeEffects.h"
#include "RouterSim.h"
#include "WizardTestScope.h"

#include <optional>
#include <string>

// Registers every page, as the program does at start.
void RegisterEveryPage();

// Points the wizard at the emulator at address (its probe site included),
// with pauses, time-outs and the result timer short enough for a walk to take
// seconds.
void PointWizardAtEmulator(const std::string& address);

// The emulator and the whole wizard pointed at it, over recorded effects that
// open real pages, for a test program's whole run. Ending it puts every
// process-wide value back and stops the emulator.
class EmulatedWizard
{
public:
    // False when the emulator could not start.
    bool Start();
    void Stop();

    RouterSim& Sim() { return m_sim; }
    FakeEffects& Effects() { return m_effects; }

private:
    RouterSim m_sim;
    FakeEffects m_effects;
    std::optional<WizardTestScope> m_scope;
};
