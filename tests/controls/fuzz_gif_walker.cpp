// libFuzzer entry point for the GIF block walker (built by tools/fuzz-gif.sh).
// The sanitizers catch any read outside the input; the checks below catch a
// walk that disagrees with itself.

#include "GifWalker.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const GifWalker::Bytes bytes(data, size);
    const auto frames = GifWalker::CutFrames(bytes);
    if (frames.size() != GifWalker::CountFrames(bytes))
        std::abort();
    for (const auto& frame : frames)
    {
        const std::size_t prefix = 13 + GifWalker::ReadScreen(bytes)->GlobalTableSize;
        if (frame.Gif.size() <= prefix || frame.Gif.back() != 0x3B
            || std::memcmp(frame.Gif.data(), data, prefix) != 0)
            std::abort();
        if (frame.Disposal < 0 || frame.Disposal > 7)
            std::abort();
        GifWalker::FrameWaitMs(frame.Delay);
    }
    return 0;
}
