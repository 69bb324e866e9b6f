#pragma once
// The apply run's pauses without the waiting: each is recorded, and from the
// cancelAt-th pause on (1-based; 0 never) they report a cancel.

#include "CApplyPause.h"

#include <chrono>
#include <vector>

class FakePause : public CApplyPause
{
public:
    bool Pause(std::chrono::milliseconds duration) override
    {
        durations.push_back(duration);
        return cancelAt == 0 || static_cast<int>(durations.size()) < cancelAt;
    }

    std::vector<std::chrono::milliseconds> durations;
    int cancelAt = 0;
};
