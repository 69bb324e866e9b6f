#include "DoubleSizePicture.h"

#include <QFileInfo>

QString DoubleSizePath(const QString& path)
{
    if (path.isEmpty())
        return {};
    const QFileInfo info(path);
    const QString extension = info.suffix().compare("gif", Qt::CaseInsensitive) == 0 ? "gif"
                                                                                     : "png";
    const QString doubled = info.path() + "/" + info.completeBaseName() + "@2x." + extension;
    return QFileInfo::exists(doubled) ? doubled : QString();
}
