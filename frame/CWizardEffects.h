#pragma once
// Every effect a page has outside itself: running another page modally,
// message boxes, the save dialog, handing a document or URL to the desktop,
// choosing a printer, ending the program.
// Pages reach them only through WizardEffects(), so tests install a subclass
// that records what was asked for instead of doing it.

#include "PageId.h"

#include <QMessageBox>
#include <QString>

class QPrinter;
class QWidget;

// Results of OpenDocument.
inline constexpr int kDocumentOpened = 0;
inline constexpr int kDocumentNotFound = 2;        // the file does not exist
inline constexpr int kDocumentNoApplication = 31;  // nothing opens this type

class CWizardEffects
{
public:
    virtual ~CWizardEffects() = default;

    // Builds the page registered for id, runs it modally above owner until it
    // ends and destroys it. Returns the page's result code, or -1 when no page
    // is registered for id (then nothing is shown; one line per id goes to
    // stderr).
    virtual int OpenPageModally(PageId id, QWidget* owner);

    // A message box window-modal to parent's window (without a parent, to
    // the window of the page on top); returns the button pressed.
    virtual QMessageBox::StandardButton
    ShowMessage(QWidget* parent, const QString& text, const QString& caption,
                QMessageBox::Icon icon = QMessageBox::NoIcon,
                QMessageBox::StandardButtons buttons = QMessageBox::Ok);

    // A warning with two buttons captioned goText and stayText; true when
    // goText was pressed (Escape or the close box count as stayText).
    virtual bool AskChoice(QWidget* parent, const QString& text, const QString& caption,
                           const QString& goText, const QString& stayText);

    // Opens a local path or an http(s) URL with the desktop's default
    // application. kDocumentNotFound when a local path does not exist,
    // kDocumentNoApplication when no application takes it, else
    // kDocumentOpened.
    virtual int OpenDocument(const QString& pathOrUrl);

    // Lets the user set up the printer in a print dialog above parent; false
    // when the print is cancelled or the print module cannot be loaded.
    virtual bool ChoosePrinter(QPrinter& printer, QWidget* parent);

    // The desktop's save dialog, starting at suggestedPath (folder and file
    // name). Returns the chosen path, or an empty text when cancelled.
    virtual QString AskSaveFileName(QWidget* parent, const QString& caption,
                                    const QString& suggestedPath);

    // Ends the process at once with status, whatever pages are open. Test
    // replacements return; callers therefore return right after the call.
    virtual void EndProgram(int status);
};

// The session's effects; the real ones until a test installs others.
CWizardEffects& WizardEffects();
// Installs effects (not owned); nullptr restores the real ones.
void SetWizardEffects(CWizardEffects* effects);

// Makes the router link report its error phrases (from any thread) as
// message boxes through WizardEffects(), on the user-interface thread. Once
// at start-up; tests that want the phrases install it the same way.
void InstallRouterErrorMessages();

// The caption of plain message boxes: the executable's name without extension.
QString ProgramName();
