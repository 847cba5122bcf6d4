#include "recipefolder.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace {

// Follows the install rules: programs into bin, their files into share/tempmon.
const QString kFilesFromPrograms = QStringLiteral("../share/tempmon");
const QString kProgramsFromFiles = QStringLiteral("../../bin");

} // namespace

QString programFilesFolder(const QString &executableFolder)
{
    const QString installed = QDir::cleanPath(QDir(executableFolder).filePath(kFilesFromPrograms));
    return QFileInfo(installed).isDir() ? installed : executableFolder;
}

bool isInstalledFilesFolder(const QString &folder)
{
    const QString clean = QDir::cleanPath(QFileInfo(folder).absoluteFilePath());
    const QString programs = QDir::cleanPath(QDir(clean).filePath(kProgramsFromFiles));
    return QFileInfo(programs).isDir()
           && QDir::cleanPath(QDir(programs).filePath(kFilesFromPrograms)) == clean;
}

QString ensureRecipeFolder(const QString &programFolder)
{
    const QString name = QStringLiteral("Recipe");
    QStringList candidates;
    const bool installed = isInstalledFilesFolder(programFolder);
    const QString beside = QDir(programFolder).filePath(name);
    if (!installed && QFileInfo(beside).isDir())
        return beside;
    if (!installed && QFileInfo(programFolder).isWritable())
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
