// What the pages make of the computer's network and the router's line: the
// check before the first login on the three roads that make one (quick
// install, DSL line page, restore), the Ethernet page's live wired status, the
// preparations page's wireless adapter line and
// the DSL line page's line state, with the host network read from tables and
// the router played by the emulator on loopback.

#include "CCheckDeviceTipsDlg.h"
#include "CDslLineDlg.h"
#include "CEthLineDlg.h"
#include "CIpLink.h"
#include "CQuicKOrFirstInstallDlg.h"
#include "ClickHelpers.h"
#include "FakeEffects.h"
#include "FixedHostNetwork.h"
#include "HostNetwork.h"
#include "PasswordPagesHelper.h"
#include "RouterNetworkCheck.h"
#include "RouterSim.h"
#include "WizardOptions.h"
#include "WizardSettings.h"
#include "WizardTestScope.h"

#include <QElapsedTimer>
#include <QRadioButton>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTest>
#include <QThreadPool>

#include <optional>

using namespace PasswordPagesTest;
using namespace std::chrono_literals;
using Choice = CQuicKOrFirstInstallDlg::InstallChoice;

Q_DECLARE_METATYPE(PageId)
Q_DECLARE_METATYPE(HostNetworkState)

namespace {

// The router's network as the emulator plays it: 127.0.0.1.
HostNetworkState InRouterNetwork()
{
    return {{Adapter("lo", AdapterKind::Loopback, true, {"127.0.0.1/8"})}, {}};
}

HostNetworkState Cabled(const QString& address, bool link = true)
{
    return {{Adapter("eth0", AdapterKind::Wired, link, {address})}, {}};
}

// No adapter with a link reaches 127.0.0.1.
HostNetworkState Unplugged()
{
    return {{Adapter("eth0", AdapterKind::Wired, false, {"127.0.0.5/8"}),
             Adapter("wlan0", AdapterKind::Wireless, true, {"10.0.0.8/24"})},
            {}};
}

}  // namespace

class TestHostNetworkPages : public QObject
{
    Q_OBJECT

private:
    FakeEffects m_effects;
    FixedHostNetwork m_network;
    std::optional<WizardTestScope> m_scope;
    RouterSim m_sim;

    // Runs road on a fresh page and returns the pages it opened.
    void RunRoad(const QString& road)
    {
        if (road == "DSL line page")
        {
            CQuicKOrFirstInstallDlg modePage(nullptr);
            CDslLineDlg page(nullptr);
            page.show();
            Click(page.NextButton());
            page.close();
            return;
        }
        CQuicKOrFirstInstallDlg page(nullptr);
        page.show();
        if (road == "quick install")
            Click(page.PictureButton(Choice::QuickInstall));
        else if (road == "restore picture")
        {
            page.RevealRestoreOption();
            Click(page.PictureButton(Choice::Restore));
        }
        else
        {
            page.RevealRestoreOption();
            Click(page.OptionButton(Choice::Restore));
            Click(page.NextButton());
        }
        page.close();
    }

    static bool IsLoginRoad(const QString& road)
    {
        return road == "quick install" || road == "DSL line page";
    }

private slots:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        QVERIFY(StartEmulator(m_sim));
        qRegisterMetaType<PageId>();
    }

    void cleanupTestCase() { m_sim.Stop(); }

    void init()
    {
        m_effects = FakeEffects();
        m_scope.emplace(&m_effects);
        m_network.Set(InRouterNetwork());
        m_network.SetDelay(0ms);
        WizardSession::Current().UseHostNetwork(&m_network);
        GetWizardSettings() = WizardSettings();
        m_sim.SetState(SimRouterState());
        m_sim.ClearFaults();
        m_sim.ClearRequests();
    }

    void cleanup()
    {
        QTRY_VERIFY(VisibleTopLevels().isEmpty());
        // A read still running on the pool reads the table it was given.
        QThreadPool::globalInstance()->waitForDone();
        m_scope.reset();
    }

    void checkBeforeTheFirstLogin_data()
    {
        QTest::addColumn<QString>("road");
        QTest::addColumn<HostNetworkState>("network");
        QTest::addColumn<bool>("tryAnyway");
        QTest::addColumn<bool>("asked");
        QTest::addColumn<bool>("goesOn");
        for (const char* road :
             {"quick install", "DSL line page", "restore picture", "restore by NEXT"})
        {
            const QByteArray name(road);
            QTest::newRow(name + ", in the router's network")
                << road << InRouterNetwork() << false << false << true;
            QTest::newRow(name + ", unplugged, cancel")
                << road << Unplugged() << false << true << false;
            QTest::newRow(name + ", unplugged, try anyway")
                << road << Unplugged() << true << true << true;
        }
        QTest::newRow("wired in another network")
            << "quick install" << Cabled("192.168.0.5/24") << false << true << false;
        QTest::newRow("wired in the network, no link")
            << "quick install" << Cabled("127.0.0.9/8", false) << false << true << false;
    }

    // Asked only when no adapter reaches the router; a cancel sends nothing
    // and opens nothing, try anyway goes on as before.
    void checkBeforeTheFirstLogin()
    {
        QFETCH(QString, road);
        QFETCH(HostNetworkState, network);
        QFETCH(bool, tryAnyway);
        QFETCH(bool, asked);
        QFETCH(bool, goesOn);
        m_network.Set(network);
        m_effects.choiceAnswers = {tryAnyway};
        RunRoad(road);

        QCOMPARE(m_effects.choices.size(), std::size_t(asked ? 1 : 0));
        if (asked)
        {
            QCOMPARE(m_effects.choices[0].at(0), QString(kNoRouterNetworkMessage));
            QCOMPARE(m_effects.choices[0].at(2), QString(kTryAnyway));
        }
        QCOMPARE(!m_effects.openedPages.empty(), goesOn);
        if (IsLoginRoad(road))
            QCOMPARE(LoginAttempts(m_sim) > 0, goesOn);
    }

    // The check reads the host network off the page's thread: a read that
    // takes a second leaves the page painting.
    void slowHostNetworkDoesNotFreeze()
    {
        m_network.SetDelay(1200ms);
        CQuicKOrFirstInstallDlg page(nullptr);
        page.show();
        QElapsedTimer longestGap;
        qint64 worst = 0;
        QTimer ticker;
        ticker.setInterval(20);
        longestGap.start();
        connect(&ticker, &QTimer::timeout, [&] { worst = std::max(worst, longestGap.restart()); });
        ticker.start();
        Click(page.PictureButton(Choice::QuickInstall));
        ticker.stop();
        QVERIFY2(worst < 500,
                 qPrintable(QString("the event loop stood still for %1 ms").arg(worst)));
        QCOMPARE(m_effects.openedPages, std::vector<PageId>{PageId::CreatePassword});
        page.close();
    }

    // The Ethernet page's wired line and the preparations page's wireless
    // line, each as read from the host network.
    void statusLinesShowTheHostNetwork_data()
    {
        QTest::addColumn<PageId>("page");
        QTest::addColumn<HostNetworkState>("network");
        QTest::addColumn<QString>("text");
        QTest::newRow("no wired adapter") << PageId::Ethernet << InRouterNetwork()
                                          << WiredStatusText(WiredLinkState::NoWiredAdapter);
        QTest::newRow("no cable") << PageId::Ethernet << Cabled("127.0.0.9/8", false)
                                  << WiredStatusText(WiredLinkState::NoCable);
        QTest::newRow("router on loopback") << PageId::Ethernet << Cabled("127.0.0.9/8")
                                            << WiredStatusText(WiredLinkState::LinkOnly);
        const QString noWireless = "No wireless adapter is connected.";
        HostAdapter joined = Adapter("wlan0", AdapterKind::Wireless, true, {"10.0.0.8/24"});
        joined.ConnectionName = "HomeNet";
        QTest::newRow("no wireless adapter")
            << PageId::Preparations << Cabled("127.0.0.9/8") << noWireless;
        QTest::newRow("wireless adapter off")
            << PageId::Preparations
            << HostNetworkState{{Adapter("wlan0", AdapterKind::Wireless, false)}, {}} << noWireless;
        QTest::newRow("wireless adapter connected")
            << PageId::Preparations << HostNetworkState{{joined}, {}}
            << "Your wireless adapter is connected to HomeNet: switch it off for now.";
    }

    void statusLinesShowTheHostNetwork()
    {
        QFETCH(PageId, page);
        QFETCH(HostNetworkState, network);
        QFETCH(QString, text);
        m_network.Set(network);
        if (page == PageId::Ethernet)
        {
            CEthLineDlg ethernet(nullptr);
            ethernet.show();
            QTRY_COMPARE(ethernet.WiredStatusLabel()->text(), text);
            ethernet.close();
            return;
        }
        CCheckDeviceTipsDlg preparations(nullptr);
        preparations.show();
        QTRY_COMPARE(preparations.WirelessStatusLabel()->text(), text);
        preparations.close();
    }

    // The cable plugged in while the page is open shows within a refresh,
    // and a slow read is never stacked or waited for.
    void ethernetPageFollowsTheCable()
    {
        m_network.Set(Cabled("127.0.0.9/8", false));
        CEthLineDlg page(nullptr);
        page.show();
        QTRY_COMPARE(page.WiredStatusLabel()->text(), WiredStatusText(WiredLinkState::NoCable));
        m_network.SetDelay(2500ms);
        m_network.Set(Cabled("127.0.0.9/8"));
        QElapsedTimer clock;
        clock.start();
        QTest::qWait(100);  // the page answers at once while the read waits
        QVERIFY(clock.elapsed() < 1000);
        QTRY_COMPARE_WITH_TIMEOUT(page.WiredStatusLabel()->text(),
                                  WiredStatusText(WiredLinkState::LinkOnly), 8000);
        QCOMPARE(m_network.MostAtOnce(), 1);
        page.close();
    }

    void dslLinePageShowsTheLineState_data()
    {
        QTest::addColumn<QString>("rate");
        QTest::addColumn<QString>("text");
        QTest::newRow("up") << "8128"
                            << "Your router reports that the DSL line is up (8128 kbit/s).";
        QTest::newRow("not up")
            << "0"
            << "Your router reports that the DSL line is not up yet. Check the grey "
               "cable, the microfilter and the DSL light.";
    }

    // After its login the page reads the line; NEXT still opens the
    // create-password page.
    void dslLinePageShowsTheLineState()
    {
        QFETCH(QString, rate);
        QFETCH(QString, text);
        SimRouterState state;
        state.DownstreamRate = rate.toStdString();
        m_sim.SetState(state);
        CDslLineDlg page(nullptr);
        QSignalSpy shown(&page, &CDslLineDlg::LineStateShown);
        page.show();
        QVERIFY(page.LineStateLabel()->text().isEmpty());
        Click(page.NextButton());
        QCOMPARE(m_effects.openedPages, std::vector<PageId>{PageId::CreatePassword});
        QTRY_COMPARE(shown.count(), 1);
        QCOMPARE(page.LineStateLabel()->text(), text);
        page.close();
    }

    // A router that does not hand out its status page: nothing is claimed.
    void dslLineStateUnreadSaysNothing()
    {
        m_sim.SetFault("/info.html", SimFault{.Status = 404});
        CDslLineDlg page(nullptr);
        QSignalSpy shown(&page, &CDslLineDlg::LineStateShown);
        page.show();
        Click(page.NextButton());
        QTRY_COMPARE(shown.count(), 1);
        QVERIFY(page.LineStateLabel()->text().isEmpty());
        page.close();
    }
};

QTEST_MAIN(TestHostNetworkPages)
#include "tst_HostNetworkPages.moc"
