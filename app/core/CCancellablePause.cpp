#include "CCancellablePause.h"

bool CCancellablePause::Pause(std::chrono::milliseconds duration)
{
    std::unique_lock lock(m_mutex);
    return !m_cancelled.wait_for(lock, duration, [this] { return m_isCancelled; });
}

bool CCancellablePause::IsCancelled()
{
    std::lock_guard lock(m_mutex);
    return m_isCancelled;
}

void CCancellablePause::Cancel()
{
    {
        std::lock_guard lock(m_mutex);
        m_isCancelled = true;
    }
    m_cancelled.notify_all();
}
