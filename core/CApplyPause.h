#pragma once
// The pauses of the apply run, behind one small interface so that tests can
// replace them and a window can cut a long pause short.

#include <chrono>

class CApplyPause
{
public:
    virtual ~CApplyPause() = default;
    // Waits for duration. False when the wait was cancelled: the run must stop.
    virtual bool Pause(std::chrono::milliseconds duration) = 0;
    // True once the run must stop. The run asks before a request that does
    // not follow a pause, so a cancel never waits for more than the request
    // in flight.
    virtual bool IsCancelled() { return false; }
};
