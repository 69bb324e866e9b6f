#include "CWizardEffects.h"

#include "HttpTransport.h"
#include "PageRegistry.h"
#include "WizardSession.h"

#include <QApplication>
#include <QDesktopServices>
#include <QFileInfo>
#include <QMimeDatabase>
#include <QProcess>
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
