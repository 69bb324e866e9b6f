#include "CCancellablePause.h"

#include <algorithm>

namespace {
// Far beyond any pause the run asks for; keeps now + duration inside the
// clock's range, where a larger value would overflow.
constexpr std::chrono::milliseconds LongestWait = std::chrono::hours(24 * 365);
}  // namespace

bool CCancellablePause::Pause(std::chrono::milliseconds duration)
{
    std::unique_lock lock(m_mutex);
    return !m_cancelled.wait_for(lock,
                                 std::clamp(duration, std::chrono::milliseconds(0), LongestWait),
                                 [this] { return m_isCancelled; });
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
