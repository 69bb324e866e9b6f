// TarnixConnect: the setup wizard for the KRX-5100A modem router.

#include "AppPages.h"
#include "CTarnixConnectDlg.h"
#include "CWizardEffects.h"
#include "CWizardWindow.h"
#include "ChecklistAndPasswordPages.h"
#include "ConnectionPages.h"
#include "GuidePages.h"
#include "NoCoreDumps.h"
#include "PictureCache.h"
#include "SingleInstance.h"
#include "StartUp.h"
#include "TerminationSignal.h"
#include "WizardOptions.h"
#include "WizardSession.h"

#include <QApplication>
#include <QDir>
#include <QIcon>
#include <QScreen>

#include <cstdio>
#include <future>

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

// The desktop entry's id: the Wayland app id and the X11 window class, so
// the dock shows the launcher's icon and name for the window.
constexpr char kDesktopEntryId[] = "tarnix-setup";

bool HasDisplay(const QStringList& arguments)
{
    return qEnvironmentVariableIsSet("QT_QPA_PLATFORM") || qEnvironmentVariableIsSet("DISPLAY")
           || qEnvironmentVariableIsSet("WAYLAND_DISPLAY") || ChoosesPlatform(arguments);
}

// Where the desktop lets a window raise itself when asked by another process.
bool CanComeToFront()
{
    const QString platform = QGuiApplication::platformName();
    return platform == "xcb" || platform == "offscreen";
}

// Installed, the icon is in the desktop's icon theme; in the build tree it is
// in the data folder, read here with the format named so that no other image
// plugin is loaded for it.
void SetWindowIcon()
{
    if (!QDir("icons").exists())
    {
        QApplication::setWindowIcon(QIcon::fromTheme("tarnix-setup"));
        return;
    }
    QIcon bundled;
    for (const char* size : {"48", "128", "256"})
        bundled.addPixmap(
            QPixmap::fromImage(ReadImageFile(QString("icons/tarnix-setup-%1.png").arg(size))));
    QApplication::setWindowIcon(bundled);
}

// A second start: the running wizard comes to the front, or the user is told.
// False when no wizard answered as one does: this one then runs.
bool LeftToRunningWizard(const CSingleInstance& instance)
{
    const RunningWizard answer = instance.AskRunningWizard();
    if (answer == RunningWizard::CannotComeFront)
        WizardEffects().ShowMessage(nullptr, "The Tarnix Setup Wizard is already running.",
                                    ProgramName(), QMessageBox::Information);
    return answer != RunningWizard::NoAnswer;
}

}  // namespace

int main(int argc, char* argv[])
{
    // The router, Internet account and wireless passwords the user types pass
    // through this process's memory; a core file would keep them on disk.
    DisableCoreDumps();
    // What the wizard holds for its whole run, read by every page.
    WizardSession session;
    const QStringList arguments = Arguments(argc, argv);
    QString message;
    switch (ParseWizardOptions(arguments, session.Options, message))
    {
    case OptionsOutcome::ShowText: std::fputs(qPrintable(message + '\n'), stdout); return 0;
    case OptionsOutcome::Invalid: SayOnStandardError(message + "\nTry --help."); return 2;
    case OptionsOutcome::Run: break;
    }
    if (!HasDisplay(arguments))
    {
        SayOnStandardError("TarnixConnect needs a display. Without one, run it under Xvfb:\n"
                           "  xvfb-run -s \"-screen 0 1024x768x24\" TarnixConnect ...");
        return 1;
    }

    const std::shared_future<void> fontConfiguration = ReadFontConfigurationAhead();
    QGuiApplication::setDesktopFileName(kDesktopEntryId);
    QApplication app(argc, argv);
    std::future<void> fontDatabase = FillFontDatabaseAhead(fontConfiguration);
    // X11 takes the window class from the application's name.
    QCoreApplication::setApplicationName(kDesktopEntryId);

    if (!EnterDataFolder(QApplication::applicationDirPath()))
        return 1;
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        DecodeAhead(CTarnixConnectDlg::kBackground, screen->devicePixelRatio());
    InstallRouterErrorMessages();

    RegisterAppPages();
    RegisterChecklistAndPasswordPages();
    RegisterConnectionPages();
    RegisterGuidePages();

    // Before the window is made: set later, it reaches the window manager only
    // in part (openbox then shows no icon), and a window manager may keep the
    // icon a window was mapped with, so it cannot wait for the paint either.
    SetWindowIcon();
    CWizardWindow window;
    // Before the lock is taken: a termination from then on must end the wizard
    // through its own close, which removes the lock and the socket.
    HandleTerminationSignal([&window] { window.CloseAnswered(); });
    CSingleInstance instance(WizardRuntimeFolder());
    if (!instance.BecomeTheOnlyWizard([&window] {
            window.BringToFront();
            return CanComeToFront();
        })
        && LeftToRunningWizard(instance))
        return 0;
    fontDatabase.wait();
    CTarnixConnectDlg welcome(&window);
    // Not needed to draw the welcome page, so it is not kept waiting.
    LoadHttpLibraryAfterFirstPaint(&welcome);
    welcome.exec();
    return 0;
}
