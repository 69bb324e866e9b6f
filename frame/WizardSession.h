#pragma once
// The one owner of what the wizard holds for its whole run: the settings
// record, the options, the router link, the installed effects, the page
// registry, the chain of running pages, the pages already reported missing
// and the host-network reader. main makes one before anything else; the accessors
// (GetWizardSettings, GetWizardOptions, GetRouterLink, WizardEffects, the
// registry, the chain) read the session in force.
//
// A session starts as a copy of the one in force (the record, the options,
// the link's login values and time-outs, the effects and the pages
// registered, the host-network reader, the install mode page; the chain starts empty) and hands
// back to it, untouched, when it ends: a test's session leaves nothing behind. Sessions end in the
// reverse order they were made, on the thread that runs the pages.

#include "CIpLink.h"
#include "PageRegistry.h"
#include "WizardOptions.h"
#include "WizardSettings.h"

#include <QPointer>

#include <map>
#include <set>
#include <vector>

class CHostNetwork;
class CQuicKOrFirstInstallDlg;
class CWizardEffects;
class CWizardPage;

class WizardSession
{
public:
    WizardSession();
    ~WizardSession();
    WizardSession(const WizardSession&) = delete;
    WizardSession& operator=(const WizardSession&) = delete;

    // The session in force: the newest one not ended, or the program's
    // first, made on first use, where none was made.
    static WizardSession& Current();

    WizardSettings Settings;
    WizardOptions Options;
    CIpLink Link{Settings};
    CWizardEffects* Effects = nullptr;  // none: the real ones
    std::map<PageId, PageFactory> Pages;
    std::vector<QPointer<CWizardPage>> RunningPages;  // bottom first
    std::set<PageId> ReportedMissing;
    // The most recently opened install mode page; it clears this when it closes.
    CQuicKOrFirstInstallDlg* ModePageWindow = nullptr;

    // The host network HostNetwork() reads from now on (not owned; null: the
    // system's).
    void UseHostNetwork(CHostNetwork* network);

private:
    WizardSession* m_outer;
    CHostNetwork* m_hostNetwork = nullptr;
};
