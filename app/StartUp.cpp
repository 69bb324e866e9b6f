#include "StartUp.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>

#include <cstdio>

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
    std::fprintf(stderr, "TarnixConnect: data folder %s is missing\n", qPrintable(folder));
    return false;
}
