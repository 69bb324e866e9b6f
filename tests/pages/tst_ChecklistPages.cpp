// The checklist pages: the preparations page's three boxes, the texts and
// hover terms of every page, NEXT's next page, what leaving a page writes,
// and the DSL line page's login test against the router emulator.

#include "CCheckDeviceTipsDlg.h"
#include "CLabel.h"
#include "ChecklistAndPasswordPages.h"
#include "ClickHelpers.h"
#include "PasswordPagesHelper.h"
#include "TestChecklistPages.h"
#include "WizardSettings.h"

#include <QCheckBox>
#include <QStandardPaths>
#include <QTest>

using namespace PasswordPagesTest;

void TestChecklistPages::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    QVERIFY(StartEmulator(m_sim));
    RegisterChecklistAndPasswordPages();
}

void TestChecklistPages::cleanupTestCase()
{
    m_sim.Stop();
}

void TestChecklistPages::init()
{
    m_effects = FakeEffects();
    m_scope.emplace(&m_effects);
    WizardSession::Current().UseHostNetwork(&m_network);
    GetWizardSettings() = WizardSettings();
    FillPasswordSettingsWithMarkers();
    m_sim.SetState(SimRouterState());
    m_sim.ClearFaults();
    m_sim.ClearRequests();
}

void TestChecklistPages::cleanup()
{
    m_scope.reset();
    QTRY_VERIFY(VisibleTopLevels().isEmpty());
}

void TestChecklistPages::everyPageIsRegisteredUnderItsId()
{
    for (PageId id : {PageId::Preparations, PageId::Power, PageId::Ethernet, PageId::DslLine,
                      PageId::CreatePassword, PageId::ExistingPassword, PageId::ResetInstructions})
    {
        const std::unique_ptr<QDialog> page = MakePage(id);
        QVERIFY2(page, PageIdName(id));
        QCOMPARE(Page(page)->Id(), id);
        QCOMPARE(page->windowTitle(), QString("Tarnix Setup Wizard"));
    }
}

void TestChecklistPages::preparationsNeedAllThreeBoxes_data()
{
    QTest::addColumn<QList<bool>>("ticked");
    QTest::newRow("none") << QList<bool>{false, false, false};
    QTest::newRow("first two") << QList<bool>{true, true, false};
    QTest::newRow("first and last") << QList<bool>{true, false, true};
    QTest::newRow("last two") << QList<bool>{false, true, true};
    QTest::newRow("all") << QList<bool>{true, true, true};
}

void TestChecklistPages::preparationsNeedAllThreeBoxes()
{
    QFETCH(QList<bool>, ticked);
    CCheckDeviceTipsDlg page(nullptr);
    page.show();
    for (int index = 0; index < 3; ++index)
        if (ticked[index])
            Click(page.CheckBox(index));
    Click(page.NextButton());

    if (!ticked.contains(false))
    {
        QCOMPARE(m_effects.openedPages, std::vector<PageId>{PageId::InstallMode});
        QVERIFY(m_effects.messages.empty());
    }
    else
    {
        QVERIFY(m_effects.openedPages.empty());
        QCOMPARE(m_effects.messages.size(), std::size_t(1));
        QCOMPARE(m_effects.messages[0].text,
                 QString("To get to the next screen,you need to make sure you have ticked all "
                         "the boxes on this screen."));
        QCOMPARE(m_effects.messages[0].caption, ProgramName());
        QCOMPARE(m_effects.messages[0].icon, QMessageBox::NoIcon);
        QVERIFY(page.isVisible());
    }
    page.close();
}

void TestChecklistPages::preparationsTickingTheLastBoxLetsNextThrough()
{
    CCheckDeviceTipsDlg page(nullptr);
    page.show();
    Click(page.CheckBox(0));
    Click(page.CheckBox(2));
    Click(page.NextButton());
    QVERIFY(m_effects.openedPages.empty());
    Click(page.CheckBox(1));
    Click(page.NextButton());
    QCOMPARE(m_effects.openedPages, std::vector<PageId>{PageId::InstallMode});
    page.close();
}

void TestChecklistPages::preparationsStartUntickedEachTime()
{
    for (int round = 0; round < 2; ++round)
    {
        CCheckDeviceTipsDlg page(nullptr);
        page.show();
        for (int index = 0; index < 3; ++index)
        {
            QVERIFY(!page.CheckBox(index)->isChecked());
            Click(page.CheckBox(index));
        }
        Click(page.PrevButton());
        QVERIFY(!page.isVisible());
    }
}

// The two "How do I do this?" terms look alike; each shows its own tip,
// and the tips give this desktop's ways, not another system's.
void TestChecklistPages::preparationsTermsShowTheirTips()
{
    CCheckDeviceTipsDlg page(nullptr);
    page.show();
    struct Tip
    {
        QString term;
        QString title;
        QStringList mentions;
    };
    const QList<Tip> tips = {
        {"What is an Internet Service Provider?",
         "ISP - Internet Service Provider.",
         {"This is the company that provides you with your Internet connection."}},
        {"How do I check this?",
         "Checking Your Firewall",
         {"Keep your firewall on.", "sudo ufw status verbose", "sudo ufw allow out",
          "firewall-cmd --list-all", "KDE Plasma: System Settings->Firewall"}},
        {"How do I do this?",
         "Turn off Wireless Adapter",
         {"GNOME", "top bar", "KDE Plasma", "system tray", "nmcli radio wifi off",
          "please consult your computer's manual."}},
    };
    int howTo = 0;
    for (const Tip& tip : tips)
    {
        CLabel* label = FindTerm(&page, tip.term, tip.term == "How do I do this?" ? howTo++ : 0);
        QVERIFY2(label, qPrintable(tip.term));
        const QString shown = TipShownFor(label);
        const QString unwrapped = QString(shown).replace('\n', ' ');
        QVERIFY2(shown.startsWith(tip.title + '\n'), qPrintable(shown));
        for (const QString& mention : tip.mentions)
            QVERIFY2(unwrapped.contains(mention), qPrintable(mention + " in " + shown));
        for (const char* foreign : {"Windows", "Microsoft", "Start->"})
            QVERIFY2(!shown.contains(foreign), qPrintable(shown));
    }
    page.close();
}

void TestChecklistPages::pagesShowTheirTexts_data()
{
    QTest::addColumn<PageId>("id");
    QTest::addColumn<QString>("heading");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("background");

    QTest::newRow("preparations")
        << PageId::Preparations << "Welcome to the Setup Wizard for your wireless router"
        << "Before we get started let's check that you have everything you need..."
           "Do you have your Internet Service Provider details?"
           "You will need the Internet Service Provider user name and password to complete "
           "the setup. You might find these in the welcome pack you received from your "
           "Internet Service Provider.What is an Internet Service Provider?"
           "Does your firewall let this computer reach the router?"
           "The usual Linux desktop firewall lets your computer connect to the router, so "
           "there is nothing to switch off. Only if the wizard later says it cannot reach the "
           "router, check that your firewall allows outgoing connections to it."
           "How do I check this?"
           "Have you turned off the wireless adapter in your PC/laptop?"
           "You need to connect to the router via cable before proceeding with this "
           "installation. If you have a wireless adapter on your computer, please disable "
           "this now.How do I do this?"
           "No wireless adapter is connected."
           "User Note"
           "1. Don't worry, we won't be installing any software on your computer!"
           "2. Please be assured none of your personal data will be stored by Tarnix or "
           "distributed over the Internet."
        << "pic/BG/1100.gif";
    QTest::newRow("dsl line")
        << PageId::DslLine << "Now let's connect the Internet cable"
        << "Connect the grey cable to the DSL port on the back of the router, then connect "
           "the other end to your wall mounted phone jack.If you live in AU or NZ you will "
           "need to connect a Microfilter splitter that is supplied to your wall mounted "
           "phone jack first. Then connect the gray cable to the ADSL port on the "
           "microfilter splitter and follow the above step to connect to the router."
           "Check that the DSL LED on the front of the router is lit. It may take a short "
           "while for it to come on but ensure it is lit before you continue to the next "
           "step."
        << "pic/BG/2300.gif";
}

void TestChecklistPages::pagesShowTheirTexts()
{
    QFETCH(PageId, id);
    QFETCH(QString, heading);
    QFETCH(QString, text);
    QFETCH(QString, background);
    const std::unique_ptr<QDialog> page = MakePage(id);
    QCOMPARE(Page(page)->HeadingLabel()->text(), heading);
    // The preparations page's adapter line comes from a read in the background.
    QTRY_COMPARE(PageText(page.get()), WithoutSpaces(text));
    QCOMPARE(Page(page)->BackgroundPath(), background);
}

// PREV, Exit and the close box end the page and write nothing.
void TestChecklistPages::leavingWritesNothing_data()
{
    QTest::addColumn<PageId>("id");
    QTest::addColumn<QString>("way");
    for (PageId id : {PageId::Preparations, PageId::Power, PageId::Ethernet, PageId::DslLine})
        for (const char* way : {"prev", "exit", "close box"})
            QTest::addRow("%s %s", PageIdName(id), way) << id << QString(way);
}

void TestChecklistPages::leavingWritesNothing()
{
    QFETCH(PageId, id);
    QFETCH(QString, way);
    const QStringList before = PasswordSettings();
    const std::unique_ptr<QDialog> page = MakePage(id);
    page->show();
    if (way == "prev")
        Click(Page(page)->PrevButton());
    else if (way == "exit")
        Click(Page(page)->ExitButton());
    else
        page->close();
    QVERIFY(!page->isVisible());
    QCOMPARE(PasswordSettings(), before);
    QVERIFY(m_effects.openedPages.empty());
    QCOMPARE(m_effects.endStatuses, way == "exit" ? std::vector<int>{0} : std::vector<int>{});
    QCOMPARE(LoginAttempts(m_sim), std::size_t(0));
}

void TestChecklistPages::keyboardFollowsTheReadingOrder()
{
    CCheckDeviceTipsDlg page(nullptr);
    page.show();
    QVERIFY(QTest::qWaitForWindowActive(&page));
    QCOMPARE(QApplication::focusWidget(), page.CheckBox(0));
    // Each question's "What is ..." or "How do I do this?" term follows its box.
    QList<QWidget*> terms;
    for (CLabel* label : page.findChildren<CLabel*>())
        if (!label->toolTip().isEmpty())
            terms << label;
    QCOMPARE(terms.size(), 3);
    const QList<QWidget*> order = {terms[0], page.CheckBox(1),  terms[1],         page.CheckBox(2),
                                   terms[2], page.PrevButton(), page.NextButton()};
    for (QWidget* expected : order)
    {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), expected);
    }
    QTest::keyClick(page.CheckBox(0), Qt::Key_Space);
    QTest::keyClick(page.CheckBox(1), Qt::Key_Space);
    QTest::keyClick(page.CheckBox(2), Qt::Key_Space);
    page.CheckBox(2)->setFocus();
    QTest::keyClick(page.CheckBox(2), Qt::Key_Return);
    QCOMPARE(m_effects.openedPages, std::vector<PageId>{PageId::InstallMode});
    page.close();
}

QTEST_MAIN(TestChecklistPages)
