#include "SecuritySettingsFile.h"

#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QStringEncoder>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

QString DesktopFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
}

// Writes all bytes, going on after a short write; false with errno set on failure.
bool WriteAll(int fd, const QByteArray& bytes)
{
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t written = ::write(fd, bytes.constData() + done, size_t(bytes.size() - done));
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return false;
        done += written;
    }
    return true;
}

// Returns 0 or the errno of the failure.
int WriteFile(const QString& path, const QByteArray& bytes)
{
    // Created readable by its owner only from the start: it holds the key.
    const int fd = ::open(QFile::encodeName(path).constData(),
                          O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    if (fd < 0)
        return errno;
    // A file that was already there may be readable by others; close that before the key goes in.
    struct stat info {};
    if (::fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && (info.st_mode & 0077))
        ::fchmod(fd, 0600);
    const bool written = WriteAll(fd, bytes);
    const int writeError = written ? 0 : (errno ? errno : EIO);
    if (::close(fd) != 0 && written)
        return errno;
    return writeError;
}

}  // namespace

QString SecuritySettingsText(const QString& networkName, const QString& networkKeyShown)
{
    return QStringLiteral(
               "Security Settings:\r\n"
               "Please do not delete these details as they are important for your reference.\r\n"
               "Should you need to contact Tarnix Technical Support you may be asked for these details.\r\n"
               "\r\n"
               "\r\n"
               "Please keep these details safe. They are an important reference, and you should have to reference\r\n"
               "when contacting Tarnix Technical support.\r\n"
               "\r\n"
               "\r\n")
        + QStringLiteral("Wireless Network Name (SSID):") + networkName + QStringLiteral("\r\n")
        + QStringLiteral("Password:") + networkKeyShown + QStringLiteral("\r\n");
}

QString SecuritySettingsFilePath()
{
    return DesktopFolder() + u'/' + QString::fromUtf16(kSecuritySettingsFileName);
}

QByteArray SecuritySettingsBytes(const QString& networkName, const QString& networkKeyShown)
{
    QStringEncoder toUtf16(QStringEncoder::Utf16LE, QStringEncoder::Flag::WriteBom);
    return toUtf16(SecuritySettingsText(networkName, networkKeyShown));
}

QString FileErrorMessage(int errorNumber, const QString& path)
{
    QString message;
    switch (errorNumber) {
    case ENOENT:
        message = QStringLiteral("%1 was not found.");
        break;
    case ENOTDIR:
    case ENAMETOOLONG:
    case ELOOP:
        message = QStringLiteral("%1 contains an incorrect path.");
        break;
    case EMFILE:
    case ENFILE:
        message = QStringLiteral("Could not open %1 because there are too many open files.");
        break;
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR:
        message = QStringLiteral("Access to %1 was denied.");
        break;
    case EBADF:
        message = QStringLiteral("An incorrect file handle was associated with %1.");
        break;
    case EMLINK:
        message = QStringLiteral("Could not create %1 because the directory is full.");
        break;
    case EIO:
        message = QStringLiteral("Encountered a hardware I/O error while accessing %1.");
        break;
    case ETXTBSY:
    case EBUSY:
        message = QStringLiteral("Encountered a sharing violation while accessing %1.");
        break;
    case EDEADLK:
    case ENOLCK:
        message = QStringLiteral("Encountered a locking violation while accessing %1.");
        break;
    case ENOSPC:
    case EDQUOT:
    case EFBIG:
        message = QStringLiteral("Disk full while accessing %1.");
        break;
    default:
        message = QStringLiteral("An unknown error occurred while accessing %1.");
        break;
    }
    return message.arg(path);
}

std::optional<QString> WriteSecuritySettingsFile(const QString& path, const QString& networkName,
                                                 const QString& networkKeyShown)
{
    if (const int error = WriteFile(path, SecuritySettingsBytes(networkName, networkKeyShown)))
        return FileErrorMessage(error, path);
    return std::nullopt;
}
