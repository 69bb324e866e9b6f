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

WalkStep PressNext(PageId id)
{
    return {id, [](WalkDriver& walk, CWizardPage& page) { walk.Press(page.NextButton(), "NEXT"); }};
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

void AddStart(std::vector<WalkStep>& road)
{
    road.push_back({PageId::Welcome, [](WalkDriver& walk, CWizardPage& page) {
                        walk.Press(As<CTarnixConnectDlg>(page).StartButton(), "START");
                    }});
    road.push_back({PageId::Preparations, [](WalkDriver& walk, CWizardPage& page) {
                        auto& preparations = As<CCheckDeviceTipsDlg>(page);
                        for (int box = 0; box < 3; ++box)
                            if (!walk.Press(preparations.CheckBox(box), "a preparations box"))
                                return;
                        walk.Press(page.NextButton(), "NEXT");
                    }});
}

void AddInstallMode(std::vector<WalkStep>& road, WalkPath path)
{
    if (path == WalkPath::QuickInstall)
    {
        road.push_back(
            {PageId::InstallMode, [](WalkDriver& walk, CWizardPage& page) {
                 auto& mode = As<CQuicKOrFirstInstallDlg>(page);
                 if (walk.Press(mode.OptionButton(Choice::QuickInstall), "Quick install"))
                     walk.Press(page.NextButton(), "NEXT");
             }});
        return;
    }
    road.push_back({PageId::InstallMode, [](WalkDriver& walk, CWizardPage& page) {
                        walk.Press(
                            As<CQuicKOrFirstInstallDlg>(page).PictureButton(Choice::FirstInstall),
                            "the first-install picture");
                    }});
    for (PageId hardware : {PageId::Power, PageId::Ethernet, PageId::DslLine})
        road.push_back(PressNext(hardware));
}

void AddRouterPassword(std::vector<WalkStep>& road, const WalkPlan& plan)
{
    if (plan.Password == RouterPasswordState::Factory)
    {
        road.push_back({PageId::CreatePassword, [plan](WalkDriver& walk, CWizardPage& page) {
                            auto& create = As<CCreatePasswordDlg>(page);
                            TypeInto(create.PasswordField(), plan.NewRouterPassword);
                            TypeInto(create.ReenteredField(), plan.NewRouterPassword);
                            walk.Press(page.NextButton(), "NEXT");
                        }});
        return;
    }
    road.push_back({PageId::ExistingPassword, [plan](WalkDriver& walk, CWizardPage& page) {
                        using Field = CFogetPassAndModifyDlg::Field;
                        auto& existing = As<CFogetPassAndModifyDlg>(page);
                        TypeInto(existing.PasswordField(Field::Existing), plan.RouterPassword);
                        if (plan.Password == RouterPasswordState::ChangedAndChanged)
                        {
                            if (!walk.Press(existing.ChangeCheckBox(), "the change box"))
                                return;
                            TypeInto(existing.PasswordField(Field::New), plan.NewRouterPassword);
                            TypeInto(existing.PasswordField(Field::Confirmation),
                                     plan.NewRouterPassword);
                        }
                        walk.Press(page.NextButton(), "NEXT");
                    }});
}

void AddIspAndPvc(std::vector<WalkStep>& road, const WalkPlan& plan)
{
    road.push_back({PageId::IspAndPvc, [plan](WalkDriver& walk, CWizardPage& page) {
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
                        walk.Press(page.NextButton(), "NEXT");
                    }});
}

void AddConnectionDetails(std::vector<WalkStep>& road, const WalkPlan& plan)
{
    if (UsesIspAccount(plan.Protocol))
        road.push_back({PageId::IspAccount, [plan](WalkDriver& walk, CWizardPage& page) {
                            auto& account = As<CConfigUserAndPassDlg>(page);
                            TypeInto(account.UserNameField(), plan.PppUser);
                            TypeInto(account.PasswordField(), plan.PppPassword);
                            TypeInto(account.ConfirmationField(), plan.PppPassword);
                            walk.Press(page.NextButton(), "NEXT");
                        }});
    if (UsesStaticAddresses(plan.Protocol))
        road.push_back({PageId::StaticIp, [plan](WalkDriver& walk, CWizardPage& page) {
                            using Field = CConfigStaticIPDlg::Field;
                            auto& addresses = As<CConfigStaticIPDlg>(page);
                            const WalkAddresses& typed = plan.Addresses;
                            const std::pair<Field, QString> fields[] = {
                                {Field::IpAddress, typed.Ip},
                                {Field::SubnetMask, typed.Mask},
                                {Field::Gateway, typed.Gateway},
                                {Field::PrimaryDns, typed.PrimaryDns},
                                {Field::SecondaryDns, typed.SecondaryDns}};
                            for (const auto& [field, text] : fields)
                                if (!text.isEmpty())
                                    TypeAddress(addresses.AddressField(field), text);
                            walk.Press(page.NextButton(), "NEXT");
                        }});
    road.push_back({PageId::Wireless, [plan](WalkDriver& walk, CWizardPage& page) {
                        auto& wireless = As<CConfigWiressDlg>(page);
                        TypeInto(wireless.SsidField(), plan.Ssid);
                        SelectInList(wireless.SecurityList(), plan.Security);
                        if (plan.Security != SecurityNone)
                            TypeInto(wireless.KeyField(), plan.Key);
                        walk.Press(page.NextButton(), "NEXT");
                    }});
    // PREV and NEXT are there but do nothing while the settings are saved;
    // the page goes on by itself.
    road.push_back({PageId::Apply, [](WalkDriver& walk, CWizardPage& page) {
                        if (walk.Press(page.PrevButton(), "PREV"))
                            walk.Press(page.NextButton(), "NEXT");
                    }});
}

void AddLightBox(std::vector<WalkStep>& road, const RoadHooks& hooks)
{
    road.push_back({PageId::ErrorLightBox, [hooks](WalkDriver& walk, CWizardPage& page) {
                        if (hooks.OnLightBox)
                            hooks.OnLightBox();
                        walk.Press(As<CErrorTipsDlg>(page).CloseButton(), "CLOSE");
                    }});
}

void AddSuccessAndGuide(std::vector<WalkStep>& road, const WalkPlan& plan)
{
    road.push_back(PressNext(PageId::Success));
    road.push_back({PageId::JoinWireless, [plan](WalkDriver& walk, CWizardPage& page) {
                        const QTextDocument* guide = As<CJoinWiressDlg>(page).Browser().Document();
                        const QString shown = guide ? guide->toPlainText() : QString();
                        const bool keyShown = plan.Security == SecurityNone
                                              || shown.contains(plan.Key);
                        if (!shown.contains(plan.Ssid) || !keyShown)
                            return walk.Fail("the join-wireless guide does not show the network "
                                             "name and key: "
                                             + shown.left(300));
                        walk.Press(page.ExitButton(), "Exit");
                    }});
    // Exit ended the guide; the close box ends the chain below it.
    road.push_back({PageId::Success, [](WalkDriver&, CWizardPage& page) { page.close(); }});
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

std::vector<WalkStep> SetupRoad(const WalkPlan& plan, const RoadHooks& hooks)
{
    std::vector<WalkStep> road;
    AddStart(road);
    AddInstallMode(road, plan.Path);
    AddRouterPassword(road, plan);
    AddIspAndPvc(road, plan);
    AddConnectionDetails(road, plan);
    if (plan.RetryAfterLightBox)
    {
        AddLightBox(road, hooks);
        AddIspAndPvc(road, plan);
        AddConnectionDetails(road, plan);
    }
    AddSuccessAndGuide(road, plan);
    return road;
}

std::vector<WalkStep> RestoreRoad()
{
    std::vector<WalkStep> road;
    AddStart(road);
    AddInstallMode(road, WalkPath::QuickInstall);
    // Back from the create-password page: the new install mode page offers
    // the restore choice, as the factory login succeeded.
    road.push_back({PageId::CreatePassword, [](WalkDriver& walk, CWizardPage& page) {
                        walk.Press(page.PrevButton(), "PREV");
                    }});
    road.push_back({PageId::InstallMode, [](WalkDriver& walk, CWizardPage& page) {
                        walk.Press(As<CQuicKOrFirstInstallDlg>(page).PictureButton(Choice::Restore),
                                   "the restore picture");
                    }});
    road.push_back(
        {PageId::RestoreConfiguration, [](WalkDriver& walk, CWizardPage& page) {
             auto& restore = As<CRestoreConfiguration>(page);
             // The router is read once the page shows.
             if (!QTest::qWaitFor([&] { return !restore.NetworkNameLabel()->text().isEmpty(); }))
                 return walk.Fail("the restore page shows no network name");
             if (walk.Press(restore.SaveChoice(), "the save box")
                 && walk.Press(page.NextButton(), "NEXT"))
                 walk.Press(page.PrevButton(), "PREV");
         }});
    road.push_back({PageId::InstallMode, [](WalkDriver&, CWizardPage& page) { page.close(); }});
    return road;
}
