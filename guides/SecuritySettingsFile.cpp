#include "SecuritySettingsFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QStringEncoder>

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Writes all bytes, going on after a short write; false with errno set on failure.
bool WriteAll(int fd, const QByteArray& bytes)
{
    qsizetype done = 0;
    while (done < bytes.size())
    {
        const ssize_t written = ::write(fd, bytes.constData() + done, size_t(bytes.size() - done));
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return false;
        done += written;
    }
    return true;
}

// Why an existing path is not replaced: 0 when there is nothing there or it
// is a regular file of this user's that may be written, else one of the
// refusal codes or an errno.
int ExistingPathProblem(const QByteArray& path)
{
    struct stat info
    {};
    if (::lstat(path.constData(), &info) != 0)
        return errno == ENOENT ? 0 : errno;
    if (S_ISLNK(info.st_mode))
        return kRefusedLink;
    if (S_ISDIR(info.st_mode))
        return EISDIR;
    if (!S_ISREG(info.st_mode))
        return kRefusedNotAFile;
    if (info.st_uid != ::geteuid())
        return kRefusedForeignOwner;
    // A file the user made read-only is left alone, as the user asked.
    if (::access(path.constData(), W_OK) != 0)
        return errno;
    return 0;
}

// Writes, flushes and closes the new file; 0 or the errno of the failure.
int FillNewFile(int fd, const QByteArray& bytes)
{
    // Readable by its owner only, whatever the umask made of it: it holds the key.
    int error = ::fchmod(fd, 0600) == 0 ? 0 : errno;
    if (!error && !WriteAll(fd, bytes))
        error = errno ? errno : EIO;
    if (!error && ::fsync(fd) != 0)
        error = errno;
    if (::close(fd) != 0 && !error)
        error = errno;
    return error;
}

// Returns 0 or the errno (or refusal code) of the failure. The text goes into
// a new file of the same folder, created for this user only, which then
// takes the place of the old one in one step: a symbolic link, FIFO or device
// planted at the path is never opened, and a failure leaves the old file as
// it was.
int WriteFile(const QString& path, const QByteArray& bytes)
{
    const QByteArray target = QFile::encodeName(path);
    if (const int problem = ExistingPathProblem(target))
        return problem;
    const QFileInfo info(path);
    QByteArray temporary = QFile::encodeName(info.path() + QStringLiteral("/.") + info.fileName()
                                             + QStringLiteral(".XXXXXX"));
    const int fd = ::mkostemp(temporary.data(), O_CLOEXEC);
    if (fd < 0)
        return errno;
    int error = FillNewFile(fd, bytes);
    if (!error && ::rename(temporary.constData(), target.constData()) != 0)
        error = errno;
    if (error)
        ::unlink(temporary.constData());
    return error;
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

QString DesktopFolder()
{
    // A relative folder in the user-dirs file would be taken as relative to
    // the working folder, the program's data folder.
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
    return QDir::isAbsolutePath(folder) ? folder : QString();
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
    switch (errorNumber)
    {
    case kRefusedLink:
        message = QStringLiteral(
            "%1 is a link to another file. The settings were not saved, so that "
            "nothing else is overwritten; remove the link and try again.");
        break;
    case kRefusedNotAFile:
        message = QStringLiteral("%1 is not a regular file. The settings were not saved; remove it "
                                 "and try again.");
        break;
    case kRefusedForeignOwner:
        message = QStringLiteral(
            "%1 belongs to another user. The settings were not saved; remove it "
            "and try again.");
        break;
    case ENOENT: message = QStringLiteral("%1 was not found."); break;
    case ENOTDIR:
    case ENAMETOOLONG:
    case ELOOP: message = QStringLiteral("%1 contains an incorrect path."); break;
    case EMFILE:
    case ENFILE:
        message = QStringLiteral("Could not open %1 because there are too many open files.");
        break;
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR: message = QStringLiteral("Access to %1 was denied."); break;
    case EBADF: message = QStringLiteral("An incorrect file handle was associated with %1."); break;
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
    case EFBIG: message = QStringLiteral("Disk full while accessing %1."); break;
    default: message = QStringLiteral("An unknown error occurred while accessing %1."); break;
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
