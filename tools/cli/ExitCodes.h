#pragma once
// tarnix-setup's exit statuses.

enum ExitCode
{
    ExitDone = 0,
    ExitFailed = 1,
    ExitUsage = 2,
    ExitNoInternet = 3,
    ExitNoRouter = 4,  // nothing answered over HTTP at the router's address
};
