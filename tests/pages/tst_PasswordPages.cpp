// The router password pages: the create-password checks, the existing-password
// page's logins and password change against the router emulator, the apply
// run that follows, and the reset instructions.

#include "CCreatePasswordDlg.h"
#include "CForgotPassWordTipsDlg.h"
#include "CIpLink.h"
#include "CLabel.h"
#include "ClickHelpers.h"
#include "ConnectionPagesHelper.h"
#include "PasswordPagesHelper.h"
#include "PrimeRouterLink.h"
#include "TestPasswordPages.h"
#include "WizardSettings.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QStandardPaths>
#include <QTest>

using namespace PasswordPagesTest;
using ConnectionTest::TypeInto;
using Field = CFogetPassAndModifyDlg::Field;

void TestPasswordPages::Fill(CFogetPassAndModifyDlg& page, const QString& existing, bool change,
                             const QString& newPassword, const QString& confirmation)
{
    TypeInto(page.PasswordField(Field::Existing), existing);
    if (!change)
        return;
    Click(page.ChangeCheckBox());
    TypeInto(page.PasswordField(Field::New), newPassword);
    TypeInto(page.PasswordField(Field::Confirmation), confirmation);
}

QList<bool> TestPasswordPages::ErrorsShown(const CFogetPassAndModifyDlg& page)
{
    return {page.ErrorLabel(Field::Existing)->isVisible(), page.ErrorLabel(Field::New)->isVisible(),
            page.ErrorLabel(Field::Confirmation)->isVisible()};
}

QStringList TestPasswordPages::Typed(const CFogetPassAndModifyDlg& page)
{
    return {page.PasswordField(Field::Existing)->text(), page.PasswordField(Field::New)->text(),
            page.PasswordField(Field::Confirmation)->text()};
}

void TestPasswordPages::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    QVERIFY(StartEmulator(m_sim));
}

void TestPasswordPages::cleanupTestCase()
{
    m_sim.Stop();
}

void TestPasswordPages::init()
{
    m_effects = FakeEffects();
    m_scope.emplace(&m_effects);
    GetWizardSettings() = WizardSettings();
    FillPasswordSettingsWithMarkers();
    SimRouterState state;
    state.AdminPassword = kRouterPassword;
    m_sim.SetState(state);
    m_sim.ClearFaults();
    m_sim.ClearRequests();
    PrimeRouterLink(*GetRouterLink());
}

void TestPasswordPages::cleanup()
{
    m_scope.reset();
    QTRY_VERIFY(VisibleTopLevels().isEmpty());
}

void TestPasswordPages::createPasswordChecksBothFields_data()
{
    QTest::addColumn<QString>("password");
    QTest::addColumn<QString>("reentered");
    QTest::addColumn<bool>("accepted");
    QTest::newRow("one character each") << "a"
                                        << "a" << true;
    QTest::newRow("blanks and symbols") << " p&ss=1 "
                                        << " p&ss=1 " << true;
    QTest::newRow("beyond ASCII") << "pässwörd"
                                  << "pässwörd" << true;
    QTest::newRow("second empty") << "abc"
                                  << "" << false;
    QTest::newRow("both empty") << ""
                                << "" << false;
    QTest::newRow("case differs") << "Abc"
                                  << "abc" << false;
}

void TestPasswordPages::createPasswordChecksBothFields()
{
    QFETCH(QString, password);
    QFETCH(QString, reentered);
    QFETCH(bool, accepted);
    const QStringList before = PasswordSettings();
    CCreatePasswordDlg page(nullptr);
    page.show();
    QVERIFY(!page.PasswordError()->isVisible());
    QVERIFY(!page.ReenteredError()->isVisible());
    TypeInto(page.PasswordField(), password);
    TypeInto(page.ReenteredField(), reentered);
    Click(page.NextButton());

    const WizardSettings& s = GetWizardSettings();
    if (accepted)
    {
        QCOMPARE(m_effects.openedPages, std::vector<PageId>{PageId::IspAndPvc});
        QCOMPARE(s.RouterPassword, std::string("vabel"));
        QCOMPARE(QString::fromStdString(s.NewRouterPassword), password);
        QCOMPARE(QString::fromStdU16String(s.NewRouterPasswordW), password);
        QVERIFY(s.PasswordChangeRequested);
        QVERIFY(!page.PasswordError()->isVisible());
    }
    else
    {
        QVERIFY(m_effects.openedPages.empty());
        QCOMPARE(PasswordSettings(), before);
        QCOMPARE(page.PasswordError()->text(), QString("Invalid Pasword!"));
        QVERIFY(page.PasswordError()->isVisible());
        QVERIFY(page.ReenteredError()->isVisible());
        QVERIFY(page.PasswordField()->text().isEmpty());
        QVERIFY(page.ReenteredField()->text().isEmpty());
        QTRY_COMPARE(QApplication::focusWidget(), page.PasswordField());
        QCOMPARE(page.PasswordField()->cursorPosition(), 0);
    }
    QVERIFY(m_sim.Requests().empty());
    page.close();
}

// Back opens a new install mode page; this page stays underneath.
void TestPasswordPages::createPasswordBackOpensInstallMode()
{
    const QStringList before = PasswordSettings();
    CCreatePasswordDlg page(nullptr);
    page.show();
    TypeInto(page.PasswordField(), "typed");
    Click(page.PrevButton());
    QCOMPARE(m_effects.openedPages, std::vector<PageId>{PageId::InstallMode});
    QVERIFY(page.isVisible());
    QCOMPARE(page.PasswordField()->text(), QString("typed"));
    QCOMPARE(PasswordSettings(), before);
    page.close();
}

void TestPasswordPages::createPasswordKeyboard()
{
    CCreatePasswordDlg page(nullptr);
    page.show();
    QVERIFY(QTest::qWaitForWindowActive(&page));
    QCOMPARE(QApplication::focusWidget(), page.PasswordField());
    QTest::keyClicks(page.PasswordField(), "pw");
    QTest::keyClick(page.PasswordField(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), page.ReenteredField());
    QTest::keyClicks(page.ReenteredField(), "pw");
    QTest::keyClick(page.ReenteredField(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), page.PrevButton());
    page.ReenteredField()->setFocus();
    QTest::keyClick(page.ReenteredField(), Qt::Key_Return);
    QCOMPARE(m_effects.openedPages, std::vector<PageId>{PageId::IspAndPvc});
    page.close();
}

// Passwords the router link cannot carry: the page's own checks come
// first; then a message names the password and nothing is sent, not even
// the login, and what was typed stays.
void TestPasswordPages::passwordsTheLinkCannotCarry_data()
{
    QTest::addColumn<bool>("createPage");
    QTest::addColumn<QString>("existing");
    QTest::addColumn<bool>("change");
    QTest::addColumn<QString>("newPassword");
    QTest::addColumn<QString>("confirmation");
    QTest::addColumn<QString>("message");  // empty: the page's own refusal, no message
    const QString longPassword(300, 'p');
    const QString semicolon = "The new router password cannot be sent to the router: it holds a "
                              "semicolon (;) or a control character. Please choose a password "
                              "without them.";
    const QString tooLong = "The new router password is too long to send to the router. "
                            "Please make it shorter.";
    QTest::newRow("create, semicolon") << true << "" << true << "a;b"
                                       << "a;b" << semicolon;
    QTest::newRow("create, too long")
        << true << "" << true << longPassword << longPassword << tooLong;
    QTest::newRow("create, semicolon but not re-entered") << true << "" << true << "a;b"
                                                          << "" << QString();
    QTest::newRow("existing, semicolon in the new one") << false << kRouterPassword << true << "n;w"
                                                        << "n;w" << semicolon;
    QTest::newRow("existing, too long a new one")
        << false << kRouterPassword << true << longPassword << longPassword << tooLong;
    QTest::newRow("existing, semicolon in the existing one")
        << false << "s3c;ret" << false << ""
        << "" << QString(semicolon).replace("new router password", "router password");
}

void TestPasswordPages::passwordsTheLinkCannotCarry()
{
    QFETCH(bool, createPage);
    QFETCH(QString, existing);
    QFETCH(bool, change);
    QFETCH(QString, newPassword);
    QFETCH(QString, confirmation);
    QFETCH(QString, message);
    std::unique_ptr<CWizardPage> page;
    if (createPage)
    {
        auto create = std::make_unique<CCreatePasswordDlg>(nullptr);
        create->show();
        TypeInto(create->PasswordField(), newPassword);
        TypeInto(create->ReenteredField(), confirmation);
        page = std::move(create);
    }
    else
    {
        auto existingPage = std::make_unique<CFogetPassAndModifyDlg>(nullptr);
        existingPage->show();
        Fill(*existingPage, existing, change, newPassword, confirmation);
        page = std::move(existingPage);
    }
    Click(page->NextButton());

    QVERIFY(m_effects.openedPages.empty());
    QVERIFY(m_sim.Requests().empty());
    if (message.isEmpty())
    {
        QVERIFY(m_effects.messages.empty());
    }
    else
    {
        QCOMPARE(m_effects.messages.size(), std::size_t(1));
        QCOMPARE(m_effects.messages[0].text, message);
        QCOMPARE(m_effects.messages[0].icon, QMessageBox::Warning);
        if (createPage)
            QCOMPARE(static_cast<CCreatePasswordDlg*>(page.get())->PasswordField()->text(),
                     newPassword);
        else
            QCOMPARE(Typed(*static_cast<CFogetPassAndModifyDlg*>(page.get())),
                     QStringList({existing, newPassword, confirmation}));
    }
    QCOMPARE(RouterAdminPassword(), std::string(kRouterPassword));
    page->close();
}

void TestPasswordPages::leavingWritesNothing_data()
{
    QTest::addColumn<PageId>("id");
    QTest::addColumn<QString>("way");
    for (PageId id : {PageId::ExistingPassword, PageId::ResetInstructions})
        for (const char* way : {"prev", "exit", "close box"})
            QTest::addRow("%s %s", PageIdName(id), way) << id << QString(way);
    QTest::newRow("CreatePassword exit") << PageId::CreatePassword << "exit";
    QTest::newRow("CreatePassword close box") << PageId::CreatePassword << "close box";
}

void TestPasswordPages::leavingWritesNothing()
{
    QFETCH(PageId, id);
    QFETCH(QString, way);
    const QStringList before = PasswordSettings();
    std::unique_ptr<CWizardPage> page;
    if (id == PageId::ExistingPassword)
        page = std::make_unique<CFogetPassAndModifyDlg>(nullptr);
    else if (id == PageId::CreatePassword)
        page = std::make_unique<CCreatePasswordDlg>(nullptr);
    else
        page = std::make_unique<CForgotPassWordTipsDlg>(nullptr);
    page->show();
    for (QLineEdit* field : page->findChildren<QLineEdit*>())
        if (field->isVisible())
            TypeInto(field, kRouterPassword);
    if (way == "prev")
        Click(page->PrevButton());
    else if (way == "exit")
        Click(page->ExitButton());
    else
        page->close();
    QVERIFY(!page->isVisible());
    QCOMPARE(PasswordSettings(), before);
    QVERIFY(m_effects.openedPages.empty());
    QVERIFY(m_sim.Requests().empty());
}

void TestPasswordPages::resetInstructionsReturnOnNextAsOnPrev_data()
{
    QTest::addColumn<bool>("next");
    QTest::newRow("next") << true;
    QTest::newRow("prev") << false;
}

void TestPasswordPages::resetInstructionsReturnOnNextAsOnPrev()
{
    QFETCH(bool, next);
    CForgotPassWordTipsDlg page(nullptr);
    page.show();
    QCOMPARE(PageText(&page),
             WithoutSpaces("In order to change the router's password, we will need to reset "
                           "your router back to the factory default settings.Please reset "
                           "your router by doing the following:Press and hold the reset "
                           "button on the back of your router for about 10 seconds.Wait 30 "
                           "seconds, make sure that the Power LED is lit solid green, then "
                           "click NEXT below."));
    Click(next ? page.NextButton() : page.PrevButton());
    QVERIFY(!page.isVisible());
    QCOMPARE(page.result(), int(QDialog::Accepted));
    QVERIFY(m_effects.openedPages.empty());
}

QTEST_MAIN(TestPasswordPages)
