// Renders an HTML file (with the images beside it) to an A4 PDF.
// Usage: manual-to-pdf SOURCE.html OUTPUT.pdf

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QPageLayout>
#include <QPrinter>
#include <QTextDocument>
#include <QUrl>

#include <cstdio>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    if (argc != 3)
    {
        std::fputs("usage: manual-to-pdf SOURCE.html OUTPUT.pdf\n", stderr);
        return 2;
    }
    QFile source(QString::fromLocal8Bit(argv[1]));
    if (!source.open(QIODevice::ReadOnly))
    {
        std::fprintf(stderr, "cannot read %s\n", argv[1]);
        return 1;
    }
    QTextDocument document;
    document.setDefaultFont(QFont("Liberation Sans", 10));
    // Images are named relative to the source file.
    document.setBaseUrl(QUrl::fromLocalFile(QFileInfo(source).absolutePath() + '/'));
    document.setHtml(QString::fromUtf8(source.readAll()));

    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QString::fromLocal8Bit(argv[2]));
    printer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                      QMarginsF(18, 18, 18, 18), QPageLayout::Millimeter));
    printer.setDocName("KRX-5100A Technical Manual");
    printer.setCreator("Tarnix");
    document.print(&printer);
    return 0;
}
