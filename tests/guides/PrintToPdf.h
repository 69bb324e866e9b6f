#pragma once
// Replaces the print dialog with a printer that writes a PDF file, and reads the
// printed text back with pdftotext.

#include "SimpleBrowser.h"

#include <QPrinter>
#include <QProcess>
#include <QString>

class PrintToPdf
{
public:
    explicit PrintToPdf(const QString& pdfPath) : m_path(pdfPath)
    {
        SimpleBrowser::SetPrinterChooser([this](QPrinter& printer, QWidget*) {
            ++m_prints;
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(m_path);
            return true;
        });
    }
    ~PrintToPdf() { SimpleBrowser::SetPrinterChooser({}); }

    int Prints() const { return m_prints; }

    // The text of the printed pages, "" when there is no PDF; pages are split by form feeds.
    QString Text() const
    {
        QProcess pdftotext;
        pdftotext.start("pdftotext", {"-layout", m_path, "-"});
        if (!pdftotext.waitForFinished(30000) || pdftotext.exitCode() != 0)
            return {};
        return QString::fromUtf8(pdftotext.readAllStandardOutput());
    }

private:
    QString m_path;
    int m_prints = 0;
};
