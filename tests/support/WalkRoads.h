#pragma once
// The roads through the wizard as data: what a person chooses and types on
// each page, turned into the steps a WalkDriver takes. Which page a step is
// on comes from the page flow table, as it does for the pages themselves.

#include "InputChecks.h"
#include "PageFlow.h"
#include "WalkDriver.h"

#include <QString>

#include <functional>
#include <vector>

enum class WalkProtocol
{
    Pppoe,
    Pppoa,
    MerDynamic,
    MerStatic,
    Ipoa,
    Bridge
};
enum class WalkPath
{
    FirstInstall,
    QuickInstall
};
enum class RouterPasswordState
{
    Factory,            // the create-password page chooses the new one
    ChangedKept,        // the existing-password page is given it, nothing more
    ChangedAndChanged,  // ... and changes it at once
};

struct WalkAddresses
{
    QString Ip;
    QString Mask;
    QString Gateway;
    QString PrimaryDns;
    QString SecondaryDns;  // may stay empty
};

struct WalkPlan
{
    WalkProtocol Protocol = WalkProtocol::Pppoe;
    WalkPath Path = WalkPath::FirstInstall;
    RouterPasswordState Password = RouterPasswordState::Factory;
    // ISP and PVC page
    int Country = CountryAustralia;
    int Encapsulation = EncapsulationLlc;
    QString Vpi = "8";
    QString Vci = "35";
    // ISP account page (PPPoE and PPPoA)
    QString PppUser;
    QString PppPassword;
    // static IP page (MER static and IPoA)
    WalkAddresses Addresses;
    // wireless page; no key typed for security None
    QString Ssid;
    int Security = SecurityWpa2;
    QString Key;
    // The password the router has when it is not the factory one.
    QString RouterPassword;
    // Typed on the create-password page, or as the change on the
    // existing-password page.
    QString NewRouterPassword;
    // The first apply run fails: CLOSE on the light box, then the ISP and PVC
    // page and what follows it once more with the same values.
    bool RetryAfterLightBox = false;
};

struct RoadHooks
{
    // Runs on the light box before CLOSE is pressed.
    std::function<void()> OnLightBox;
};

// A road built along the flow table from the welcome page: each step acts on
// the page the road has reached and names the choice it makes there.
class RoadBuilder
{
public:
    using Action = std::function<void(WalkDriver&, CWizardPage&)>;

    PageId At() const { return m_chain.back(); }
    // The step on At(); the table's row for choice is the next page.
    void Then(FlowChoice choice, Action act);
    // The step on At() ends that page: the road is back on the page below.
    void ThenEnd(Action act);
    std::vector<WalkStep> Road() const { return m_road; }

private:
    std::vector<PageId> m_chain{PageId::Welcome};  // the pages open, the top last
    std::vector<WalkStep> m_road;
};

bool UsesIspAccount(WalkProtocol protocol);
bool UsesStaticAddresses(WalkProtocol protocol);

// Welcome page to the join-wireless guide, Exit there, then the close box on
// the success page ends what is left of the chain.
std::vector<WalkStep> SetupRoad(const WalkPlan& plan, const RoadHooks& hooks = {});

// Welcome page to the restore page over the quick path, for a router with the
// factory password: the network name and key saved on the desktop, then back
// to the install mode page and its close box.
std::vector<WalkStep> RestoreRoad();
