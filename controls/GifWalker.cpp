#include "GifWalker.h"

namespace GifWalker {
namespace {

constexpr std::size_t kHeaderSize = 13;  // "GIF", version, screen descriptor
constexpr std::size_t kGraphicControlSize = 8;

enum class Block
{
    Application,
    Comment,
    GraphicControl,
    PlainText,
    Image,
    Trailer,
    Unknown,
};

// Where a frame lies in the file and what its blocks say about it.
struct FrameSpan
{
    std::size_t Start = 0;
    std::size_t End = 0;
    unsigned Delay = kNoDelay;
    int Disposal = 0;
    int Left = 0;
    int Top = 0;
    int Width = 0;
    int Height = 0;
    std::size_t ImageAt = 0;  // the image block's start; 0 for plain text
};

unsigned ReadU16(Bytes data, std::size_t pos)
{
    return unsigned(data[pos]) | unsigned(data[pos + 1]) << 8;
}

void WriteU16(std::vector<std::uint8_t>& data, std::size_t pos, int value)
{
    data[pos] = static_cast<std::uint8_t>(value & 0xFF);
    data[pos + 1] = static_cast<std::uint8_t>(value >> 8);
}

std::size_t ColourTableSize(std::uint8_t flags)
{
    return (flags & 0x80) ? 3u * (2u << (flags & 0x07)) : 0u;
}

Block KindAt(Bytes data, std::size_t pos)
{
    if (pos >= data.size())
        return Block::Unknown;
    if (data[pos] == 0x2C)
        return Block::Image;
    if (data[pos] == 0x3B)
        return Block::Trailer;
    if (data[pos] != 0x21 || pos + 1 >= data.size())
        return Block::Unknown;
    switch (data[pos + 1])
    {
    case 0xFF: return Block::Application;
    case 0xFE: return Block::Comment;
    case 0xF9: return Block::GraphicControl;
    case 0x01: return Block::PlainText;
    default: return Block::Unknown;
    }
}

// Length of the data sub-block chain at pos including its zero terminator;
// 0 when the chain runs past the end of the data.
std::size_t ChainLength(Bytes data, std::size_t pos)
{
    std::size_t p = pos;
    while (p < data.size())
    {
        const std::size_t count = data[p];
        p += 1 + count;
        if (count == 0)
            return p - pos;
    }
    return 0;
}

// Fixed part plus the chain that follows it; 0 when either passes the end.
std::size_t WithChain(Bytes data, std::size_t pos, std::size_t fixed)
{
    if (pos + fixed > data.size())
        return 0;
    const std::size_t chain = ChainLength(data, pos + fixed);
    return chain == 0 ? 0 : fixed + chain;
}

// Length of the block at pos; 0 when it is unknown or passes the end.
std::size_t BlockLength(Bytes data, std::size_t pos, Block kind)
{
    switch (kind)
    {
    case Block::Application: return WithChain(data, pos, 14);
    case Block::Comment: return WithChain(data, pos, 2);
    case Block::PlainText: return WithChain(data, pos, 15);
    case Block::GraphicControl:
        return pos + kGraphicControlSize <= data.size() ? kGraphicControlSize : 0;
    case Block::Image:
        if (pos + 10 > data.size())
            return 0;
        return WithChain(data, pos, 10 + ColourTableSize(data[pos + 9]) + 1);
    case Block::Trailer: return 1;
    case Block::Unknown: return 0;
    }
    return 0;
}

// Skips blocks from pos until one of the wanted kind; false at the trailer,
// an unknown block or a block that passes the end.
template <typename Wanted>
bool SkipUntil(Bytes data, std::size_t& pos, Block& kind, Wanted wanted)
{
    for (;;)
    {
        kind = KindAt(data, pos);
        if (wanted(kind))
            return true;
        if (kind == Block::Trailer || kind == Block::Unknown)
            return false;
        const std::size_t length = BlockLength(data, pos, kind);
        if (length == 0)
            return false;
        pos += length;
    }
}

bool IsGraphic(Block kind)
{
    return kind == Block::Image || kind == Block::PlainText;
}

// Finds the next frame from pos: an optional graphic control extension, any
// blocks after it, and the image or plain text block. On success pos is past
// the frame.
bool NextFrame(Bytes data, std::size_t& pos, FrameSpan& frame)
{
    Block kind = Block::Unknown;
    const auto startsFrame = [](Block k) { return k == Block::GraphicControl || IsGraphic(k); };
    if (!SkipUntil(data, pos, kind, startsFrame))
        return false;
    frame = FrameSpan{};
    frame.Start = pos;
    if (kind == Block::GraphicControl)
    {
        if (BlockLength(data, pos, kind) == 0)
            return false;
        frame.Disposal = (data[pos + 3] >> 2) & 0x07;
        frame.Delay = ReadU16(data, pos + 4);
        pos += kGraphicControlSize;
        if (!SkipUntil(data, pos, kind, IsGraphic))
            return false;
    }
    const std::size_t length = BlockLength(data, pos, kind);
    if (length == 0)
        return false;
    if (kind == Block::Image)
    {
        frame.ImageAt = pos;
        frame.Left = static_cast<int>(ReadU16(data, pos + 1));
        frame.Top = static_cast<int>(ReadU16(data, pos + 3));
        frame.Width = static_cast<int>(ReadU16(data, pos + 5));
        frame.Height = static_cast<int>(ReadU16(data, pos + 7));
    }
    pos += length;
    frame.End = pos;
    return true;
}

std::size_t FirstBlock(const GifScreen& screen)
{
    return kHeaderSize + screen.GlobalTableSize;
}

}  // namespace

bool StartsAsGif(Bytes data)
{
    return data.size() >= 3 && data[0] == 'G' && data[1] == 'I' && data[2] == 'F';
}

std::optional<GifScreen> ReadScreen(Bytes data)
{
    if (!StartsAsGif(data) || data.size() < kHeaderSize)
        return std::nullopt;
    GifScreen screen;
    screen.Width = static_cast<int>(ReadU16(data, 6));
    screen.Height = static_cast<int>(ReadU16(data, 8));
    screen.GlobalTableSize = ColourTableSize(data[10]);
    if (FirstBlock(screen) > data.size())
        return std::nullopt;
    return screen;
}

std::size_t CountFrames(Bytes data)
{
    const auto screen = ReadScreen(data);
    if (!screen)
        return 0;
    std::size_t count = 0;
    std::size_t pos = FirstBlock(*screen);
    FrameSpan frame;
    while (NextFrame(data, pos, frame))
        ++count;
    return count;
}

std::vector<GifFrame> CutFrames(Bytes data)
{
    std::vector<GifFrame> frames;
    const auto screen = ReadScreen(data);
    if (!screen)
        return frames;
    const std::size_t prefix = FirstBlock(*screen);
    std::size_t pos = prefix;
    FrameSpan span;
    while (NextFrame(data, pos, span))
    {
        GifFrame frame;
        const Bytes header = data.first(prefix);
        const Bytes blocks = data.subspan(span.Start, span.End - span.Start);
        frame.Gif.reserve(header.size() + blocks.size() + 1);
        frame.Gif.assign(header.begin(), header.end());
        frame.Gif.insert(frame.Gif.end(), blocks.begin(), blocks.end());
        frame.Gif.push_back(0x3B);
        frame.Left = span.Left;
        frame.Top = span.Top;
        frame.Width = span.Width;
        frame.Height = span.Height;
        frame.Delay = span.Delay;
        frame.Disposal = span.Disposal;
        frame.ImageAt = span.ImageAt == 0 ? 0 : prefix + (span.ImageAt - span.Start);
        frames.push_back(std::move(frame));
    }
    return frames;
}

void MoveToOwnScreen(GifFrame& frame)
{
    if (frame.ImageAt == 0 || frame.Width == 0 || frame.Height == 0)
        return;
    WriteU16(frame.Gif, 6, frame.Width);
    WriteU16(frame.Gif, 8, frame.Height);
    WriteU16(frame.Gif, frame.ImageAt + 1, 0);
    WriteU16(frame.Gif, frame.ImageAt + 3, 0);
}

unsigned FrameWaitMs(unsigned delay)
{
    if (delay == kNoDelay || delay < 5)
        return 100;
    return delay * 10;
}

}  // namespace GifWalker
