#include "CWizardEffects.h"

#include "CWizardPage.h"
#include "HttpTransport.h"
#include "PageRegistry.h"
#include "WizardSession.h"

#include <QApplication>
#include <QDesktopServices>
#include <QFileDialog>
#include <QFileInfo>
#include <QMimeDatabase>
#include <QPrintDialog>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QThread>
#include <QUrl>

#include <cstdio>
#include <cstdlib>

namespace {

void ReportUnregisteredOnce(PageId id)
{
    if (WizardSession::Current().ReportedMissing.insert(id).second)
        std::fprintf(stderr, "TarnixConnect: page %s is not available in this build\n",
                     PageIdName(id));
}

// Where the desktop can tell, whether some application is set to open this
// MIME type (for web addresses "x-scheme-handler/http"). Without xdg-mime the
// desktop's own answer has to do.
bool HasDefaultApplication(const QString& mimeType)
{
    const QString xdgMime = QStandardPaths::findExecutable("xdg-mime");
    if (xdgMime.isEmpty())
        return true;
    QProcess query;
    query.start(xdgMime, {"query", "default", mimeType});
    if (!query.waitForFinished(5000))
        return true;
    return !query.readAllStandardOutput().trimmed().isEmpty();
}

// Boxes belong to the wizard's window: the one window stays the only one
// the desktop lists, and the box moves with it.
QWidget* BoxOwner(QWidget* parent)
{
    return parent ? parent : CWizardPage::TopPage();
}

void MakeWindowModal(QMessageBox& box)
{
    if (box.parentWidget())
        box.setWindowModality(Qt::WindowModal);
}

}  // namespace

int CWizardEffects::OpenPageModally(PageId id, QWidget* owner)
{
    std::unique_ptr<QDialog> page = CreatePage(id, owner);
    if (!page)
    {
        ReportUnregisteredOnce(id);
        return -1;
    }
    return page->exec();
}

QMessageBox::StandardButton CWizardEffects::ShowMessage(QWidget* parent, const QString& text,
                                                        const QString& caption,
                                                        QMessageBox::Icon icon,
                                                        QMessageBox::StandardButtons buttons)
{
    QMessageBox box(icon, caption, text, buttons, BoxOwner(parent));
    MakeWindowModal(box);
    // Paths and addresses in messages can be copied to open them another way.
    box.setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    return static_cast<QMessageBox::StandardButton>(box.exec());
}

bool CWizardEffects::AskChoice(QWidget* parent, const QString& text, const QString& caption,
                               const QString& goText, const QString& stayText)
{
    QMessageBox box(QMessageBox::Warning, caption, text, QMessageBox::NoButton, BoxOwner(parent));
    MakeWindowModal(box);
    const QAbstractButton* go = box.addButton(goText, QMessageBox::AcceptRole);
    QPushButton* stay = box.addButton(stayText, QMessageBox::RejectRole);
    box.setDefaultButton(stay);
    box.setEscapeButton(stay);
    box.exec();
    return box.clickedButton() == go;
}

int CWizardEffects::OpenDocument(const QString& pathOrUrl)
{
    const QUrl url(pathOrUrl);
    const bool isWebAddress = url.scheme() == "http" || url.scheme() == "https";
    if (!isWebAddress && !QFileInfo::exists(pathOrUrl))
        return kDocumentNotFound;
    // The desktop's opener is started and left running, so it cannot tell
    // afterwards that nothing took the document: ask first. A browser named
    // in $BROWSER is what the opener falls back to for web addresses.
    const bool browserNamed = isWebAddress && qEnvironmentVariableIsSet("BROWSER");
    const QString mimeType = isWebAddress ? "x-scheme-handler/" + url.scheme()
                                          : QMimeDatabase().mimeTypeForFile(pathOrUrl).name();
    if (!browserNamed && !HasDefaultApplication(mimeType))
        return kDocumentNoApplication;
    return QDesktopServices::openUrl(isWebAddress ? url : QUrl::fromLocalFile(pathOrUrl))
               ? kDocumentOpened
               : kDocumentNoApplication;
}

QString CWizardEffects::AskSaveFileName(QWidget* parent, const QString& caption,
                                        const QString& suggestedPath)
{
    return QFileDialog::getSaveFileName(BoxOwner(parent), caption, suggestedPath,
                                        QStringLiteral("Text files (*.txt)"));
}

bool CWizardEffects::ChoosePrinter(QPrinter& printer, QWidget* parent)
{
    QPrintDialog dialog(&printer, parent);
    return dialog.exec() == QDialog::Accepted;
}

void CWizardEffects::EndProgram(int status)
{
    // The pages are nested modal loops; leaving them one by one would run
    // their handlers on. End here, as the user asked.
    std::fflush(nullptr);
    std::quick_exit(status);
}

CWizardEffects& WizardEffects()
{
    static CWizardEffects real;
    CWizardEffects* installed = WizardSession::Current().Effects;
    return installed ? *installed : real;
}

void SetWizardEffects(CWizardEffects* effects)
{
    WizardSession::Current().Effects = effects;
}

void InstallRouterErrorMessages()
{
    WizardSession::Current().Link.SetErrorNotifier([](const std::string& text,
                                                      const std::string& caption) {
        const QString shownText = QString::fromStdString(text);
        const QString shownCaption = QString::fromStdString(caption);
        auto show = [shownText, shownCaption] {
            WizardEffects().ShowMessage(nullptr, shownText, shownCaption, QMessageBox::Critical);
        };
        // A worker thread must not wait for the user: the box is queued to
        // the user-interface thread, in the order the phrases were found.
        const bool onUiThread = QThread::currentThread() == qApp->thread();
        QMetaObject::invokeMethod(qApp, show,
                                  onUiThread ? Qt::DirectConnection : Qt::QueuedConnection);
    });
}

QString ProgramName()
{
    return QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName();
}
