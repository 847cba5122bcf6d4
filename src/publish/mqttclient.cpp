#include "mqttclient.h"

#include "mqttconnection.h"
#include "mqttlog.h"

#include <QDeadlineTimer>

#include <mosquitto.h>

#include <mutex>

namespace {

void initialiseLibrary()
{
    static std::once_flag once;
    std::call_once(once, [] { mosquitto_lib_init(); });
}

} // namespace

MqttClient::MqttClient(const MqttSettings &settings, QObject *parent)
    : MqttPublisher(parent), thread_(new QThread), connection_(new MqttConnection(settings))
{
    initialiseLibrary();
    qRegisterMetaType<MqttMessage>();
    thread_->setObjectName(QStringLiteral("mqtt"));
    connection_->moveToThread(thread_);
    connect(thread_, &QThread::finished, connection_, &QObject::deleteLater);
    connect(connection_, &MqttConnection::connected, this, &MqttPublisher::connected);
    connect(connection_, &MqttConnection::disconnected, this, &MqttPublisher::disconnected);
    connect(connection_, &MqttConnection::delivered, this, &MqttPublisher::delivered);
    thread_->start();
}

MqttClient::~MqttClient()
{
    stop(2000);
}

void MqttClient::start()
{
    if (stopped_)
        return;
    QMetaObject::invokeMethod(connection_, [c = connection_] { c->open(); }, Qt::QueuedConnection);
}

void MqttClient::publish(quint64 session, const MqttMessage &message, quint64 id)
{
    if (stopped_)
        return;
    QMetaObject::invokeMethod(connection_, [c = connection_, session, message, id] { c->publish(session, message, id); },
                              Qt::QueuedConnection);
}

void MqttClient::stop(int timeoutMs)
{
    if (stopped_)
        return;
    stopped_ = true;
    QMetaObject::invokeMethod(
        connection_,
        [c = connection_, timeoutMs] {
            c->close(timeoutMs);
            QThread::currentThread()->quit();
        },
        Qt::QueuedConnection);
    // The thread finishes within the close's own deadline unless a host name lookup
    // hangs; then the program ends without waiting for it any longer.
    if (!thread_->wait(QDeadlineTimer(timeoutMs + 1000))) {
        qCWarning(lcMqtt) << "network thread did not end in time; left behind";
        return;
    }
    delete thread_;
    thread_ = nullptr;
}
