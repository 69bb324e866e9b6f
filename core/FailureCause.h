#pragma once
// What went wrong when the settings did not end in a working Internet
// connection, as far as the router let us see: it did not answer, it refused
// the login or one setting, or it took everything and the DSL line or the
// Internet is the problem. The light box and the command line name it.

#include <chrono>
#include <string>

enum class FailureCause
{
    None,
    RouterNoAnswer,
    LoginRefused,
    InternetServiceRefused,
    WirelessNetworkRefused,
    WirelessSecurityRefused,
    RouterPasswordRefused,
    DslLineDown,  // every setting saved; the DSL line is not up
    NoInternet,   // every setting saved and the line up; no probe site answered
    LineUnknown,  // every setting saved; no probe site answered and the status page unreadable
};

// False for the causes that come after every setting was saved.
bool SettingNotSaved(FailureCause cause);

// After a successful run whose probe failed: reads the router's line state
// once (blocking, each request at most pageTimeout) and tells DslLineDown,
// NoInternet, LineUnknown when the page did not show the line's rate or,
// when nothing answers any more, RouterNoAnswer.
FailureCause CauseAfterFailedProbe(const std::string& routerAddress,
                                   std::chrono::milliseconds pageTimeout);

// Short English description, for the command line.
const char* FailureCauseText(FailureCause cause);
