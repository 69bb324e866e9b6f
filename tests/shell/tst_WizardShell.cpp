// The page frame and the navigation rows of the shell's own pages, with the
// effects replaced: nothing is really opened, shown or ended.

#include "AppPages.h"
#include "CConfigSuccessDlg.h"
#include "CTarnixConnectDlg.h"
#include "ClickHelpers.h"
#include "RunWithoutFreezing.h"
#include "TestWizardShell.h"

#include <QLineEdit>

void TestWizardShell::frameBuildsTitleHeaderAndFixedSize()
{
    auto page = ShowPage<CConfigSuccessDlg>();
    QCOMPARE(page->windowTitle(), QString("Tarnix Setup Wizard"));
    QCOMPARE(page->size(), PageLayout::kPageSize);
    QCOMPARE(page->minimumSize(), page->maximumSize());
    QCOMPARE(page->HeadingLabel()->TextColor(), kAccentColour);
    QVERIFY(page->PrevButton() && page->NextButton() && page->ExitButton());
}

void TestWizardShell::backgroundFollowsInstallPath_data()
{
    QTest::addColumn<bool>("firstInstall");
    QTest::addColumn<QString>("expected");
    QTest::newRow("first install") << true << "pic/BG/2510.gif";
    QTest::newRow("quick install") << false << "pic/BG/3200.gif";
}

void TestWizardShell::backgroundFollowsInstallPath()
{
    QFETCH(bool, firstInstall);
    QFETCH(QString, expected);
    GetWizardSettings().FirstInstallPath = firstInstall;
    PageFrame frame;
    frame.Id = PageId::IspAndPvc;
    frame.Background = "pic/BG/2510.gif";
    frame.QuickBackground = "pic/BG/3200.gif";
    CWizardPage page(frame, nullptr);
    QCOMPARE(page.BackgroundPath(), expected);
}

// Bottom bar: the same actions on every page that shows it.
void TestWizardShell::bottomBarOpensItsPages_data()
{
    QTest::addColumn<int>("button");  // 0 support, 1 troubleshooting, 2 disclaimer
    QTest::newRow("troubleshooting") << 1;
    QTest::newRow("disclaimer") << 2;
    QTest::newRow("technical support") << 0;
}

void TestWizardShell::bottomBarOpensItsPages()
{
    QFETCH(int, button);
    auto page = ShowPage<CQuicKOrFirstInstallDlg>();
    CxSkinButton* buttons[] = {page->TechnicalSupportButton(), page->TroubleshootingButton(),
                               page->DisclaimerButton()};
    Click(buttons[button]);
    if (button == 0)
    {
        QCOMPARE(m_effects.documents, std::vector<QString>{kSupportSiteUrl});
        QVERIFY(m_effects.openedPages.empty());
    }
    else
    {
        const PageId expected = button == 1 ? PageId::Troubleshooting : PageId::Disclaimer;
        QCOMPARE(m_effects.openedPages, std::vector<PageId>{expected});
    }
    QVERIFY(page->isVisible());
}

void TestWizardShell::exitQuestionOkEndsProgram_data()
{
    QTest::addColumn<QMessageBox::StandardButton>("answer");
    QTest::newRow("OK") << QMessageBox::Ok;
    QTest::newRow("Cancel") << QMessageBox::Cancel;
}

void TestWizardShell::exitQuestionOkEndsProgram()
{
    QFETCH(QMessageBox::StandardButton, answer);
    auto page = ShowPage<CConfigSuccessDlg>();
    m_effects.answers.push_back(answer);
    Click(page->ExitButton());
    QCOMPARE(m_effects.messages.size(), std::size_t(1));
    QCOMPARE(m_effects.messages[0].text,
             QString("Are you sure that you want to leave the Wizard?"));
    QCOMPARE(m_effects.messages[0].caption, QString("Exit"));
    const bool ok = answer == QMessageBox::Ok;
    QCOMPARE(m_effects.endStatuses, ok ? std::vector<int>{0} : std::vector<int>{});
    QCOMPARE(page->isVisible(), !ok);
    page->close();
}

void TestWizardShell::welcomeExitClosesOnlyOnOk_data()
{
    exitQuestionOkEndsProgram_data();
}

void TestWizardShell::welcomeExitClosesOnlyOnOk()
{
    QFETCH(QMessageBox::StandardButton, answer);
    CTarnixConnectDlg welcome;
    welcome.show();
    m_effects.answers.push_back(answer);
    Click(welcome.ExitButton());
    QCOMPARE(welcome.isVisible(), answer != QMessageBox::Ok);
    QVERIFY(m_effects.endStatuses.empty());
    welcome.close();
}

void TestWizardShell::welcomeCloseBoxEndsWithoutQuestion()
{
    CTarnixConnectDlg welcome;
    welcome.show();
    welcome.close();
    QVERIFY(!welcome.isVisible());
    QCOMPARE(welcome.result(), int(QDialog::Rejected));
    QVERIFY(m_effects.messages.empty());
    QVERIFY(m_effects.endStatuses.empty());
}

void TestWizardShell::prevEndsPageAsAccepted()
{
    auto page = ShowPage<CQuicKOrFirstInstallDlg>();
    Click(page->PrevButton());
    QVERIFY(!page->isVisible());
    QCOMPARE(page->result(), int(QDialog::Accepted));
    QVERIFY(m_effects.openedPages.empty());
}

void TestWizardShell::welcomeStartOpensPreparations()
{
    CTarnixConnectDlg welcome;
    welcome.show();
    Click(welcome.StartButton());
    QCOMPARE(m_effects.openedPages, std::vector<PageId>{PageId::Preparations});
    QVERIFY(welcome.isVisible());
    welcome.close();
}

// START, NEXT, NEXT walks welcome -> preparations -> install mode ->
// power; the close box on the power page ends every page.
void TestWizardShell::closeBoxClosesChainDownToWelcome()
{
    m_effects.openRealPages = true;
    RegisterAppPages();
    RegisterFakePage(PageId::Preparations, PageId::InstallMode);
    RegisterFakePage(PageId::Power, PageId::Ethernet);
    CTarnixConnectDlg welcome;
    QWidget* top = nullptr;
    WhenPageAbove(&welcome, [&](QWidget* preparations) {
        WhenPageAbove(preparations, [&](QWidget* installMode) {
            WhenPageAbove(installMode, [&](QWidget* power) {
                top = power;
                power->close();
            });
            Click(static_cast<CWizardPage*>(installMode)->NextButton());
        });
        Click(static_cast<CWizardPage*>(preparations)->NextButton());
    });
    QTimer::singleShot(0, &welcome, [&] { Click(welcome.StartButton()); });
    QCOMPARE(welcome.exec(), int(QDialog::Rejected));
    QVERIFY(top);
    QCOMPARE(m_effects.openedPages,
             (std::vector<PageId>{PageId::Preparations, PageId::InstallMode, PageId::Power}));
    QVERIFY(m_effects.endStatuses.empty());
}

// The call's own result comes back, calls keep their order, and a page
// that was disabled before stays disabled.
void TestWizardShell::runWithoutFreezingKeepsResultAndState()
{
    QWidget page;
    std::vector<int> order;
    QCOMPARE(RunWithoutFreezing(&page,
                                [&] {
                                    order.push_back(1);
                                    return 41;
                                }),
             41);
    QCOMPARE(RunWithoutFreezing(&page,
                                [&] {
                                    order.push_back(2);
                                    return std::string("x");
                                }),
             std::string("x"));
    QCOMPARE(order, (std::vector<int>{1, 2}));
    QVERIFY(page.isEnabled());
    page.setEnabled(false);
    QVERIFY(!RunWithoutFreezing(&page, [] { return false; }));
    QVERIFY(!page.isEnabled());
    QCOMPARE(QApplication::overrideCursor(), nullptr);
}

// What is typed while the page waits goes to a masked field, not to a
// reader in clear, and then to the field that has the focus after.
void TestWizardShell::keysTypedDuringTheWaitAreKept()
{
    QWidget window;
    auto* page = new QWidget(&window);
    auto* field = new QLineEdit(page);
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    field->setFocus();
    bool masked = false;
    RunWithoutFreezing(page, [&] {
        QMetaObject::invokeMethod(
            &window,
            [&] {
                auto* holder = qobject_cast<QLineEdit*>(QApplication::focusWidget());
                masked = holder && holder->echoMode() == QLineEdit::Password;
                QTest::keyClicks(QApplication::focusWidget(), "Secret1");
            },
            Qt::BlockingQueuedConnection);
        return 0;
    });
    QVERIFY(masked);
    QCOMPARE(QApplication::focusWidget(), field);
    QTRY_COMPARE(field->text(), QString("Secret1"));
}

void TestWizardShell::unregisteredPageOpensNothing()
{
    CWizardEffects real;
    SetWizardEffects(&real);
    CQuicKOrFirstInstallDlg page(nullptr);
    page.show();
    Click(page.NextButton());  // Power is not registered here
    QCOMPARE(QApplication::activeModalWidget(), nullptr);
    QVERIFY(page.isVisible());
    page.close();
}

QTEST_MAIN(TestWizardShell)
