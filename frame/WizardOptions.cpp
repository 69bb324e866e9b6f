#include "WizardOptions.h"

#include "InternetProbe.h"
#include "RouterAddress.h"
#include "TarnixVersion.h"

#include <QCommandLineParser>

namespace {

constexpr int kMaxProbeUrls = 3;

// False when option is set to anything but whole milliseconds of at least
// least; otherwise true, with its value in out when it is set.
bool ReadIfSet(const QCommandLineParser& parser, const QCommandLineOption& option, int least,
               int& out)
{
    if (!parser.isSet(option))
        return true;
    bool ok = false;
    const int value = parser.value(option).toInt(&ok);
    if (!ok || value < least)
        return false;
    out = value;
    return true;
}

struct OptionNames
{
    QCommandLineOption Help{{"h", "help"}, "Show this help."};
    QCommandLineOption Version{"version", "Show the version."};
    QCommandLineOption Router{
        "router", QString("Router address host[:port] (default %1).").arg(kDefaultRouterAddress),
        "ADDRESS"};
    QCommandLineOption Probe{
        "probe-url", "Site that proves the Internet is reachable (up to 3, in order).", "URL"};
    QCommandLineOption Pause{
        "pause-ms",
        QString("Pause after each router request (default %1).").arg(kStepPause.count()), "N"};
    QCommandLineOption Settle{
        "settle-ms",
        QString("Pause after the last router request (default %1).").arg(kSettlePause.count()),
        "N"};
    QCommandLineOption Timeout{"timeout-ms",
                               QString("Time-out of every router request and Internet check "
                                       "(default %1 to read a page, %2 to save, %3 to check).")
                                   .arg(kPageReadTimeout.count())
                                   .arg(kPostTimeout.count())
                                   .arg(kProbeTimeout.count()),
                               "N"};
    QCommandLineOption ResultCheck{
        "result-check-ms",
        QString("How often the saving's result is looked for (default %1); a failed saving is "
                "shown after %2 more.")
            .arg(kResultTimerPeriod.count())
            .arg(kFailureTickLimit),
        "N"};
};

OptionNames AddOptions(QCommandLineParser& parser)
{
    OptionNames names;
    parser.addOptions({names.Help, names.Version, names.Router, names.Probe, names.Pause,
                       names.Settle, names.Timeout, names.ResultCheck});
    return names;
}

// The router address and probe sites into read; what is wrong, or empty.
QString ReadAddresses(const QCommandLineParser& parser, const OptionNames& names,
                      WizardOptions& read)
{
    if (parser.isSet(names.Router))
    {
        const QString address = parser.value(names.Router);
        if (!IsRouterAddress(address.toStdString()))
            return "Invalid router address: " + address;
        read.RouterAddress = address.toStdString();
    }
    const QStringList probes = parser.values(names.Probe);
    if (probes.size() > kMaxProbeUrls)
        return "At most 3 --probe-url options are allowed.";
    if (!probes.isEmpty())
        read.ProbeUrls.clear();
    for (const QString& url : probes)
    {
        if (!IsProbeUrl(url.toStdString()))
            return "Invalid probe URL: " + url;
        read.ProbeUrls.push_back(url.toStdString());
    }
    return QString();
}

// The pauses, time-outs and result looks into read; what is wrong, or empty.
QString ReadDurations(const QCommandLineParser& parser, const OptionNames& names,
                      WizardOptions& read)
{
    if (!ReadIfSet(parser, names.Pause, 0, read.PauseMs)
        || !ReadIfSet(parser, names.Settle, 0, read.SettleMs))
        return "Pauses are whole milliseconds, 0 or more.";
    // A time-out of 0 would wait for ever.
    int timeout = 0;
    if (!ReadIfSet(parser, names.Timeout, 1, timeout))
        return "Time-outs are whole milliseconds, 1 or more.";
    if (timeout > 0)
        read.Timeouts = {std::chrono::milliseconds(timeout), std::chrono::milliseconds(timeout),
                         std::chrono::milliseconds(timeout)};
    int period = int(read.ResultTimerPeriod.count());
    if (!ReadIfSet(parser, names.ResultCheck, 1, period))
        return "The result check is whole milliseconds, 1 or more.";
    read.ResultTimerPeriod = std::chrono::milliseconds(period);
    return QString();
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

std::string ConfiguredRouterAddress()
{
    return GetWizardOptions().RouterAddress;
}

OptionsOutcome ParseWizardOptions(const QStringList& arguments, WizardOptions& options,
                                  QString& message)
{
    QCommandLineParser parser;
    parser.setApplicationDescription("Sets up the KRX-5100A modem router.");
    const OptionNames names = AddOptions(parser);
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
    if (parser.isSet(names.Help))
    {
        // Read before any application object exists, the parser does not
        // know the program's name.
        message = parser.helpText().replace("<executable_name>", "TarnixConnect");
        return OptionsOutcome::ShowText;
    }
    if (parser.isSet(names.Version))
    {
        message = QString("TarnixConnect ") + kTarnixVersion;
        return OptionsOutcome::ShowText;
    }
    WizardOptions read;
    message = ReadAddresses(parser, names, read);
    if (message.isEmpty())
        message = ReadDurations(parser, names, read);
    if (!message.isEmpty())
        return OptionsOutcome::Invalid;
    options = read;
    return OptionsOutcome::Run;
}
