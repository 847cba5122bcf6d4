#include "alarmdatabase.h"

#include "alarmtext.h"

#include <QDir>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>
#include <QUrl>

namespace {

const char *const kSettingsTable =
    "CREATE TABLE IF NOT EXISTS DbAlarm ("
    "Panel TEXT NOT NULL, ControllerNO TEXT NOT NULL, "
    "HAlarm DOUBLE PRECISION, LAlarm DOUBLE PRECISION, FirstAlarm TEXT, "
    "PRIMARY KEY (Panel, ControllerNO))";
const char *const kCountTable =
    "CREATE TABLE IF NOT EXISTS DbAlmCount ("
    "AlarmCount TEXT NOT NULL, Panel TEXT NOT NULL, ControllerNO TEXT NOT NULL, "
    "PRIMARY KEY (Panel, ControllerNO))";
// What the program reads of each table: a database that holds tables of these names
// but other fields is refused at start-up instead of failing on every statement.
const char *const kSettingsProbe = "SELECT Panel, ControllerNO, HAlarm, LAlarm, FirstAlarm FROM DbAlarm WHERE 1=0";
const char *const kCountProbe = "SELECT AlarmCount, Panel, ControllerNO FROM DbAlmCount WHERE 1=0";

QString errorText(const QSqlError &error)
{
    QString text = error.databaseText().trimmed();
    if (text.isEmpty())
        text = error.driverText().trimmed();
    return text.isEmpty() ? error.text().trimmed() : text;
}

bool run(QSqlDatabase &db, const QString &statement, QString &error)
{
    QSqlQuery query(db);
    if (query.exec(statement))
        return true;
    error = errorText(query.lastError());
    return false;
}

} // namespace

QString alarmDatabaseAddress(const QString &alias, const std::optional<QString> &stored, const QString &folder)
{
    if (stored && !stored->trimmed().isEmpty())
        return stored->trimmed();
    return QDir(folder).filePath(alias + QStringLiteral(".db"));
}

bool isServerAddress(const QString &address)
{
    return address.startsWith(QLatin1String("postgresql://"), Qt::CaseInsensitive)
           || address.startsWith(QLatin1String("postgres://"), Qt::CaseInsensitive);
}

QString shownAddress(const QString &address)
{
    if (!isServerAddress(address))
        return QDir::toNativeSeparators(address);
    return QUrl(address).toString(QUrl::RemovePassword);
}

AlarmDatabase::AlarmDatabase(QString alias, QString address, AlarmTableKind kind)
    : alias_(std::move(alias)), address_(std::move(address)), kind_(kind),
      connection_(QStringLiteral("tempmon-%1-%2").arg(alias_).arg(reinterpret_cast<quintptr>(this), 0, 16))
{
}

AlarmDatabase::~AlarmDatabase()
{
    if (QSqlDatabase::contains(connection_)) {
        {
            QSqlDatabase db = QSqlDatabase::database(connection_, false);
            db.close();
        }
        QSqlDatabase::removeDatabase(connection_);
    }
}

QSqlDatabase AlarmDatabase::handle() const
{
    return QSqlDatabase::database(connection_, false);
}

QString AlarmDatabase::open()
{
    open_ = false;
    if (QSqlDatabase::contains(connection_))
        QSqlDatabase::removeDatabase(connection_);
    QSqlDatabase db;
    if (isServerAddress(address_)) {
        const QUrl url(address_);
        if (!url.isValid() || url.host().isEmpty() || url.path().size() < 2)
            return QStringLiteral("位址不完整，應為 postgresql://使用者@主機:埠/資料庫");
        db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), connection_);
        if (!db.isValid())
            return QStringLiteral("沒有 PostgreSQL 資料庫驅動程式（QPSQL）");
        db.setHostName(url.host());
        db.setPort(url.port(5432));
        db.setUserName(url.userName());
        db.setPassword(url.password());
        db.setDatabaseName(url.path().mid(1));
        db.setConnectOptions(QStringLiteral("connect_timeout=%1").arg(kConnectTimeoutSeconds));
    } else {
        const QFileInfo file(address_);
        if (file.isDir())
            return QStringLiteral("這是一個資料夾，不是資料庫檔案");
        // A missing file is created, in a missing folder too.
        if (!QDir().mkpath(file.absolutePath()))
            return QStringLiteral("無法建立資料夾 %1").arg(QDir::toNativeSeparators(file.absolutePath()));
        db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection_);
        if (!db.isValid())
            return QStringLiteral("沒有 SQLite 資料庫驅動程式（QSQLITE）");
        db.setDatabaseName(file.absoluteFilePath());
    }
    if (!db.open())
        return errorText(db.lastError());
    if (db.driverName() == QLatin1String("QPSQL")) {
        // "already exists, skipping" at every start is no news.
        QSqlQuery quiet(db);
        quiet.exec(QStringLiteral("SET client_min_messages TO WARNING"));
    }
    const QString error = kind_ == AlarmTableKind::Settings ? createSettingsTable() : createCountTable();
    if (!error.isEmpty()) {
        db.close();
        return error;
    }
    open_ = true;
    return {};
}

QString AlarmDatabase::createSettingsTable()
{
    QSqlDatabase db = handle();
    QString error;
    if (!run(db, QLatin1String(kSettingsTable), error) || !run(db, QLatin1String(kSettingsProbe), error))
        return error;
    return {};
}

QString AlarmDatabase::createCountTable()
{
    QSqlDatabase db = handle();
    QString error;
    if (!db.transaction())
        return errorText(db.lastError());
    bool ok = run(db, QLatin1String(kCountTable), error);
    if (ok) {
        QSqlQuery rows(db);
        ok = rows.exec(QStringLiteral("SELECT COUNT(*) FROM DbAlmCount")) && rows.next();
        if (!ok)
            error = errorText(rows.lastError());
        else if (rows.value(0).toInt() == 0) {
            // A new count table holds every slot at "00"; the program only updates it.
            rows.finish();
            QSqlQuery insert(db);
            ok = insert.prepare(QStringLiteral(
                "INSERT INTO DbAlmCount (AlarmCount, Panel, ControllerNO) VALUES (:AlarmCount, :Panel, :ControllerNO)"));
            for (int panel = 1; ok && panel <= 3; ++panel) {
                for (int slot = 1; ok && slot <= 10; ++slot) {
                    insert.bindValue(QStringLiteral(":AlarmCount"), QStringLiteral("00"));
                    insert.bindValue(QStringLiteral(":Panel"), pad(panel));
                    insert.bindValue(QStringLiteral(":ControllerNO"), pad(slot));
                    ok = insert.exec();
                }
            }
            if (!ok)
                error = errorText(insert.lastError());
        }
    }
    if (!ok) {
        db.rollback();
        return error;
    }
    if (!db.commit())
        return errorText(db.lastError());
    if (!run(db, QLatin1String(kCountProbe), error))
        return error;
    return {};
}
