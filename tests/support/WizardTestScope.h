#pragma once
// One test's hold on the process-wide state: installs the test's effects
// (when given) and, when it ends, puts back what it found: the settings
// record, the options, the router link's login values and time-outs and the
// page registry; the effects, the router error notifier and the host network
// go back to none, and the unfinished-setup mark is cleared, as a test
// program starts. Hold one per test (init/cleanup,
// or a local).

#include "CIpLink.h"
#include "CWizardEffects.h"
#include "HostNetwork.h"
#include "HttpTransport.h"
#include "PageRegistry.h"
#include "UnfinishedSetup.h"
#include "WizardOptions.h"
#include "WizardSettings.h"

#include <map>

class WizardTestScope
{
public:
    explicit WizardTestScope(CWizardEffects* effects = nullptr)
        : m_settings(GetWizardSettings()), m_options(GetWizardOptions()), m_pages(RegisteredPages())
    {
        if (const CIpLink* link = GetRouterLink())
            m_link = Link{link->GetUserName(), link->GetPassword(), link->GetRouterAddress(),
                          link->GetTimeouts()};
        if (effects)
            SetWizardEffects(effects);
    }

    ~WizardTestScope()
    {
        SetWizardEffects(nullptr);
        SetRouterErrorNotifier(nullptr);
        SetHostNetwork(nullptr);
        ClearSetupUnderWay();
        ReplaceRegisteredPages(m_pages);
        GetWizardOptions() = m_options;
        GetWizardSettings() = m_settings;
        if (CIpLink* link = GetRouterLink())
        {
            link->SetUserName(m_link.userName);
            link->SetPassword(m_link.password);
            link->SetRouterAddress(m_link.address);
            link->SetTimeouts(m_link.timeouts);
        }
    }

    WizardTestScope(const WizardTestScope&) = delete;
    WizardTestScope& operator=(const WizardTestScope&) = delete;

private:
    struct Link
    {
        std::string userName;
        std::string password;
        std::string address;
        HttpTimeouts timeouts;
    };

    WizardSettings m_settings;
    WizardOptions m_options;
    std::map<PageId, PageFactory> m_pages;
    Link m_link;
};
