#pragma once
// What the picture tests load and look at: four colours, still images in
// other formats, a three-frame animation for each disposal method, and a wait
// for the animation thread's frame.

#include "CPictureEx.h"
#include "GifBuilder.h"

#include <QBuffer>
#include <QByteArray>
#include <QImage>
#include <QSignalSpy>

#include <cstdint>
#include <vector>

inline constexpr QRgb kRed = 0xFFFF0000;
inline constexpr QRgb kGreen = 0xFF00FF00;
inline constexpr QRgb kBlue = 0xFF0000FF;
inline const std::vector<std::uint32_t> kColours{0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF};
inline constexpr QRgb kBackground = 0;  // stands for the palette's button colour
enum : std::uint8_t
{
    kRedIndex,
    kGreenIndex,
    kBlueIndex,
    kWhiteIndex
};

// Long enough that a frame is still up when the test looks at it.
inline constexpr int kInspectDelay = 50;

inline QByteArray ToByteArray(const std::vector<std::uint8_t>& bytes)
{
    return QByteArray(reinterpret_cast<const char*>(bytes.data()), qsizetype(bytes.size()));
}

inline QByteArray Encoded(const QImage& image, const char* format)
{
    QByteArray data;
    QBuffer buffer(&data);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return data;
}

// Red page, then a blue square at (5,5) with the given disposal, then a green
// dot at (30,20).
inline QByteArray DisposalAnimation(int disposal)
{
    return ToByteArray(GifBuilder(40, 30, kColours)
                           .Loop()
                           .Control(1, kInspectDelay)
                           .Image(0, 0, 40, 30, kRedIndex)
                           .Control(disposal, kInspectDelay)
                           .Image(5, 5, 10, 10, kBlueIndex)
                           .Control(1, kInspectDelay)
                           .Image(30, 20, 2, 2, kGreenIndex)
                           .Bytes());
}

// Waits until the animation reports the given frame and returns the image then.
inline QImage ImageAtFrame(CPictureEx& picture, QSignalSpy& shown, int index)
{
    for (;;)
    {
        while (!shown.isEmpty())
        {
            if (shown.takeFirst().at(0).toInt() == index)
                return picture.CurrentImage();
        }
        if (!shown.wait(5000))
            return QImage();
    }
}
