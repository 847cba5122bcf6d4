#include "mqttalarmqueue.h"

MqttAlarmQueue::MqttAlarmQueue(int capacity) : capacity_(capacity < 1 ? 1 : capacity) {}

quint64 MqttAlarmQueue::push(const QByteArray &payload)
{
    if (entries_.size() >= capacity_) {
        entries_.removeFirst();
        ++lost_;
    }
    entries_.append({nextId_, payload});
    return nextId_++;
}

void MqttAlarmQueue::remove(quint64 id)
{
    // Acknowledgements come nearly always for the oldest entry.
    for (auto it = entries_.begin(); it != entries_.end(); ++it) {
        if (it->id == id) {
            entries_.erase(it);
            return;
        }
    }
}
