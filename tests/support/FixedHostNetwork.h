#pragma once
// A host network read from a table instead of the system, for tests; Read
// may be made slow to show that the caller does not wait for it.

#include "HostNetwork.h"

#include <QMutex>

#include <algorithm>
#include <chrono>
#include <thread>

class FixedHostNetwork : public CHostNetwork
{
public:
    explicit FixedHostNetwork(HostNetworkState state = {}) : m_state(std::move(state)) {}

    HostNetworkState Read() override
    {
        QMutexLocker lock(&m_mutex);
        const HostNetworkState state = m_state;
        const std::chrono::milliseconds delay = m_delay;
        m_mostAtOnce = std::max(m_mostAtOnce, ++m_running);
        lock.unlock();
        std::this_thread::sleep_for(delay);
        lock.relock();
        --m_running;
        return state;
    }

    void Set(HostNetworkState state)
    {
        QMutexLocker lock(&m_mutex);
        m_state = std::move(state);
    }
    void SetDelay(std::chrono::milliseconds delay)
    {
        QMutexLocker lock(&m_mutex);
        m_delay = delay;
    }

    // The most reads that ran at the same time.
    int MostAtOnce()
    {
        QMutexLocker lock(&m_mutex);
        return m_mostAtOnce;
    }

private:
    QMutex m_mutex;
    HostNetworkState m_state;
    std::chrono::milliseconds m_delay{0};
    int m_running = 0;
    int m_mostAtOnce = 0;
};

// An adapter for tables: "eth0", wired, link up, "192.168.1.5/24".
inline HostAdapter Adapter(const QString& name, AdapterKind kind, bool link,
                           const QStringList& addresses = {})
{
    HostAdapter adapter;
    adapter.Name = name;
    adapter.Kind = kind;
    adapter.LinkUp = link;
    for (const QString& text : addresses)
        adapter.Ipv4 << HostIpv4Address{ParseIpv4(text.section('/', 0, 0)).value(),
                                        text.section('/', 1).toInt()};
    return adapter;
}
