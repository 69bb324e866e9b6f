#pragma once
// One exchange over a local (Unix) socket without QtNetwork, whose libraries
// cost more at start-up than the rest of what the first page needs: connect,
// send a request, read one line back, all before a deadline.

#include <QByteArray>
#include <QDeadlineTimer>
#include <QString>

#include <optional>

// The first line the socket at path answers to request, with its '\n'.
// Nothing when it cannot be reached, the line is maxLine bytes or longer, the
// other end closes first or the deadline passes.
std::optional<QByteArray> ExchangeLine(const QString& path, const QByteArray& request,
                                       const QDeadlineTimer& deadline, int maxLine);

// Writes all of data to a non-blocking socket, waiting while its buffer is
// full; false when the other end is gone or the deadline passes.
bool SendAll(int socket, const QByteArray& data, const QDeadlineTimer& deadline);
