// The page frame and the navigation rows of the shell's own pages, with the
// effects replaced: nothing is really opened, shown or ended.

#include "AppPages.h"
#include "CConfigSuccessDlg.h"
#include "CDisclaimerDlg.h"
#include "CErrorTipsDlg.h"
#include "CQuicKOrFirstInstallDlg.h"
#include "CTarnixConnectDlg.h"
#include "ClickHelpers.h"
#include "FakeEffects.h"
#include "PageRegistry.h"
#include "RunWithoutFreezing.h"
#include "WizardSettings.h"
#include "WizardTestScope.h"

#include <QHelpEvent>
#include <QLineEdit>
#include <QRadioButton>
#include <QStandardPaths>
#include <QTest>
#include <QToolTip>

#include <memory>
#include <optional>

using Choice = CQuicKOrFirstInstallDlg::InstallChoice;

Q_DECLARE_METATYPE(PageId)

class TestWizardShell : public QObject
{
    Q_OBJECT

private:
    FakeEffects m_effects;
    std::optional<WizardTestScope> m_scope;

    template <typename Page>
    std::unique_ptr<Page> ShowPage()
    {
        auto page = std::make_unique<Page>(nullptr);
        page->show();
        return page;
    }

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void init()
    {
        m_effects = FakeEffects();
        m_scope.emplace(&m_effects);
        UnregisterAllPages();
        GetWizardSettings() = WizardSettings();
    }

    void cleanup()
    {
        m_scope.reset();
        QToolTip::hideText();
        QTRY_VERIFY(VisibleTopLevels().isEmpty());
    }

    void frameBuildsTitleHeaderAndFixedSize()
    {
        auto page = ShowPage<CConfigSuccessDlg>();
        QCOMPARE(page->windowTitle(), QString("Tarnix Setup Wizard"));
        QCOMPARE(page->size(), PageLayout::kPageSize);
        QCOMPARE(page->minimumSize(), page->maximumSize());
        QCOMPARE(page->HeadingLabel()->TextColor(), kAccentColour);
        QVERIFY(page->PrevButton() && page->NextButton() && page->ExitButton());
    }

    void backgroundFollowsInstallPath_data()
    {
        QTest::addColumn<bool>("firstInstall");
        QTest::addColumn<QString>("expected");
        QTest::newRow("first install") << true << "pic/BG/2510.gif";
        QTest::newRow("quick install") << false << "pic/BG/3200.gif";
    }

    void backgroundFollowsInstallPath()
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
    void bottomBarOpensItsPages_data()
    {
        QTest::addColumn<int>("button");  // 0 support, 1 troubleshooting, 2 disclaimer
        QTest::newRow("troubleshooting") << 1;
        QTest::newRow("disclaimer") << 2;
        QTest::newRow("technical support") << 0;
    }

    void bottomBarOpensItsPages()
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

    void exitQuestionOkEndsProgram_data()
    {
        QTest::addColumn<QMessageBox::StandardButton>("answer");
        QTest::newRow("OK") << QMessageBox::Ok;
        QTest::newRow("Cancel") << QMessageBox::Cancel;
    }

    void exitQuestionOkEndsProgram()
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

    void welcomeExitClosesOnlyOnOk_data() { exitQuestionOkEndsProgram_data(); }

    void welcomeExitClosesOnlyOnOk()
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

    void welcomeCloseBoxEndsWithoutQuestion()
    {
        CTarnixConnectDlg welcome;
        welcome.show();
        welcome.close();
        QVERIFY(!welcome.isVisible());
        QCOMPARE(welcome.result(), int(QDialog::Rejected));
        QVERIFY(m_effects.messages.empty());
        QVERIFY(m_effects.endStatuses.empty());
    }

    void prevEndsPageAsAccepted()
    {
        auto page = ShowPage<CQuicKOrFirstInstallDlg>();
        Click(page->PrevButton());
        QVERIFY(!page->isVisible());
        QCOMPARE(page->result(), int(QDialog::Accepted));
        QVERIFY(m_effects.openedPages.empty());
    }

    void welcomeStartOpensPreparations()
    {
        CTarnixConnectDlg welcome;
        welcome.show();
        Click(welcome.StartButton());
        QCOMPARE(m_effects.openedPages, std::vector<PageId>{PageId::Preparations});
        QVERIFY(welcome.isVisible());
        welcome.close();
    }

    // Rows of the install mode page that need no router.
    void installModeRows_data()
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

    void installModeRows()
    {
        QFETCH(int, option);
        QFETCH(int, trigger);
        QFETCH(PageId, expected);
        QFETCH(bool, waitMessage);
        auto page = ShowPage<CQuicKOrFirstInstallDlg>();
        page->RevealRestoreOption();
        if (option >= 0)
            Click(page->OptionButton(static_cast<Choice>(option)));
        Click(trigger == 3 ? page->NextButton()
                           : page->PictureButton(static_cast<Choice>(trigger)));
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

    void restoreOptionStartsHidden()
    {
        auto page = ShowPage<CQuicKOrFirstInstallDlg>();
        QVERIFY(!page->IsRestoreOptionShown());
        QVERIFY(page->OptionButton(Choice::FirstInstall)->isChecked());
    }

    // Back from the create-password page, which only follows a factory login,
    // offers the restore choice at once.
    void restoreOptionShownBackFromCreatePassword()
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
    void revealReachesNewestModePage()
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

    void successRows()
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
    void startBrowsingWithoutABrowserStays()
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

    void successTermTipsHaveTheirWidths_data()
    {
        QTest::addColumn<bool>("advanced");
        QTest::addColumn<int>("maxWidth");
        QTest::newRow("Parental Control") << false << 223;
        QTest::newRow("Advanced User Interface") << true << 450;
    }

    void successTermTipsHaveTheirWidths()
    {
        QFETCH(bool, advanced);
        QFETCH(int, maxWidth);
        auto page = ShowPage<CConfigSuccessDlg>();
        CLabel* term = advanced ? page->AdvancedUiTerm() : page->ParentalControlTerm();
        QVERIFY(term->font().underline());
        QVERIFY(term->toolTip().startsWith(advanced ? "Advanced User Interface\n"
                                                    : "Parental Control\n"));

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

    void disclaimerCloseEndsOnlyIt()
    {
        CDisclaimerDlg disclaimer(nullptr);
        disclaimer.show();
        QVERIFY(!disclaimer.ExitButton());
        QCOMPARE(disclaimer.HeadingLabel()->text(),
                 QString("About the Tarnix Router Setup Wizard"));
        Click(disclaimer.CloseButton());
        QVERIFY(!disclaimer.isVisible());
        QCOMPARE(disclaimer.result(), int(QDialog::Accepted));
    }

    void lightBoxCloseOpensFreshIspPage()
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

    // START, NEXT, NEXT walks welcome -> preparations -> install mode ->
    // power; the close box on the power page ends every page.
    void closeBoxClosesChainDownToWelcome()
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
    void runWithoutFreezingKeepsResultAndState()
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
    void keysTypedDuringTheWaitAreKept()
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

    void unregisteredPageOpensNothing()
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
};

QTEST_MAIN(TestWizardShell)
#include "tst_WizardShell.moc"
