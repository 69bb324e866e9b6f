#include "WizardOptions.h"

#include "RouterAddress.h"

#include <QCommandLineParser>
#include <QUrl>

namespace {

constexpr int kMaxProbeUrls = 3;

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
    const QCommandLineOption router(
        "router", QString("Router address host[:port] (default %1).").arg(kDefaultRouterAddress),
        "ADDRESS");
    const QCommandLineOption probe("probe-url",
                                   "Site that proves the Internet is reachable (up to 3, in order).",
                                   "URL");
    const QCommandLineOption pause(
        "pause-ms", QString("Pause after each router request (default %1).").arg(kStepPause.count()),
        "N");
    const QCommandLineOption settle(
        "settle-ms",
        QString("Pause after the last router request (default %1).").arg(kSettlePause.count()), "N");
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
        message = "TarnixConnect 1.0.0.0";
        return OptionsOutcome::ShowText;
    }

    WizardOptions read;
    if (parser.isSet(router))
    {
        const QString address = parser.value(router);
        if (!IsRouterAddress(address.toStdString()))
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
