#pragma once

// The count query on DbAlmCount: a statement of several lines with named parameters
// set as text, run without a result or opened with one for the frequency grid; and
// the three statements the program runs on it. Window thread only.

#include "tableresult.h"

#include <QList>
#include <QPair>
#include <QSqlDatabase>
#include <QStringList>

#include <memory>

class QAbstractItemModel;
class QSqlQuery;
class QSqlQueryModel;

class AlarmCountQuery {
public:
    explicit AlarmCountQuery(const QSqlDatabase &db);
    ~AlarmCountQuery();

    // Drops the result; the grid bound to it is empty until the next open.
    void Close();
    void clearSql();
    void addSql(const QString &line);
    QString sqlText() const { return lines_.join(QLatin1Char('\n')); }
    // Sets a parameter (its name without the colon) as text.
    void setParamText(const QString &name, const QString &value);

    TableResult ExecSQL();
    TableResult Open();
    bool isOpen() const { return open_; }
    // AlarmCount, Panel and ControllerNO of the open result, with their titles.
    QAbstractItemModel *model() const;

private:
    // Prepares the statement, binds the parameters by name and runs it.
    bool run(QSqlQuery &query) const;

    QSqlDatabase db_;
    std::unique_ptr<QSqlQueryModel> model_;
    QStringList lines_;
    QList<QPair<QString, QString>> params_;
    bool open_ = false;
};

// Every count back to "00" (start-up).
TableResult resetAlarmCounts(AlarmCountQuery &query);
// The count of panel p, slot s becomes pad(n).
TableResult writeAlarmCount(AlarmCountQuery &query, int n, int panel, int slot);
// Opens the query on every slot with a count other than "00".
TableResult showAlarmFrequency(AlarmCountQuery &query);
