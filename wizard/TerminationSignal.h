#pragma once
// The session manager ends programs with SIGTERM, a closed terminal with SIGHUP,
// Ctrl+C with SIGINT. The wizard takes them on the user-interface thread and
// ends as the close box with the exit question answered OK would: an apply run
// stops at its next request boundary, and the one-wizard lock is removed.

#include <functional>

// Calls onTerminate on the user-interface thread at each of those signals. Once, after
// the application object exists.
void HandleTerminationSignal(std::function<void()> onTerminate);
