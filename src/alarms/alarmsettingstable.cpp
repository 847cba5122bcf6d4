#include "alarmsettingstable.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QSqlQueryModel>
#include <QSqlRecord>

#include <algorithm>

// The grid's rows: the limits shown in the table's text form ("10", not "10.00").
class AlarmSettingsModel : public QSqlQueryModel {
public:
    QVariant data(const QModelIndex &index, int role) const override
    {
        const QVariant value = QSqlQueryModel::data(index, role);
        if (role == Qt::DisplayRole && (index.column() == 2 || index.column() == 3) && !value.isNull())
            return value.toString();
        return value;
    }
};

namespace {

const char *const kSelect =
    "SELECT Panel, ControllerNO, HAlarm, LAlarm, FirstAlarm FROM DbAlarm ORDER BY Panel, ControllerNO";
const char *const kInsert =
    "INSERT INTO DbAlarm (Panel, ControllerNO, HAlarm, LAlarm, FirstAlarm) "
    "VALUES (:Panel, :ControllerNO, :HAlarm, :LAlarm, :FirstAlarm)";
const char *const kUpdate =
    "UPDATE DbAlarm SET Panel=:Panel, ControllerNO=:ControllerNO, HAlarm=:HAlarm, LAlarm=:LAlarm, "
    "FirstAlarm=:FirstAlarm WHERE Panel=:OldPanel AND ControllerNO=:OldControllerNO";
const char *const kDelete = "DELETE FROM DbAlarm WHERE Panel=:Panel AND ControllerNO=:ControllerNO";

const char *const kTitles[] = {"盤面", "溫控點", "偏差高警報設定值", "偏差低警報設定值", "第一次是否警報"};

QString engineText(const QSqlError &error)
{
    const QString text = error.databaseText().trimmed();
    return text.isEmpty() ? error.text().trimmed() : text;
}

TableResult failure(const QSqlError &error)
{
    if (AlarmSettingsTable::isKeyViolation(error))
        return TableResult::failed(QStringLiteral("鍵值重複（Key violation）：這個溫控點已有警報點，這筆資料未儲存。"), true);
    return TableResult::failed(QStringLiteral("警報點設定表的動作失敗：") + engineText(error));
}

} // namespace

AlarmSettingsTable::AlarmSettingsTable(const QSqlDatabase &db)
    : db_(db), model_(std::make_unique<AlarmSettingsModel>())
{
}

AlarmSettingsTable::~AlarmSettingsTable() = default;

bool AlarmSettingsTable::isKeyViolation(const QSqlError &error)
{
    const QString code = error.nativeErrorCode();
    if (code == QLatin1String("23505")) // PostgreSQL unique_violation
        return true;
    // SQLite: SQLITE_CONSTRAINT, plain or as its primary-key and unique variants.
    if (code == QLatin1String("19") || code == QLatin1String("1555") || code == QLatin1String("2067"))
        return error.databaseText().contains(QLatin1String("UNIQUE"), Qt::CaseInsensitive);
    return false;
}

QAbstractItemModel *AlarmSettingsTable::model() const { return model_.get(); }

int AlarmSettingsTable::rowCount() const { return model_->rowCount(); }

AlarmPointRow AlarmSettingsTable::row(int index) const
{
    if (index < 0 || index >= rowCount())
        return {};
    const QSqlRecord r = model_->record(index);
    return {r.value(0).toString(), r.value(1).toString(), r.value(2).toString(), r.value(3).toString(),
            r.value(4).toString()};
}

void AlarmSettingsTable::next()
{
    if (current_ < rowCount())
        ++current_;
}

void AlarmSettingsTable::setCurrentIndex(int index)
{
    current_ = std::clamp(index, 0, rowCount());
}

TableResult AlarmSettingsTable::refresh()
{
    const AlarmPointRow was = current();
    const int index = current_;
    model_->setQuery(QLatin1String(kSelect), db_);
    while (model_->canFetchMore())
        model_->fetchMore();
    for (int column = 0; column < 5; ++column)
        model_->setHeaderData(column, Qt::Horizontal, QString::fromUtf8(kTitles[column]));
    current_ = std::clamp(index, 0, std::max(0, rowCount() - 1));
    if (!was.Panel.isEmpty())
        moveTo(was.Panel, was.ControllerNO);
    if (model_->lastError().isValid())
        return failure(model_->lastError());
    return {};
}

void AlarmSettingsTable::moveTo(const QString &panel, const QString &slot)
{
    for (int i = 0; i < rowCount(); ++i) {
        const AlarmPointRow r = row(i);
        if (r.Panel == panel && r.ControllerNO == slot) {
            current_ = i;
            return;
        }
    }
}

TableResult AlarmSettingsTable::store(const QString &statement, const AlarmPointEntry &entry, const AlarmPointRow *old)
{
    QSqlQuery query(db_);
    bool ok = query.prepare(statement);
    if (ok) {
        query.bindValue(QStringLiteral(":Panel"), entry.Panel);
        query.bindValue(QStringLiteral(":ControllerNO"), entry.ControllerNO);
        query.bindValue(QStringLiteral(":HAlarm"), entry.HAlarm);
        query.bindValue(QStringLiteral(":LAlarm"), entry.LAlarm);
        query.bindValue(QStringLiteral(":FirstAlarm"), entry.FirstAlarm);
        if (old) {
            query.bindValue(QStringLiteral(":OldPanel"), old->Panel);
            query.bindValue(QStringLiteral(":OldControllerNO"), old->ControllerNO);
        }
        ok = query.exec();
    }
    if (!ok) {
        const TableResult result = failure(query.lastError());
        if (events_.postError)
            events_.postError(entry, result);
        return result;
    }
    if (old && query.numRowsAffected() < 1) {
        // Someone else removed the row meanwhile (a shared server database).
        refresh();
        return TableResult::failed(QStringLiteral("這筆警報點已不在資料表中，變更未儲存。"));
    }
    query.finish();
    const TableResult read = refresh();
    moveTo(entry.Panel, entry.ControllerNO);
    const AlarmPointRow stored = current();
    if (old && !old->sameKey(stored) && events_.keyLeft)
        events_.keyLeft(*old);
    if (stored.Panel == entry.Panel && stored.ControllerNO == entry.ControllerNO && events_.afterPost)
        events_.afterPost(stored);
    return read;
}

TableResult AlarmSettingsTable::append(const AlarmPointEntry &entry)
{
    return store(QLatin1String(kInsert), entry, nullptr);
}

TableResult AlarmSettingsTable::editCurrent(const AlarmPointEntry &entry)
{
    if (eof())
        return TableResult::failed(QStringLiteral("沒有選定的警報點可以變更。"));
    const AlarmPointRow old = current();
    return store(QLatin1String(kUpdate), entry, &old);
}

TableResult AlarmSettingsTable::deleteCurrent()
{
    if (eof())
        return {};
    const AlarmPointRow doomed = current();
    const int index = current_;
    if (events_.beforeDelete)
        events_.beforeDelete(doomed);
    QSqlQuery query(db_);
    bool ok = query.prepare(QLatin1String(kDelete));
    if (ok) {
        query.bindValue(QStringLiteral(":Panel"), doomed.Panel);
        query.bindValue(QStringLiteral(":ControllerNO"), doomed.ControllerNO);
        ok = query.exec();
    }
    if (!ok)
        return failure(query.lastError());
    query.finish();
    const TableResult read = refresh();
    current_ = std::clamp(index, 0, std::max(0, rowCount() - 1));
    return read;
}

TableResult addAlarmPoints(AlarmSettingsTable &table, const std::vector<AlarmPointKey> &keys, double high,
                           double low, const QString &firstAlarm)
{
    for (const AlarmPointKey &key : keys) {
        if (TableResult stored = table.append({key.Panel, key.ControllerNO, high, low, firstAlarm}); !stored)
            return stored;
    }
    return {};
}
