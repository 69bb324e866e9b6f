#include "UnfinishedSetup.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace {

// Qt has no state location before 6.7: XDG_STATE_HOME or ~/.local/state,
// and under the tests' test mode a folder of their own.
QString MarkPath()
{
    QString stateHome = qEnvironmentVariable("XDG_STATE_HOME");
    if (QStandardPaths::isTestModeEnabled())
        stateHome = QDir::home().filePath(".qttest/state");
    else if (!QDir::isAbsolutePath(stateHome))
        stateHome = QDir::home().filePath(".local/state");
    return QDir(stateHome).filePath("tarnix-setup/setup-under-way");
}

}  // namespace

void MarkSetupUnderWay()
{
    const QString path = MarkPath();
    QDir().mkpath(QFileInfo(path).path());
    QFile(path).open(QIODevice::WriteOnly);
}

void ClearSetupUnderWay()
{
    QFile::remove(MarkPath());
}

bool TakeUnfinishedSetupMark()
{
    return QFile::remove(MarkPath());
}
