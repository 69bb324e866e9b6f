#pragma once
// The user's own record of the wireless name and key, a small text file on the
// desktop. It holds the key, so only its owner may read it.

#include <QByteArray>
#include <QString>

#include <optional>

// Begins with a blank so that it sorts before the other desktop items.
inline constexpr char16_t kSecuritySettingsFileName[] =
    u" Important security settings Keep safe do not delete.txt";

// The file's text: eleven lines, each ending in CR LF.
QString SecuritySettingsText(const QString& networkName, const QString& networkKeyShown);

// The desktop folder (XDG user dirs); empty when it is not an absolute path.
QString DesktopFolder();

// The desktop folder and the file name.
QString SecuritySettingsFilePath();

// Why an existing path is not replaced by the file (besides an errno).
enum FileRefusal : int
{
    kRefusedLink = -1,          // a symbolic link
    kRefusedNotAFile = -2,      // a FIFO, device or socket
    kRefusedForeignOwner = -3,  // a file of another user
};

// The file's bytes: a byte order mark, then the text in UTF-16 little-endian.
// Desktop text editors take UTF-16 as text only with the mark, and refuse a
// file with a NUL character in it, so there is no terminating NUL.
QByteArray SecuritySettingsBytes(const QString& networkName, const QString& networkKeyShown);

// The message for a failed file operation (an errno or a FileRefusal); %1 of
// the message is the path.
QString FileErrorMessage(int errorNumber, const QString& path);

// Writes the file at path, created readable by the user only, replacing an
// existing regular file of the user's in one step; refuses a path that holds
// anything else. Returns the message to show when it fails.
std::optional<QString> WriteSecuritySettingsFile(const QString& path, const QString& networkName,
                                                 const QString& networkKeyShown);
