// Prints how long CPictureEx takes to load and cut a 20-frame 800 x 600 GIF
// and what share of one core a playing background costs.
//   QT_QPA_PLATFORM=offscreen bench_picture [seconds of playing, default 5]

#include "CPictureEx.h"
#include "GifBuilder.h"
#include "GifWalker.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>

#include <sys/resource.h>

#include <cstdio>

namespace {

constexpr int kWidth = 800;
constexpr int kHeight = 600;
constexpr int kFrames = 20;
constexpr int kRuns = 5;

// Every frame covers the whole screen with its own stripes.
std::vector<std::uint8_t> BigAnimation()
{
    std::vector<std::uint32_t> colours;
    for (int i = 0; i < 256; ++i)
        colours.push_back(std::uint32_t(i * 0x010203) & 0xFFFFFF);
    GifBuilder builder(kWidth, kHeight, colours);
    builder.Loop();
    std::vector<std::uint8_t> pixels(std::size_t(kWidth) * kHeight);
    for (int frame = 0; frame < kFrames; ++frame)
    {
        for (std::size_t i = 0; i < pixels.size(); ++i)
            pixels[i] = std::uint8_t((i % kWidth) / 8 + frame * 7 + i / kWidth / 16);
        builder.Control(1, 10).Image(0, 0, kWidth, kHeight, pixels);
    }
    return builder.Bytes();
}

double CpuSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec)
           + double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

}  // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const int playSeconds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;

    const std::vector<std::uint8_t> gif = BigAnimation();
    const QByteArray data(reinterpret_cast<const char*>(gif.data()), qsizetype(gif.size()));
    std::printf("GIF: %d frames of %d x %d, %.1f MB\n", kFrames, kWidth, kHeight, gif.size() / 1e6);

    QElapsedTimer timer;
    timer.start();
    for (int run = 0; run < kRuns; ++run)
        GifWalker::CutFrames(gif);
    std::printf("walk and cut (no decoding): %.2f ms\n", timer.nsecsElapsed() / 1e6 / kRuns);

    CPictureEx picture;
    timer.restart();
    for (int run = 0; run < kRuns; ++run)
        picture.Load(data);
    std::printf("Load (walk, cut, decode every frame): %.1f ms\n",
                timer.nsecsElapsed() / 1e6 / kRuns);

    picture.show();
    const double cpuBefore = CpuSeconds();
    timer.restart();
    picture.Draw();
    QTimer::singleShot(playSeconds * 1000, Qt::PreciseTimer, &app, &QApplication::quit);
    app.exec();
    const double wall = timer.nsecsElapsed() / 1e9;
    const double cpu = CpuSeconds() - cpuBefore;
    picture.Stop();
    std::printf("playing at 100 ms a frame for %.1f s: CPU %.3f s, %.1f %% of one core\n", wall,
                cpu, 100 * cpu / wall);
    return 0;
}
