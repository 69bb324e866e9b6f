#pragma once
// One apply run: sends what the settings record holds to the router through
// the router link that reads it. First the WAN service, then the wireless network
// and its security, then, when asked for, the administrator password; then it
// lets the router settle. Logins are retried once. Nothing is sent past a
// first login that got no session cookie, refused or unanswered: whatever
// answered may not be this router, and must not get the ISP account or the
// wireless key. Past a later refused login the requests that follow decide.
//
// Blocking and free of window code: the Apply page runs it on a worker thread,
// the command line on its main thread. Nothing locks the record or the link;
// the caller keeps everyone else off them while the run lasts.

#include "ApplyPreflight.h"
#include "FailureCause.h"
#include "HttpTransport.h"
#include "RouterDefaults.h"

#include <chrono>
#include <functional>
#include <string>

class CApplyPause;
class CIpLink;
struct WizardSettings;

enum class ApplyStep
{
    WanLogin,
    WanService,
    WirelessLogin,
    WirelessBasic,
    WirelessSecurity,
    PasswordChange,
    Settle,  // waiting for the router to bring the new settings up
};

enum class ApplyOutcome
{
    Applied,
    NoAnswer,      // nothing answered the first login over HTTP; nothing else was sent
    LoginRefused,  // the first login was answered without a session cookie; nothing else was sent
    WanServiceFailed,
    WirelessFailed,
    PasswordChangeFailed,
    Cancelled,   // a pause was cancelled; nothing more was sent
    NotCarried,  // a value cannot be sent (CApplyRun::Refusal says which); nothing was sent
};

struct ApplyRunOptions
{
    std::string RouterAddress = kDefaultRouterAddress;
    std::chrono::milliseconds StepPause = kStepPause;      // after a login, WAN or wireless request
    std::chrono::milliseconds SettlePause = kSettlePause;  // after the last request
    HttpTimeouts Timeouts;                                 // of the run's requests
};

class CApplyRun
{
public:
    // Called as each step begins; during Settle once a second with the time
    // left. Called on the thread that runs the run.
    using ProgressCallback = std::function<void(ApplyStep step, std::chrono::milliseconds left)>;

    // link reads what it sends from settings; the run records a password
    // change there. Both belong to the caller and outlive the run.
    CApplyRun(CIpLink& link, WizardSettings& settings, CApplyPause& pause,
              ApplyRunOptions options = {}, ProgressCallback progress = {});

    // Checks first that every request can carry its values; if one cannot,
    // nothing is sent at all.
    ApplyOutcome Run();
    // What the last Run found it could not carry (Carried() otherwise).
    const CarryCheck& Refusal() const { return m_refusal; }
    // Why the last Run did not apply everything; None after Applied or
    // Cancelled. Judged from the answer to the request that failed: none at
    // all, or a login without a session cookie, or the step's own refusal.
    FailureCause Cause() const { return m_cause; }

private:
    void PrepareLink(CIpLink& link, const WizardSettings& settings);
    // False when the run was cancelled meanwhile.
    bool LoginWithRetry(CIpLink& link, ApplyStep step);
    ApplyOutcome ApplyWan(CIpLink& link);
    ApplyOutcome ApplyWireless(CIpLink& link, const WizardSettings& settings);
    ApplyOutcome ChangePassword(CIpLink& link, WizardSettings& settings);
    bool Settle();
    void Report(ApplyStep step, std::chrono::milliseconds left = {});
    // The cause of a failed step whose deciding request was answered or not.
    FailureCause Diagnose(FailureCause stepRefused, bool answered) const;

    CIpLink& m_link;
    WizardSettings& m_settings;
    CApplyPause& m_pause;
    ApplyRunOptions m_options;
    ProgressCallback m_progress;
    CarryCheck m_refusal;
    bool m_loginAccepted = false;  // by the last login of the run
    FailureCause m_cause = FailureCause::None;
};

// Short English name of a step, for progress lines.
const char* ApplyStepName(ApplyStep step);
// Short English description of an outcome, for the command line.
const char* ApplyOutcomeText(ApplyOutcome outcome);
