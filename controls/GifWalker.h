#pragma once
// Walks the block structure of a GIF and cuts every frame out as a small
// stand-alone GIF (the file's header, screen descriptor and global colour
// table, the frame's blocks, a trailer). Decodes no pixels. Plain C++ so that
// it can be built and fuzzed on its own.
//
// Every length read from the data is checked against its end: a truncated or
// hostile GIF ends the walk with the frames found before the fault.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace GifWalker {

using Bytes = std::span<const std::uint8_t>;

// Delay of a frame without a graphic control extension.
inline constexpr unsigned kNoDelay = 0xFFFFFFFFu;

struct GifScreen
{
    int Width = 0;
    int Height = 0;
    std::size_t GlobalTableSize = 0;  // bytes
};

struct GifFrame
{
    std::vector<std::uint8_t> Gif;  // the frame as a stand-alone GIF file
    int Left = 0;
    int Top = 0;
    int Width = 0;
    int Height = 0;
    unsigned Delay = kNoDelay;  // hundredths of a second
    int Disposal = 0;           // 0..7
    std::size_t ImageAt = 0;    // where the image block starts in gif; 0 for plain text
};

// True when the data begins with "GIF", whatever the version bytes.
bool StartsAsGif(Bytes data);

// The logical screen and the global colour table size; nothing when the data
// is too short for the header, the screen descriptor and its colour table.
std::optional<GifScreen> ReadScreen(Bytes data);

// Number of frames (graphic blocks) found before the trailer or a fault.
std::size_t CountFrames(Bytes data);

// Every frame found before the trailer or a fault, in file order.
std::vector<GifFrame> CutFrames(Bytes data);

// Makes frame.gif's logical screen the frame's own size and puts the frame at
// its top-left corner (left and top keep where it belongs), so that a decoder
// draws only the frame rather than a whole screen around it. Plain-text frames
// and frames of no area are left as they are.
void MoveToOwnScreen(GifFrame& frame);

// How long a frame stays up, in milliseconds: delays below 5 hundredths (and
// frames without a delay) show for 100 ms, others for 10 ms per hundredth.
unsigned FrameWaitMs(unsigned delay);

}  // namespace GifWalker
