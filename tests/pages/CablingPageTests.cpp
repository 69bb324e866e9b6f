// tst_ChecklistPages, continued: the power, Ethernet and DSL line pages, their
// hover terms and layout, NEXT's next page, and the DSL line page's login test
// against the router emulator.

#include "CDslLineDlg.h"
#include "CIpLink.h"
#include "CLabel.h"
#include "CQuicKOrFirstInstallDlg.h"
#include "ClickHelpers.h"
#include "PasswordPagesHelper.h"
#include "TestChecklistPages.h"
#include "WizardSettings.h"

#include <QTest>

using namespace PasswordPagesTest;

void TestChecklistPages::cablingTermsShowTheirTips_data()
{
    QTest::addColumn<PageId>("id");
    QTest::addColumn<QString>("term");
    QTest::addColumn<QString>("tip");
    QTest::addColumn<int>("tipWidth");
    QTest::newRow("LAN port")
        << PageId::Ethernet << "LAN port"
        << "LAN port\nThis is the port located on the back of the router where you will be "
           "asked to plug your Ethernet cable into. There are normally 4 of them,allowing you "
           "to connect up to 4 computers/devices to the modem router at any time."
        << 453;
    QTest::newRow("phone jack") << PageId::DslLine << "phone jack."
                                << "Phone jack\nA connection system for telephone equipment" << 180;
    QTest::newRow("microfilter")
        << PageId::DslLine << "Microfilter splitter"
        << "Microfilter splitter\nA microfilter is a small device that plugs into your normal "
           "telephone socket and splits the line into both a standard telephone socket and an "
           "ADSL broadband socket."
        << 400;
}

void TestChecklistPages::cablingTermsShowTheirTips()
{
    QFETCH(PageId, id);
    QFETCH(QString, term);
    QFETCH(QString, tip);
    QFETCH(int, tipWidth);
    const std::unique_ptr<QDialog> page = MakePage(id);
    page->show();
    CLabel* label = FindTerm(page.get(), term);
    QVERIFY(label);
    QCOMPARE(TipShownFor(label), WrapToolTip(tip, tipWidth));
    // However wide the desktop's font, the title stays one line.
    QVERIFY(WrapToolTip(tip, 1).startsWith(tip.section('\n', 0, 0) + '\n'));
    QVERIFY(label->font().underline());
    QCOMPARE(label->TextColor(), kAccentColour);
    page->close();
}

// Nothing the page adds may reach into the illustration or the buttons.
void TestChecklistPages::cablingTextsStayBesideTheIllustration_data()
{
    QTest::addColumn<PageId>("id");
    QTest::newRow("power") << PageId::Power;
    QTest::newRow("ethernet") << PageId::Ethernet;
    QTest::newRow("dsl line") << PageId::DslLine;
}

void TestChecklistPages::cablingTextsStayBesideTheIllustration()
{
    QFETCH(PageId, id);
    const std::unique_ptr<QDialog> page = MakePage(id);
    for (const CLabel* label : page->findChildren<CLabel*>())
        if (label->y() >= PageLayout::kContentRect.top())
            QVERIFY2(PageLayout::kTextBesideIllustrationRect.contains(label->geometry()),
                     qPrintable(label->text()));
}

void TestChecklistPages::nextOpensTheFollowingPage_data()
{
    QTest::addColumn<PageId>("id");
    QTest::addColumn<PageId>("next");
    QTest::newRow("power") << PageId::Power << PageId::Ethernet;
    QTest::newRow("ethernet") << PageId::Ethernet << PageId::DslLine;
}

void TestChecklistPages::nextOpensTheFollowingPage()
{
    QFETCH(PageId, id);
    QFETCH(PageId, next);
    const std::unique_ptr<QDialog> page = MakePage(id);
    page->show();
    Click(Page(page)->NextButton());
    QCOMPARE(m_effects.openedPages, std::vector<PageId>{next});
    QVERIFY(page->isVisible());
    page->close();
}

void TestChecklistPages::dslLineLoginPicksThePasswordPage_data()
{
    QTest::addColumn<QString>("routerPassword");
    QTest::addColumn<int>("refusedLogins");
    QTest::addColumn<bool>("reachable");
    QTest::addColumn<QList<PageId>>("expected");
    QTest::addColumn<std::size_t>("attempts");
    QTest::newRow("factory password")
        << "vabel" << 0 << true << QList{PageId::CreatePassword} << std::size_t(1);
    QTest::newRow("second attempt succeeds")
        << "vabel" << 1 << true << QList{PageId::CreatePassword} << std::size_t(2);
    QTest::newRow("password changed")
        << "s3cret" << 0 << true << QList{PageId::ExistingPassword} << std::size_t(2);
    // No password was refused: the page stays, with a message.
    QTest::newRow("router unreachable")
        << "vabel" << 0 << false << QList<PageId>{} << std::size_t(0);
}

void TestChecklistPages::dslLineLoginPicksThePasswordPage()
{
    QFETCH(QString, routerPassword);
    QFETCH(int, refusedLogins);
    QFETCH(bool, reachable);
    QFETCH(QList<PageId>, expected);
    QFETCH(std::size_t, attempts);
    SimRouterState state;
    state.AdminPassword = routerPassword.toStdString();
    m_sim.SetState(state);
    m_sim.RefuseLogins(refusedLogins);
    if (!reachable)
        GetRouterLink()->SetRouterAddress("127.0.0.1:1");

    CQuicKOrFirstInstallDlg modePage(nullptr);
    CDslLineDlg page(nullptr);
    page.show();
    Click(page.NextButton());
    GetRouterLink()->SetRouterAddress(m_sim.Address());

    QCOMPARE(m_effects.openedPages, std::vector<PageId>(expected.begin(), expected.end()));
    QCOMPARE(m_effects.messages.size(), std::size_t(expected.isEmpty() ? 1 : 0));
    QCOMPARE(LoginAttempts(m_sim), attempts);
    QCOMPARE(modePage.IsRestoreOptionShown(), expected == QList{PageId::CreatePassword});
    QVERIFY(GetWizardSettings().FirstInstallPath);
    QVERIFY(page.isEnabled());
    page.close();
}

// Enter on the page presses NEXT; the next page opens from the login.
void TestChecklistPages::dslLineEnterPressesNext()
{
    CDslLineDlg page(nullptr);
    page.show();
    QVERIFY(QTest::qWaitForWindowActive(&page));
    QTest::keyClick(&page, Qt::Key_Enter);
    QCOMPARE(m_effects.openedPages, std::vector<PageId>{PageId::CreatePassword});
    page.close();
}
