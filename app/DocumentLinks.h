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
inline constexpr char kNoReaderMessage[] = "There is no adobe reader installed.";

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

// Opens the manual; "file not found." when it does not exist, "There is no
// adobe reader installed." when nothing opens its type.
void OpenManualLink(QWidget* page, const QString& manualLink);
// Opens the reader's installation page; "file not found." when it is missing.
void OpenAdobeLink(QWidget* page, const QString& adobeLink);
// The router's own web pages (Advanced User Interface) in the browser.
void OpenRouterWebInterface();
