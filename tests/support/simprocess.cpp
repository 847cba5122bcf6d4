#include "simprocess.h"

#include <QDeadlineTimer>
#include <QRegularExpression>

SimProcess::SimProcess(QStringList args) : args_(std::move(args)) {}

SimProcess::~SimProcess()
{
    stop();
}

QString SimProcess::simulatorPath()
{
    const QByteArray fromEnv = qgetenv("TEMPMON_SIM");
    if (!fromEnv.isEmpty())
        return QString::fromLocal8Bit(fromEnv);
    return QStringLiteral(TEMPMON_SIM_PATH);
}

qint64 SimProcess::pid() const
{
    return process_ ? process_->processId() : 0;
}

bool SimProcess::waitForExit(int timeoutMs, int *exitCode)
{
    if (!process_)
        return false;
    if (process_->state() != QProcess::NotRunning && !process_->waitForFinished(timeoutMs))
        return false;
    if (exitCode)
        *exitCode = process_->exitStatus() == QProcess::NormalExit ? process_->exitCode() : -1;
    return true;
}

bool SimProcess::readLine(QString &line, int timeoutMs)
{
    QDeadlineTimer deadline(timeoutMs);
    for (;;) {
        if (process_->canReadLine()) {
            line = QString::fromLocal8Bit(process_->readLine()).trimmed();
            return true;
        }
        if (process_->state() == QProcess::NotRunning)
            return false;
        const qint64 left = deadline.remainingTime();
        if (left == 0)
            return false;
        // Returns when data arrives or the process ends; the loop re-checks both.
        if (!process_->waitForReadyRead(int(left)) && process_->state() == QProcess::NotRunning
            && !process_->canReadLine())
            return false;
    }
}

bool SimProcess::start(int timeoutMs)
{
    stop();
    devices_.clear();
    startup_.clear();
    process_ = std::make_unique<QProcess>();
    process_->setReadChannel(QProcess::StandardOutput);
    // The simulator's complaints go to the test's own stderr.
    process_->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process_->start(simulatorPath(), args_);
    if (!process_->waitForStarted(timeoutMs))
        return false;

    static const QRegularExpression lineRe(QStringLiteral("^line (\\d+) (\\S+) "));
    QDeadlineTimer deadline(timeoutMs);
    QString line;
    while (readLine(line, int(qMax<qint64>(1, deadline.remainingTime())))) {
        startup_ << line;
        if (line == QLatin1String("ready"))
            return true;
        const auto m = lineRe.match(line);
        if (m.hasMatch())
            devices_.insert(m.captured(1).toInt(), m.captured(2));
        if (deadline.hasExpired())
            break;
    }
    stop();
    return false;
}

QString SimProcess::device(int line) const
{
    return devices_.value(line);
}

QString SimProcess::command(const QString &line, int timeoutMs)
{
    if (!process_ || process_->state() != QProcess::Running)
        return {};
    process_->write(line.toLocal8Bit() + '\n');
    process_->waitForBytesWritten(timeoutMs);
    QString answer;
    if (!readLine(answer, timeoutMs))
        return {};
    static const QRegularExpression upRe(QStringLiteral("^ok line (\\d+) (/\\S+)$"));
    const auto m = upRe.match(answer);
    if (m.hasMatch())
        devices_.insert(m.captured(1).toInt(), m.captured(2));
    return answer;
}

void SimProcess::stop()
{
    if (!process_)
        return;
    if (process_->state() != QProcess::NotRunning) {
        process_->write("quit\n");
        process_->closeWriteChannel();
        if (!process_->waitForFinished(3000)) {
            process_->kill();
            process_->waitForFinished(3000);
        }
    }
    process_.reset();
}
