// The group "Mqtt" as an installer writes it by hand: defaults named after the
// computer, values taken as given, unusable values named instead of guessed.

#include "memorysettingsstore.h"
#include "mqttsettings.h"

#include <gtest/gtest.h>

namespace {

TEST(MqttSettings, WithoutTheGroupThePublisherIsOffWithTheDefaults)
{
    MemorySettingsStore store;
    const MqttSettings s = readMqttSettings(store, QStringLiteral("oven-pc"));
    EXPECT_FALSE(s.enabled);
    EXPECT_EQ(s.host, "127.0.0.1");
    EXPECT_EQ(s.port, 1883);
    EXPECT_EQ(s.topic, "tempmon/oven-pc");
    EXPECT_EQ(s.clientId, "tempmon-oven-pc");
    EXPECT_TRUE(s.username.isEmpty());
    EXPECT_FALSE(s.tls);
    EXPECT_TRUE(s.problem.isEmpty());
}

TEST(MqttSettings, StoredValuesAreTakenAndTheStoreIsNotWritten)
{
    MemorySettingsStore store;
    store.setString("Mqtt", "Enabled", "1");
    store.setString("Mqtt", "Host", "broker.plant.local");
    store.setString("Mqtt", "Port", "8883");
    store.setString("Mqtt", "Topic", "plant/line2/");
    store.setString("Mqtt", "ClientId", "line2");
    store.setString("Mqtt", "Username", "oven");
    store.setString("Mqtt", "Password", "secret");
    store.setString("Mqtt", "Tls", "1");
    store.setString("Mqtt", "CaFile", "/etc/ssl/plant-ca.pem");
    const QStringList before = [&] {
        store.openKey("Mqtt", false);
        const QStringList names = store.valueNames();
        store.closeKey();
        return names;
    }();

    const MqttSettings s = readMqttSettings(store, QStringLiteral("oven-pc"));
    EXPECT_TRUE(s.enabled);
    EXPECT_EQ(s.host, "broker.plant.local");
    EXPECT_EQ(s.port, 8883);
    EXPECT_EQ(s.topic, "plant/line2") << "a trailing slash would double it in every topic";
    EXPECT_EQ(s.clientId, "line2");
    EXPECT_EQ(s.username, "oven");
    EXPECT_EQ(s.password, "secret");
    EXPECT_TRUE(s.tls);
    EXPECT_EQ(s.caFile, "/etc/ssl/plant-ca.pem");
    EXPECT_TRUE(s.problem.isEmpty()) << s.problem.toStdString();

    store.openKey("Mqtt", false);
    EXPECT_EQ(store.valueNames(), before);
    store.closeKey();
}

TEST(MqttSettings, UnusableValuesAreNamed)
{
    struct Case {
        const char *name;
        const char *value;
        const char *problem;
    };
    const Case cases[] = {
        {"Port", "0", "Port 設定錯誤"},
        {"Port", "70000", "Port 設定錯誤"},
        {"Port", "abc", "Port 設定錯誤"},
        {"Topic", "plant/+/ovens", "Topic 設定錯誤"},
        {"Topic", "plant/#", "Topic 設定錯誤"},
        {"Topic", "/", "Topic 設定錯誤"},
        {"Tls", "1", "Tls 需要 CaFile"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(std::string(c.name) + "=" + c.value);
        MemorySettingsStore store;
        store.setString("Mqtt", "Enabled", "1");
        store.setString("Mqtt", c.name, QString::fromUtf8(c.value));
        EXPECT_EQ(readMqttSettings(store, QStringLiteral("pc")).problem, QString::fromUtf8(c.problem));
    }
}

TEST(MqttSettings, OnlyOneSwitchesItOn)
{
    for (const char *value : {"0", "2", "yes", ""}) {
        MemorySettingsStore store;
        store.setString("Mqtt", "Enabled", value);
        EXPECT_FALSE(readMqttSettings(store, QStringLiteral("pc")).enabled) << value;
    }
}

} // namespace
