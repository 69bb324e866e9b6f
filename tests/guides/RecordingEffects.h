#pragma once
// Effects that record what a page asked for instead of doing it.

#include "CWizardEffects.h"

#include <QList>
#include <QStringList>
#include <QString>

class RecordingEffects : public CWizardEffects
{
public:
    struct Message {
        QString Text;
        QMessageBox::Icon Icon;
    };

    RecordingEffects() { SetWizardEffects(this); }
    ~RecordingEffects() override { SetWizardEffects(nullptr); }

    int OpenPageModally(PageId id, QWidget*) override
    {
        OpenedPages << id;
        return -1;
    }
    QMessageBox::StandardButton ShowMessage(QWidget*, const QString& text, const QString&,
                                            QMessageBox::Icon icon, QMessageBox::StandardButtons) override
    {
        Messages << Message{text, icon};
        return Answer;
    }
    int OpenDocument(const QString&) override { return kDocumentOpened; }
    QString AskSaveFileName(QWidget*, const QString&, const QString& suggestedPath) override
    {
        SaveSuggestions << suggestedPath;
        return SaveAnswer;
    }
    void EndProgram(int status) override { EndStatuses << status; }

    QMessageBox::StandardButton Answer = QMessageBox::Ok;
    QList<PageId> OpenedPages;
    QList<Message> Messages;
    QList<int> EndStatuses;
    QStringList SaveSuggestions;
    QString SaveAnswer;  // empty: the save dialog was cancelled
};
