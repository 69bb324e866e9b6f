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

// Starts reading the system's font configuration on a thread of its own,
// while the window is built: the first text drawn would otherwise wait some
// milliseconds for it. Wait for it before the first page is made, so that the
// page does not read it a second time meanwhile.
std::future<void> ReadFontConfigurationAhead();

// Writes text and a line break on stderr, with every control character as
// "?": what the user typed or the system named cannot act on the terminal.
void SayOnStandardError(const QString& text);

// Once page is painted, loads the HTTP library off the user-interface thread
// (requests need it later); when it cannot be loaded, page says so in a
// message, rather than every request failing later without a reason.
void LoadHttpLibraryAfterFirstPaint(QWidget* page);
