// Drives the real wizard pages under the offscreen platform.
//   perf_wizard next [times, default 20]
//     START on the welcome page until the preparations page has been painted:
//     prints the median, the fastest and the slowest time in milliseconds.
//   perf_wizard walk ROUTER_SIM
//     starts that emulator program on loopback, walks the first-install road
//     from the welcome page to the join-wireless guide with no pauses and
//     prints the pages walked and the peak memory.

#include "CCheckDeviceTipsDlg.h"
#include "CConfigUserAndPassDlg.h"
#include "CConfigWiressDlg.h"
#include "CCreatePasswordDlg.h"
#include "CTarnixConnectDlg.h"
#include "ChecklistAndPasswordPages.h"
#include "ConnectionPages.h"
#include "GuidePages.h"
#include "Measures.h"
#include "PageRegistry.h"
#include "StartUp.h"
#include "WizardOptions.h"

#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QProcess>
#include <QRegularExpression>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

// Clicks from the event loop: NEXT runs the next page modally and only
// returns when it has ended, and the driving timer must keep ticking.
void ClickSoon(QAbstractButton* button)
{
    QTimer::singleShot(0, button, &QAbstractButton::click);
}

int MeasureNext(int times)
{
    CTarnixConnectDlg welcome;
    std::vector<double> milliseconds;
    QElapsedTimer clock;
    FirstPaintWatcher watcher(
        [](QWidget* window) {
            auto* page = qobject_cast<CWizardPage*>(window);
            return page && page->Id() == PageId::Preparations;
        },
        [&](QWidget* page) {
            milliseconds.push_back(clock.nsecsElapsed() / 1e6);
            static_cast<QDialog*>(page)->reject();
        });
    qApp->installEventFilter(&watcher);
    welcome.show();
    QTimer::singleShot(500, &welcome, [&] {
        for (int i = 0; i < times; ++i)
        {
            clock.start();
            welcome.StartButton()->click();
        }
        QApplication::quit();
    });
    QApplication::exec();
    if (int(milliseconds.size()) != times)
        return std::fprintf(stderr, "the preparations page did not open\n"), 1;
    std::sort(milliseconds.begin(), milliseconds.end());
    std::printf("%.2f %.2f %.2f\n", milliseconds[times / 2], milliseconds.front(), milliseconds.back());
    return 0;
}

// Fills the page on top the way a user would and presses NEXT. False when
// the walk has gone off the road.
bool ActOn(CWizardPage* page, bool& done)
{
    switch (page->Id())
    {
    case PageId::Welcome:
        ClickSoon(static_cast<CTarnixConnectDlg*>(page)->StartButton());
        return true;
    case PageId::Preparations:
        for (int i = 0; i < 3; ++i)
            static_cast<CCheckDeviceTipsDlg*>(page)->CheckBox(i)->setChecked(true);
        break;
    case PageId::CreatePassword:
        static_cast<CCreatePasswordDlg*>(page)->PasswordField()->setText("walk-admin");
        static_cast<CCreatePasswordDlg*>(page)->ReenteredField()->setText("walk-admin");
        break;
    case PageId::IspAccount:
        static_cast<CConfigUserAndPassDlg*>(page)->UserNameField()->setText("walk@isp.example");
        static_cast<CConfigUserAndPassDlg*>(page)->PasswordField()->setText("walk-ppp");
        static_cast<CConfigUserAndPassDlg*>(page)->ConfirmationField()->setText("walk-ppp");
        break;
    case PageId::Wireless:
        static_cast<CConfigWiressDlg*>(page)->KeyField()->setText("walk-wifi-key");
        break;
    case PageId::InstallMode:  // first install is chosen already
    case PageId::Power:
    case PageId::Ethernet:
    case PageId::DslLine:
    case PageId::IspAndPvc:    // the country's defaults
    case PageId::Success:
        break;
    case PageId::Apply:
        return true;  // works by itself
    case PageId::JoinWireless:
        done = true;
        return true;
    default:
        return false;
    }
    ClickSoon(page->NextButton());
    return true;
}

int Walk(const QString& routerSim)
{
    QProcess sim;
    sim.start(routerSim, {"--listen", "127.0.0.1:0"});
    QString port;
    while (port.isEmpty() && sim.waitForReadyRead(5000))
        port = QRegularExpression("listening on 127\\.0\\.0\\.1:(\\d+)")
                   .match(QString::fromLocal8Bit(sim.readLine()))
                   .captured(1);
    if (port.isEmpty())
        return std::fprintf(stderr, "the router emulator did not start\n"), 1;
    const QString address = "127.0.0.1:" + port;
    QString message;
    if (ParseWizardOptions({"perf_wizard", "--router", address, "--pause-ms", "0", "--settle-ms", "0",
                            "--probe-url", "http://" + address + "/support"},
                           GetWizardOptions(), message)
        != OptionsOutcome::Run)
        return std::fprintf(stderr, "%s\n", qPrintable(message)), 1;

    CTarnixConnectDlg welcome;
    int pages = 0;
    int status = 1;
    QPointer<QWidget> lastPage;
    QElapsedTimer clock;
    QTimer driver;
    QObject::connect(&driver, &QTimer::timeout, [&] {
        if (clock.elapsed() > 120000)
        {
            std::fprintf(stderr, "the walk stalled\n");
            QApplication::exit(1);
            return;
        }
        QWidget* top = QApplication::activeModalWidget();
        if (auto* box = qobject_cast<QMessageBox*>(top))
        {
            std::fprintf(stderr, "message on the way: %s\n", qPrintable(box->text()));
            QApplication::exit(1);
            return;
        }
        // The welcome page is the main window, not a modal one.
        auto* page = top ? qobject_cast<CWizardPage*>(top) : &welcome;
        if (!page || page == lastPage)
            return;
        lastPage = page;
        ++pages;
        bool done = false;
        if (!ActOn(page, done))
        {
            std::fprintf(stderr, "off the road: %s page\n", PageIdName(page->Id()));
            QApplication::exit(1);
        }
        else if (done)
        {
            status = 0;
            driver.stop();
            page->close();  // the close box ends the whole chain
        }
    });
    clock.start();
    driver.start(20);
    welcome.show();
    const int exitCode = QApplication::exec();
    sim.terminate();
    sim.waitForFinished();
    if (exitCode != 0 || status != 0)
        return 1;
    std::printf("%d %ld %.0f\n", pages, MaxRssKilobytes(), clock.elapsed() / 1.0);
    return 0;
}

}  // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    if (!EnterDataFolder(QApplication::applicationDirPath()))
        return 1;
    RegisterAppPages();
    RegisterChecklistAndPasswordPages();
    RegisterConnectionPages();
    RegisterGuidePages();

    const QString mode = argc > 1 ? argv[1] : QString();
    if (mode == "next")
        return MeasureNext(argc > 2 ? std::max(1, std::atoi(argv[2])) : 20);
    if (mode == "walk" && argc > 2)
        return Walk(argv[2]);
    std::fputs("usage: perf_wizard next [times] | walk ROUTER_SIM\n", stderr);
    return 2;
}
