#pragma once
// What the program does before the welcome page opens.

#include <QString>

#include <future>

class QWidget;

// The data folder (pictures, templates, documents, default.ini): "data"
// beside the executable in the build tree, else the share folder of the
// prefix the executable is installed under (bin/../share/tarnix).
QString FindDataFolder(const QString& executableFolder);

// Makes the data folder the working folder, so relative picture and template
// paths resolve whatever folder the program was started from. False (with a
// line on stderr) when it is missing.
bool EnterDataFolder(const QString& executableFolder);

// Starts reading the system's font configuration on a thread of its own
// before the application is made; the first text drawn would otherwise wait
// some milliseconds for it.
std::shared_future<void> ReadFontConfigurationAhead();

// Once the application is made: fills Qt's font database from that
// configuration on a thread of its own, while the window is built. Wait for
// it before the first page is made; destroyed before the application, it
// waits itself.
std::future<void> FillFontDatabaseAhead(std::shared_future<void> configuration);

// Writes text and a line break on stderr, with every control character as
// "?": what the user typed or the system named cannot act on the terminal.
void SayOnStandardError(const QString& text);

// Once page is painted, loads the HTTP library off the user-interface thread
// (requests need it later); when it cannot be loaded, page says so in a
// message, rather than every request failing later without a reason.
void LoadHttpLibraryAfterFirstPaint(QWidget* page);
