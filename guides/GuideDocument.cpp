#include "GuideDocument.h"

#include "DocumentLinks.h"
#include "SimpleBrowser.h"
#include "WifiQrCode.h"
#include "WizardSettings.h"

#include <QDir>
#include <QFile>

namespace {

// Media kinds in the order their names take the slots.
const QStringList kMediaPatterns = {"*.png", "*.jpg", "*.gif", "*.swf", "*.avi", "*.mov"};

QString HtmlText(const std::u16string& text)
{
    return QString::fromStdU16String(text).toHtmlEscaped();
}

QStringList MediaNames(const QString& folder, int slotCount)
{
    QStringList names;
    const QDir dir(folder);
    for (const QString& pattern : kMediaPatterns)
    {
        for (const QString& name :
             dir.entryList({pattern}, QDir::Files, QDir::Name | QDir::IgnoreCase))
        {
            if (names.size() >= slotCount)
                return names;
            names << name;
        }
    }
    return names;
}

// Template bytes are single-byte text; CR LF or a lone LF ends a line.
QStringList TemplateLines(const QByteArray& bytes)
{
    QStringList lines = QString::fromLatin1(bytes).split(u'\n');
    if (lines.last().isEmpty())
        lines.removeLast();
    for (QString& line : lines)
    {
        if (line.endsWith(u'\r'))
            line.chop(1);
    }
    return lines;
}

bool IsPathChar(QChar c)
{
    return c.isLetterOrNumber() || QStringView(u"_-.%~/\\").contains(c);
}

// A media name is rewritten only where it stands as a file name of its own: a
// name that ends another name ("1.png" in "step1.png") or one already inside a
// path (including a path written by an earlier rewrite) is left alone, since
// rewriting it there would break the reference.
bool StandsAlone(const QString& line, qsizetype at, qsizetype length)
{
    const qsizetype end = at + length;
    return (at == 0 || !IsPathChar(line[at - 1])) && (end == line.size() || !IsPathChar(line[end]));
}

QString RewriteMediaName(const QString& line, const QString& name, const QString& path)
{
    QString result;
    qsizetype copied = 0;
    for (qsizetype at = line.indexOf(name); at >= 0; at = line.indexOf(name, at + 1))
    {
        if (at < copied || !StandsAlone(line, at, name.size()))
            continue;
        result += line.mid(copied, at - copied);
        result += path;
        copied = at + name.size();
    }
    return result + line.mid(copied);
}

QString FillLine(QString line, const GuideFill& fill, bool& markerDone)
{
    for (const auto& [placeholder, value] : fill.Placeholders)
        line.replace(placeholder, value);
    if (fill.DetailsMarker && !markerDone && line.contains(u"[YourSetting]"))
    {
        line.replace(QStringLiteral("[YourSetting]"), QStringLiteral(" "));
        markerDone = true;
    }
    return line;
}

}  // namespace

GuideFill NoGuideFill()
{
    return {};
}

QString SecurityName(int wirelessSecurityIndex)
{
    switch (wirelessSecurityIndex)
    {
    case SecurityWpa: return QStringLiteral("WPA-Personal");
    case SecurityWpa2: return QStringLiteral("WPA2-Personal");
    default: return QStringLiteral("None");
    }
}

GuideFill JoinWirelessFill(const WizardSettings& settings)
{
    const int index = settings.WirelessSecurityIndex;
    GuideFill fill;
    fill.Placeholders.push_back({"[YourSSID]", HtmlText(settings.SsidW)});
    if (index == SecurityNone)
        fill.Placeholders.push_back({"[YourPassword]", "None"});
    else if (SecurityHasKey(index) && !settings.WirelessKey.empty())
        fill.Placeholders.push_back({"[YourPassword]", HtmlText(settings.WirelessKeyW)});
    fill.Placeholders.push_back({"[YourSecurity]", SecurityName(index)});
    // The code carries the key exactly as the router was given it.
    const QString qrText = WifiQrText(QString::fromStdU16String(settings.SsidW),
                                      QString::fromStdString(settings.WirelessKey),
                                      SecurityHasKey(index));
    fill.Placeholders.push_back({kQrCodePlaceholder, QrCodeDataUrl(qrText)});
    return fill;
}

QString ShownNetworkKey(const QString& networkKey)
{
    return networkKey.isEmpty() ? QStringLiteral("None") : networkKey;
}

GuideFill DetailsSheetFill(const QString& networkName, const QString& networkKey)
{
    GuideFill fill;
    fill.Placeholders.push_back({"[YourSSID]", networkName.toHtmlEscaped()});
    fill.Placeholders.push_back({"[YourPassword]", ShownNetworkKey(networkKey).toHtmlEscaped()});
    const QString qrText = WifiQrText(networkName, networkKey, !networkKey.isEmpty());
    fill.Placeholders.push_back({kQrCodePlaceholder, QrCodeDataUrl(qrText)});
    fill.DetailsMarker = true;
    return fill;
}

QString LanguageFolder(int languageId)
{
    return QStringLiteral("lang/%1/").arg(languageId, 4);
}

std::optional<QString> BuildGuideDocument(int languageId, const QString& templateName,
                                          int mediaSlots, const GuideFill& fill)
{
    const QString folder = LanguageFolder(languageId);
    QFile file(folder + templateName);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QStringList lines = TemplateLines(file.readAll());

    const QString mediaFolder = ProgramFolder() + folder;
    const QStringList media = MediaNames(folder, mediaSlots);
    QString document;
    bool markerDone = false;
    for (const QString& templateLine : lines)
    {
        QString line = FillLine(templateLine, fill, markerDone);
        for (const QString& name : media)
        {
            if (line.contains(name))
                line = RewriteMediaName(line, name, mediaFolder + name);
        }
        document += line + QStringLiteral("\r\n");
    }
    return document;
}

void ShowGuideDocument(SimpleBrowser& browser, const QString& document)
{
    browser.Clear();
    browser.Write(document);
}

void PrintGuideDocument(const QString& document)
{
    SimpleBrowser offScreen;
    if (!offScreen.Create(nullptr, QRect(0, 0, 720, 540), 0))
        return;
    ShowGuideDocument(offScreen, document);
    offScreen.Print(QString(), QString());
}
