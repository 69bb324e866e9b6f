#include "StartUp.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>

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
