#pragma once
// Has the effects fake answer the print dialog with a printer that writes a
// PDF file, and reads the printed text back with pdftotext.

#include "FakeEffects.h"

#include <QPrinter>
#include <QProcess>
#include <QString>

class PrintToPdf
{
public:
    PrintToPdf(FakeEffects& effects, const QString& pdfPath) : m_effects(effects), m_path(pdfPath)
    {
        m_effects.choosePrinter = [this](QPrinter& printer) {
            ++m_prints;
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(m_path);
            return true;
        };
    }
    ~PrintToPdf() { m_effects.choosePrinter = {}; }

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
    FakeEffects& m_effects;
    QString m_path;
    int m_prints = 0;
};
