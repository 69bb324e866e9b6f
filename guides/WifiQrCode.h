#pragma once
// The standard Wi-Fi QR code: a phone camera that reads it offers to join the
// network without anyone typing the key.

#include <QImage>
#include <QString>

// "WIFI:T:WPA;S:<name>;P:<key>;;", or "WIFI:T:nopass;S:<name>;;" for an open network.
QString WifiQrText(const QString& networkName, const QString& key, bool secured);

// The code as a black-on-white picture with its quiet zone; a null image when the
// text is too long for a QR code.
QImage QrCodeImage(const QString& text, int moduleSize = 6);

// The picture as a "data:image/png;base64,..." address a guide can show; empty
// when there is no picture.
QString QrCodeDataUrl(const QString& text);
