// The install mode page's quick-install login against the router emulator,
// and the router error phrases reaching the user-interface thread.

#include "CQuicKOrFirstInstallDlg.h"
#include "ClickHelpers.h"
#include "FakeEffects.h"
#include "HttpTransport.h"
#include "PrimeRouterLink.h"
#include "RouterSim.h"
#include "WizardOptions.h"
#include "WizardSettings.h"
#include "WizardTestScope.h"

#include <QRadioButton>
#include <QStandardPaths>
#include <QTest>

#include <optional>
#include <thread>

using Choice = CQuicKOrFirstInstallDlg::InstallChoice;

Q_DECLARE_METATYPE(PageId)

class TestQuickInstallLogin : public QObject
{
    Q_OBJECT

private:
    FakeEffects m_effects;
    std::optional<WizardTestScope> m_scope;
    RouterSim m_sim;

    std::size_t LoginAttempts() const
    {
        std::size_t posts = 0;
        for (const SimRequest& request : m_sim.RequestsTo("/index.html"))
            posts += request.Method == "POST";
        return posts;
    }

private slots:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        QVERIFY(m_sim.Start(0) > 0);
        GetWizardOptions().RouterAddress = m_sim.Address();
    }

    void cleanupTestCase() { m_sim.Stop(); }

    void init()
    {
        m_effects = FakeEffects();
        m_scope.emplace(&m_effects);
        GetWizardSettings() = WizardSettings();
        m_sim.SetState(SimRouterState());
        m_sim.ClearFaults();
        m_sim.ClearRequests();
    }

    void cleanup()
    {
        m_scope.reset();
        QTRY_VERIFY(VisibleTopLevels().isEmpty());
    }

    void quickInstallPicksPasswordPage_data()
    {
        QTest::addColumn<QString>("routerPassword");
        QTest::addColumn<int>("refusedLogins");
        QTest::addColumn<PageId>("expected");
        QTest::addColumn<std::size_t>("attempts");
        QTest::newRow("factory password")
            << "vabel" << 0 << PageId::CreatePassword << std::size_t(1);
        QTest::newRow("second attempt succeeds")
            << "vabel" << 1 << PageId::CreatePassword << std::size_t(2);
        QTest::newRow("password changed")
            << "s3cret" << 0 << PageId::ExistingPassword << std::size_t(2);
    }

    void quickInstallPicksPasswordPage()
    {
        QFETCH(QString, routerPassword);
        QFETCH(int, refusedLogins);
        QFETCH(PageId, expected);
        QFETCH(std::size_t, attempts);
        SimRouterState state;
        state.AdminPassword = routerPassword.toStdString();
        m_sim.SetState(state);
        m_sim.RefuseLogins(refusedLogins);

        CQuicKOrFirstInstallDlg page(nullptr);
        page.show();
        Click(page.PictureButton(Choice::QuickInstall));

        QCOMPARE(m_effects.openedPages, std::vector<PageId>{expected});
        QCOMPARE(LoginAttempts(), attempts);
        QCOMPARE(page.IsRestoreOptionShown(), expected == PageId::CreatePassword);
        QVERIFY(!GetWizardSettings().FirstInstallPath);
        QVERIFY(page.isEnabled());
        page.close();
    }

    void nextWithQuickChosenLogsIn()
    {
        CQuicKOrFirstInstallDlg page(nullptr);
        page.show();
        Click(page.OptionButton(Choice::QuickInstall));
        Click(page.NextButton());
        QCOMPARE(m_effects.openedPages, std::vector<PageId>{PageId::CreatePassword});
        QCOMPARE(LoginAttempts(), std::size_t(1));
        page.close();
    }

    // A router that answers slowly: both attempts run into a short time-out
    // while the page keeps handling events and refuses a second click.
    void pageStaysResponsiveDuringSlowLogin()
    {
        SimFault slow;
        slow.Delay = std::chrono::milliseconds(3000);
        m_sim.SetFault("/index.html", slow);
        HttpTimeouts shortTimeouts;
        shortTimeouts.Post = std::chrono::milliseconds(400);
        GetWizardOptions().Timeouts = shortTimeouts;

        CQuicKOrFirstInstallDlg page(nullptr);
        page.show();
        int ticks = 0;
        bool disabledWhileWaiting = false;
        bool busyCursor = false;
        QTimer ticker;
        connect(&ticker, &QTimer::timeout, this, [&] {
            ++ticks;
            if (!page.isEnabled())
                disabledWhileWaiting = true;
            if (QApplication::overrideCursor()
                && QApplication::overrideCursor()->shape() == Qt::BusyCursor)
                busyCursor = true;
            QTest::mouseClick(page.PictureButton(Choice::QuickInstall), Qt::LeftButton);
        });
        ticker.start(20);
        Click(page.PictureButton(Choice::QuickInstall));
        ticker.stop();

        QVERIFY2(ticks >= 10, qPrintable(QString::number(ticks)));
        QVERIFY(disabledWhileWaiting);
        QVERIFY(busyCursor);
        QCOMPARE(QApplication::overrideCursor(), nullptr);
        // Nothing answered in time: no password was refused, so none is asked for.
        QVERIFY(m_effects.openedPages.empty());
        QCOMPARE(m_effects.messages.size(), std::size_t(1));
        QCOMPARE(m_effects.messages[0].text, QString(kRouterNoAnswerText));
        QCOMPARE(LoginAttempts(), std::size_t(2));
        QVERIFY(page.isEnabled());
        page.close();
    }

    // The phrases are found by whatever thread made the request; the box
    // is shown on the user-interface thread, in order.
    void routerErrorPhrasesShowOnUiThread()
    {
        InstallRouterErrorMessages();
        SimFault answer;
        answer.Body = "<html>PVC(MAX 8) table is Full! Connection already exists!</html>";
        m_sim.SetFault("/form2WanAdsl.cgi", answer);
        const RouterErrorNotifier notify = GetRouterLink()->GetErrorNotifier();
        std::thread worker([this, &notify] {
            HttpPostChecked("http://" + m_sim.Address() + "/form2WanAdsl.cgi",
                            "DeleteALL=DeleteALL", std::string(), kPostTimeout, {}, notify);
        });
        worker.join();
        QTRY_COMPARE(m_effects.messages.size(), std::size_t(2));
        QCOMPARE(m_effects.messages[0].text, QString("Connection already exists!"));
        QCOMPARE(m_effects.messages[1].text, QString("PVC(MAX 8) table is Full!"));
        for (const ShownMessage& message : m_effects.messages)
        {
            QCOMPARE(message.caption, QString("Error"));
            QCOMPARE(message.icon, QMessageBox::Critical);
            QVERIFY(message.onUiThread);
        }
    }
};

QTEST_MAIN(TestQuickInstallLogin)
#include "tst_QuickInstallLogin.moc"
