// tst_PasswordPages, continued: the existing-password page, its checks, its
// logins and password change against the router emulator, the apply run that
// follows, and its link to the reset instructions.

#include "CApplyRun.h"
#include "CIpLink.h"
#include "CLabel.h"
#include "ClickHelpers.h"
#include "ConnectionPagesHelper.h"
#include "FakePause.h"
#include "PasswordPagesHelper.h"
#include "TestPasswordPages.h"
#include "WizardSettings.h"

#include <QCheckBox>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QTest>
#include <QTimer>

using namespace PasswordPagesTest;
using ConnectionTest::TypeInto;
using Field = CFogetPassAndModifyDlg::Field;

void TestPasswordPages::existingPasswordStartsWithTheChangeHidden()
{
    CFogetPassAndModifyDlg page(nullptr);
    page.show();
    QVERIFY(QTest::qWaitForWindowActive(&page));
    QCOMPARE(page.HeadingLabel()->text(), QString("Your router already has a password"));
    QVERIFY(!page.ChangeCheckBox()->isChecked());
    QVERIFY(page.PasswordField(Field::Existing)->isVisible());
    QVERIFY(!page.PasswordField(Field::New)->isVisible());
    QVERIFY(!page.PasswordField(Field::Confirmation)->isVisible());
    QCOMPARE(ErrorsShown(page), QList<bool>({false, false, false}));
    QCOMPARE(page.ErrorLabel(Field::Existing)->text(), QString("Invalid Password!"));
    QCOMPARE(page.PasswordField(Field::Existing)->echoMode(), QLineEdit::Password);

    QCOMPARE(QApplication::focusWidget(), page.PasswordField(Field::Existing));
    const QList<QWidget*> order = {page.ForgotPasswordButton(), page.ChangeCheckBox(),
                                   page.PrevButton(), page.NextButton()};
    for (QWidget* expected : order)
    {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), expected);
    }
    page.close();
}

// Unchecking hides the lower fields and their labels, never the top label.
void TestPasswordPages::existingPasswordChangeBoxShowsAndHides()
{
    CFogetPassAndModifyDlg page(nullptr);
    page.show();
    Fill(page, "wrong", true, "new1", "new1");
    Click(page.NextButton());
    QCOMPARE(ErrorsShown(page), QList<bool>({true, true, true}));
    Click(page.ChangeCheckBox());
    QVERIFY(!page.PasswordField(Field::New)->isVisible());
    QCOMPARE(ErrorsShown(page), QList<bool>({true, false, false}));
    Click(page.ChangeCheckBox());
    QVERIFY(page.PasswordField(Field::New)->isVisible());
    QVERIFY(page.PasswordField(Field::Confirmation)->isVisible());
    page.close();
}

void TestPasswordPages::existingPasswordRefusals_data()
{
    QTest::addColumn<QString>("existing");
    QTest::addColumn<bool>("change");
    QTest::addColumn<QString>("newPassword");
    QTest::addColumn<QString>("confirmation");
    QTest::addColumn<QList<bool>>("errors");
    QTest::addColumn<std::size_t>("logins");
    QTest::newRow("empty, no change") << "" << false << ""
                                      << "" << QList<bool>{true, false, false} << std::size_t(0);
    QTest::newRow("wrong, no change") << "wrong" << false << ""
                                      << "" << QList<bool>{true, false, false} << std::size_t(1);
    QTest::newRow("wrong, change matching")
        << "wrong" << true << "new1"
        << "new1" << QList<bool>{true, true, true} << std::size_t(1);
    QTest::newRow("right, confirmation differs")
        << kRouterPassword << true << "new1"
        << "new2" << QList<bool>{true, true, true} << std::size_t(1);
    QTest::newRow("right, new password empty")
        << kRouterPassword << true << ""
        << "" << QList<bool>{true, true, true} << std::size_t(1);
}

void TestPasswordPages::existingPasswordRefusals()
{
    QFETCH(QString, existing);
    QFETCH(bool, change);
    QFETCH(QString, newPassword);
    QFETCH(QString, confirmation);
    QFETCH(QList<bool>, errors);
    QFETCH(std::size_t, logins);
    CFogetPassAndModifyDlg page(nullptr);
    page.show();
    Fill(page, existing, change, newPassword, confirmation);
    Click(page.NextButton());

    QVERIFY(m_effects.openedPages.empty());
    QVERIFY(m_effects.messages.empty());
    QCOMPARE(ErrorsShown(page), errors);
    QCOMPARE(Typed(page), QStringList({"", "", ""}));
    QTRY_COMPARE(QApplication::focusWidget(), page.PasswordField(Field::Existing));
    QCOMPARE(LoginAttempts(m_sim), logins);
    QCOMPARE(PasswordChanges(m_sim), std::size_t(0));
    QCOMPARE(RouterAdminPassword(), std::string(kRouterPassword));
    QVERIFY(page.isEnabled());
    page.close();
}

void TestPasswordPages::existingPasswordAcceptedWithoutChange()
{
    CFogetPassAndModifyDlg page(nullptr);
    page.show();
    Fill(page, kRouterPassword, false);
    Click(page.NextButton());

    QCOMPARE(m_effects.openedPages, std::vector<PageId>{PageId::IspAndPvc});
    const WizardSettings& s = GetWizardSettings();
    QCOMPARE(s.RouterPassword, std::string(kRouterPassword));
    QCOMPARE(s.NewRouterPassword, std::string());
    QCOMPARE(QString::fromStdU16String(s.NewRouterPasswordW), QString("earlier-new-wide"));
    QVERIFY(!s.PasswordChangeRequested);
    QCOMPARE(GetRouterLink()->GetPassword(), std::string(kRouterPassword));
    QCOMPARE(GetRouterLink()->GetUserName(), std::string("admin"));
    QCOMPARE(PasswordChanges(m_sim), std::size_t(0));
    page.close();
}

// After the change the wizard holds the password the router has, and the
// apply run logs in with it and does not send the change again.
void TestPasswordPages::existingPasswordChangedThenApplied()
{
    CFogetPassAndModifyDlg page(nullptr);
    page.show();
    Fill(page, kRouterPassword, true, "n3w-pass", "n3w-pass");
    Click(page.NextButton());

    QCOMPARE(m_effects.openedPages, std::vector<PageId>{PageId::IspAndPvc});
    QCOMPARE(RouterAdminPassword(), std::string("n3w-pass"));
    QCOMPARE(PasswordChanges(m_sim), std::size_t(1));
    QCOMPARE(LoginAttempts(m_sim), std::size_t(2));
    const WizardSettings& s = GetWizardSettings();
    QCOMPARE(s.RouterPassword, std::string("n3w-pass"));
    QCOMPARE(s.NewRouterPassword, std::string("n3w-pass"));
    QVERIFY(!s.PasswordChangeRequested);
    QCOMPARE(GetRouterLink()->GetPassword(), std::string("n3w-pass"));
    QCOMPARE(ErrorsShown(page), QList<bool>({false, false, false}));
    page.close();

    m_sim.ClearRequests();
    FakePause pause;
    ApplyRunOptions options;
    options.RouterAddress = m_sim.Address();
    QCOMPARE(CApplyRun(*GetRouterLink(), GetWizardSettings(), pause, options).Run(),
             ApplyOutcome::Applied);
    QCOMPARE(PasswordChanges(m_sim), std::size_t(0));
    QCOMPARE(LoginAttempts(m_sim), std::size_t(2));  // both accepted at once
    QCOMPARE(m_sim.State().Services.size(), std::size_t(1));
}

// A refused change is told, keeps what was typed and keeps nothing.
void TestPasswordPages::existingPasswordChangeRefused()
{
    SimFault refused;
    refused.Body = "<html>Password change failed</html>";
    m_sim.SetFault("/password.cgi", refused);
    const QStringList before = PasswordSettings();
    CFogetPassAndModifyDlg page(nullptr);
    page.show();
    Fill(page, kRouterPassword, true, "n3w-pass", "n3w-pass");
    Click(page.NextButton());

    QVERIFY(m_effects.openedPages.empty());
    QCOMPARE(m_effects.messages.size(), std::size_t(1));
    QCOMPARE(m_effects.messages[0].text,
             QString("The router did not accept the new password, so your password has not "
                     "been changed. Please try again."));
    QCOMPARE(m_effects.messages[0].caption, ProgramName());
    QCOMPARE(PasswordChanges(m_sim), std::size_t(1));
    QCOMPARE(RouterAdminPassword(), std::string(kRouterPassword));
    QCOMPARE(PasswordSettings(), before);
    QCOMPARE(Typed(page), QStringList({kRouterPassword, "n3w-pass", "n3w-pass"}));
    QCOMPARE(ErrorsShown(page), QList<bool>({false, false, false}));

    // The user tries again once the router takes it.
    m_sim.ClearFaults();
    Click(page.NextButton());
    QCOMPARE(m_effects.openedPages, std::vector<PageId>{PageId::IspAndPvc});
    QCOMPARE(RouterAdminPassword(), std::string("n3w-pass"));
    page.close();
}

// The router took the change but then refuses the new password: the user
// is asked to check the cable, and the wizard keeps what the router has.
void TestPasswordPages::existingPasswordLoginAfterChangeRefused()
{
    SimFault slow;
    slow.Delay = std::chrono::milliseconds(400);
    m_sim.SetFault("/password.cgi", slow);
    QTimer refuseOnceChanging;
    connect(&refuseOnceChanging, &QTimer::timeout, this, [&] {
        if (PasswordChanges(m_sim) == 0)
            return;
        m_sim.RefuseLogins(1);
        refuseOnceChanging.stop();
    });
    refuseOnceChanging.start(10);
    CFogetPassAndModifyDlg page(nullptr);
    page.show();
    Fill(page, kRouterPassword, true, "n3w-pass", "n3w-pass");
    Click(page.NextButton());

    QVERIFY(m_effects.openedPages.empty());
    QCOMPARE(m_effects.messages.size(), std::size_t(1));
    QCOMPARE(m_effects.messages[0].text,
             QString("Please check the ethernet cable connected and power on"));
    QCOMPARE(m_effects.messages[0].icon, QMessageBox::Warning);
    QCOMPARE(RouterAdminPassword(), std::string("n3w-pass"));
    QCOMPARE(GetWizardSettings().RouterPassword, std::string("n3w-pass"));
    QVERIFY(!GetWizardSettings().PasswordChangeRequested);
    page.close();
}

void TestPasswordPages::existingPasswordClosedDuringTheLogin_data()
{
    QTest::addColumn<bool>("change");
    QTest::newRow("change ticked") << true;
    QTest::newRow("no change") << false;
}

// Closed while the login waits on a slow router: the login stops at once and
// nothing more is sent or shown, so the password stays as it was.
void TestPasswordPages::existingPasswordClosedDuringTheLogin()
{
    QFETCH(bool, change);
    SimFault slow;
    slow.Delay = std::chrono::seconds(5);
    m_sim.SetFault("/index.html", slow);
    CFogetPassAndModifyDlg page(nullptr);
    page.show();
    Fill(page, kRouterPassword, change, "n3w-pass", "n3w-pass");
    QTimer::singleShot(300, &page, &QWidget::close);
    QElapsedTimer clock;
    clock.start();
    Click(page.NextButton());

    QCOMPARE_LT(clock.elapsed(), 2500);
    QVERIFY(!page.isVisible());
    QCOMPARE(LoginAttempts(m_sim), std::size_t(1));
    QCOMPARE(PasswordChanges(m_sim), std::size_t(0));
    QVERIFY(m_effects.messages.empty());
    QVERIFY(m_effects.openedPages.empty());
}

void TestPasswordPages::existingPasswordForgotLinkOpensTheInstructions()
{
    CFogetPassAndModifyDlg page(nullptr);
    page.show();
    TypeInto(page.PasswordField(Field::Existing), "half");
    Click(page.ForgotPasswordButton());
    QCOMPARE(m_effects.openedPages, std::vector<PageId>{PageId::ResetInstructions});
    QCOMPARE(page.PasswordField(Field::Existing)->text(), QString("half"));
    QCOMPARE(LoginAttempts(m_sim), std::size_t(0));
    page.close();
}
