#pragma once

// The two alarm tables the program works on: the settings table under the alias
// "DbAlarmInfo" and the count query under "DbAlarmCount". Opened once at start-up;
// an alias whose database cannot be opened leaves its table absent, and the program
// monitors on without it.

#include "alarmcountquery.h"
#include "alarmdatabase.h"
#include "alarmsettingstable.h"

#include <functional>
#include <memory>
#include <optional>

class AlarmTables {
public:
    AlarmTables(const QString &infoAddress, const QString &countAddress);
    ~AlarmTables();

    // The addresses of both aliases: what `stored(alias)` holds, else a file in
    // `folder`.
    static std::unique_ptr<AlarmTables> fromAliases(const std::function<std::optional<QString>(const QString &alias)> &stored,
                                   const QString &folder);

    // Opens both databases, creating what a new one lacks. Empty when both are open;
    // else one message for the operator naming each alias that failed. Later calls
    // answer the first call's message.
    QString open();

    // Absent while its database is not open.
    AlarmSettingsTable *TableAlm() const { return table_.get(); }
    AlarmCountQuery *QryAlmCount() const { return query_.get(); }

    const AlarmDatabase &info() const { return *info_; }
    const AlarmDatabase &count() const { return *count_; }

    static QString infoAlias() { return QStringLiteral("DbAlarmInfo"); }
    static QString countAlias() { return QStringLiteral("DbAlarmCount"); }

private:
    // Declared first, destroyed last: the table and the query use their connections.
    std::unique_ptr<AlarmDatabase> info_;
    std::unique_ptr<AlarmDatabase> count_;
    std::unique_ptr<AlarmSettingsTable> table_;
    std::unique_ptr<AlarmCountQuery> query_;
    bool opened_ = false;
    QString openMessage_;
};

// What the operator is told when alarm databases could not be opened: each
// `failures` entry is (alias, address, reason).
struct AlarmDatabaseFailure {
    QString alias;
    QString address;
    QString reason;
};
QString alarmDatabaseMessage(const QList<AlarmDatabaseFailure> &failures);
