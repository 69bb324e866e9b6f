#include "CApplyRun.h"

#include "CApplyPause.h"
#include "CIpLink.h"
#include "WizardSettings.h"

#include <algorithm>
#include <memory>

namespace {
constexpr std::chrono::milliseconds SettleReportPeriod{1000};
}

CApplyRun::CApplyRun(CIpLink& link, WizardSettings& settings, CApplyPause& pause,
                     ApplyRunOptions options, ProgressCallback progress)
    : m_link(link), m_settings(settings), m_pause(pause), m_options(std::move(options)),
      m_progress(std::move(progress))
{
}

ApplyOutcome CApplyRun::Run()
{
    m_cause = FailureCause::None;
    m_refusal = CheckApplyCarriable(m_settings, m_options.RouterAddress);
    if (!m_refusal.Carried())
        return ApplyOutcome::NotCarried;
    PrepareLink(m_link, m_settings);
    // A cancel also ends the request in flight, instead of its time-out; the
    // link forgets the pause when the run ends, as the pause may go first.
    m_link.SetCancelCheck([this] { return m_pause.IsCancelled(); });
    const std::unique_ptr<CIpLink, void (*)(CIpLink*)> forgetCancel(
        &m_link, [](CIpLink* l) { l->SetCancelCheck({}); });

    ApplyOutcome outcome = ApplyWan(m_link);
    if (outcome == ApplyOutcome::Applied)
        outcome = ApplyWireless(m_link, m_settings);
    if (outcome == ApplyOutcome::Applied)
        outcome = ChangePassword(m_link, m_settings);
    if (outcome == ApplyOutcome::Applied && !Settle())
        outcome = ApplyOutcome::Cancelled;
    return outcome;
}

void CApplyRun::PrepareLink(CIpLink& link, const WizardSettings& settings)
{
    link.SetUserName(kRouterUserName);
    // Once this process has changed the password, the router only knows the new one.
    link.SetPassword(settings.RouterPasswordChanged ? settings.PasswordAfterChange
                                                    : settings.RouterPassword);
    link.SetRouterAddress(m_options.RouterAddress);
    link.SetTimeouts(m_options.Timeouts);
}

bool CApplyRun::LoginWithRetry(CIpLink& link, ApplyStep step)
{
    Report(step);
    m_loginAccepted = link.Login();
    if (!m_loginAccepted && !m_pause.IsCancelled())
        m_loginAccepted = link.Login();
    return !m_pause.IsCancelled();
}

ApplyOutcome CApplyRun::ApplyWan(CIpLink& link)
{
    if (!LoginWithRetry(link, ApplyStep::WanLogin))
        return ApplyOutcome::Cancelled;
    if (!m_loginAccepted)
    {
        const bool answered = link.LastRequestAnswered();
        m_cause = answered ? FailureCause::LoginRefused : FailureCause::RouterNoAnswer;
        return answered ? ApplyOutcome::LoginRefused : ApplyOutcome::NoAnswer;
    }
    if (!m_pause.Pause(m_options.StepPause))
        return ApplyOutcome::Cancelled;
    Report(ApplyStep::WanService);
    const bool applied = link.ApplyWanService();
    const bool answered = link.LastRequestAnswered();
    if (!m_pause.Pause(m_options.StepPause))
        return ApplyOutcome::Cancelled;
    if (applied)
        return ApplyOutcome::Applied;
    m_cause = Diagnose(FailureCause::InternetServiceRefused, answered);
    return ApplyOutcome::WanServiceFailed;
}

ApplyOutcome CApplyRun::ApplyWireless(CIpLink& link, const WizardSettings& settings)
{
    if (!LoginWithRetry(link, ApplyStep::WirelessLogin))
        return ApplyOutcome::Cancelled;
    Report(ApplyStep::WirelessBasic);
    const int basic = link.ApplyWirelessBasic();
    const bool basicAnswered = link.LastRequestAnswered();
    if (!m_pause.Pause(m_options.StepPause))
        return ApplyOutcome::Cancelled;
    Report(ApplyStep::WirelessSecurity);
    const int security = link.ApplyWirelessSecurity(settings.WirelessKey,
                                                    settings.WirelessSecurityIndex);
    if (!m_pause.Pause(m_options.StepPause))
        return ApplyOutcome::Cancelled;
    if (basic == 0 && security == 0)
        return ApplyOutcome::Applied;
    m_cause = basic != 0
                  ? Diagnose(FailureCause::WirelessNetworkRefused, basicAnswered)
                  : Diagnose(FailureCause::WirelessSecurityRefused, link.LastRequestAnswered());
    return ApplyOutcome::WirelessFailed;
}

ApplyOutcome CApplyRun::ChangePassword(CIpLink& link, WizardSettings& settings)
{
    if (!settings.PasswordChangeRequested)
        return ApplyOutcome::Applied;
    // A later run in the same process: the router already holds this password,
    // and a change sent with the old RouterPassword would be refused.
    if (settings.RouterPasswordChanged
        && settings.PasswordAfterChange == settings.NewRouterPassword)
        return ApplyOutcome::Applied;
    Report(ApplyStep::PasswordChange);
    // A refused change must not make later logins use a password the router never got.
    if (link.ChangeRouterPassword() != 0)
    {
        if (m_pause.IsCancelled())
            return ApplyOutcome::Cancelled;
        m_cause = Diagnose(FailureCause::RouterPasswordRefused, link.LastRequestAnswered());
        return ApplyOutcome::PasswordChangeFailed;
    }
    link.SetPassword(settings.NewRouterPassword);
    settings.RouterPasswordChanged = true;
    settings.PasswordAfterChange = settings.NewRouterPassword;
    return ApplyOutcome::Applied;
}

bool CApplyRun::Settle()
{
    std::chrono::milliseconds left = m_options.SettlePause;
    do
    {
        Report(ApplyStep::Settle, left);
        const std::chrono::milliseconds slice = std::min(left, SettleReportPeriod);
        if (!m_pause.Pause(slice))
            return false;
        left -= slice;
    } while (left.count() > 0);
    return true;
}

FailureCause CApplyRun::Diagnose(FailureCause stepRefused, bool answered) const
{
    if (!answered)
        return FailureCause::RouterNoAnswer;
    // Without a session cookie the router refuses what follows for the login's sake.
    return m_loginAccepted ? stepRefused : FailureCause::LoginRefused;
}

void CApplyRun::Report(ApplyStep step, std::chrono::milliseconds left)
{
    if (m_progress)
        m_progress(step, left);
}

const char* ApplyStepName(ApplyStep step)
{
    switch (step)
    {
    case ApplyStep::WanLogin: return "Logging in";
    case ApplyStep::WanService: return "Replacing the WAN service";
    case ApplyStep::WirelessLogin: return "Logging in again";
    case ApplyStep::WirelessBasic: return "Setting the wireless network";
    case ApplyStep::WirelessSecurity: return "Setting the wireless security";
    case ApplyStep::PasswordChange: return "Changing the router password";
    case ApplyStep::Settle: return "Waiting for the router to settle";
    }
    return "";
}

const char* ApplyOutcomeText(ApplyOutcome outcome)
{
    switch (outcome)
    {
    case ApplyOutcome::Applied: return "Settings applied";
    case ApplyOutcome::NoAnswer: return "Nothing answered the login; nothing was sent";
    case ApplyOutcome::LoginRefused: return "The login was refused; nothing else was sent";
    case ApplyOutcome::WanServiceFailed: return "The router did not take the WAN service";
    case ApplyOutcome::WirelessFailed: return "The router did not take the wireless settings";
    case ApplyOutcome::PasswordChangeFailed: return "The router did not take the new password";
    case ApplyOutcome::Cancelled: return "Cancelled";
    case ApplyOutcome::NotCarried: return "A value cannot be sent to the router; nothing was sent";
    }
    return "";
}
