#pragma once

// One record tick: a line per panel into the panel's file of the hour or day, each
// file opened exclusively, appended to and closed within the tick. A line whose file
// cannot be written now (another program holds it, its folder is missing for a while,
// the disk is full) is held in memory and goes in, in order and before the newer
// lines, at the next tick that can write it: into the file of its own hour or day in
// the record folder chosen at that tick, so that held lines follow the operator to a
// new folder instead of waiting for one that was left. At most `heldLimit` lines are
// held per panel; beyond that the oldest are dropped and counted.

#include "recordfile.h"
#include "recordformat.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>

#include <array>
#include <vector>

class LocaleFormats;

struct RecordTick {
    QDateTime at;       // taken once: the line's time and the file's date and hour
    QString folderText; // the record folder as the dialog's field holds it now
    int saveUnit = 0;
    int fileType = 0;
    std::array<ReadingsSnapshot, kPanelCount + 1> readings{}; // index 0 unused
    int heldLimit = 24 * 60 * 60; // lines held per panel at most: a day at one a second
};

class RecordWriter {
public:
    explicit RecordWriter(const LocaleFormats &locale);

    void write(const RecordTick &tick);
    // Tries the held lines once more into `folderText` without adding one (at shutdown).
    void writeHeld(const QString &folderText);

    int heldLines(int panel) const;
    // Lines dropped since the program started, because too many were held.
    long long droppedLines(int panel) const;

private:
    // The lines of one file, named by their own tick; the folder is the tick's that writes them.
    struct HeldFile {
        QString name;
        int fileType = 0;
        RecordLines lines;
    };
    struct PanelHold {
        std::vector<HeldFile> files; // in the order their first line was held
        int lineCount = 0;
        long long dropped = 0;
    };

    void hold(int panel, const QString &name, int fileType, QByteArray line, int limit);
    void writeHeldFiles(int panel, const QString &recordFolder);

    const LocaleFormats &locale_;
    std::array<PanelHold, kPanelCount + 1> panels_;
};
