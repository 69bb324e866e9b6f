#pragma once
// Real pauses that another thread can cancel, for instance when the window
// that started the apply run is closed while its worker waits.

#include "CApplyPause.h"

#include <condition_variable>
#include <mutex>

class CCancellablePause : public CApplyPause
{
public:
    bool Pause(std::chrono::milliseconds duration) override;
    bool IsCancelled() override;
    // Ends the current pause at once; every later pause returns false at once.
    void Cancel();

private:
    std::mutex m_mutex;
    std::condition_variable m_cancelled;
    bool m_isCancelled = false;
};
