#include "WalkRoads.h"

#include "CCheckDeviceTipsDlg.h"
#include "CConfigPvcDlg.h"
#include "CConfigStaticIPDlg.h"
#include "CConfigUserAndPassDlg.h"
#include "CConfigWiressDlg.h"
#include "CCreatePasswordDlg.h"
#include "CErrorTipsDlg.h"
#include "CFogetPassAndModifyDlg.h"
#include "CJoinWiressDlg.h"
#include "CQuicKOrFirstInstallDlg.h"
#include "CRestoreConfiguration.h"
#include "CTarnixConnectDlg.h"
#include "ConnectionPagesHelper.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QTest>
#include <QTextDocument>

using namespace ConnectionTest;
using Choice = CQuicKOrFirstInstallDlg::InstallChoice;

namespace {

template <typename Page>
Page& As(CWizardPage& page)
{
    return static_cast<Page&>(page);
}

void PressNext(WalkDriver& walk, CWizardPage& page)
{
    walk.Press(page.NextButton(), "NEXT");
}

int ProtocolListIndex(WalkProtocol protocol)
{
    switch (protocol)
    {
    case WalkProtocol::Pppoe: return ProtocolPppoe;
    case WalkProtocol::Pppoa: return ProtocolPppoa;
    case WalkProtocol::MerDynamic:
    case WalkProtocol::MerStatic: return ProtocolMer;
    case WalkProtocol::Ipoa: return ProtocolIpoa;
    case WalkProtocol::Bridge: return ProtocolBridge;
    }
    return ProtocolPppoe;
}

FlowChoice PasswordChoice(RouterPasswordState password)
{
    return password == RouterPasswordState::Factory ? FlowChoice::FactoryPassword
                                                    : FlowChoice::OwnPassword;
}

void AddStart(RoadBuilder& road)
{
    road.Then(FlowChoice::Next, [](WalkDriver& walk, CWizardPage& page) {
        walk.Press(As<CTarnixConnectDlg>(page).StartButton(), "START");
    });
    road.Then(FlowChoice::Next, [](WalkDriver& walk, CWizardPage& page) {
        auto& preparations = As<CCheckDeviceTipsDlg>(page);
        for (int box = 0; box < 3; ++box)
            if (!walk.Press(preparations.CheckBox(box), "a preparations box"))
                return;
        PressNext(walk, page);
    });
}

void AddInstallMode(RoadBuilder& road, const WalkPlan& plan)
{
    if (plan.Path == WalkPath::QuickInstall)
    {
        road.Then(PasswordChoice(plan.Password), [](WalkDriver& walk, CWizardPage& page) {
            auto& mode = As<CQuicKOrFirstInstallDlg>(page);
            if (walk.Press(mode.OptionButton(Choice::QuickInstall), "Quick install"))
                PressNext(walk, page);
        });
        return;
    }
    road.Then(FlowChoice::FirstInstall, [](WalkDriver& walk, CWizardPage& page) {
        walk.Press(As<CQuicKOrFirstInstallDlg>(page).PictureButton(Choice::FirstInstall),
                   "the first-install picture");
    });
    // The power and Ethernet pages, then the DSL line page logs in.
    road.Then(FlowChoice::Next, PressNext);
    road.Then(FlowChoice::Next, PressNext);
    road.Then(PasswordChoice(plan.Password), PressNext);
}

void AddRouterPassword(RoadBuilder& road, const WalkPlan& plan)
{
    if (road.At() == PageId::CreatePassword)
    {
        road.Then(FlowChoice::Next, [plan](WalkDriver& walk, CWizardPage& page) {
            auto& create = As<CCreatePasswordDlg>(page);
            TypeInto(create.PasswordField(), plan.NewRouterPassword);
            TypeInto(create.ReenteredField(), plan.NewRouterPassword);
            PressNext(walk, page);
        });
        return;
    }
    road.Then(FlowChoice::Next, [plan](WalkDriver& walk, CWizardPage& page) {
        using Field = CFogetPassAndModifyDlg::Field;
        auto& existing = As<CFogetPassAndModifyDlg>(page);
        TypeInto(existing.PasswordField(Field::Existing), plan.RouterPassword);
        if (plan.Password == RouterPasswordState::ChangedAndChanged)
        {
            if (!walk.Press(existing.ChangeCheckBox(), "the change box"))
                return;
            TypeInto(existing.PasswordField(Field::New), plan.NewRouterPassword);
            TypeInto(existing.PasswordField(Field::Confirmation), plan.NewRouterPassword);
        }
        PressNext(walk, page);
    });
}

void AddIspAndPvc(RoadBuilder& road, const WalkPlan& plan)
{
    const bool dynamic = plan.Protocol == WalkProtocol::MerDynamic;
    const FlowChoice protocol = ProtocolChoice(ProtocolListIndex(plan.Protocol),
                                               dynamic ? MerIpDynamic : MerIpStatic);
    road.Then(protocol, [plan](WalkDriver& walk, CWizardPage& page) {
        auto& pvc = As<CConfigPvcDlg>(page);
        // The country first: choosing one loads its defaults.
        SelectInList(pvc.CountryList(), plan.Country);
        SelectInList(pvc.ProtocolList(), ProtocolListIndex(plan.Protocol));
        if (plan.Protocol == WalkProtocol::MerDynamic
            && !walk.Press(pvc.DynamicIpButton(), "Dynamic IP"))
            return;
        if (plan.Protocol == WalkProtocol::MerStatic
            && !walk.Press(pvc.StaticIpButton(), "Static IP"))
            return;
        SelectInList(pvc.EncapsulationList(), plan.Encapsulation);
        TypeInto(pvc.VpiField(), plan.Vpi);
        TypeInto(pvc.VciField(), plan.Vci);
        PressNext(walk, page);
    });
}

void AddAccountOrAddresses(RoadBuilder& road, const WalkPlan& plan)
{
    if (road.At() == PageId::IspAccount)
        road.Then(FlowChoice::Next, [plan](WalkDriver& walk, CWizardPage& page) {
            auto& account = As<CConfigUserAndPassDlg>(page);
            TypeInto(account.UserNameField(), plan.PppUser);
            TypeInto(account.PasswordField(), plan.PppPassword);
            TypeInto(account.ConfirmationField(), plan.PppPassword);
            PressNext(walk, page);
        });
    if (road.At() == PageId::StaticIp)
        road.Then(FlowChoice::Next, [plan](WalkDriver& walk, CWizardPage& page) {
            using Field = CConfigStaticIPDlg::Field;
            auto& addresses = As<CConfigStaticIPDlg>(page);
            const WalkAddresses& typed = plan.Addresses;
            const std::pair<Field, QString> fields[] = {{Field::IpAddress, typed.Ip},
                                                        {Field::SubnetMask, typed.Mask},
                                                        {Field::Gateway, typed.Gateway},
                                                        {Field::PrimaryDns, typed.PrimaryDns},
                                                        {Field::SecondaryDns, typed.SecondaryDns}};
            for (const auto& [field, text] : fields)
                if (!text.isEmpty())
                    TypeAddress(addresses.AddressField(field), text);
            PressNext(walk, page);
        });
}

// From the ISP and PVC page to the Apply page, which ends with online.
void AddConnection(RoadBuilder& road, const WalkPlan& plan, bool online)
{
    AddIspAndPvc(road, plan);
    AddAccountOrAddresses(road, plan);
    road.Then(FlowChoice::Next, [plan](WalkDriver& walk, CWizardPage& page) {
        auto& wireless = As<CConfigWiressDlg>(page);
        TypeInto(wireless.SsidField(), plan.Ssid);
        SelectInList(wireless.SecurityList(), plan.Security);
        if (plan.Security != SecurityNone)
            TypeInto(wireless.KeyField(), plan.Key);
        PressNext(walk, page);
    });
    // PREV and NEXT are there but do nothing while the settings are saved;
    // the page goes on by itself, at times (a page-shown hook that waits, a
    // busy machine) before this step runs: then nothing is left to press.
    road.Then(online ? FlowChoice::Online : FlowChoice::Offline,
              [](WalkDriver& walk, CWizardPage& page) {
                  if (CWizardPage::TopPage() == &page && walk.Press(page.PrevButton(), "PREV"))
                      PressNext(walk, page);
              });
}

void AddLightBox(RoadBuilder& road, const RoadHooks& hooks)
{
    road.Then(FlowChoice::Close, [hooks](WalkDriver& walk, CWizardPage& page) {
        if (hooks.OnLightBox)
            hooks.OnLightBox();
        walk.Press(As<CErrorTipsDlg>(page).CloseButton(), "CLOSE");
    });
}

void AddSuccessAndGuide(RoadBuilder& road, const WalkPlan& plan)
{
    road.Then(FlowChoice::Next, PressNext);
    road.ThenEnd([plan](WalkDriver& walk, CWizardPage& page) {
        const QTextDocument* guide = As<CJoinWiressDlg>(page).Browser().Document();
        const QString shown = guide ? guide->toPlainText() : QString();
        const bool keyShown = plan.Security == SecurityNone || shown.contains(plan.Key);
        if (!shown.contains(plan.Ssid) || !keyShown)
            return walk.Fail("the join-wireless guide does not show the network "
                             "name and key: "
                             + shown.left(300));
        walk.Press(page.ExitButton(), "Exit");
    });
    // Exit ended the guide; the close box ends the chain below it.
    road.ThenEnd([](WalkDriver&, CWizardPage& page) { page.close(); });
}

}  // namespace

bool UsesIspAccount(WalkProtocol protocol)
{
    return protocol == WalkProtocol::Pppoe || protocol == WalkProtocol::Pppoa;
}

bool UsesStaticAddresses(WalkProtocol protocol)
{
    return protocol == WalkProtocol::MerStatic || protocol == WalkProtocol::Ipoa;
}

void RoadBuilder::Then(FlowChoice choice, Action act)
{
    const std::optional<PageId> next = NextPage(At(), choice);
    if (!next)
        qFatal("the page flow has no %s from the %s page", FlowChoiceName(choice),
               PageIdName(At()));
    m_road.push_back({At(), std::move(act)});
    m_chain.push_back(*next);
}

void RoadBuilder::ThenEnd(Action act)
{
    m_road.push_back({At(), std::move(act)});
    m_chain.pop_back();
}

std::vector<WalkStep> SetupRoad(const WalkPlan& plan, const RoadHooks& hooks)
{
    RoadBuilder road;
    AddStart(road);
    AddInstallMode(road, plan);
    AddRouterPassword(road, plan);
    AddConnection(road, plan, !plan.RetryAfterLightBox);
    if (plan.RetryAfterLightBox)
    {
        AddLightBox(road, hooks);
        AddConnection(road, plan, true);
    }
    AddSuccessAndGuide(road, plan);
    return road.Road();
}

std::vector<WalkStep> RestoreRoad()
{
    RoadBuilder road;
    AddStart(road);
    AddInstallMode(road, WalkPlan{.Path = WalkPath::QuickInstall});
    // Back from the create-password page: the new install mode page offers
    // the restore choice, as the factory login succeeded.
    road.Then(FlowChoice::Prev,
              [](WalkDriver& walk, CWizardPage& page) { walk.Press(page.PrevButton(), "PREV"); });
    road.Then(FlowChoice::Restore, [](WalkDriver& walk, CWizardPage& page) {
        walk.Press(As<CQuicKOrFirstInstallDlg>(page).PictureButton(Choice::Restore),
                   "the restore picture");
    });
    road.ThenEnd([](WalkDriver& walk, CWizardPage& page) {
        auto& restore = As<CRestoreConfiguration>(page);
        // The router is read once the page shows.
        if (!QTest::qWaitFor([&] { return !restore.NetworkNameLabel()->text().isEmpty(); }))
            return walk.Fail("the restore page shows no network name");
        if (walk.Press(restore.SaveChoice(), "the save box")
            && walk.Press(page.NextButton(), "NEXT"))
            walk.Press(page.PrevButton(), "PREV");
    });
    road.ThenEnd([](WalkDriver&, CWizardPage& page) { page.close(); });
    return road.Road();
}
