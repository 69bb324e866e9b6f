#include "FailureCause.h"

#include "RouterStatus.h"

bool SettingNotSaved(FailureCause cause)
{
    return cause != FailureCause::DslLineDown && cause != FailureCause::NoInternet
           && cause != FailureCause::LineUnknown;
}

FailureCause CauseAfterFailedProbe(const std::string& routerAddress,
                                   std::chrono::milliseconds pageTimeout)
{
    const DslLineStatus line = ReadDslLineStatus(routerAddress, pageTimeout);
    if (line.Result == StatusRead::NoAnswer)
        return FailureCause::RouterNoAnswer;
    if (line.Result != StatusRead::Read)
        return FailureCause::LineUnknown;
    return line.Up() ? FailureCause::NoInternet : FailureCause::DslLineDown;
}

const char* FailureCauseText(FailureCause cause)
{
    switch (cause)
    {
    case FailureCause::None: return "";
    case FailureCause::RouterNoAnswer: return "The router did not answer";
    case FailureCause::LoginRefused: return "The router refused the login";
    case FailureCause::InternetServiceRefused: return "The router refused the Internet service";
    case FailureCause::WirelessNetworkRefused: return "The router refused the wireless network";
    case FailureCause::WirelessSecurityRefused: return "The router refused the wireless security";
    case FailureCause::RouterPasswordRefused: return "The router refused the new router password";
    case FailureCause::DslLineDown: return "Settings saved, but the DSL line is not up";
    case FailureCause::NoInternet:
        return "Settings saved and the DSL line is up, but the Internet did not answer";
    case FailureCause::LineUnknown:
        return "Settings saved, but the Internet did not answer and the router's status page "
               "could not be read";
    }
    return "";
}
