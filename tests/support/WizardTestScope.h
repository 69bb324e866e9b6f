#pragma once
// One test's session: a fresh wizard session (a copy of the one in force,
// handed back untouched when the test ends) with the test's effects
// installed (when given). Also puts back what lives outside the session as a
// test program starts: no unfinished-setup mark. Hold one per test
// (init/cleanup, or a local).

#include "CWizardEffects.h"
#include "UnfinishedSetup.h"
#include "WizardSession.h"

class WizardTestScope
{
public:
    explicit WizardTestScope(CWizardEffects* effects = nullptr)
    {
        if (effects)
            SetWizardEffects(effects);
    }

    ~WizardTestScope() { ClearSetupUnderWay(); }

    WizardTestScope(const WizardTestScope&) = delete;
    WizardTestScope& operator=(const WizardTestScope&) = delete;

private:
    WizardSession m_session;
};
