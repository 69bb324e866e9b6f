#include "PictureCache.h"

#include "DoubleSizePicture.h"
#include "GifWalker.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QFile>
#include <QImageReader>

#include <future>
#include <map>

namespace {

constexpr QImage::Format kFrameFormat = QImage::Format_ARGB32_Premultiplied;

GifWalker::Bytes AsBytes(const QByteArray& data)
{
    return {reinterpret_cast<const std::uint8_t*>(data.constData()),
            static_cast<std::size_t>(data.size())};
}

// The decoder gives a frame either at its own size or placed on the whole
// logical screen; keep only the frame's rectangle. An opaque frame is drawn
// as it is, without a converted copy; any other is converted in place where
// the decoder's image is the frame (a whole-screen frame: the window's size).
QImage FrameRectangle(QImage decoded, const GifWalker::GifFrame& frame)
{
    const QSize frameSize(frame.Width, frame.Height);
    QImage picture = decoded.size() == frameSize
                         ? std::move(decoded)
                         : decoded.copy(QRect(QPoint(frame.Left, frame.Top), frameSize));
    return picture.hasAlphaChannel() ? std::move(picture).convertToFormat(kFrameFormat) : picture;
}

// The format named from the data's first bytes. Qt asks every image plugin it
// has, loading each (SVG, JPEG, icons...), before it tries its own PNG or BMP
// reader, unless it is told the format and told not to guess.
QByteArray FormatOf(const QByteArray& data)
{
    static const std::pair<const char*, const char*> signatures[] = {
        {"\x89PNG", "png"}, {"BM", "bmp"}, {"GIF8", "gif"}, {"\xFF\xD8\xFF", "jpeg"}};
    for (const auto& [start, format] : signatures)
        if (data.startsWith(start))
            return format;
    return {};
}

// An opaque picture stays opaque, so that a control can show it as it is.
bool DecodeStill(const QByteArray& data, QSize size, DecodedPicture& picture)
{
    QImage decoded = ReadImage(data);
    if (decoded.isNull())
        return false;
    picture.Size = size.isEmpty() ? decoded.size() : size;
    const QImage::Format format = decoded.hasAlphaChannel() ? kFrameFormat : QImage::Format_RGB32;
    picture.Still = std::move(decoded).convertToFormat(format);
    return true;
}

bool DecodeAnimation(const QByteArray& data, QSize size, DecodedPicture& picture)
{
    picture.Size = size;
    for (GifWalker::GifFrame& cut : GifWalker::CutFrames(AsBytes(data)))
    {
        // Each frame on a screen of its own size: the decoder need not make
        // and fill a whole screen for a small frame.
        GifWalker::MoveToOwnScreen(cut);
        QImage decoded = ReadImage(QByteArray::fromRawData(
            reinterpret_cast<const char*>(cut.Gif.data()), static_cast<int>(cut.Gif.size())));
        if (decoded.isNull())
            continue;
        picture.Frames.push_back({FrameRectangle(std::move(decoded), cut),
                                  QPoint(cut.Left, cut.Top), cut.Delay, cut.Disposal});
    }
    return !picture.Frames.empty();
}

}  // namespace

QImage ReadImage(const QByteArray& data)
{
    QBuffer buffer;
    buffer.setData(data);
    const QByteArray format = FormatOf(data);
    QImageReader reader(&buffer, format);
    reader.setAutoDetectImageFormat(format.isEmpty());
    return reader.read();
}

QImage ReadImageFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? ReadImage(file.readAll()) : QImage();
}

std::shared_ptr<const DecodedPicture> DecodePicture(const QByteArray& data, int pixelRatio)
{
    auto picture = std::make_shared<DecodedPicture>();
    picture->PixelRatio = pixelRatio;
    const GifWalker::Bytes bytes = AsBytes(data);
    bool decoded = false;
    if (!GifWalker::StartsAsGif(bytes))
    {
        decoded = DecodeStill(data, QSize(), *picture);
    }
    else if (const auto screen = GifWalker::ReadScreen(bytes))
    {
        const QSize size(screen->Width, screen->Height);
        const std::size_t frames = GifWalker::CountFrames(bytes);
        if (frames == 1)
            decoded = DecodeStill(data, size, *picture);
        else if (frames > 1)
            decoded = DecodeAnimation(data, size, *picture);
    }
    if (!decoded)
        return nullptr;
    return picture;
}

namespace {

using Decoded = std::shared_ptr<const DecodedPicture>;

// The file a picture is drawn from at a ratio, and the ratio it holds.
struct PictureFile
{
    QString Path;
    int PixelRatio = 1;
};

PictureFile FileAt(const QString& path, qreal ratio)
{
    const QString doubled = WantsDoubleSize(ratio) ? DoubleSizePath(path) : QString();
    return doubled.isEmpty() ? PictureFile{path, 1} : PictureFile{doubled, 2};
}

Decoded DecodeFile(const PictureFile& file)
{
    QFile reader(file.Path);
    return reader.open(QIODevice::ReadOnly) ? DecodePicture(reader.readAll(), file.PixelRatio)
                                            : nullptr;
}

// Pictures being decoded ahead, by file, until a control asks for them. What
// no control asked for is waited for as the application ends, while the image
// plugins the decoding uses are still there.
std::map<QString, std::future<Decoded>>& DecodingAhead()
{
    static std::map<QString, std::future<Decoded>> decoding;
    static const bool waitedForAtEnd = (qAddPostRoutine([] { decoding.clear(); }), true);
    Q_UNUSED(waitedForAtEnd);
    return decoding;
}

}  // namespace

void DecodeAhead(const QString& path, qreal ratio)
{
    const PictureFile file = FileAt(path, ratio);
    if (DecodingAhead().count(file.Path))
        return;
    try
    {
        auto decoding = std::async(std::launch::async, DecodeFile, file);
        DecodingAhead().emplace(file.Path, std::move(decoding));
    }
    catch (const std::system_error&)
    {
        // No thread to spare: the picture is decoded when it is asked for.
    }
}

Decoded SharedPicture(const QString& path, qreal ratio)
{
    const PictureFile file = FileAt(path, ratio);
    // Only what some control holds now is kept; entries of pictures let go of
    // are dropped as the map is used.
    static std::map<QString, std::weak_ptr<const DecodedPicture>> shown;
    std::erase_if(shown, [](const auto& entry) { return entry.second.expired(); });
    std::weak_ptr<const DecodedPicture>& entry = shown[file.Path];
    if (auto held = entry.lock())
        return held;
    auto ahead = DecodingAhead().extract(file.Path);
    Decoded picture = ahead ? ahead.mapped().get() : DecodeFile(file);
    entry = picture;
    return picture;
}
