#pragma once

// A PostgreSQL server of the test's own: a cluster made by initdb in a temporary
// folder, the server started on a free port of 127.0.0.1 and stopped by its PID.
// Where the tests run as root the server runs as the "postgres" user, since initdb
// refuses root. Header only, so every suite that needs a server can include it.

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QStringList>
#include <QTemporaryDir>

#include <arpa/inet.h>
#include <grp.h>
#include <netinet/in.h>
#include <pwd.h>
#include <signal.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <memory>
#include <optional>

// On a CI run (CI=true, as CI services set it) a server that cannot be had is a
// failure: the shared alarm history must be proven on every such run. Elsewhere a
// machine without the server programs skips these tests.
inline bool pgServerRequired()
{
    return qEnvironmentVariable("CI") == QLatin1String("true");
}

// Leaves the test, failing or skipping it as pgServerRequired() says; `why` names
// what stood in the way.
#define LEAVE_WITHOUT_PG_SERVER(why)                                                              \
    do {                                                                                          \
        if (pgServerRequired())                                                                   \
            FAIL() << "no PostgreSQL server on a CI run: " << (why).toStdString();                \
        GTEST_SKIP() << "no PostgreSQL server for this run: " << (why).toStdString();             \
    } while (false)

class PgServer {
public:
    PgServer() = default;
    ~PgServer() { stop(); }
    PgServer(const PgServer &) = delete;
    PgServer &operator=(const PgServer &) = delete;

    // Makes the cluster and starts the server; false with reason() when it cannot.
    bool start(int timeoutMs = 60000)
    {
        const QString bin = binFolder();
        if (bin.isEmpty())
            return fail(QStringLiteral("no PostgreSQL server programs (Debian package postgresql)"));
        if (!folder_.isValid())
            return fail(QStringLiteral("no temporary folder"));
        uid_t uid = getuid();
        gid_t gid = getgid();
        if (uid == 0) {
            const passwd *postgres = getpwnam("postgres");
            if (!postgres)
                return fail(QStringLiteral("running as root and there is no postgres user"));
            uid = postgres->pw_uid;
            gid = postgres->pw_gid;
            if (chown(QFile::encodeName(folder_.path()).constData(), uid, gid) != 0)
                return fail(QStringLiteral("cannot hand the temporary folder to postgres"));
            runAs_ = {uid, gid};
        }
        const QString data = QDir(folder_.path()).filePath(QStringLiteral("data"));
        QProcess initdb;
        prepare(initdb);
        initdb.start(QDir(bin).filePath(QStringLiteral("initdb")),
                     {QStringLiteral("-D"), data, QStringLiteral("-U"), superuser(), QStringLiteral("--auth=trust"),
                      QStringLiteral("--no-sync"), QStringLiteral("--locale=C"), QStringLiteral("-E"),
                      QStringLiteral("UTF8")});
        if (!initdb.waitForFinished(timeoutMs) || initdb.exitStatus() != QProcess::NormalExit || initdb.exitCode() != 0)
            return fail(QStringLiteral("initdb failed: ") + QString::fromLocal8Bit(initdb.readAllStandardError()));

        port_ = freePort();
        if (port_ <= 0)
            return fail(QStringLiteral("no free port"));
        server_ = std::make_unique<QProcess>();
        prepare(*server_);
        server_->setProcessChannelMode(QProcess::MergedChannels);
        server_->start(QDir(bin).filePath(QStringLiteral("postgres")),
                       {QStringLiteral("-D"), data, QStringLiteral("-p"), QString::number(port_), QStringLiteral("-k"),
                        folder_.path(), QStringLiteral("-c"), QStringLiteral("listen_addresses=127.0.0.1"),
                        QStringLiteral("-c"), QStringLiteral("fsync=off"), QStringLiteral("-c"),
                        QStringLiteral("shared_buffers=16MB"), QStringLiteral("-c"), QStringLiteral("max_connections=40")});
        if (!server_->waitForStarted(timeoutMs))
            return fail(QStringLiteral("the server would not start"));
        // The server says so when it takes connections.
        QByteArray log;
        QDeadlineTimer deadline(timeoutMs);
        while (!log.contains("ready to accept connections")) {
            if (server_->state() != QProcess::Running || deadline.hasExpired())
                return fail(QStringLiteral("the server did not come up: ") + QString::fromLocal8Bit(log));
            server_->waitForReadyRead(int(qMax<qint64>(1, deadline.remainingTime())));
            log += server_->readAll();
        }
        return true;
    }

    // Stops the server by its PID (fast shutdown), and waits for it within a deadline.
    void stop()
    {
        if (!server_)
            return;
        if (server_->state() != QProcess::NotRunning) {
            ::kill(pid_t(server_->processId()), SIGINT);
            if (!server_->waitForFinished(20000)) {
                ::kill(pid_t(server_->processId()), SIGKILL);
                server_->waitForFinished(5000);
            }
        }
        server_.reset();
    }

    bool running() const { return server_ && server_->state() == QProcess::Running; }
    QString reason() const { return reason_; }
    int port() const { return port_; }
    qint64 pid() const { return server_ ? server_->processId() : 0; }
    static QString superuser() { return QStringLiteral("tempmon"); }

    QString address(const QString &database, const QString &user = superuser()) const
    {
        return QStringLiteral("postgresql://%1@127.0.0.1:%2/%3").arg(user).arg(port_).arg(database);
    }

    // A new empty database; its address, or empty when it could not be made.
    QString createDatabase(const QString &name)
    {
        const QString connection = QStringLiteral("pgserver-admin");
        bool made = false;
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), connection);
            db.setHostName(QStringLiteral("127.0.0.1"));
            db.setPort(port_);
            db.setUserName(superuser());
            db.setDatabaseName(QStringLiteral("postgres"));
            if (db.open()) {
                QSqlQuery query(db);
                made = query.exec(QStringLiteral("CREATE DATABASE ") + name);
                if (!made)
                    reason_ = query.lastError().text();
            } else {
                reason_ = db.lastError().text();
            }
            db.close();
        }
        QSqlDatabase::removeDatabase(connection);
        return made ? address(name) : QString();
    }

    // A port of 127.0.0.1 that nothing listens on, just now.
    static int freePort()
    {
        const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
        if (fd < 0)
            return -1;
        sockaddr_in addr{};
        addr.sin_family = AF_INET;
        addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        addr.sin_port = 0;
        socklen_t length = sizeof addr;
        int port = -1;
        if (::bind(fd, reinterpret_cast<sockaddr *>(&addr), sizeof addr) == 0
            && ::getsockname(fd, reinterpret_cast<sockaddr *>(&addr), &length) == 0)
            port = ntohs(addr.sin_port);
        ::close(fd);
        return port;
    }

    // The newest installed server's programs.
    static QString binFolder()
    {
        const QDir versions(QStringLiteral("/usr/lib/postgresql"));
        QStringList found = versions.entryList(QDir::Dirs | QDir::NoDotAndDotDot);
        std::sort(found.begin(), found.end(), [](const QString &a, const QString &b) { return a.toInt() > b.toInt(); });
        for (const QString &version : found) {
            const QString bin = versions.filePath(version + QStringLiteral("/bin"));
            if (QFile::exists(QDir(bin).filePath(QStringLiteral("initdb"))))
                return bin;
        }
        return {};
    }

private:
    struct Identity {
        uid_t uid = 0;
        gid_t gid = 0;
    };

    bool fail(const QString &why)
    {
        reason_ = why;
        return false;
    }

    void prepare(QProcess &process) const
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("LC_ALL"), QStringLiteral("C"));
        process.setProcessEnvironment(env);
        process.setWorkingDirectory(folder_.path());
        if (runAs_) {
            const Identity id = *runAs_;
            process.setChildProcessModifier([id] {
                if (::setgroups(0, nullptr) != 0 || ::setgid(id.gid) != 0 || ::setuid(id.uid) != 0)
                    ::_exit(126);
            });
        }
    }

    QTemporaryDir folder_;
    std::optional<Identity> runAs_;
    std::unique_ptr<QProcess> server_;
    int port_ = 0;
    QString reason_;
};
