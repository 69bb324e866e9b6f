#include "WizardOptions.h"

#include "InternetProbe.h"
#include "RouterAddress.h"
#include "TarnixVersion.h"

#include <QCommandLineParser>

namespace {

constexpr int kMaxProbeUrls = 3;

bool ReadMilliseconds(const QString& text, int& out)
{
    bool ok = false;
    const int value = text.toInt(&ok);
    if (!ok || value < 0)
        return false;
    out = value;
    return true;
}

// QApplication's own options: those that take a value, then the switches.
const QStringList kToolkitOptionsWithValue{
    "style",         "stylesheet",   "platform",      "platformpluginpath",
    "platformtheme", "plugin",       "qmljsdebugger", "session",
    "display",       "name",         "geometry",      "qwindowgeometry",
    "qwindowicon",   "qwindowtitle", "title",         "visual"};
const QStringList kToolkitSwitches{"reverse", "widgetcount", "nograb", "dograb", "sync"};

// "-style" or "--style=Fusion" as ("style", "Fusion"), with hasValue set for "=".
QString OptionName(const QString& argument, QString& value, bool& hasValue)
{
    QString name = argument.mid(argument.startsWith("--") ? 2 : 1);
    const qsizetype equals = name.indexOf('=');
    hasValue = equals >= 0;
    value = hasValue ? name.mid(equals + 1) : QString();
    return hasValue ? name.left(equals) : name;
}

}  // namespace

QStringList WithoutToolkitOptions(const QStringList& arguments)
{
    QStringList kept;
    for (qsizetype index = 0; index < arguments.size(); ++index)
    {
        const QString& argument = arguments[index];
        QString value;
        bool hasValue = false;
        const QString name = index > 0 && argument.startsWith('-')
                                 ? OptionName(argument, value, hasValue)
                                 : QString();
        if (kToolkitSwitches.contains(name))
            continue;
        if (!kToolkitOptionsWithValue.contains(name))
        {
            if (argument == "--")  // the rest are not options
                return kept + arguments.mid(index);
            kept << argument;
            continue;
        }
        if (!hasValue)
            ++index;  // the value follows
    }
    return kept;
}

bool ChoosesPlatform(const QStringList& arguments)
{
    for (const QString& argument : arguments)
    {
        QString value;
        bool hasValue = false;
        if (argument.startsWith('-') && OptionName(argument, value, hasValue) == "platform")
            return true;
    }
    return false;
}

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
    const QCommandLineOption probe(
        "probe-url", "Site that proves the Internet is reachable (up to 3, in order).", "URL");
    const QCommandLineOption pause(
        "pause-ms",
        QString("Pause after each router request (default %1).").arg(kStepPause.count()), "N");
    const QCommandLineOption settle(
        "settle-ms",
        QString("Pause after the last router request (default %1).").arg(kSettlePause.count()),
        "N");
    parser.addOptions({help, version, router, probe, pause, settle});

    if (!parser.parse(WithoutToolkitOptions(arguments)))
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
        if (!IsProbeUrl(url.toStdString()))
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
