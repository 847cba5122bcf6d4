// The poll cycle with the MQTT publisher on, printed as text: three simulated lines
// polled without pause, the feed given a view every 500 ms and an alarm every
// second, against a broker of the bench's own. The broker is up for one phase,
// stopped for the next, and up again for a third; the stopped phase is compared with
// the two around it, so that a drift of the machine's load between phases shows
// instead of passing for the publisher's cost. The alarms raised while the broker was
// gone must arrive after its return, in order.
// Usage: bench_mqtt [phase_seconds=30]

#include "mqttservice.h"
#include "mqttbridge.h"
#include "mqtttestbroker.h"
#include "mqtttestsubscriber.h"
#include "plantfeed.h"
#include "simprocess.h"
#include "systemserialport.h"
#include "tcommcontroller.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTimer>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <mutex>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

class CycleLog {
public:
    void atCycleEnd()
    {
        std::lock_guard<std::mutex> lock(m_);
        ends_.push_back(Clock::now());
    }
    std::size_t count()
    {
        std::lock_guard<std::mutex> lock(m_);
        return ends_.size();
    }
    // Durations of the cycles that ended after the first `from` and up to `to`.
    std::vector<double> durationsMs(std::size_t from, std::size_t to)
    {
        std::lock_guard<std::mutex> lock(m_);
        std::vector<double> ms;
        for (std::size_t k = std::max<std::size_t>(from, 1); k < to && k < ends_.size(); ++k)
            ms.push_back(std::chrono::duration<double, std::milli>(ends_[k] - ends_[k - 1]).count());
        return ms;
    }

private:
    std::mutex m_;
    std::vector<Clock::time_point> ends_;
};

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    const std::size_t n = v.size();
    return n == 0 ? 0 : (n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2);
}

double mean(const std::vector<double> &v)
{
    double sum = 0;
    for (double x : v)
        sum += x;
    return v.empty() ? 0 : sum / double(v.size());
}

// Runs the event loop (display ticks, alarms, the publisher's signals) for `ms`.
void run(int ms)
{
    const QDeadlineTimer deadline(ms);
    while (!deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, int(deadline.remainingTime()));
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const int phaseMs = (argc > 1 ? std::max(1, std::atoi(argv[1])) : 30) * 1000;
    const QString prefix = QStringLiteral("tempmon/bench");

    MqttTestBroker broker;
    if (MqttTestBroker::program().isEmpty() || !broker.start()) {
        std::printf("broker did not start\n");
        return 1;
    }
    MqttTestSubscriber subscriber;
    if (!subscriber.subscribe(broker.port(), prefix + QStringLiteral("/alarm"))) {
        std::printf("subscriber did not connect\n");
        return 1;
    }
    const QString wire = QStringLiteral(",baud=38400,wire=on,latency=5");
    SimProcess sim({QStringLiteral("--line"), QStringLiteral("psl=rtu,echo=off") + wire, QStringLiteral("--line"),
                    QStringLiteral("psl=rtu,echo=off") + wire, QStringLiteral("--line"),
                    QStringLiteral("psl=rtu,echo=off") + wire});
    if (!sim.start()) {
        std::printf("simulator did not start\n");
        return 1;
    }

    PlantModel model;
    for (int p = 1; p <= 3; ++p) {
        model.setLineSettings(p, LineSettings{p, 38400, TConverter::RS485, TPsl::rtu, {}});
        for (int s = 1; s <= 10; ++s)
            model.setStationId(p, s, (p - 1) * 10 + s); // the simulator's stations
    }
    auto link = std::make_unique<TRs485Comm>(systemSerialPortFactory(),
                                             [&sim](int port) { return sim.device(port).toStdString(); });
    CycleLog cycles;
    TCommController engine(model, std::move(link));
    engine.setCycleHook([&cycles](long) { cycles.atCycleEnd(); });

    PlantFeed feed;
    MqttSettings settings;
    settings.enabled = true;
    settings.port = broker.port();
    settings.topic = prefix;
    settings.clientId = QStringLiteral("tempmon-bench");
    MqttService mqtt(settings, feed);
    mqtt.start();

    // What the main window does every 500 ms, and an alarm a second.
    QTimer display;
    QObject::connect(&display, &QTimer::timeout, [&] {
        PlantView view;
        view.monitoring = true;
        for (int p = 1; p <= 3; ++p)
            view.panels[p] = model.readingsSnapshot(p);
        feed.setView(view);
    });
    int raised = 0;
    QTimer alarms;
    QObject::connect(&alarms, &QTimer::timeout, [&] {
        ++raised;
        feed.raiseAlarm({QDateTime::currentDateTime(), 1, 1 + raised % 10, AlarmSide::High, raised,
                         QStringLiteral("alarm %1").arg(raised)});
    });

    engine.start();
    display.start(500);
    alarms.start(1000);
    run(3000); // the first scan and a connection

    const std::size_t upFrom = cycles.count();
    run(phaseMs);
    const std::size_t upTo = cycles.count();
    const QString upState = mqtt.stateText();

    broker.stop();
    const int firstDuringOutage = raised + 1;
    const std::size_t downFrom = cycles.count();
    run(phaseMs);
    const std::size_t downTo = cycles.count();
    const int lastDuringOutage = raised;
    const QString downState = mqtt.stateText();
    alarms.stop();

    broker.start();
    const std::size_t afterFrom = cycles.count();
    run(phaseMs);
    const std::size_t afterTo = cycles.count();
    const bool returned = subscriber.waitFor(
        [&](const QList<MqttTestSubscriber::Received> &all) {
            return !all.isEmpty() && QJsonDocument::fromJson(all.last().payload).object().value("count").toInt() >= raised;
        },
        90000);
    engine.requestStop();
    engine.wait();

    // The outage's alarms, as they arrived: each once and in the order raised.
    QList<int> counts;
    for (const auto &r : subscriber.received())
        counts << QJsonDocument::fromJson(r.payload).object().value("count").toInt();
    QList<int> outage;
    for (int c : counts)
        if (c >= firstDuringOutage && c <= lastDuringOutage)
            outage << c;
    bool inOrder = outage.size() == lastDuringOutage - firstDuringOutage + 1;
    for (int i = 0; inOrder && i < outage.size(); ++i)
        inOrder = outage[i] == firstDuringOutage + i;

    int linked = 0;
    for (int p = 1; p <= 3; ++p)
        for (int s = 1; s <= 10; ++s)
            linked += !model.unlinked(p, s);
    std::printf("%d of 30 controllers linked\n", linked);
    const std::vector<double> before = cycles.durationsMs(upFrom, upTo);
    const std::vector<double> down = cycles.durationsMs(downFrom, downTo);
    const std::vector<double> after = cycles.durationsMs(afterFrom, afterTo);
    std::vector<double> up = before;
    up.insert(up.end(), after.begin(), after.end());
    std::printf("broker up      (%s): %zu cycles, median %.2f ms, mean %.2f ms\n", qPrintable(upState),
                before.size(), median(before), mean(before));
    std::printf("broker stopped (%s): %zu cycles, median %.2f ms, mean %.2f ms\n", qPrintable(downState),
                down.size(), median(down), mean(down));
    std::printf("broker up again: %zu cycles, median %.2f ms, mean %.2f ms\n", after.size(), median(after),
                mean(after));
    std::printf("stopped against both up phases: median %+.2f %%, mean %+.2f %%\n",
                (median(down) / median(up) - 1) * 100, (mean(down) / mean(up) - 1) * 100);
    const double slower = (median(down) / median(up) - 1) * 100;
    std::printf("a stopped broker slows the cycle by more than 2 %%: %s\n", slower > 2 ? "YES" : "no");
    std::printf("alarms raised while stopped: %d..%d, after the return %s; %lld received in all, %s\n",
                firstDuringOutage, lastDuringOutage, returned ? "arrived" : "did NOT arrive",
                static_cast<long long>(counts.size()), inOrder ? "each once, in order" : "NOT each once in order");
    return returned && inOrder ? 0 : 1;
}
