#pragma once

// What the recording dialog confirmed last: whether recording is wanted, how often
// a line is written, how files are cut and named, and where they go.

#include <QDir>
#include <QString>

struct RecordSettings {
    bool Save = false;
    int SampleTime = 10;
    int SampleUnit = 0; // 0 seconds, otherwise minutes
    int SaveUnit = 0;   // 0 one file per hour, otherwise per day
    int FileType = 0;   // 0 ".txt", otherwise ".xls"
    QString FilePath = defaultFolder();

    // "C:\Temperature Data" on Windows; the user's home elsewhere, so that no folder
    // named "C:\..." is ever created in the working directory.
    static QString defaultFolder()
    {
#ifdef Q_OS_WIN
        return QStringLiteral("C:\\Temperature Data");
#else
        return QDir::home().filePath(QStringLiteral("Temperature Data"));
#endif
    }

    // What the recording dialog's folder field holds before anything is loaded into
    // it: "E:\Temperature Data" on Windows, defaultFolder() elsewhere.
    static QString designFolder()
    {
#ifdef Q_OS_WIN
        return QStringLiteral("E:\\Temperature Data");
#else
        return defaultFolder();
#endif
    }
};
