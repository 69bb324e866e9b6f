#include "StartUp.h"

#include "CWizardEffects.h"
#include "CurlLibrary.h"
#include "RunInBackground.h"
#include "TextRules.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QFontDatabase>
#include <QTimer>
#include <QWidget>

#include <cstdio>
#include <fontconfig/fontconfig.h>
#include <functional>

namespace {

constexpr char kHttpLibraryMissing[] =
    "The wizard cannot reach your router, because a part of the computer's software that it "
    "needs is missing:\n\n%1\n\nPlease install the package libcurl4 (in a terminal: sudo apt "
    "install libcurl4), then start the wizard again.";

// Watches one widget until its first paint, hands over, and goes.
class FirstPaintHook : public QObject
{
public:
    FirstPaintHook(QWidget* widget, std::function<void()> then)
        : QObject(widget), m_then(std::move(then))
    {
        widget->installEventFilter(this);
    }

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && m_then)
        {
            watched->removeEventFilter(this);
            // Queued, so that the paint and its children's end first.
            QTimer::singleShot(0, watched, std::move(m_then));
            m_then = nullptr;
            deleteLater();
        }
        return false;
    }

private:
    std::function<void()> m_then;
};

}  // namespace

QString FindDataFolder(const QString& executableFolder)
{
    const QDir programs(executableFolder);
    const QString besideExecutable = programs.filePath("data");
    if (QFileInfo(besideExecutable).isDir())
        return besideExecutable;
    return QDir::cleanPath(programs.filePath(TARNIX_DATA_FROM_BINDIR));
}

bool EnterDataFolder(const QString& executableFolder)
{
    const QString folder = FindDataFolder(executableFolder);
    if (QDir::setCurrent(folder))
        return true;
    SayOnStandardError("TarnixConnect: data folder " + folder + " is missing");
    return false;
}

void SayOnStandardError(const QString& text)
{
    for (const QString& line : text.split('\n'))
        std::fprintf(stderr, "%s\n", ControlsReplaced(line.toStdString()).c_str());
}

// Each runs where it is waited for when no thread can be had.
std::shared_future<void> ReadFontConfigurationAhead()
{
    return std::async(std::launch::async | std::launch::deferred, [] { FcInit(); });
}

std::future<void> FillFontDatabaseAhead(std::shared_future<void> configuration)
{
    return std::async(std::launch::async | std::launch::deferred, [configuration] {
        configuration.wait();
        QFontDatabase::families();
    });
}

void LoadHttpLibraryAfterFirstPaint(QWidget* page)
{
    new FirstPaintHook(page, [page] {
        RunInBackground(
            page, [] { return CurlProblem(); },
            [page](const std::string& problem) {
                if (!problem.empty())
                    WizardEffects().ShowMessage(
                        page, QString(kHttpLibraryMissing).arg(QString::fromStdString(problem)),
                        ProgramName(), QMessageBox::Warning);
            });
    });
}
