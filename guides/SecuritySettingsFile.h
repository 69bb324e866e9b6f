#pragma once
// The user's own record of the wireless name and key, a small text file on the
// desktop. It holds the key, so only its owner may read it.

#include <QString>

#include <optional>

// Begins with a blank so that it sorts before the other desktop items.
inline constexpr char16_t kSecuritySettingsFileName[] =
    u" Important security settings Keep safe do not delete.txt";

// The file's text: eleven lines, each ending in CR LF.
QString SecuritySettingsText(const QString& networkName, const QString& networkKeyShown);

// The desktop folder and the file name.
QString SecuritySettingsFilePath();

// Why an existing path is not replaced by the file (besides an errno).
enum FileRefusal : int
{
    kRefusedLink = -1,          // a symbolic link
    kRefusedNotAFile = -2,      // a FIFO, device or socket
    kRefusedForeignOwner = -3,  // a file of another user
};

// The message for a failed file operation (an errno or a FileRefusal); %1 of
// the message is the path.
QString FileErrorMessage(int errorNumber, const QString& path);

// Writes the file in UTF-16 little-endian with a final NUL code unit, created
// readable by the user only, replacing an existing regular file of the user's
// in one step. Refuses a path that holds anything else. Returns the message
// to show when it fails.
std::optional<QString> WriteSecuritySettingsFile(const QString& networkName,
                                                 const QString& networkKeyShown);
