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
};
