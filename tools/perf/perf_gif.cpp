// CPU share of one core while the welcome page's animated background plays,
// in CPictureEx or in Qt's own QMovie on a label. Run from the data folder.
//   perf_gif picture|movie [seconds, default 5]

#include "CPictureEx.h"
#include "Measures.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QMovie>

#include <cstdio>
#include <cstring>
#include <memory>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    const bool movie = argc > 1 && std::strcmp(argv[1], "movie") == 0;
    const int seconds = argc > 2 ? std::max(1, std::atoi(argv[2])) : 5;
    const QString path = "pic/BG/1000.gif";

    int frames = 0;
    std::unique_ptr<QWidget> shown;
    std::unique_ptr<QMovie> player;
    if (movie)
    {
        player = std::make_unique<QMovie>(path);
        auto* label = new QLabel;
        label->setMovie(player.get());
        QObject::connect(player.get(), &QMovie::frameChanged, [&frames] { ++frames; });
        shown.reset(label);
        shown->show();
        player->start();
    }
    else
    {
        auto* picture = new CPictureEx;
        shown.reset(picture);
        if (!picture->Load(path))
            return std::fprintf(stderr, "cannot load %s\n", qPrintable(path)), 1;
        QObject::connect(picture, &CPictureEx::FrameShown, [&frames] { ++frames; });
        shown->show();
        picture->Draw();
    }
    // From here on only the playing counts, not the loading.
    const double cpuBefore = CpuSeconds();
    QElapsedTimer wall;
    wall.start();
    QTimer::singleShot(seconds * 1000, &app, &QApplication::quit);
    app.exec();
    const double cpu = CpuSeconds() - cpuBefore;
    const double elapsed = wall.nsecsElapsed() / 1e9;
    std::printf("%.2f %% %.1f frames/s\n", 100 * cpu / elapsed, frames / elapsed);
    return 0;
}
