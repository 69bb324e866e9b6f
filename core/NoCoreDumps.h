#pragma once

// Turns core dumps off for this process (RLIMIT_CORE 0 and not dumpable,
// which also keeps other processes of the user from attaching to read its
// memory). False when either could not be set.
bool DisableCoreDumps();
