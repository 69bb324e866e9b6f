#include "CWizardEffects.h"

#include "PageRegistry.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QFileInfo>
#include <QMimeDatabase>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QUrl>

#include <cstdio>
#include <cstdlib>
#include <set>

namespace {

CWizardEffects* g_installed = nullptr;

void ReportUnregisteredOnce(PageId id)
{
    static std::set<PageId> reported;
    if (reported.insert(id).second)
        std::fprintf(stderr, "TarnixConnect: page %s is not available in this build\n",
                     PageIdName(id));
}

// Where the desktop can tell, whether some application is set to open files
// of this type. Without xdg-mime the desktop's own answer has to do.
bool HasDefaultApplication(const QString& path)
{
    const QString xdgMime = QStandardPaths::findExecutable("xdg-mime");
    if (xdgMime.isEmpty())
        return true;
    const QString mimeType = QMimeDatabase().mimeTypeForFile(path).name();
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

QMessageBox::StandardButton CWizardEffects::ShowMessage(QWidget* parent, const QString& text,
                                                        const QString& caption,
                                                        QMessageBox::Icon icon,
                                                        QMessageBox::StandardButtons buttons)
{
    QMessageBox box(icon, caption, text, buttons, parent);
    return static_cast<QMessageBox::StandardButton>(box.exec());
}

bool CWizardEffects::AskChoice(QWidget* parent, const QString& text, const QString& caption,
                               const QString& goText, const QString& stayText)
{
    QMessageBox box(QMessageBox::Warning, caption, text, QMessageBox::NoButton, parent);
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
    if (isWebAddress)
        return QDesktopServices::openUrl(url) ? kDocumentOpened : kDocumentNoApplication;
    if (!QFileInfo::exists(pathOrUrl))
        return kDocumentNotFound;
    if (!HasDefaultApplication(pathOrUrl))
        return kDocumentNoApplication;
    return QDesktopServices::openUrl(QUrl::fromLocalFile(pathOrUrl)) ? kDocumentOpened
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
    return g_installed ? *g_installed : real;
}

void SetWizardEffects(CWizardEffects* effects)
{
    g_installed = effects;
}

QString ProgramName()
{
    return QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName();
}
