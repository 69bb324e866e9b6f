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
        const std::size_t prefix = 13 + GifWalker::ReadScreen(bytes)->globalTableSize;
        if (frame.gif.size() <= prefix || frame.gif.back() != 0x3B
            || std::memcmp(frame.gif.data(), data, prefix) != 0)
            std::abort();
        if (frame.disposal < 0 || frame.disposal > 7)
            std::abort();
        GifWalker::FrameWaitMs(frame.delay);
    }
    return 0;
}
