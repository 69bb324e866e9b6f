#pragma once
// Effects that record what the pages asked for instead of doing it. Pages
// asked to open are recorded; with openRealPages they are also built from the
// registry and run, so chains of real and fake pages can be walked. Install
// them with a WizardTestScope.

#include "CWizardEffects.h"
#include "CWizardPage.h"
#include "PageRegistry.h"

#include <QApplication>
#include <QThread>

#include <deque>
#include <functional>
#include <vector>

struct ShownMessage
{
    QString text;
    QString caption;
    QMessageBox::Icon icon;
    bool onUiThread;
};

class FakeEffects : public CWizardEffects
{
public:
    int OpenPageModally(PageId id, QWidget* owner) override
    {
        openedPages.push_back(id);
        return openRealPages ? CWizardEffects::OpenPageModally(id, owner) : -1;
    }

    QMessageBox::StandardButton ShowMessage(QWidget*, const QString& text, const QString& caption,
                                            QMessageBox::Icon icon,
                                            QMessageBox::StandardButtons) override
    {
        messages.push_back({text, caption, icon, QThread::currentThread() == qApp->thread()});
        if (answers.empty())
            return QMessageBox::Ok;
        const QMessageBox::StandardButton answer = answers.front();
        answers.pop_front();
        return answer;
    }

    bool AskChoice(QWidget*, const QString& text, const QString& caption, const QString& goText,
                   const QString&) override
    {
        choices.push_back({text, caption, goText});
        if (choiceAnswers.empty())
            return true;
        const bool answer = choiceAnswers.front();
        choiceAnswers.pop_front();
        return answer;
    }

    int OpenDocument(const QString& pathOrUrl) override
    {
        documents.push_back(pathOrUrl);
        return documentResult;
    }

    bool ChoosePrinter(QPrinter& printer, QWidget*) override
    {
        ++printerChoices;
        return choosePrinter && choosePrinter(printer);
    }

    QString AskSaveFileName(QWidget*, const QString&, const QString& suggestedPath) override
    {
        savePathsSuggested.push_back(suggestedPath);
        return saveAnswer;
    }

    void EndProgram(int status) override { endStatuses.push_back(status); }

    bool openRealPages = false;
    std::vector<PageId> openedPages;
    std::vector<ShownMessage> messages;
    std::deque<QMessageBox::StandardButton> answers;
    std::vector<QStringList> choices;  // text, caption, the going button's text
    std::deque<bool> choiceAnswers;    // empty: the going button
    std::vector<QString> documents;
    int documentResult = kDocumentOpened;
    std::vector<QString> savePathsSuggested;
    QString saveAnswer;  // empty: the save dialog was cancelled
    std::vector<int> endStatuses;
    // Sets up the printer as the user would; unset, the print is cancelled.
    std::function<bool(QPrinter& printer)> choosePrinter;
    int printerChoices = 0;
};

// A stand-in for a page not built here: the frame, and NEXT opening next.
class FakePage : public CWizardPage
{
public:
    FakePage(PageId id, PageId next, QWidget* owner)
        : CWizardPage(PageFrame{.Id = id, .Heading = PageIdName(id)}, owner), m_next(next)
    {
    }

protected:
    void OnNext() override { OpenPage(m_next); }

private:
    PageId m_next;
};

inline void RegisterFakePage(PageId id, PageId next)
{
    RegisterPage(
        id, [id, next](QWidget* owner) { return std::make_unique<FakePage>(id, next, owner); });
}

// Top-level windows still shown.
inline QWidgetList VisibleTopLevels()
{
    QWidgetList shown;
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (widget->isVisible())
            shown << widget;
    return shown;
}
