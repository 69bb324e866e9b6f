#include "DocumentLinks.h"

#include "CWizardEffects.h"
#include "WizardOptions.h"

#include <QDir>
#include <QFile>
#include <QTextStream>

namespace {

constexpr int kMaxValueLength = 1023;

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

QString ReadIniValue(const QString& iniPath, const QString& section, const QString& key)
{
    QFile file(iniPath);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return QString();
    QTextStream in(&file);
    bool inSection = false;
    while (!in.atEnd())
    {
        const QString line = in.readLine().trimmed();
        if (line.startsWith('[') && line.endsWith(']'))
        {
            inSection = line.mid(1, line.size() - 2).trimmed().compare(section, Qt::CaseInsensitive) == 0;
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

DocumentLinks ReadDocumentLinks(const QString& programFolder)
{
    const QString iniPath = programFolder + kLinkFileName;
    return {programFolder + ReadIniValue(iniPath, "MANUAL_LINK", kLanguageKey),
            programFolder + ReadIniValue(iniPath, "ADOBE_LINK", kLanguageKey)};
}

void OpenManualLink(QWidget* page, const QString& manualLink)
{
    const int result = WizardEffects().OpenDocument(manualLink);
    if (result == kDocumentNotFound)
        WizardEffects().ShowMessage(page, kFileNotFoundMessage, ProgramName());
    else if (result == kDocumentNoApplication)
        WizardEffects().ShowMessage(page, kNoReaderMessage, ProgramName());
}

void OpenAdobeLink(QWidget* page, const QString& adobeLink)
{
    if (WizardEffects().OpenDocument(adobeLink) == kDocumentNotFound)
        WizardEffects().ShowMessage(page, kFileNotFoundMessage, ProgramName());
}

void OpenRouterWebInterface()
{
    WizardEffects().OpenDocument(QString::fromStdString("http://" + ConfiguredRouterAddress()));
}
