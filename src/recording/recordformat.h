#pragma once

// What a record file is called and what it holds, as pure functions: the folder and
// file names of a tick, the header line and one record line. Names are plain texts
// (the file system's own encoding is applied when a file is opened); file content is
// code page 950 bytes.

#include "panels.h"
#include "readingssnapshot.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>

#include <array>

class LocaleFormats;

// The settings' item indexes: SaveUnit 0 is one file per hour, anything else (also -1
// for a typed text) one per day; FileType 0 is ".txt", anything else ".xls".
inline bool hourlyFiles(int saveUnit) { return saveUnit == 0; }
inline bool xlsFiles(int fileType) { return fileType != 0; }

// The record folder a folder text names: empty when the text is blank (nothing is
// recorded then). Off Windows a leading "~" stands for the user's home.
QString recordFolderPath(const QString &folderText);

// "盤面1" .. "盤面3".
QString panelFolderName(int panel);

// The short date with every "/" turned into "_", other separators kept: 2018_6_14.
QString recordDatePart(const LocaleFormats &locale, const QDate &date);

// Hourly: 2018_6_14_下午2時.txt (the day-half word and the hour on the 12-hour clock
// without a leading zero, 0 being 12). Daily: 2018_6_14.xls.
QString recordFileName(const LocaleFormats &locale, const QDateTime &at, int saveUnit, int fileType);

// "時間", two tabs (".txt") or one (".xls"), then PV1 tab SV1 tab ... SV10 tab, CR LF.
QByteArray recordHeader(int fileType);

// The long time, a tab, then PV and SV of slots 1 to 10 ("無連接" for an empty text),
// each followed by a tab, then CR LF. The texts are the panel's readings snapshot's,
// as the engine formatted them.
QByteArray recordLine(const QString &timeText, const ReadingsSnapshot &readings);

// The record timer's interval: seconds for SampleUnit 0, minutes otherwise. 0 (a timer
// that never ticks) for a sample time below 1 or an interval beyond the timer's range.
int recordIntervalMs(int sampleTime, int sampleUnit);

// How many records a day holds at `intervalMs` (at least 1): the most kept in memory
// per panel while its files cannot be written.
int recordsPerDay(int intervalMs);
