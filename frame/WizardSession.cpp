#include "WizardSession.h"

#include "HostNetwork.h"

namespace {

WizardSession* g_current = nullptr;

}  // namespace

WizardSession::WizardSession() : m_outer(g_current)
{
    // The record and link in force: the outer session's, or those the lower
    // layers keep where no session was made yet.
    Settings = GetWizardSettings();
    if (const CIpLink* link = GetRouterLink())
    {
        Link.SetUserName(link->GetUserName());
        Link.SetPassword(link->GetPassword());
        Link.SetRouterAddress(link->GetRouterAddress());
        Link.SetTimeouts(link->GetTimeouts());
        Link.SetErrorNotifier(link->GetErrorNotifier());
    }
    if (m_outer)
    {
        Options = m_outer->Options;
        Effects = m_outer->Effects;
        Pages = m_outer->Pages;
        m_hostNetwork = m_outer->m_hostNetwork;
        ModePageWindow = m_outer->ModePageWindow;
    }
    g_current = this;
    UseWizardSettings(&Settings);
    UseRouterLink(&Link);
    SetHostNetwork(m_hostNetwork);
}

WizardSession::~WizardSession()
{
    g_current = m_outer;
    UseWizardSettings(m_outer ? &m_outer->Settings : nullptr);
    UseRouterLink(m_outer ? &m_outer->Link : nullptr);
    SetHostNetwork(m_outer ? m_outer->m_hostNetwork : nullptr);
}

void WizardSession::UseHostNetwork(CHostNetwork* network)
{
    m_hostNetwork = network;
    SetHostNetwork(network);
}

WizardSession& WizardSession::Current()
{
    if (!g_current)
    {
        // Never ended: pages may still read it while the program exits.
        static WizardSession* const first = new WizardSession();
        return *first;
    }
    return *g_current;
}

// The accessors of what the session owns.

WizardOptions& GetWizardOptions()
{
    return WizardSession::Current().Options;
}

void RegisterPage(PageId id, PageFactory factory)
{
    WizardSession::Current().Pages[id] = std::move(factory);
}

void UnregisterAllPages()
{
    WizardSession::Current().Pages.clear();
}

std::map<PageId, PageFactory> RegisteredPages()
{
    return WizardSession::Current().Pages;
}

void ReplaceRegisteredPages(std::map<PageId, PageFactory> pages)
{
    WizardSession::Current().Pages = std::move(pages);
}

std::unique_ptr<QDialog> CreatePage(PageId id, QWidget* owner)
{
    const std::map<PageId, PageFactory>& pages = WizardSession::Current().Pages;
    const auto found = pages.find(id);
    if (found == pages.end())
        return nullptr;
    return found->second(owner);
}
