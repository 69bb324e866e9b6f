#pragma once
// The session manager ends programs with SIGTERM. The wizard takes it on the
// user-interface thread and ends as the close box with the exit question
// answered OK would: an apply run stops at its next request boundary.

#include <functional>

// Calls onTerminate on the user-interface thread at each SIGTERM. Once, after
// the application object exists.
void HandleTerminationSignal(std::function<void()> onTerminate);
