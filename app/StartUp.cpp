#include "StartUp.h"

#include "CWizardEffects.h"
#include "TextRules.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QSocketNotifier>

#include <csignal>
#include <cstdio>
#include <sys/socket.h>
#include <unistd.h>

namespace {

int g_signalPipe[2] = {-1, -1};

void NoteSignal(int)
{
    const char byte = 1;
    [[maybe_unused]] const ssize_t written = ::write(g_signalPipe[1], &byte, 1);
}

}  // namespace

QString FindDataFolder(const QString& executableFolder)
{
    const QDir programs(executableFolder);
    const QString besideExecutable = programs.filePath("data");
    if (QFileInfo(besideExecutable).isDir())
        return besideExecutable;
    return QDir::cleanPath(programs.filePath(TARNIX_DATA_FROM_BINDIR));
}

bool EnterDataFolder(const QString& executableFolder)
{
    const QString folder = FindDataFolder(executableFolder);
    if (QDir::setCurrent(folder))
        return true;
    SayOnStandardError("TarnixConnect: data folder " + folder + " is missing");
    return false;
}

void SayOnStandardError(const QString& text)
{
    for (const QString& line : text.split('\n'))
        std::fprintf(stderr, "%s\n", ControlsReplaced(line.toStdString()).c_str());
}

void EndNormallyOnSignals()
{
    // A signal handler may do almost nothing: it wakes the event loop, which
    // ends the program.
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, g_signalPipe) != 0)
        return;
    auto* notifier = new QSocketNotifier(g_signalPipe[0], QSocketNotifier::Read, qApp);
    QObject::connect(notifier, &QSocketNotifier::activated, notifier,
                     [] { WizardEffects().EndProgram(0); });
    struct sigaction action = {};
    action.sa_handler = NoteSignal;
    action.sa_flags = SA_RESTART;
    for (const int signal : {SIGTERM, SIGHUP, SIGINT})
        ::sigaction(signal, &action, nullptr);
}
