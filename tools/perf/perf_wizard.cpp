// Drives the real wizard pages under the offscreen platform.
//   perf_wizard next [times, default 20]
//     START on the welcome page until the preparations page has been painted:
//     prints the median, the fastest and the slowest time in milliseconds.
//   perf_wizard walk ROUTER_SIM
//     starts that emulator program on loopback, walks the first-install PPPoE
//     road of the walk tests from the welcome page to the join-wireless guide
//     with no pauses and prints the steps walked, the peak memory in KB and
//     the walk's milliseconds. The emulator's own memory is not counted.

#include "CTarnixConnectDlg.h"
#include "CWizardWindow.h"
#include "FakeEffects.h"
#include "Measures.h"
#include "PageId.h"
#include "StartUp.h"
#include "WalkRoads.h"
#include "WizardOptions.h"
#include "WizardUnderTest.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QRegularExpression>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

int MeasureNext(int times)
{
    CWizardWindow window;
    CTarnixConnectDlg welcome(&window);
    std::vector<double> milliseconds;
    QElapsedTimer clock;
    FirstPaintWatcher watcher(
        [](QWidget* widget) {
            auto* page = qobject_cast<CWizardPage*>(widget);
            return page && page->Id() == PageId::Preparations;
        },
        [&](QWidget* page) {
            milliseconds.push_back(clock.nsecsElapsed() / 1e6);
            static_cast<QDialog*>(page)->reject();
        });
    qApp->installEventFilter(&watcher);
    QTimer::singleShot(500, &welcome, [&] {
        for (int i = 0; i < times; ++i)
        {
            clock.start();
            welcome.StartButton()->click();
        }
        welcome.reject();
    });
    welcome.exec();
    if (int(milliseconds.size()) != times)
        return std::fprintf(stderr, "the preparations page did not open\n"), 1;
    std::sort(milliseconds.begin(), milliseconds.end());
    std::printf("%.2f %.2f %.2f\n", milliseconds[times / 2], milliseconds.front(),
                milliseconds.back());
    return 0;
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
    if (ParseWizardOptions({"perf_wizard", "--router", address, "--pause-ms", "0", "--settle-ms",
                            "0", "--probe-url", "http://" + address + "/support"},
                           GetWizardOptions(), message)
        != OptionsOutcome::Run)
        return std::fprintf(stderr, "%s\n", qPrintable(message)), 1;

    WalkPlan plan;
    plan.NewRouterPassword = "Admin-New1";
    plan.PppUser = "walker@isp.example";
    plan.PppPassword = "ppp-Secret1";
    plan.Ssid = "Tarnix-Home";
    plan.Key = "wpa2-key-0001";
    FakeEffects effects;  // the road ends with Exit, which must not end this process
    effects.openRealPages = true;
    SetWizardEffects(&effects);
    WalkDriver walk(SetupRoad(plan));
    int pages = 0;
    walk.SetPageShownHook([&pages](CWizardPage&) { ++pages; });
    QElapsedTimer clock;
    clock.start();
    const QString failure = walk.Run(std::chrono::seconds(90));
    const qint64 took = clock.elapsed();
    SetWizardEffects(nullptr);
    sim.terminate();
    sim.waitForFinished();
    if (!failure.isEmpty())
        return std::fprintf(stderr, "the walk failed: %s\n", qPrintable(failure)), 1;
    std::printf("%d %ld %lld\n", pages, MaxRssKilobytes(), qlonglong(took));
    return 0;
}

}  // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    if (!EnterDataFolder(QApplication::applicationDirPath()))
        return 1;
    RegisterEveryPage();

    const QString mode = argc > 1 ? argv[1] : QString();
    if (mode == "next")
        return MeasureNext(argc > 2 ? std::max(1, std::atoi(argv[2])) : 20);
    if (mode == "walk" && argc > 2)
        return Walk(argv[2]);
    std::fputs("usage: perf_wizard next [times] | walk ROUTER_SIM\n", stderr);
    return 2;
}
