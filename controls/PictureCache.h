#pragma once
// Decoded pictures shared between the controls that show them. A background
// that several pages show is decoded once while any of them shows it; when the
// last control lets go of it (a covered page, an ended page), it is freed.

#include <QImage>
#include <QPoint>
#include <QSize>
#include <QString>

#include <memory>
#include <vector>

// One frame of an animation: its own rectangle, placed at offset.
struct PictureFrame
{
    QImage Picture;
    QPoint Offset;
    unsigned Delay = 0;  // hundredths of a second, as in the file
    int Disposal = 0;
};

// A still picture or the frames of an animated GIF.
struct DecodedPicture
{
    QSize Size;  // in pixels
    int PixelRatio = 1;
    QImage Still;  // ARGB32 premultiplied where it has alpha, else RGB32
    std::vector<PictureFrame> Frames;
};

// The picture in data (PNG, BMP, GIF, JPEG or any format Qt's plugins read).
QImage ReadImage(const QByteArray& data);
// The same from a file; a null image when it cannot be read.
QImage ReadImageFile(const QString& path);

// Decodes data: a GIF of several frames becomes an animation, anything else a
// still picture. Null when the data holds no picture.
std::shared_ptr<const DecodedPicture> DecodePicture(const QByteArray& data, int pixelRatio);

// The picture in the file at path as drawn at ratio: its 2 x sibling above
// ratio 1 where there is one. Decoded only when no control holds it already;
// null when the file cannot be read or holds no picture (nothing is kept
// then). User-interface thread only.
std::shared_ptr<const DecodedPicture> SharedPicture(const QString& path, qreal ratio);

// Starts decoding, on a thread of its own, the picture SharedPicture(path,
// ratio) will be asked for, which then waits for it instead of decoding it:
// the first page's background is decoded while its window is being built.
// User-interface thread only.
void DecodeAhead(const QString& path, qreal ratio);
