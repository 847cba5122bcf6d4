#include "alarmcountquery.h"

#include "alarmtext.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QSqlQueryModel>

namespace {

TableResult failure(const QSqlError &error)
{
    QString text = error.databaseText().trimmed();
    if (text.isEmpty())
        text = error.text().trimmed();
    return TableResult::failed(QStringLiteral("警報次數表的動作失敗：") + text);
}

} // namespace

AlarmCountQuery::AlarmCountQuery(const QSqlDatabase &db) : db_(db), model_(std::make_unique<QSqlQueryModel>()) {}

AlarmCountQuery::~AlarmCountQuery() = default;

void AlarmCountQuery::Close()
{
    model_->clear();
    open_ = false;
}

void AlarmCountQuery::clearSql()
{
    lines_.clear();
    params_.clear();
}

void AlarmCountQuery::addSql(const QString &line) { lines_.append(line); }

void AlarmCountQuery::setParamText(const QString &name, const QString &value)
{
    for (auto &param : params_) {
        if (param.first == name) {
            param.second = value;
            return;
        }
    }
    params_.append({name, value});
}

bool AlarmCountQuery::run(QSqlQuery &query) const
{
    if (!query.prepare(sqlText()))
        return false;
    for (const auto &param : params_)
        query.bindValue(QLatin1Char(':') + param.first, param.second);
    return query.exec();
}

TableResult AlarmCountQuery::ExecSQL()
{
    QSqlQuery query(db_);
    if (!run(query))
        return failure(query.lastError());
    return {};
}

TableResult AlarmCountQuery::Open()
{
    Close();
    QSqlQuery query(db_);
    if (!run(query))
        return failure(query.lastError());
    model_->setQuery(std::move(query));
    while (model_->canFetchMore())
        model_->fetchMore();
    if (model_->lastError().isValid())
        return failure(model_->lastError());
    model_->setHeaderData(0, Qt::Horizontal, QStringLiteral("警報發生次數"));
    model_->setHeaderData(1, Qt::Horizontal, QStringLiteral("盤面"));
    model_->setHeaderData(2, Qt::Horizontal, QStringLiteral("溫控點"));
    open_ = true;
    return {};
}

QAbstractItemModel *AlarmCountQuery::model() const { return model_.get(); }

TableResult resetAlarmCounts(AlarmCountQuery &query)
{
    query.Close();
    query.clearSql();
    query.addSql(QStringLiteral("Update DbAlmCount Set AlarmCount=:AlarmCount"));
    query.setParamText(QStringLiteral("AlarmCount"), QStringLiteral("00"));
    return query.ExecSQL();
}

TableResult writeAlarmCount(AlarmCountQuery &query, int n, int panel, int slot)
{
    query.Close();
    query.clearSql();
    query.addSql(QStringLiteral("Update DbAlmCount Set AlarmCount= :AlarmCount"));
    query.addSql(QStringLiteral("Where Panel=:Panel And ControllerNO=:ControllerNO"));
    query.setParamText(QStringLiteral("AlarmCount"), pad(n));
    query.setParamText(QStringLiteral("Panel"), pad(panel));
    query.setParamText(QStringLiteral("ControllerNO"), pad(slot));
    return query.ExecSQL();
}

TableResult showAlarmFrequency(AlarmCountQuery &query)
{
    query.clearSql();
    query.addSql(QStringLiteral("Select * from DbAlmCount where AlarmCount!=:AlarmCount"));
    query.setParamText(QStringLiteral("AlarmCount"), QStringLiteral("00"));
    return query.Open();
}
