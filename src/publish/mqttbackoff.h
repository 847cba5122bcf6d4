#pragma once

// The wait before the next attempt to reach the broker: 1 s after the first failure,
// doubling with each further failure up to 60 s; a connection that succeeds starts
// the count again.

class MqttBackoff {
public:
    int nextDelayMs()
    {
        const int delay = delayMs_;
        delayMs_ = delayMs_ * 2 > kMaxMs ? kMaxMs : delayMs_ * 2;
        return delay;
    }
    void reset() { delayMs_ = kFirstMs; }

    static constexpr int kFirstMs = 1000;
    static constexpr int kMaxMs = 60000;

private:
    int delayMs_ = kFirstMs;
};
