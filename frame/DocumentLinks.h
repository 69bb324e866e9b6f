#pragma once
// The document links of the welcome and success pages, read from default.ini
// in the program folder (the data folder, which is the working folder):
//   [MANUAL_LINK] 1033=<path of the technical manual>
//   [ADOBE_LINK]  1033=<path of the PDF reader's installation page>
// Paths are relative to the program folder. A missing file, section or key
// gives an empty value, so the link is the program folder itself.

#include <QString>

class QWidget;

inline constexpr char kLinkFileName[] = "default.ini";
inline constexpr char kLanguageKey[] = "1033";
inline constexpr char kFileNotFoundMessage[] = "file not found.";
inline constexpr char kNoReaderMessage[] = "There is no PDF reader installed.";
inline constexpr char kPdfReaderButtonCaption[] = "Install PDF Reader";

struct DocumentLinks
{
    QString ManualLink;
    QString AdobeLink;
};

// The working folder with a trailing "/".
QString ProgramFolder();

// The value of key in [section] of an INI file, as the classic profile
// reader gives it: names compared without regard to case, blanks around the
// value and one pair of enclosing quotes removed, at most 1023 characters.
// Empty when the file, section or key is missing.
QString ReadIniValue(const QString& iniPath, const QString& section, const QString& key);

DocumentLinks ReadDocumentLinks(const QString& programFolder = ProgramFolder());

// Each opener below hands its document or address to the desktop and, when
// the desktop cannot open it, says so in a message box that shows the path or
// address, so that the user can open it another way.

// Opens the manual; "file not found." when it does not exist, "There is no PDF
// reader installed." when nothing opens its type.
void OpenManualLink(QWidget* page, const QString& manualLink);
// Opens the page on getting a PDF reader; "file not found." when it is
// missing; when no browser shows it, the message itself says how to get one.
void OpenAdobeLink(QWidget* page, const QString& adobeLink);
// A web page in the browser; true when a browser took it.
bool OpenWebPage(QWidget* page, const QString& url);
// The router's own web pages (Advanced User Interface) in the browser.
void OpenRouterWebInterface(QWidget* page);
