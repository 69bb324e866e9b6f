#pragma once
// One exchange over a local (Unix) socket without QtNetwork, whose libraries
// cost more at start-up than the rest of what the first page needs: connect,
// send a request, read one line back, all before a deadline.

#include <QByteArray>
#include <QDeadlineTimer>
#include <QString>

#include <optional>

#include <sys/un.h>

// The first line the socket at path answers to request, with its '\n'.
// Nothing when it cannot be reached, the line is maxLine bytes or longer, the
// other end closes first or the deadline passes.
std::optional<QByteArray> ExchangeLine(const QString& path, const QByteArray& request,
                                       const QDeadlineTimer& deadline, int maxLine);

// The socket address of the file at path (encoded for the file system);
// nothing when the path is too long for one.
std::optional<sockaddr_un> LocalSocketAddress(const QByteArray& path);
