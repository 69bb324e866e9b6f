// The print module: everything that needs Qt's print support or libqrencode.

#include "PrintModule.h"

#include <QFontMetricsF>
#include <QGuiApplication>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QScreen>
#include <QTextDocument>

#include <memory>
#include <qrencode.h>

namespace {

const QMarginsF kPrintMargins{15, 15, 15, 15};
constexpr int kQuietZoneModules = 4;

// The resolution the document is laid out in when no device is set.
qreal LayoutDpi()
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->logicalDotsPerInchY() : 96.0;
}

void PrintPages(const QTextDocument& document, QPrinter& printer, const QString& header,
                const QString& footer)
{
    QPainter painter(&printer);
    if (!painter.isActive())
        return;
    const std::unique_ptr<QTextDocument> pages(document.clone());
    const qreal scale = printer.resolution() / LayoutDpi();
    const qreal width = printer.width() / scale;
    const qreal lineHeight = QFontMetricsF(pages->defaultFont()).height() * 1.5;
    const qreal top = header.isEmpty() ? 0 : lineHeight;
    const qreal bottom = footer.isEmpty() ? 0 : lineHeight;
    const qreal bodyHeight = printer.height() / scale - top - bottom;
    pages->setPageSize(QSizeF(width, bodyHeight));

    // Header and footer in printer units, so their font keeps its point size.
    painter.setFont(pages->defaultFont());
    const QRectF headerRect(0, 0, printer.width(), top * scale);
    const QRectF footerRect(0, (top + bodyHeight) * scale, printer.width(), bottom * scale);
    for (int page = 0; page < pages->pageCount(); ++page)
    {
        if (page > 0)
            printer.newPage();
        painter.drawText(headerRect, Qt::AlignCenter, header);
        painter.drawText(footerRect, Qt::AlignCenter, footer);
        painter.save();
        painter.scale(scale, scale);
        painter.translate(0, top - page * bodyHeight);
        pages->drawContents(&painter, QRectF(0, page * bodyHeight, width, bodyHeight));
        painter.restore();
    }
}

void PrintDocument(const QTextDocument& document, const QString& header, const QString& footer,
                   const std::function<bool(QPrinter&)>& choose)
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageMargins(kPrintMargins, QPageLayout::Millimeter);
    if (choose(printer))
        PrintPages(document, printer, header, footer);
}

bool ChooseInDialog(QPrinter& printer, QWidget* parent)
{
    QPrintDialog dialog(&printer, parent);
    return dialog.exec() == QDialog::Accepted;
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

}  // namespace

extern "C" Q_DECL_EXPORT const PrintCalls* tarnix_print_calls()
{
    static const PrintCalls calls{PrintDocument, ChooseInDialog, QrCodeImage};
    return &calls;
}
