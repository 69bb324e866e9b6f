#pragma once
// The test class of tst_PasswordPages. tst_PasswordPages.cpp holds the
// create-password page, the passwords the router link cannot carry, leaving
// the pages and the reset instructions; ExistingPasswordTests.cpp the
// existing-password page's logins and password change against the emulator.

#include "CFogetPassAndModifyDlg.h"
#include "FakeEffects.h"
#include "RouterSim.h"
#include "WizardTestScope.h"

#include <QList>
#include <QObject>
#include <QStringList>

#include <optional>
#include <string>

Q_DECLARE_METATYPE(PageId)

inline constexpr char kRouterPassword[] = "s3cret";

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
              const QString& newPassword = QString(), const QString& confirmation = QString());
    static QList<bool> ErrorsShown(const CFogetPassAndModifyDlg& page);
    static QStringList Typed(const CFogetPassAndModifyDlg& page);

private slots:
    void initTestCase();
    void cleanupTestCase();
    void init();
    void cleanup();
    void createPasswordChecksBothFields_data();
    void createPasswordChecksBothFields();
    void createPasswordBackOpensInstallMode();
    void createPasswordKeyboard();
    void existingPasswordStartsWithTheChangeHidden();
    void existingPasswordChangeBoxShowsAndHides();
    void existingPasswordRefusals_data();
    void existingPasswordRefusals();
    void passwordsTheLinkCannotCarry_data();
    void passwordsTheLinkCannotCarry();
    void existingPasswordAcceptedWithoutChange();
    void existingPasswordChangedThenApplied();
    void existingPasswordChangeRefused();
    void existingPasswordLoginAfterChangeRefused();
    void existingPasswordClosedDuringTheLogin_data();
    void existingPasswordClosedDuringTheLogin();
    void existingPasswordForgotLinkOpensTheInstructions();
    void leavingWritesNothing_data();
    void leavingWritesNothing();
    void resetInstructionsReturnOnNextAsOnPrev_data();
    void resetInstructionsReturnOnNextAsOnPrev();
};
