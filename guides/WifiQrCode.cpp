#include "WifiQrCode.h"

#include <QBuffer>
#include <QByteArray>

#include <qrencode.h>

#include <memory>

namespace {

constexpr int kQuietZoneModules = 4;

// The format's reserved characters are escaped with a backslash.
QString EscapeField(const QString& text)
{
    QString escaped;
    for (const QChar c : text)
    {
        if (QStringView(u"\\;,:\"").contains(c))
            escaped += u'\\';
        escaped += c;
    }
    return escaped;
}

}  // namespace

QString WifiQrText(const QString& networkName, const QString& key, bool secured)
{
    if (!secured)
        return QStringLiteral("WIFI:T:nopass;S:") + EscapeField(networkName) + QStringLiteral(";;");
    return QStringLiteral("WIFI:T:WPA;S:") + EscapeField(networkName) + QStringLiteral(";P:")
           + EscapeField(key) + QStringLiteral(";;");
}

QImage QrCodeImage(const QString& text, int moduleSize)
{
    const QByteArray bytes = text.toUtf8();
    const std::unique_ptr<QRcode, decltype(&QRcode_free)> code(
        QRcode_encodeData(int(bytes.size()),
                          reinterpret_cast<const unsigned char*>(bytes.constData()), 0,
                          QR_ECLEVEL_M),
        &QRcode_free);
    if (!code)
        return {};

    const int side = code->width + 2 * kQuietZoneModules;
    QImage modules(side, side, QImage::Format_Grayscale8);
    modules.fill(Qt::white);
    for (int y = 0; y < code->width; ++y)
    {
        for (int x = 0; x < code->width; ++x)
        {
            if (code->data[y * code->width + x] & 1)
                modules.setPixel(x + kQuietZoneModules, y + kQuietZoneModules, qRgb(0, 0, 0));
        }
    }
    return modules.scaled(side * moduleSize, side * moduleSize, Qt::IgnoreAspectRatio,
                          Qt::FastTransformation);
}

QString QrCodeDataUrl(const QString& text)
{
    const QImage image = QrCodeImage(text);
    if (image.isNull())
        return {};
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return QStringLiteral("data:image/png;base64,") + QString::fromLatin1(png.toBase64());
}
