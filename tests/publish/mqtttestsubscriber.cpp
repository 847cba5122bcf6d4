#include "mqtttestsubscriber.h"

#include <QCoreApplication>
#include <QTest>

#include <mosquitto.h>

#include <chrono>

MqttTestSubscriber::MqttTestSubscriber()
{
    mosquitto_lib_init();
    static int instance = 0;
    const QByteArray id = QStringLiteral("tempmon-test-%1-%2").arg(QCoreApplication::applicationPid()).arg(++instance).toUtf8();
    mosq_ = mosquitto_new(id.constData(), false, this);
    mosquitto_connect_callback_set(mosq_, &MqttTestSubscriber::onConnect);
    mosquitto_message_callback_set(mosq_, &MqttTestSubscriber::onMessage);
    mosquitto_subscribe_callback_set(mosq_, &MqttTestSubscriber::onSubscribe);
}

MqttTestSubscriber::~MqttTestSubscriber()
{
    mosquitto_disconnect(mosq_);
    mosquitto_loop_stop(mosq_, true);
    mosquitto_destroy(mosq_);
}

bool MqttTestSubscriber::subscribe(int port, const QString &filter, int timeoutMs)
{
    filter_ = filter.toUtf8();
    if (mosquitto_connect(mosq_, "127.0.0.1", port, 30) != MOSQ_ERR_SUCCESS)
        return false;
    // The library's own thread reconnects by itself if the broker restarts.
    mosquitto_loop_start(mosq_);
    std::unique_lock<std::mutex> lock(mutex_);
    return changed_.wait_for(lock, std::chrono::milliseconds(timeoutMs), [this] { return subscribed_; });
}

QList<MqttTestSubscriber::Received> MqttTestSubscriber::received() const
{
    std::lock_guard<std::mutex> lock(mutex_);
    return received_;
}

QList<MqttTestSubscriber::Received> MqttTestSubscriber::on(const QString &topic) const
{
    QList<Received> matching;
    for (const Received &r : received())
        if (r.topic == topic)
            matching << r;
    return matching;
}

bool MqttTestSubscriber::last(const QString &topic, QByteArray *payload) const
{
    const QList<Received> matching = on(topic);
    if (matching.isEmpty())
        return false;
    *payload = matching.last().payload;
    return true;
}

bool MqttTestSubscriber::waitFor(const std::function<bool(const QList<Received> &)> &condition, int timeoutMs)
{
    // The caller's event loop runs meanwhile: the publisher's signals reach it queued.
    return QTest::qWaitFor(
        [&] { return condition(received()); },
        timeoutMs);
}

void MqttTestSubscriber::onMessage(mosquitto *, void *self, const mosquitto_message *message)
{
    auto *subscriber = static_cast<MqttTestSubscriber *>(self);
    {
        std::lock_guard<std::mutex> lock(subscriber->mutex_);
        subscriber->received_.append({QString::fromUtf8(message->topic),
                                      QByteArray(static_cast<const char *>(message->payload), message->payloadlen),
                                      message->retain});
    }
    subscriber->changed_.notify_all();
}

void MqttTestSubscriber::onConnect(mosquitto *mosq, void *self, int rc)
{
    if (rc == 0)
        mosquitto_subscribe(mosq, nullptr, static_cast<MqttTestSubscriber *>(self)->filter_.constData(), 1);
}

void MqttTestSubscriber::onSubscribe(mosquitto *, void *self, int, int, const int *)
{
    auto *subscriber = static_cast<MqttTestSubscriber *>(self);
    {
        std::lock_guard<std::mutex> lock(subscriber->mutex_);
        subscriber->subscribed_ = true;
    }
    subscriber->changed_.notify_all();
}
