#pragma once

// The file system side of recording: one folder level made at a time, and a record
// file appended to while this program alone holds it.

#include <QByteArray>
#include <QString>

#include <deque>

// Lines waiting for one file, oldest first.
using RecordLines = std::deque<QByteArray>;

enum class AppendOutcome {
    Written, // everything is in the file
    Busy,    // another program holds the file; nothing was written
    Failed,  // the file could not be opened or written (missing folder, disk full); nothing is in it
};

// Makes the folder `path` when its parent exists; a missing parent is not made, and a
// folder that is there already is left as it is.
void makeFolder(const QString &path);

// Opens `path` for reading and writing, creating it, and holds it exclusively without
// waiting (elsewhere than Windows an exclusive flock; on Windows no sharing at all).
// An empty file gets `header` first. Then `lines` go to its end and the file is
// closed. A write that stops part-way is cut back off, so the file holds all of it or
// none of it. The lines are read only once the file is held: a busy file costs its
// caller nothing but the attempt.
AppendOutcome appendExclusive(const QString &path, const QByteArray &header, const RecordLines &lines);
