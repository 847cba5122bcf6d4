#pragma once

// The alarms of a run, below the windows: each announcement the engine found (the
// sound, the texts, the line in the alarm history, the count table), the history
// lines as a model the alarm page shows and the print-out reads, and the copy of the
// alarm points into the engine that follows every stored and deleted row.
// Window thread only.

#include "alarmpoints.h"
#include "alarmtypes.h"
#include "tableresult.h"

#include <QDateTime>
#include <QObject>
#include <QStringList>

#include <functional>

class AlarmTables;
class Clock;
class LocaleFormats;
class QAbstractItemModel;
class QStringListModel;

// Where the engine keeps its copy of the alarm points.
struct AlarmPointSink {
    std::function<void(int panel, int slot, const AlarmLimits &limits)> set;
    std::function<void(int panel, int slot)> clear;
};

class AlarmLog : public QObject {
    Q_OBJECT
public:
    AlarmLog(AlarmTables &tables, AlarmPointSink points, const Clock &clock, const LocaleFormats &locale,
             std::function<void()> sound, QObject *parent = nullptr);
    ~AlarmLog() override;

    // Start-up, before the engine runs: opens the tables and copies every alarm point
    // into the engine. Empty, or the message for the operator when a table could not
    // be opened.
    QString openTables();
    // Start-up: every count back to "00".
    void resetCounts();

    // Plays the sound, adds the history line, tells `announced` (the alarm window pops
    // up), then writes the count and refreshes the frequency view, in this order.
    void announce(const AlarmAnnouncement &announcement);

    // The history lines, oldest first; one column of text. Changed only through the
    // log, which tells each change by linesChanged.
    QAbstractItemModel *lines() const;
    QStringList lineTexts() const;
    // Rows outside the list are ignored.
    void removeLine(int row);
    void clearLines();

    // Deletes the settings table's current row, or every row; the engine stops
    // watching each deleted slot. A refused delete keeps its slot watched, ends
    // the deleting and is returned.
    TableResult deletePoint();
    TableResult deleteAllPoints();

    // The count table's rows other than "00" as of the last announcement; null
    // without a count table.
    QAbstractItemModel *frequency() const;
    // The words of the last failed count statement; empty while none failed.
    QString countFailure() const { return countFailure_; }

signals:
    void announced(const AnnouncedAlarm &alarm);
    void linesChanged(const QStringList &lines);
    // A count statement failed; it is not retried.
    void countFailed(const QString &error);
    void pointStored(const AlarmPointRow &row);
    void pointRefused(const AlarmPointEntry &entry, const TableResult &result);

private:
    void noteCountResult(const TableResult &result);
    void keepWatching(const AlarmPointRow &row);

    AlarmTables &tables_;
    AlarmPointSink points_;
    const Clock &clock_;
    const LocaleFormats &locale_;
    std::function<void()> sound_;
    QStringListModel *lines_;
    QString countFailure_;
};
