#include "StartUp.h"

#include "TextRules.h"

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
    SayOnStandardError("TarnixConnect: data folder " + folder + " is missing");
    return false;
}

void SayOnStandardError(const QString& text)
{
    for (const QString& line : text.split('\n'))
        std::fprintf(stderr, "%s\n", ControlsReplaced(line.toStdString()).c_str());
}
