#include "LocalSocketLine.h"

#include <QFile>
#include <QScopeGuard>
#include <QThread>

#include <cerrno>
#include <cstring>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

constexpr int kConnectRetryMs = 10;

// Waits for events on socket until the deadline; interrupted waits go on.
bool Await(int socket, short events, const QDeadlineTimer& deadline)
{
    for (;;)
    {
        pollfd watched{socket, events, 0};
        const int ready = ::poll(&watched, 1, int(deadline.remainingTime()));
        if (ready > 0)
            return true;
        if (ready == 0 || errno != EINTR)
            return false;
    }
}

// A full queue of callers is not an answer: the other end may accept any
// moment, so the connection is tried again until the deadline.
bool ConnectBefore(int socket, const QByteArray& path, const QDeadlineTimer& deadline)
{
    const std::optional<sockaddr_un> address = LocalSocketAddress(path);
    if (!address)
        return false;
    for (;;)
    {
        if (::connect(socket, reinterpret_cast<const sockaddr*>(&*address), sizeof *address) == 0
            || errno == EISCONN)
            return true;
        if (errno != EAGAIN && errno != EINTR)
            return false;
        if (deadline.hasExpired())
            return false;
        QThread::msleep(kConnectRetryMs);
    }
}

// Writes all of data to a non-blocking socket, waiting while its buffer is
// full; false when the other end is gone or the deadline passes.
bool SendAll(int socket, const QByteArray& data, const QDeadlineTimer& deadline)
{
    for (qsizetype sent = 0; sent < data.size();)
    {
        // No SIGPIPE when the other end has gone.
        const ssize_t written = ::send(socket, data.constData() + sent,
                                       std::size_t(data.size() - sent), MSG_NOSIGNAL);
        if (written >= 0)
            sent += written;
        else if (errno != EINTR && (errno != EAGAIN || !Await(socket, POLLOUT, deadline)))
            return false;
    }
    return true;
}

}  // namespace

std::optional<sockaddr_un> LocalSocketAddress(const QByteArray& path)
{
    sockaddr_un address = {};
    address.sun_family = AF_UNIX;
    if (std::size_t(path.size()) >= sizeof(address.sun_path))
        return std::nullopt;
    std::memcpy(address.sun_path, path.constData(), std::size_t(path.size()));
    return address;
}

std::optional<QByteArray> ExchangeLine(const QString& path, const QByteArray& request,
                                       const QDeadlineTimer& deadline, int maxLine)
{
    const int socket = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (socket < 0)
        return std::nullopt;
    const auto closeSocket = qScopeGuard([socket] { ::close(socket); });
    if (!ConnectBefore(socket, QFile::encodeName(path), deadline)
        || !SendAll(socket, request, deadline))
        return std::nullopt;
    QByteArray received;
    for (;;)
    {
        const qsizetype end = received.indexOf('\n');
        if (end >= 0)
            return end + 1 < maxLine ? std::optional(received.left(end + 1)) : std::nullopt;
        if (received.size() >= maxLine)
            return std::nullopt;
        char chunk[256];
        const ssize_t count = ::recv(socket, chunk, sizeof chunk, 0);
        if (count > 0)
            received.append(chunk, count);
        else if (count == 0
                 || (errno != EINTR && (errno != EAGAIN || !Await(socket, POLLIN, deadline))))
            return std::nullopt;
    }
}
