#include "WizardUnderTest.h"

#include "AppPages.h"
#include "ChecklistAndPasswordPages.h"
#include "ConnectionPages.h"
#include "GuidePages.h"
#include "WizardOptions.h"

using namespace std::chrono_literals;

void RegisterEveryPage()
{
    RegisterAppPages();
    RegisterChecklistAndPasswordPages();
    RegisterConnectionPages();
    RegisterGuidePages();
}

void PointWizardAtEmulator(const std::string& address)
{
    WizardOptions& options = GetWizardOptions();
    options.RouterAddress = address;
    options.ProbeUrls = {"http://" + address + "/support"};
    options.PauseMs = 2;
    options.SettleMs = 5;
    options.Timeouts = {2000ms, 2000ms, 2000ms};
    options.ResultTimerPeriod = 2ms;
}

bool EmulatedWizard::Start()
{
    if (m_sim.Start(0) <= 0)
        return false;
    m_effects.openRealPages = true;
    m_scope.emplace(&m_effects);
    RegisterEveryPage();
    PointWizardAtEmulator(m_sim.Address());
    return true;
}

void EmulatedWizard::Stop()
{
    m_scope.reset();
    m_sim.Stop();
}
