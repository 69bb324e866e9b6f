// TarnixConnect: the setup wizard for the KRX-5100A modem router.

#include "CTarnixConnectDlg.h"
#include "ChecklistAndPasswordPages.h"
#include "ConnectionPages.h"
#include "GuidePages.h"
#include "NoCoreDumps.h"
#include "PageRegistry.h"
#include "StartUp.h"
#include "WizardOptions.h"

#include <QApplication>
#include <QIcon>

#include <cstdio>

namespace {

// Options are read before the window system is reached, so --help and
// --version work without a display.
QStringList Arguments(int argc, char* argv[])
{
    QStringList arguments;
    for (int index = 0; index < argc; ++index)
        arguments << QString::fromLocal8Bit(argv[index]);
    return arguments;
}

bool HasDisplay()
{
    return qEnvironmentVariableIsSet("QT_QPA_PLATFORM") || qEnvironmentVariableIsSet("DISPLAY")
           || qEnvironmentVariableIsSet("WAYLAND_DISPLAY");
}

}  // namespace

int main(int argc, char* argv[])
{
    // The router, Internet account and wireless passwords the user types pass
    // through this process's memory; a core file would keep them on disk.
    DisableCoreDumps();
    QString message;
    switch (ParseWizardOptions(Arguments(argc, argv), GetWizardOptions(), message))
    {
    case OptionsOutcome::ShowText:
        std::fputs(qPrintable(message + '\n'), stdout);
        return 0;
    case OptionsOutcome::Invalid:
        std::fputs(qPrintable(message + "\nTry --help.\n"), stderr);
        return 2;
    case OptionsOutcome::Run:
        break;
    }
    if (!HasDisplay())
    {
        std::fputs("TarnixConnect needs a display. Without one, run it under Xvfb:\n"
                   "  xvfb-run -s \"-screen 0 1024x768x24\" TarnixConnect ...\n",
                   stderr);
        return 1;
    }

    QApplication app(argc, argv);

    if (!EnterDataFolder(QApplication::applicationDirPath()))
        return 1;
    // Installed, the icon is in the desktop's icon theme; in the build tree it
    // is in the data folder.
    QIcon bundled;
    for (const char* size : {"48", "128", "256"})
        bundled.addFile(QString("icons/tarnix-setup-%1.png").arg(size));
    QApplication::setWindowIcon(QIcon::fromTheme("tarnix-setup", bundled));
    InstallRouterErrorMessages();

    RegisterAppPages();
    RegisterChecklistAndPasswordPages();
    RegisterConnectionPages();
    RegisterGuidePages();

    CTarnixConnectDlg welcome;
    welcome.exec();
    return 0;
}
