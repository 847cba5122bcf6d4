// The web view's cost to the program, printed as text. The whole program on three
// simulated lines, the web view open; phases of equal length alternate between no
// WebSocket client and 50 clients on loopback (the clients on a thread of the
// benchmark's own), round after round, in one run:
//   cycle    the engine's mean poll cycle over the phase (cycles counted, wall time)
//   tick     the display tick (TmrHomeTimer, which hands the feed its view), timed
//            call by call at 100 ms intervals (five times the program's rate, so
//            five times the pushes); median and 90th percentile
//   cpu      the whole process's processor time over the phase, in % of one core
//            (engine, windows, web view and, in the 50-client phases, the clients)
// Usage: bench_webview [seconds per phase = 20] [rounds = 3]

#include "feedhome.h"
#include "webviewserver.h"

#include <QAbstractButton>
#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QNetworkRequest>
#include <QTcpServer>
#include <QThread>
#include <QTimer>
#include <QWebSocket>

#include <sys/resource.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <vector>

namespace {

// The clients live on a thread of their own, as pages on other machines would take
// their own time to read.
class ClientPool : public QObject {
public:
    std::atomic<long> received{0};
    std::atomic<int> open{0};

    void connectClients(int count, const QUrl &url, const QByteArray &cookie)
    {
        for (int k = 0; k < count; ++k) {
            auto *client = new QWebSocket(QString(), QWebSocketProtocol::VersionLatest, this);
            connect(client, &QWebSocket::textMessageReceived, this, [this] { ++received; });
            connect(client, &QWebSocket::connected, this, [this] { ++open; });
            QNetworkRequest request(url);
            request.setRawHeader("Cookie", cookie);
            client->open(request);
        }
    }
    void closeClients()
    {
        for (QWebSocket *client : findChildren<QWebSocket *>()) {
            client->abort();
            delete client;
        }
        open = 0;
    }
};

double cpuSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec)
        + double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

double percentile(std::vector<double> values, double p)
{
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    return values[std::min(values.size() - 1, std::size_t(p * double(values.size())))];
}

struct Phase {
    int clients;
    double cycleMs;
    double tickMedianUs;
    double tick90Us;
    double cpuPercent;
    long pushes;
};

void runUntil(const std::function<bool()> &done, int timeoutMs)
{
    QElapsedTimer clock;
    clock.start();
    while (!done() && clock.elapsed() < timeoutMs)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
}

Phase measure(FeedHome &plant, ClientPool &pool, int clients, int seconds)
{
    std::vector<double> ticks;
    QTimer tickTimer;
    tickTimer.setInterval(100);
    QObject::connect(&tickTimer, &QTimer::timeout, [&] {
        QElapsedTimer clock;
        clock.start();
        plant.home().TmrHomeTimer();
        ticks.push_back(double(clock.nsecsElapsed()) / 1e3);
    });
    const long received0 = pool.received;
    const long cycles0 = plant.home().engine().cycleCount();
    const double cpu0 = cpuSeconds();
    QElapsedTimer wall;
    wall.start();
    tickTimer.start();
    QEventLoop loop;
    QTimer::singleShot(seconds * 1000, &loop, &QEventLoop::quit);
    loop.exec();
    tickTimer.stop();
    const double elapsedMs = double(wall.nsecsElapsed()) / 1e6;
    const long cycles = plant.home().engine().cycleCount() - cycles0;
    return {clients, cycles > 0 ? elapsedMs / double(cycles) : 0, percentile(ticks, 0.5), percentile(ticks, 0.9),
            100 * (cpuSeconds() - cpu0) / (elapsedMs / 1000), clients > 0 ? (pool.received - received0) / clients : 0};
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int seconds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 20;
    const int rounds = argc > 2 ? std::max(1, std::atoi(argv[2])) : 3;

    MemorySettingsStore store;
    const auto sim = startSimulatedLines(store, 3);
    if (!sim) {
        std::printf("simulator did not start\n");
        return 1;
    }
    FeedHome plant(store);
    plant.home().show();
    WebViewSettings settings;
    settings.enabled = true;
    settings.port = 0;
    {
        QTcpServer probe;
        probe.listen(QHostAddress::LocalHost, 0);
        settings.port = probe.serverPort();
    }
    settings.token = QStringLiteral("bench");
    WebViewServer server(plant.feed, settings);
    if (!server.start()) {
        std::printf("web view did not start: %s\n", qPrintable(server.problem()));
        return 1;
    }
    plant.control<QAbstractButton>(QStringLiteral("BtnStart"))->click();
    runUntil([&] { return plant.home().engine().cycleCount() >= 3; }, 60000);

    QThread clientThread;
    ClientPool pool;
    pool.moveToThread(&clientThread);
    clientThread.start();
    const QUrl url(QStringLiteral("ws://127.0.0.1:%1/live").arg(server.port()));

    std::vector<Phase> phases;
    for (int round = 0; round < rounds; ++round) {
        for (const int clients : {0, 50}) {
            if (clients > 0) {
                QMetaObject::invokeMethod(&pool, [&] { pool.connectClients(clients, url, "tempmon_token=bench"); });
                runUntil([&] { return server.clientCount() == clients && pool.open == clients; }, 20000);
                if (server.clientCount() != clients)
                    std::printf("only %d of %d clients connected\n", server.clientCount(), clients);
            }
            phases.push_back(measure(plant, pool, clients, seconds));
            if (clients > 0) {
                QMetaObject::invokeMethod(&pool, [&] { pool.closeClients(); }, Qt::BlockingQueuedConnection);
                runUntil([&] { return server.clientCount() == 0; }, 10000);
            }
        }
    }
    clientThread.quit();
    clientThread.wait();

    double cycle[2] = {0, 0}, tick[2] = {0, 0};
    for (const Phase &p : phases) {
        std::printf("%2d clients: cycle %.2f ms, display tick median %.1f us (90%% %.1f us), cpu %.1f %%, "
                    "%ld pushes per client\n",
                    p.clients, p.cycleMs, p.tickMedianUs, p.tick90Us, p.cpuPercent, p.pushes);
        cycle[p.clients > 0] += p.cycleMs / rounds;
        tick[p.clients > 0] += p.tickMedianUs / rounds;
    }
    std::printf("mean of the rounds: cycle %.2f -> %.2f ms (%+.1f %%), display tick %.1f -> %.1f us (%+.1f %%)\n",
                cycle[0], cycle[1], 100 * (cycle[1] / cycle[0] - 1), tick[0], tick[1], 100 * (tick[1] / tick[0] - 1));
    return 0;
}
