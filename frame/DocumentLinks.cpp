#include "DocumentLinks.h"

#include "CWizardEffects.h"
#include "WizardOptions.h"

#include <QDir>
#include <QFile>
#include <QTextStream>

namespace {

constexpr int kMaxValueLength = 1023;

constexpr char kNoBrowserMessage[] =
    "No web browser could be started to open this address. Please open it in a web browser:";
// Shown when not even the page on PDF readers can be opened: its gist.
constexpr char kGetReaderMessage[] =
    "No web browser could show the page on PDF readers. To read the manual, install a PDF reader "
    "from your desktop's software centre (GNOME Software or Discover): search for Document "
    "Viewer, Okular or qpdfview. Or, in a terminal: sudo apt install evince\n\nThe page is:";

// The message, then the path or address on a line of its own.
void ShowWithPath(QWidget* page, const QString& message, const QString& pathOrUrl)
{
    WizardEffects().ShowMessage(page, message + "\n\n" + pathOrUrl, ProgramName());
}

QString Unquoted(const QString& value)
{
    const bool quoted = value.size() >= 2 && value.front() == value.back()
                        && (value.front() == '"' || value.front() == '\'');
    return quoted ? value.mid(1, value.size() - 2) : value;
}

}  // namespace

QString ProgramFolder()
{
    return QDir::currentPath() + '/';
}

namespace {

QStringList ReadLines(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return {};
    QStringList lines;
    QTextStream in(&file);
    while (!in.atEnd())
        lines << in.readLine().trimmed();
    return lines;
}

QString IniValue(const QStringList& lines, const QString& section, const QString& key)
{
    bool inSection = false;
    for (const QString& line : lines)
    {
        if (line.startsWith('[') && line.endsWith(']'))
        {
            inSection = line.mid(1, line.size() - 2).trimmed().compare(section, Qt::CaseInsensitive)
                        == 0;
            continue;
        }
        const qsizetype equals = line.indexOf('=');
        if (!inSection || equals < 0 || line.startsWith(';'))
            continue;
        if (line.left(equals).trimmed().compare(key, Qt::CaseInsensitive) == 0)
            return Unquoted(line.mid(equals + 1).trimmed()).left(kMaxValueLength);
    }
    return QString();
}

}  // namespace

QString ReadIniValue(const QString& iniPath, const QString& section, const QString& key)
{
    return IniValue(ReadLines(iniPath), section, key);
}

// The file is read once for both links.
DocumentLinks ReadDocumentLinks(const QString& programFolder)
{
    const QStringList lines = ReadLines(programFolder + kLinkFileName);
    return {programFolder + IniValue(lines, "MANUAL_LINK", kLanguageKey),
            programFolder + IniValue(lines, "ADOBE_LINK", kLanguageKey)};
}

void OpenManualLink(QWidget* page, const QString& manualLink)
{
    const int result = WizardEffects().OpenDocument(manualLink);
    if (result == kDocumentNotFound)
        ShowWithPath(page, kFileNotFoundMessage, manualLink);
    else if (result == kDocumentNoApplication)
        ShowWithPath(page,
                     QString(kNoReaderMessage) + "\n\nInstall one with the "
                         + kPdfReaderButtonCaption + " button, or open the manual another way:",
                     manualLink);
}

void OpenAdobeLink(QWidget* page, const QString& adobeLink)
{
    const int result = WizardEffects().OpenDocument(adobeLink);
    if (result == kDocumentNotFound)
        ShowWithPath(page, kFileNotFoundMessage, adobeLink);
    else if (result == kDocumentNoApplication)
        ShowWithPath(page, kGetReaderMessage, adobeLink);
}

bool OpenWebPage(QWidget* page, const QString& url)
{
    if (WizardEffects().OpenDocument(url) == kDocumentOpened)
        return true;
    ShowWithPath(page, kNoBrowserMessage, url);
    return false;
}

void OpenRouterWebInterface(QWidget* page)
{
    OpenWebPage(page, QString::fromStdString("http://" + ConfiguredRouterAddress()));
}
