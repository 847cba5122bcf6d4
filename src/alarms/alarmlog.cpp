#include "alarmlog.h"

#include "alarmtables.h"
#include "alarmtext.h"
#include "clock.h"
#include "localeformats.h"

#include <QStringListModel>

AlarmLog::AlarmLog(AlarmTables &tables, AlarmPointSink points, const Clock &clock, const LocaleFormats &locale,
                   std::function<void()> sound, QObject *parent)
    : QObject(parent), tables_(tables), points_(std::move(points)), clock_(clock), locale_(locale),
      sound_(std::move(sound)), lines_(new QStringListModel(this))
{
}

AlarmLog::~AlarmLog() = default;

QString AlarmLog::openTables()
{
    const QString problem = tables_.open();
    AlarmSettingsTable *table = tables_.TableAlm();
    if (!table)
        return problem;
    const auto forget = [this](const AlarmPointRow &row) { points_.clear(row.panel(), row.slot()); };
    table->setEvents({[this](const AlarmPointRow &row) {
                          points_.set(row.panel(), row.slot(), row.limits());
                          emit pointStored(row);
                      },
                      forget,
                      [this](const AlarmPointEntry &entry, const TableResult &result) {
                          emit pointRefused(entry, result);
                      },
                      forget});
    for (table->first(); !table->eof(); table->next()) {
        const AlarmPointRow row = table->current();
        points_.set(row.panel(), row.slot(), row.limits());
    }
    table->first();
    return problem;
}

void AlarmLog::resetCounts()
{
    if (AlarmCountQuery *query = tables_.QryAlmCount())
        noteCountResult(resetAlarmCounts(*query));
}

void AlarmLog::announce(const AlarmAnnouncement &announcement)
{
    if (sound_)
        sound_();
    AnnouncedAlarm alarm;
    // The engine took the time of day; the date is the clock's, the day before when
    // that time is still ahead of the clock (an alarm of 23:59:59 handled after midnight).
    const QDateTime now = clock_.now();
    alarm.time = QDateTime(now.date(), announcement.time);
    if (alarm.time > now.addSecs(60))
        alarm.time = alarm.time.addDays(-1);
    alarm.panel = announcement.panel;
    alarm.slot = announcement.slot;
    alarm.side = announcement.side;
    alarm.number = announcement.number;
    alarm.message = alarmMessage(announcement.side, announcement.panel, announcement.slot,
                                 locale_.longTime(announcement.time));
    alarm.line = alarmListLine(announcement.side, alarm.message);

    const int row = lines_->rowCount();
    lines_->insertRows(row, 1);
    lines_->setData(lines_->index(row), alarm.line);
    emit linesChanged(lineTexts());
    emit announced(alarm);

    if (AlarmCountQuery *query = tables_.QryAlmCount()) {
        noteCountResult(writeAlarmCount(*query, announcement.number, announcement.panel, announcement.slot));
        noteCountResult(showAlarmFrequency(*query));
    }
}

QAbstractItemModel *AlarmLog::lines() const { return lines_; }

QStringList AlarmLog::lineTexts() const { return lines_->stringList(); }

void AlarmLog::removeLine(int row)
{
    if (row < 0 || row >= lines_->rowCount())
        return;
    lines_->removeRows(row, 1);
    emit linesChanged(lineTexts());
}

void AlarmLog::clearLines()
{
    if (lines_->rowCount() == 0)
        return;
    lines_->setStringList({});
    emit linesChanged({});
}

TableResult AlarmLog::deletePoint()
{
    AlarmSettingsTable *table = tables_.TableAlm();
    if (!table || table->eof())
        return {};
    const AlarmPointRow row = table->current();
    const TableResult deleted = table->deleteCurrent();
    if (!deleted)
        keepWatching(row);
    return deleted;
}

TableResult AlarmLog::deleteAllPoints()
{
    AlarmSettingsTable *table = tables_.TableAlm();
    if (!table)
        return {};
    // A refused delete ends the loop; the row would otherwise be tried forever.
    for (table->first(); !table->eof();) {
        const AlarmPointRow row = table->current();
        if (const TableResult deleted = table->deleteCurrent(); !deleted) {
            keepWatching(row);
            return deleted;
        }
    }
    return {};
}

void AlarmLog::keepWatching(const AlarmPointRow &row)
{
    // The row was let go of before the table refused to delete it.
    points_.set(row.panel(), row.slot(), row.limits());
}

QAbstractItemModel *AlarmLog::frequency() const
{
    AlarmCountQuery *query = tables_.QryAlmCount();
    return query ? query->model() : nullptr;
}

void AlarmLog::noteCountResult(const TableResult &result)
{
    if (result)
        return;
    countFailure_ = result.error;
    emit countFailed(result.error);
}
