#include "alarmtables.h"

#include <QList>

AlarmTables::AlarmTables(const QString &infoAddress, const QString &countAddress)
    : info_(std::make_unique<AlarmDatabase>(infoAlias(), infoAddress, AlarmTableKind::Settings)),
      count_(std::make_unique<AlarmDatabase>(countAlias(), countAddress, AlarmTableKind::Counts))
{
}

AlarmTables::~AlarmTables()
{
    query_.reset();
    table_.reset();
}

std::unique_ptr<AlarmTables> AlarmTables::fromAliases(
    const std::function<std::optional<QString>(const QString &)> &stored, const QString &folder)
{
    return std::make_unique<AlarmTables>(alarmDatabaseAddress(infoAlias(), stored(infoAlias()), folder),
                                         alarmDatabaseAddress(countAlias(), stored(countAlias()), folder));
}

QString AlarmTables::open()
{
    if (opened_)
        return openMessage_;
    opened_ = true;
    QList<AlarmDatabaseFailure> failures;
    if (const QString reason = info_->open(); reason.isEmpty()) {
        table_ = std::make_unique<AlarmSettingsTable>(info_->handle());
        if (const TableResult read = table_->refresh(); !read)
            failures.append({info_->alias(), info_->address(), read.error});
    } else {
        failures.append({info_->alias(), info_->address(), reason});
    }
    if (const QString reason = count_->open(); reason.isEmpty())
        query_ = std::make_unique<AlarmCountQuery>(count_->handle());
    else
        failures.append({count_->alias(), count_->address(), reason});
    openMessage_ = failures.isEmpty() ? QString() : alarmDatabaseMessage(failures);
    return openMessage_;
}

QString alarmDatabaseMessage(const QList<AlarmDatabaseFailure> &failures)
{
    QString text = QStringLiteral("警報資料庫無法開啟：");
    bool settings = false;
    bool counts = false;
    for (const AlarmDatabaseFailure &failure : failures) {
        text += QStringLiteral("\n%1（%2）：%3").arg(failure.alias, shownAddress(failure.address), failure.reason);
        settings = settings || failure.alias == AlarmTables::infoAlias();
        counts = counts || failure.alias == AlarmTables::countAlias();
    }
    text += QStringLiteral("\n\n程式照常監控");
    if (settings)
        text += QStringLiteral("，但沒有警報點設定，不檢查偏差警報");
    if (counts)
        text += settings ? QStringLiteral("，也不記錄警報次數") : QStringLiteral("，但不記錄警報次數");
    return text + QStringLiteral("。");
}
