#pragma once

// Alarms waiting for the broker, oldest first. An alarm stays here until the broker
// has acknowledged it, so that one sent just before a connection broke is sent again
// on the next. The queue is bounded: when full, the oldest alarm is dropped and
// counted as lost.

#include <QByteArray>
#include <QList>

class MqttAlarmQueue {
public:
    struct Entry {
        quint64 id;
        QByteArray payload;
    };

    explicit MqttAlarmQueue(int capacity = kCapacity);

    // Returns the id the broker's acknowledgement will carry.
    quint64 push(const QByteArray &payload);
    // An acknowledged alarm; an id no longer here (dropped meanwhile) is ignored.
    void remove(quint64 id);

    const QList<Entry> &entries() const { return entries_; }
    int size() const { return int(entries_.size()); }
    quint64 lost() const { return lost_; }

    static constexpr int kCapacity = 1000;

private:
    int capacity_;
    QList<Entry> entries_;
    quint64 nextId_ = 1;
    quint64 lost_ = 0;
};
