#include "mqtttestbroker.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QStandardPaths>
#include <QTcpServer>
#include <QTcpSocket>

namespace {

int freeLoopbackPort()
{
    QTcpServer probe;
    return probe.listen(QHostAddress::LocalHost, 0) ? probe.serverPort() : 0;
}

} // namespace

MqttTestBroker::MqttTestBroker() : port_(freeLoopbackPort())
{
    QFile config(dir_.filePath(QStringLiteral("mosquitto.conf")));
    if (config.open(QIODevice::WriteOnly))
        // Sessions and retained messages kept over a restart, as a plant's broker keeps them.
        config.write(QStringLiteral("listener %1 127.0.0.1\nallow_anonymous true\n"
                                    "persistence true\npersistence_location %2/\n")
                         .arg(port_)
                         .arg(dir_.path())
                         .toUtf8());
}

MqttTestBroker::~MqttTestBroker()
{
    stop();
}

QString MqttTestBroker::program()
{
    QString path = QStandardPaths::findExecutable(QStringLiteral("mosquitto"));
    if (path.isEmpty())
        path = QStandardPaths::findExecutable(QStringLiteral("mosquitto"), {QStringLiteral("/usr/sbin")});
    return path;
}

bool MqttTestBroker::start(int timeoutMs)
{
    stop();
    process_ = std::make_unique<QProcess>();
    process_->setProcessChannelMode(QProcess::MergedChannels);
    process_->start(program(), {QStringLiteral("-c"), dir_.filePath(QStringLiteral("mosquitto.conf"))});
    if (!process_->waitForStarted(timeoutMs))
        return false;
    // Listening is the condition; each try waits on the connection with a deadline.
    const QDeadlineTimer deadline(timeoutMs);
    while (!deadline.hasExpired()) {
        if (process_->state() != QProcess::Running)
            break;
        QTcpSocket socket;
        socket.connectToHost(QHostAddress::LocalHost, quint16(port_));
        if (socket.waitForConnected(200))
            return true;
        process_->waitForReadyRead(50);
    }
    output_ += QString::fromLocal8Bit(process_->readAll());
    return false;
}

void MqttTestBroker::stop()
{
    if (!process_)
        return;
    if (process_->state() != QProcess::NotRunning) {
        process_->terminate();
        if (!process_->waitForFinished(5000)) {
            process_->kill();
            process_->waitForFinished(5000);
        }
    }
    output_ += QString::fromLocal8Bit(process_->readAll());
    process_.reset();
}
