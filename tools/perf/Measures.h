#pragma once
// What the benchmarks measure: time since the script launched the process
// (it passes the launch moment as TARNIX_PERF_LAUNCH_NS, from `date +%s%N`),
// peak memory, CPU time, and when a window has been painted the first time.

#include <QEvent>
#include <QObject>
#include <QTimer>
#include <QWidget>

#include <sys/resource.h>

#include <chrono>
#include <cstdlib>
#include <functional>

inline double MillisecondsSinceLaunch()
{
    const char* launch = std::getenv("TARNIX_PERF_LAUNCH_NS");
    const auto now = std::chrono::duration_cast<std::chrono::nanoseconds>(
        std::chrono::system_clock::now().time_since_epoch());
    return launch ? (now.count() - std::atoll(launch)) / 1e6 : -1;
}

inline long MaxRssKilobytes()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

inline double CpuSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec)
           + double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

// Calls painted(widget) once a widget accepted by wanted has had its first
// paint event and the paint pass that began with it has finished (children
// included). Install on the application.
class FirstPaintWatcher : public QObject
{
public:
    FirstPaintWatcher(std::function<bool(QWidget*)> wanted, std::function<void(QWidget*)> painted)
        : m_wanted(std::move(wanted)), m_painted(std::move(painted))
    {
    }

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && !m_pending)
        {
            auto* widget = qobject_cast<QWidget*>(watched);
            if (widget && m_wanted(widget))
            {
                m_pending = true;
                QTimer::singleShot(0, widget, [this, widget] {
                    m_pending = false;
                    m_painted(widget);
                });
            }
        }
        return false;
    }

private:
    std::function<bool(QWidget*)> m_wanted;
    std::function<void(QWidget*)> m_painted;
    bool m_pending = false;
};
