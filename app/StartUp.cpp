#include "StartUp.h"

#include "CWizardEffects.h"
#include "HttpTransport.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QThread>

#include <cstdio>

QString FindDataFolder(const QString& executableFolder)
{
    const QString besideExecutable = QDir(executableFolder).filePath("data");
    if (QFileInfo(besideExecutable).isDir())
        return besideExecutable;
    return TARNIX_INSTALLED_DATA_DIR;
}

bool EnterDataFolder(const QString& executableFolder)
{
    const QString folder = FindDataFolder(executableFolder);
    if (QDir::setCurrent(folder))
        return true;
    std::fprintf(stderr, "TarnixConnect: data folder %s is missing\n", qPrintable(folder));
    return false;
}

void InstallRouterErrorMessages()
{
    SetRouterErrorNotifier([](const std::string& text, const std::string& caption) {
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
