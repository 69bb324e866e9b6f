#include "WifiQrCode.h"

#include "PrintModuleLoader.h"

#include <QBuffer>
#include <QByteArray>

namespace {

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
    // Without the print module the guides go without the code; the key is in
    // their text too.
    const PrintCalls* print = PrintModule();
    return print ? print->QrCodeImage(text, moduleSize) : QImage();
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
