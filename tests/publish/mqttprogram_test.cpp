// The program on the simulated plant with the publisher switched on, against a
// broker of the test's own: the tile's text on the retained topic, a driven alarm
// once on the alarm topic, the state line in the communication dialog; and the
// program as a process, whose status turns "offline" when it closes and when it is
// killed.

#include "alarmhelpers.h"
#include "homefixture.h"
#include "mqttservice.h"
#include "mqttstatelabel.h"
#include "mqttbrokertest.h"
#include "plantfeed.h"
#include "simprocess.h"
#include "simulatedplant.h"
#include "systemserialport.h"

#include <QAbstractButton>
#include <QBoxLayout>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QLineEdit>
#include <QAbstractItemView>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <csignal>
#include <cmath>

namespace {

const QString kPrefix = QStringLiteral("tempmon/plant");

// The main window and its windows as the entry builds them, with the plant feed and
// the publisher the entry creates from the store.
struct Publishers {
    explicit Publishers(SettingsStore &store) : mqtt(MqttService::fromStore(store, feed)) {}
    PlantFeed feed;
    std::unique_ptr<MqttService> mqtt;
};

class PublishingProgram : public Publishers, public HomeFixture {
public:
    explicit PublishingProgram(SettingsStore &store)
        : Publishers(store),
          HomeFixture(&store,
                      std::make_unique<TRs485Comm>(systemSerialPortFactory(),
                                                   [](int) { return std::string("/nonexistent"); }),
                      &feed)
    {
    }
    QString tilePv(int slot)
    {
        return home().findChild<QWidget *>(QStringLiteral("ControllerA%1").arg(slot))->findChild<QLineEdit *>("TxtPV")->text();
    }
};

class MqttProgramTest : public MqttBrokerTest {
protected:
    MqttProgramTest() : MqttBrokerTest(kPrefix) {}

    bool waitForLast(const QString &topic, const QByteArray &payload, int timeoutMs = 15000)
    {
        return subscriber.waitFor(
            [&](const auto &) {
                QByteArray last;
                return subscriber.last(topic, &last) && last == payload;
            },
            timeoutMs);
    }

    // `payload` arrives on `topic` after the first `seen` messages of that topic.
    bool waitForNext(const QString &topic, const QByteArray &payload, int seen, int timeoutMs = 15000)
    {
        return subscriber.waitFor(
            [&](const auto &) {
                const auto messages = subscriber.on(topic);
                for (int i = seen; i < messages.size(); ++i)
                    if (messages[i].payload == payload)
                        return true;
                return false;
            },
            timeoutMs);
    }
};

TEST_F(MqttProgramTest, TheTilesTextAndADrivenAlarmReachTheBroker)
{
    SimProcess sim({"--line", "psl=auto,echo=on,latency=1"});
    ASSERT_TRUE(sim.start());
    MemorySettingsStore store;
    seedSimulatedLines(store, 1);
    store.setString("SerialPortMap", "COM1", sim.device(1));
    store.setString("Mqtt", "Enabled", "1");
    store.setString("Mqtt", "Port", QString::number(broker.port()));
    store.setString("Mqtt", "Topic", kPrefix);
    PublishingProgram program(store);
    ASSERT_TRUE(program.mqtt);
    QLabel *state = addMqttStateLabel(*program.window("FmCommSetting"));
    QObject::connect(program.mqtt.get(), &MqttService::stateChanged, state, &QLabel::setText);
    program.mqtt->start();
    program.home().show();
    ASSERT_TRUE(program.boxes.shown.isEmpty()) << program.boxes.shown.value(0).text.toStdString();
    ASSERT_TRUE(waitForLast(kPrefix + "/status", "online"));
    EXPECT_TRUE(waitUntil([&] { return state->text() == "MQTT: 已連線"; }));
    auto *column = qobject_cast<QBoxLayout *>(program.window("FmCommSetting")->layout());
    ASSERT_NE(column, nullptr);
    EXPECT_EQ(column->indexOf(state), column->count() - 2) << "just above the dialog's buttons";

    // Slot 1 held at a known value, slot 3 held at its set value with a band of 5.
    program.home().findChild<QAbstractButton *>("BtnStart")->click();
    ASSERT_TRUE(waitUntil([&] { return !program.model.reading(1, 3).SvText.isEmpty(); }, 20000));
    ASSERT_EQ(sim.command("hold 1 1 on").left(2), "ok");
    ASSERT_EQ(sim.command("set 1 1 0x8A 2345").left(2), "ok");
    ASSERT_TRUE(waitUntil([&] { return program.tilePv(1).contains("234"); }, 15000)) << program.tilePv(1).toStdString();
    const QString tileText = program.tilePv(1);
    EXPECT_TRUE(waitForLast(kPrefix + "/1/01/pv", tileText.toUtf8())) << tileText.toStdString();

    ASSERT_EQ(sim.command("hold 1 3 on").left(2), "ok");
    const double unit = std::pow(10, program.model.dp(1, 3));
    const int sv = int(std::lround(program.model.reading(1, 3).SvText.toDouble() * unit));
    ASSERT_EQ(sim.command(QStringLiteral("set 1 3 0x8A %1").arg(sv)).left(2), "ok");
    ASSERT_TRUE(waitUntil([&] { return program.model.reading(1, 3).PvText == program.model.reading(1, 3).SvText; }, 10000));
    program.model.setAlarmPoint(1, 3, {QStringLiteral("5"), QStringLiteral("5"), true});
    ASSERT_EQ(sim.command(QStringLiteral("set 1 3 0x8A %1").arg(sv + int(10 * unit))).left(2), "ok");
    auto *list = program.home().findChild<QAbstractItemView *>("LstAlarming");
    ASSERT_NE(list, nullptr);
    ASSERT_TRUE(waitUntil([&] { return lineCount(list) == 1; }, 15000));
    ASSERT_TRUE(subscriber.waitFor([&](const auto &) { return !subscriber.on(kPrefix + "/alarm").isEmpty(); }, 10000));
    // A few more cycles beyond the limit: still the one announcement.
    const long cycles = program.home().engine().cycleCount();
    ASSERT_TRUE(waitUntil([&] { return program.home().engine().cycleCount() >= cycles + 3; }, 15000));
    const auto alarms = subscriber.on(kPrefix + "/alarm");
    ASSERT_EQ(alarms.size(), 1);
    const QJsonObject alarm = QJsonDocument::fromJson(alarms[0].payload).object();
    EXPECT_EQ(alarm.value("text").toString(), listLines(list).value(0));
    EXPECT_EQ(alarm.value("panel").toInt(), 1);
    EXPECT_EQ(alarm.value("slot").toInt(), 3);
    EXPECT_EQ(alarm.value("side").toString(), "high");
    EXPECT_EQ(alarm.value("count").toInt(), 1);
    EXPECT_TRUE(QDateTime::fromString(alarm.value("time").toString(), Qt::ISODate).isValid());
}

// The program as an operator starts it, on a settings file of its own.
class ProgramProcess {
public:
    explicit ProgramProcess(int brokerPort)
    {
        const QString configDir = dir.filePath("config");
        QDir().mkpath(configDir);
        QFile ini(QDir(configDir).filePath("TEMPERATURE CONTROL.ini"));
        if (ini.open(QIODevice::WriteOnly))
            ini.write(QStringLiteral("[Mqtt]\nEnabled=1\nPort=%1\nTopic=%2\n").arg(brokerPort).arg(kPrefix).toUtf8());
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("XDG_CONFIG_HOME", configDir);
        env.insert("XDG_DATA_HOME", dir.filePath("data"));
        env.insert("HOME", dir.path());
        env.insert("QT_QPA_PLATFORM", "offscreen");
        process.setProcessEnvironment(env);
        process.setProcessChannelMode(QProcess::ForwardedChannels);
    }
    ~ProgramProcess()
    {
        if (process.state() != QProcess::NotRunning) {
            process.kill();
            process.waitForFinished(5000);
        }
    }
    bool start()
    {
        process.start(QStringLiteral(TEMPMON_PROGRAM_PATH), {});
        return process.waitForStarted(10000);
    }
    void signal(int sig) { ::kill(pid_t(process.processId()), sig); }

    QTemporaryDir dir;
    QProcess process;
};

TEST_F(MqttProgramTest, StatusIsOfflineAfterTheProgramClosesAndAfterItIsKilled)
{
    struct Case {
        const char *how;
        int signal;
    };
    // SIGTERM closes the main window, as closing it by hand does; SIGKILL leaves the
    // broker to publish the will.
    const Case cases[] = {{"closed", SIGTERM}, {"killed", SIGKILL}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.how);
        ProgramProcess program(broker.port());
        const QString status = kPrefix + "/status";
        ASSERT_TRUE(program.start());
        ASSERT_TRUE(waitForNext(status, "online", int(subscriber.on(status).size()), 30000));
        const int seen = int(subscriber.on(status).size());
        program.signal(c.signal);
        EXPECT_TRUE(waitForNext(status, "offline", seen));
        EXPECT_TRUE(program.process.state() == QProcess::NotRunning || program.process.waitForFinished(15000));
        if (c.signal == SIGTERM)
            EXPECT_EQ(program.process.exitStatus(), QProcess::NormalExit);
    }
}

} // namespace
