#pragma once

// One message for the broker: where it goes and how it is kept.

#include <QByteArray>
#include <QMetaType>
#include <QString>

struct MqttMessage {
    QString topic;
    QByteArray payload;
    int qos = 0;
    bool retain = true;
};

Q_DECLARE_METATYPE(MqttMessage)
