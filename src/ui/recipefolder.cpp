#include "recipefolder.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

QString ensureRecipeFolder(const QString &programFolder)
{
    const QString name = QStringLiteral("Recipe");
    QStringList candidates;
    const QString beside = QDir(programFolder).filePath(name);
    if (QFileInfo(beside).isDir())
        return beside;
    if (QFileInfo(programFolder).isWritable())
        candidates << beside;
    const QString data = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    if (!data.isEmpty())
        candidates << QDir(data).filePath(name);
    for (const QString &path : candidates) {
        if (QDir().mkpath(path))
            return path;
    }
    return QString();
}
