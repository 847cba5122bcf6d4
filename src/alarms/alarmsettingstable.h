#pragma once

// The alarm settings table as the alarm page and its dialogs work on it: rows in key
// order with a current row (the grid's selected line), append, edit and delete of
// the current row, and the events after a row is stored, before one is deleted and
// when storing fails. Window thread only.

#include "alarmpoints.h"
#include "tableresult.h"

#include <QSqlDatabase>

#include <functional>
#include <memory>

class QAbstractItemModel;
class QSqlError;
class AlarmSettingsModel;

class AlarmSettingsTable {
public:
    struct Events {
        std::function<void(const AlarmPointRow &stored)> afterPost;
        std::function<void(const AlarmPointRow &doomed)> beforeDelete;
        std::function<void(const AlarmPointEntry &refused, const TableResult &error)> postError;
        // An edit gave the row another slot: the slot it left has no row any more.
        std::function<void(const AlarmPointRow &left)> keyLeft;
    };

    explicit AlarmSettingsTable(const QSqlDatabase &db);
    ~AlarmSettingsTable();

    void setEvents(Events events) { events_ = std::move(events); }

    // Reads the rows again; the current row stays on its slot where it still exists.
    TableResult refresh();
    // Panel, ControllerNO, HAlarm, LAlarm, FirstAlarm with their column titles.
    QAbstractItemModel *model() const;

    int rowCount() const;
    AlarmPointRow row(int index) const;
    void first() { current_ = 0; }
    void next();
    // Past the last row, or no rows at all.
    bool eof() const { return current_ >= rowCount(); }
    int currentIndex() const { return current_; }
    void setCurrentIndex(int index);
    AlarmPointRow current() const { return row(current_); }

    // A new row. On success it becomes the current row and afterPost runs; a refused
    // row is not stored, postError runs and the result carries the engine's error.
    TableResult append(const AlarmPointEntry &entry);
    // Replaces the fields of the current row. A refused change keeps the stored row.
    TableResult editCurrent(const AlarmPointEntry &entry);
    // beforeDelete, then the row goes; the next row becomes current.
    TableResult deleteCurrent();

    static bool isKeyViolation(const QSqlError &error);

private:
    TableResult store(const QString &statement, const AlarmPointEntry &entry, const AlarmPointRow *old);
    void moveTo(const QString &panel, const QString &slot);

    QSqlDatabase db_;
    std::unique_ptr<AlarmSettingsModel> model_;
    Events events_;
    int current_ = 0;
};

// Stores one row per key, in order, with the same limits, until one is refused: the
// rows before it stay, the rest are not attempted. The refused row's result.
TableResult addAlarmPoints(AlarmSettingsTable &table, const std::vector<AlarmPointKey> &keys, double high,
                           double low, const QString &firstAlarm);
