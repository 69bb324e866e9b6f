// tst_WizardShell, continued: the rows of the install mode page that need no
// router, the success page, the disclaimer and the light box.

#include "CConfigSuccessDlg.h"
#include "CDisclaimerDlg.h"
#include "CErrorTipsDlg.h"
#include "ClickHelpers.h"
#include "TestWizardShell.h"

#include <QHelpEvent>
#include <QRadioButton>

// Rows of the install mode page that need no router.
void TestWizardShell::installModeRows_data()
{
    QTest::addColumn<int>("option");   // radio clicked first, -1 none
    QTest::addColumn<int>("trigger");  // 0 first picture, 2 restore picture, 3 NEXT
    QTest::addColumn<PageId>("expected");
    QTest::addColumn<bool>("waitMessage");
    QTest::newRow("NEXT untouched") << -1 << 3 << PageId::Power << false;
    QTest::newRow("first-install picture") << -1 << 0 << PageId::Power << false;
    QTest::newRow("NEXT with first install") << 0 << 3 << PageId::Power << false;
    QTest::newRow("restore picture") << -1 << 2 << PageId::RestoreConfiguration << true;
    QTest::newRow("NEXT with restore") << 2 << 3 << PageId::RestoreConfiguration << false;
}

void TestWizardShell::installModeRows()
{
    QFETCH(int, option);
    QFETCH(int, trigger);
    QFETCH(PageId, expected);
    QFETCH(bool, waitMessage);
    auto page = ShowPage<CQuicKOrFirstInstallDlg>();
    page->RevealRestoreOption();
    if (option >= 0)
        Click(page->OptionButton(static_cast<Choice>(option)));
    Click(trigger == 3 ? page->NextButton() : page->PictureButton(static_cast<Choice>(trigger)));
    QCOMPARE(m_effects.openedPages, std::vector<PageId>{expected});
    QCOMPARE(GetWizardSettings().FirstInstallPath, expected == PageId::Power);
    QCOMPARE(m_effects.messages.size(), std::size_t(waitMessage ? 1 : 0));
    if (waitMessage)
    {
        QCOMPARE(m_effects.messages[0].text,
                 QString("You need to wait to wait 2-3 mins to restore the information"));
        QCOMPARE(m_effects.messages[0].caption, ProgramName());
    }
}

void TestWizardShell::restoreOptionStartsHidden()
{
    auto page = ShowPage<CQuicKOrFirstInstallDlg>();
    QVERIFY(!page->IsRestoreOptionShown());
    QVERIFY(page->OptionButton(Choice::FirstInstall)->isChecked());
}

// Back from the create-password page, which only follows a factory login,
// offers the restore choice at once.
void TestWizardShell::restoreOptionShownBackFromCreatePassword()
{
    FakePage createPassword(PageId::CreatePassword, PageId::IspAndPvc, nullptr);
    CQuicKOrFirstInstallDlg fromCreate(&createPassword);
    QVERIFY(fromCreate.IsRestoreOptionShown());
    FakePage preparations(PageId::Preparations, PageId::InstallMode, nullptr);
    CQuicKOrFirstInstallDlg fromPreparations(&preparations);
    QVERIFY(!fromPreparations.IsRestoreOptionShown());
}

// The reveal request reaches the most recently opened install mode page,
// and a page that closes stops being the target.
void TestWizardShell::revealReachesNewestModePage()
{
    auto older = ShowPage<CQuicKOrFirstInstallDlg>();
    auto newer = ShowPage<CQuicKOrFirstInstallDlg>();
    QCOMPARE(WizardSession::Current().ModePageWindow, newer.get());
    CQuicKOrFirstInstallDlg::RequestRestoreReveal();
    QVERIFY(newer->IsRestoreOptionShown());
    QVERIFY(!older->IsRestoreOptionShown());

    older->close();
    QCOMPARE(WizardSession::Current().ModePageWindow, newer.get());
    newer->close();
    QCOMPARE(WizardSession::Current().ModePageWindow, nullptr);
    CQuicKOrFirstInstallDlg::RequestRestoreReveal();  // no page: nothing happens
    newer.reset();
    QCOMPARE(WizardSession::Current().ModePageWindow, nullptr);
}

void TestWizardShell::successRows()
{
    auto page = ShowPage<CConfigSuccessDlg>();
    Click(page->NextButton());
    QCOMPARE(m_effects.openedPages, std::vector<PageId>{PageId::JoinWireless});

    Click(page->StartBrowsingButton());
    QCOMPARE(m_effects.documents, std::vector<QString>{kMakerSiteUrl});
    QCOMPARE(m_effects.endStatuses, std::vector<int>{0});
    QVERIFY(m_effects.messages.empty());  // no exit question
    page->close();
}

// START BROWSING ends the program only once a browser has the page;
// otherwise it says so, with the address, and the page stays.
void TestWizardShell::startBrowsingWithoutABrowserStays()
{
    auto page = ShowPage<CConfigSuccessDlg>();
    m_effects.documentResult = kDocumentNoApplication;
    Click(page->StartBrowsingButton());
    QCOMPARE(m_effects.documents, std::vector<QString>{kMakerSiteUrl});
    QVERIFY(m_effects.endStatuses.empty());
    QCOMPARE(m_effects.messages.size(), std::size_t(1));
    QVERIFY(m_effects.messages[0].text.endsWith(QString("\n\n") + kMakerSiteUrl));
    QVERIFY(page->isVisible());
    page->close();
}

void TestWizardShell::successTermTipsHaveTheirWidths_data()
{
    QTest::addColumn<bool>("advanced");
    QTest::addColumn<int>("maxWidth");
    QTest::newRow("Parental Control") << false << 223;
    QTest::newRow("Advanced User Interface") << true << 450;
}

void TestWizardShell::successTermTipsHaveTheirWidths()
{
    QFETCH(bool, advanced);
    QFETCH(int, maxWidth);
    auto page = ShowPage<CConfigSuccessDlg>();
    CLabel* term = advanced ? page->AdvancedUiTerm() : page->ParentalControlTerm();
    QVERIFY(term->font().underline());
    QVERIFY(
        term->toolTip().startsWith(advanced ? "Advanced User Interface\n" : "Parental Control\n"));

    QHelpEvent help(QEvent::ToolTip, term->rect().center(),
                    term->mapToGlobal(term->rect().center()));
    QApplication::sendEvent(term, &help);
    QWidget* tip = nullptr;
    QTRY_VERIFY((tip = [] {
        for (QWidget* widget : QApplication::topLevelWidgets())
            if (widget->inherits("QTipLabel") && widget->isVisible())
                return widget;
        return static_cast<QWidget*>(nullptr);
    }()));
    QVERIFY2(tip->width() <= maxWidth, qPrintable(QString::number(tip->width())));
    QVERIFY(tip->width() > maxWidth * 2 / 3);  // the long texts fill their width
    QToolTip::hideText();
}

void TestWizardShell::disclaimerCloseEndsOnlyIt()
{
    CDisclaimerDlg disclaimer(nullptr);
    disclaimer.show();
    QVERIFY(!disclaimer.ExitButton());
    QCOMPARE(disclaimer.HeadingLabel()->text(), QString("About the Tarnix Router Setup Wizard"));
    Click(disclaimer.CloseButton());
    QVERIFY(!disclaimer.isVisible());
    QCOMPARE(disclaimer.result(), int(QDialog::Accepted));
}

void TestWizardShell::lightBoxCloseOpensFreshIspPage()
{
    CErrorTipsDlg lightBox(nullptr);
    lightBox.show();
    bool endedBeforeIspPage = false;
    RegisterPage(PageId::IspAndPvc, [&](QWidget* owner) -> std::unique_ptr<QDialog> {
        endedBeforeIspPage = !lightBox.isVisible() && owner == &lightBox;
        return nullptr;
    });
    m_effects.openRealPages = true;
    Click(lightBox.CloseButton());
    QCOMPARE(m_effects.openedPages, std::vector<PageId>{PageId::IspAndPvc});
    QVERIFY(endedBeforeIspPage);
    QCOMPARE(lightBox.result(), int(QDialog::Accepted));
}
