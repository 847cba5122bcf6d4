#include "mqttconnection.h"

#include "mqttlog.h"

#include <QDeadlineTimer>
#include <QSocketNotifier>
#include <QTimer>

#include <mosquitto.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace {
constexpr int kKeepAliveSeconds = 30;
}

MqttConnection::MqttConnection(const MqttSettings &settings, QObject *parent)
    : QObject(parent), settings_(settings), keepAlive_(new QTimer(this)), retry_(new QTimer(this))
{
    keepAlive_->setInterval(1000);
    connect(keepAlive_, &QTimer::timeout, this, &MqttConnection::service);
    retry_->setSingleShot(true);
    connect(retry_, &QTimer::timeout, this, &MqttConnection::attempt);
}

MqttConnection::~MqttConnection()
{
    teardown();
}

QString MqttConnection::statusTopic() const
{
    return settings_.topic + QLatin1String("/status");
}

void MqttConnection::open()
{
    closing_ = false;
    attempt();
}

void MqttConnection::attempt()
{
    teardown();
    if (closing_)
        return;
    mosq_ = mosquitto_new(settings_.clientId.toUtf8().constData(), true, this);
    if (!mosq_) {
        fail(QStringLiteral("無法建立連線 (%1)").arg(QString::fromLocal8Bit(std::strerror(errno))));
        return;
    }
    mosquitto_connect_callback_set(mosq_, &MqttConnection::onConnect);
    mosquitto_disconnect_callback_set(mosq_, &MqttConnection::onDisconnect);
    mosquitto_publish_callback_set(mosq_, &MqttConnection::onPublish);
    const QByteArray status = statusTopic().toUtf8();
    mosquitto_will_set(mosq_, status.constData(), 7, "offline", 1, true);
    if (!settings_.username.isEmpty())
        mosquitto_username_pw_set(mosq_, settings_.username.toUtf8().constData(),
                                  settings_.password.isEmpty() ? nullptr : settings_.password.toUtf8().constData());
    if (settings_.tls) {
        const int rc = mosquitto_tls_set(mosq_, settings_.caFile.toLocal8Bit().constData(), nullptr, nullptr,
                                         nullptr, nullptr);
        if (rc != MOSQ_ERR_SUCCESS) {
            fail(QStringLiteral("TLS 設定錯誤 (%1)").arg(errorText(rc)));
            return;
        }
    }
    // Non-blocking: the socket connects while this thread's event loop runs on.
    const int rc = mosquitto_connect_async(mosq_, settings_.host.toUtf8().constData(), settings_.port,
                                           kKeepAliveSeconds);
    if (rc != MOSQ_ERR_SUCCESS) {
        fail(QStringLiteral("無法連上 %1:%2 (%3)").arg(settings_.host).arg(settings_.port).arg(errorText(rc)));
        return;
    }
    const int fd = mosquitto_socket(mosq_);
    reader_ = new QSocketNotifier(fd, QSocketNotifier::Read, this);
    writer_ = new QSocketNotifier(fd, QSocketNotifier::Write, this);
    connect(reader_, &QSocketNotifier::activated, this, &MqttConnection::service);
    connect(writer_, &QSocketNotifier::activated, this, &MqttConnection::service);
    keepAlive_->start();
    service();
}

void MqttConnection::service()
{
    if (!mosq_)
        return;
    // A zero timeout: the library only handles what the socket has ready.
    const int rc = mosquitto_loop(mosq_, 0, 1);
    if (failure_.isEmpty() && rc != MOSQ_ERR_SUCCESS)
        failure_ = up_ ? QStringLiteral("連線中斷 (%1)").arg(errorText(rc))
                       : QStringLiteral("無法連上 %1:%2 (%3)").arg(settings_.host).arg(settings_.port).arg(errorText(rc));
    if (!failure_.isEmpty()) {
        const QString reason = failure_;
        failure_.clear();
        fail(reason);
        return;
    }
    if (writer_)
        writer_->setEnabled(mosquitto_want_write(mosq_));
}

void MqttConnection::publish(quint64 session, const MqttMessage &message, quint64 id)
{
    if (!mosq_ || !up_ || session != session_)
        return;
    int mid = 0;
    const QByteArray topic = message.topic.toUtf8();
    const int rc = mosquitto_publish(mosq_, &mid, topic.constData(), int(message.payload.size()),
                                     message.payload.constData(), message.qos, message.retain);
    if (rc != MOSQ_ERR_SUCCESS) {
        qCWarning(lcMqtt) << "publish to" << message.topic << "failed:" << errorText(rc);
        return;
    }
    if (id)
        waiting_.insert(mid, id);
    if (writer_)
        writer_->setEnabled(mosquitto_want_write(mosq_));
}

void MqttConnection::close(int timeoutMs)
{
    closing_ = true;
    retry_->stop();
    if (mosq_ && up_) {
        const QByteArray status = statusTopic().toUtf8();
        mosquitto_publish(mosq_, nullptr, status.constData(), 7, "offline", 1, true);
        mosquitto_disconnect(mosq_);
        // The library closes the socket once the disconnect packet, queued behind
        // "offline", has left.
        const QDeadlineTimer deadline(timeoutMs);
        while (mosquitto_socket(mosq_) >= 0 && !deadline.hasExpired())
            if (mosquitto_loop(mosq_, int(std::clamp<qint64>(deadline.remainingTime(), 1, 100)), 1) != MOSQ_ERR_SUCCESS)
                break;
    }
    teardown();
}

void MqttConnection::fail(const QString &reason)
{
    const bool wasUp = up_;
    teardown();
    if (closing_)
        return;
    const int delay = backoff_.nextDelayMs();
    qCInfo(lcMqtt) << reason << "- next attempt in" << delay << "ms" << (wasUp ? "(connection lost)" : "");
    emit disconnected(reason);
    retry_->start(delay);
}

void MqttConnection::teardown()
{
    keepAlive_->stop();
    delete reader_;
    reader_ = nullptr;
    delete writer_;
    writer_ = nullptr;
    if (mosq_) {
        mosquitto_destroy(mosq_);
        mosq_ = nullptr;
    }
    up_ = false;
    waiting_.clear();
}

QString MqttConnection::errorText(int rc) const
{
    if (rc == MOSQ_ERR_ERRNO)
        return QString::fromLocal8Bit(std::strerror(errno));
    return QString::fromUtf8(mosquitto_strerror(rc));
}

void MqttConnection::onConnect(mosquitto *, void *self, int rc)
{
    auto *connection = static_cast<MqttConnection *>(self);
    if (rc != 0) {
        connection->failure_ = QStringLiteral("代理伺服器拒絕連線 (%1)").arg(QString::fromUtf8(mosquitto_connack_string(rc)));
        return;
    }
    connection->up_ = true;
    connection->backoff_.reset();
    ++connection->session_;
    const QByteArray status = connection->statusTopic().toUtf8();
    mosquitto_publish(connection->mosq_, nullptr, status.constData(), 6, "online", 1, true);
    emit connection->connected(connection->session_);
}

void MqttConnection::onDisconnect(mosquitto *, void *self, int rc)
{
    auto *connection = static_cast<MqttConnection *>(self);
    if (rc != 0 && connection->failure_.isEmpty() && !connection->closing_)
        connection->failure_ = QStringLiteral("連線中斷 (%1)").arg(QString::fromUtf8(mosquitto_strerror(rc)));
}

void MqttConnection::onPublish(mosquitto *, void *self, int mid)
{
    auto *connection = static_cast<MqttConnection *>(self);
    if (const quint64 id = connection->waiting_.take(mid))
        emit connection->delivered(id);
}
