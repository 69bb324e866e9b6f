#include "WizardOptions.h"

#include "TarnixVersion.h"

#include <QCommandLineParser>
#include <QRegularExpression>
#include <QUrl>

namespace {

constexpr int kMaxProbeUrls = 3;

// host[:port] with a port of 1..65535; the host is a name or dotted address.
bool IsRouterAddress(const QString& address)
{
    static const QRegularExpression pattern(R"(^[A-Za-z0-9.\-]+(:(\d{1,5}))?$)");
    const QRegularExpressionMatch match = pattern.match(address);
    if (!match.hasMatch())
        return false;
    if (match.captured(2).isEmpty())
        return true;
    const int port = match.captured(2).toInt();
    return port >= 1 && port <= 65535;
}

bool IsProbeUrl(const QString& text)
{
    const QUrl url(text, QUrl::StrictMode);
    return url.isValid() && (url.scheme() == "http" || url.scheme() == "https")
           && !url.host().isEmpty();
}

bool ReadMilliseconds(const QString& text, int& out)
{
    bool ok = false;
    const int value = text.toInt(&ok);
    if (!ok || value < 0)
        return false;
    out = value;
    return true;
}

}  // namespace

WizardOptions& GetWizardOptions()
{
    static WizardOptions options;
    return options;
}

std::string ConfiguredRouterAddress()
{
    return GetWizardOptions().RouterAddress;
}

OptionsOutcome ParseWizardOptions(const QStringList& arguments, WizardOptions& options,
                                  QString& message)
{
    QCommandLineParser parser;
    parser.setApplicationDescription("Sets up the KRX-5100A modem router.");
    const QCommandLineOption help({"h", "help"}, "Show this help.");
    const QCommandLineOption version("version", "Show the version.");
    const QCommandLineOption router("router", "Router address host[:port] (default 192.168.1.1).",
                                    "ADDRESS");
    const QCommandLineOption probe("probe-url",
                                   "Site that proves the Internet is reachable (up to 3, in order).",
                                   "URL");
    const QCommandLineOption pause("pause-ms", "Pause after each router request (default 1500).",
                                   "N");
    const QCommandLineOption settle("settle-ms",
                                    "Pause after the last router request (default 50000).", "N");
    parser.addOptions({help, version, router, probe, pause, settle});

    if (!parser.parse(arguments))
    {
        message = parser.errorText();
        return OptionsOutcome::Invalid;
    }
    if (!parser.positionalArguments().isEmpty())
    {
        message = "Unexpected argument: " + parser.positionalArguments().first();
        return OptionsOutcome::Invalid;
    }
    if (parser.isSet(help))
    {
        // Read before any application object exists, the parser does not
        // know the program's name.
        message = parser.helpText().replace("<executable_name>", "TarnixConnect");
        return OptionsOutcome::ShowText;
    }
    if (parser.isSet(version))
    {
        message = QString("TarnixConnect ") + kTarnixVersion;
        return OptionsOutcome::ShowText;
    }

    WizardOptions read;
    if (parser.isSet(router))
    {
        const QString address = parser.value(router);
        if (!IsRouterAddress(address))
        {
            message = "Invalid router address: " + address;
            return OptionsOutcome::Invalid;
        }
        read.RouterAddress = address.toStdString();
    }
    const QStringList probes = parser.values(probe);
    if (probes.size() > kMaxProbeUrls)
    {
        message = "At most 3 --probe-url options are allowed.";
        return OptionsOutcome::Invalid;
    }
    if (!probes.isEmpty())
        read.ProbeUrls.clear();
    for (const QString& url : probes)
    {
        if (!IsProbeUrl(url))
        {
            message = "Invalid probe URL: " + url;
            return OptionsOutcome::Invalid;
        }
        read.ProbeUrls.push_back(url.toStdString());
    }
    if ((parser.isSet(pause) && !ReadMilliseconds(parser.value(pause), read.PauseMs))
        || (parser.isSet(settle) && !ReadMilliseconds(parser.value(settle), read.SettleMs)))
    {
        message = "Pauses are whole milliseconds, 0 or more.";
        return OptionsOutcome::Invalid;
    }
    options = read;
    return OptionsOutcome::Run;
}
