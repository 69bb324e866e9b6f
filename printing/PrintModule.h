#pragma once
// Printing and the QR code live in a module of their own, libtarnix-print.so:
// they are the only users of Qt's print support and of libqrencode, and the
// program loads the module the first time it prints or draws a QR code, so
// that starting the wizard loads neither library. This is what the module
// offers; PrintModuleLoader.h finds and loads it.

#include <QImage>
#include <QString>

#include <functional>

class QPrinter;
class QTextDocument;
class QWidget;

struct PrintCalls
{
    // Sets up a printer through choose (false: the print is cancelled), then
    // lays the document out on its pages; a non-empty header or footer is
    // drawn as one line above or below every page.
    void (*PrintDocument)(const QTextDocument& document, const QString& header,
                          const QString& footer, const std::function<bool(QPrinter&)>& choose);
    // The print dialog for printer above parent; false when it is cancelled.
    bool (*ChooseInDialog)(QPrinter& printer, QWidget* parent);
    // The QR code of text as a black-on-white picture with its quiet zone,
    // moduleSize pixels a module; a null image when the text is too long.
    QImage (*QrCodeImage)(const QString& text, int moduleSize);
};

// The module's one entry point.
inline constexpr char kPrintCallsSymbol[] = "tarnix_print_calls";
extern "C" const PrintCalls* tarnix_print_calls();
