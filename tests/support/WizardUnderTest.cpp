#include "WizardUnderTest.h"

#include "ChecklistAndPasswordPages.h"
#include "ConnectionPages.h"
#include "GuidePages.h"
#include "PageRegistry.h"
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
