// The router password pages: the create-password checks, the existing-password
// page's logins and password change against the router emulator, the apply
// run that follows, and the reset instructions.

#include "CApplyRun.h"
#include "CCreatePasswordDlg.h"
#include "CFogetPassAndModifyDlg.h"
#include "CForgotPassWordTipsDlg.h"
#include "CIpLink.h"
#include "CLabel.h"
#include "ClickHelpers.h"
#include "ConnectionPagesHelper.h"
#include "FakeEffects.h"
#include "FakePause.h"
#include "HttpTransport.h"
#include "PasswordPagesHelper.h"
#include "PrimeRouterLink.h"
#include "RouterSim.h"
#include "WizardSettings.h"
#include "WizardTestScope.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QStandardPaths>
#include <QTest>
#include <QTimer>

#include <optional>

using namespace PasswordPagesTest;
using ConnectionTest::TypeInto;
using Field = CFogetPassAndModifyDlg::Field;

Q_DECLARE_METATYPE(PageId)

namespace {

constexpr char kRouterPassword[] = "s3cret";

}  // namespace

class TestPasswordPages : public QObject
{
    Q_OBJECT

private:
    FakeEffects m_effects;
    std::optional<WizardTestScope> m_scope;
    RouterSim m_sim;

    std::string RouterAdminPassword() const { return m_sim.State().AdminPassword; }

    // The existing-password page as the user filled it in.
    void Fill(CFogetPassAndModifyDlg& page, const QString& existing, bool change,
              const QString& newPassword = QString(), const QString& confirmation = QString())
    {
        TypeInto(page.PasswordField(Field::Existing), existing);
        if (!change)
            return;
        Click(page.ChangeCheckBox());
        TypeInto(page.PasswordField(Field::New), newPassword);
        TypeInto(page.PasswordField(Field::Confirmation), confirmation);
    }

    static QList<bool> ErrorsShown(const CFogetPassAndModifyDlg& page)
    {
        return {page.ErrorLabel(Field::Existing)->isVisible(),
                page.ErrorLabel(Field::New)->isVisible(),
                page.ErrorLabel(Field::Confirmation)->isVisible()};
    }

    static QStringList Typed(const CFogetPassAndModifyDlg& page)
    {
        return {page.PasswordField(Field::Existing)->text(), page.PasswordField(Field::New)->text(),
                page.PasswordField(Field::Confirmation)->text()};
    }

private slots:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        QVERIFY(StartEmulator(m_sim));
    }

    void cleanupTestCase() { m_sim.Stop(); }

    void init()
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

    void cleanup()
    {
        m_scope.reset();
        QTRY_VERIFY(VisibleTopLevels().isEmpty());
    }

    void createPasswordChecksBothFields_data()
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

    void createPasswordChecksBothFields()
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
    void createPasswordBackOpensInstallMode()
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

    void createPasswordKeyboard()
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

    void existingPasswordStartsWithTheChangeHidden()
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
    void existingPasswordChangeBoxShowsAndHides()
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

    void existingPasswordRefusals_data()
    {
        QTest::addColumn<QString>("existing");
        QTest::addColumn<bool>("change");
        QTest::addColumn<QString>("newPassword");
        QTest::addColumn<QString>("confirmation");
        QTest::addColumn<QList<bool>>("errors");
        QTest::addColumn<std::size_t>("logins");
        QTest::newRow("empty, no change")
            << "" << false << ""
            << "" << QList<bool>{true, false, false} << std::size_t(0);
        QTest::newRow("wrong, no change")
            << "wrong" << false << ""
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

    void existingPasswordRefusals()
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

    // Passwords the router link cannot carry: the page's own checks come
    // first; then a message names the password and nothing is sent, not even
    // the login, and what was typed stays.
    void passwordsTheLinkCannotCarry_data()
    {
        QTest::addColumn<bool>("createPage");
        QTest::addColumn<QString>("existing");
        QTest::addColumn<bool>("change");
        QTest::addColumn<QString>("newPassword");
        QTest::addColumn<QString>("confirmation");
        QTest::addColumn<QString>("message");  // empty: the page's own refusal, no message
        const QString longPassword(300, 'p');
        const QString semicolon =
            "The new router password cannot be sent to the router: it holds a "
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
        QTest::newRow("existing, semicolon in the new one")
            << false << kRouterPassword << true << "n;w"
            << "n;w" << semicolon;
        QTest::newRow("existing, too long a new one")
            << false << kRouterPassword << true << longPassword << longPassword << tooLong;
        QTest::newRow("existing, semicolon in the existing one")
            << false << "s3c;ret" << false << ""
            << "" << QString(semicolon).replace("new router password", "router password");
    }

    void passwordsTheLinkCannotCarry()
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

    void existingPasswordAcceptedWithoutChange()
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
    void existingPasswordChangedThenApplied()
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
    void existingPasswordChangeRefused()
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
    void existingPasswordLoginAfterChangeRefused()
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

    void existingPasswordForgotLinkOpensTheInstructions()
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

    void leavingWritesNothing_data()
    {
        QTest::addColumn<PageId>("id");
        QTest::addColumn<QString>("way");
        for (PageId id : {PageId::ExistingPassword, PageId::ResetInstructions})
            for (const char* way : {"prev", "exit", "close box"})
                QTest::addRow("%s %s", PageIdName(id), way) << id << QString(way);
        QTest::newRow("CreatePassword exit") << PageId::CreatePassword << "exit";
        QTest::newRow("CreatePassword close box") << PageId::CreatePassword << "close box";
    }

    void leavingWritesNothing()
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

    void resetInstructionsReturnOnNextAsOnPrev_data()
    {
        QTest::addColumn<bool>("next");
        QTest::newRow("next") << true;
        QTest::newRow("prev") << false;
    }

    void resetInstructionsReturnOnNextAsOnPrev()
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
};

QTEST_MAIN(TestPasswordPages)
#include "tst_PasswordPages.moc"
