// Preloaded into an unchanged program (LD_PRELOAD): when its first window has
// been painted, prints the milliseconds since launch and the peak memory so
// far, and ends the process.

#include "Measures.h"

#include <QApplication>

#include <cstdio>

namespace {

void WatchFirstPaint()
{
    qApp->installEventFilter(new FirstPaintWatcher(
        [](QWidget* widget) { return widget->isWindow(); },
        [](QWidget*) {
            std::printf("%.1f %ld\n", MillisecondsSinceLaunch(), MaxRssKilobytes());
            std::fflush(stdout);
            std::_Exit(0);
        }));
}

}  // namespace

Q_COREAPP_STARTUP_FUNCTION(WatchFirstPaint)
