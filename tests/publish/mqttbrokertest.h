#pragma once

// A mosquitto broker of the test's own, and a subscriber to everything below the
// test's topic prefix. Skipped where mosquitto is not installed.

#include "mqtttestbroker.h"
#include "mqtttestsubscriber.h"

#include <gtest/gtest.h>

class MqttBrokerTest : public ::testing::Test {
protected:
    explicit MqttBrokerTest(QString prefix) : prefix_(std::move(prefix)) {}

    void SetUp() override
    {
        if (MqttTestBroker::program().isEmpty())
            GTEST_SKIP() << "mosquitto is not installed";
        ASSERT_TRUE(broker.start()) << broker.output().toStdString();
        ASSERT_TRUE(subscriber.subscribe(broker.port(), prefix_ + "/#"));
    }
    // For a fixture's own SetUp: whether the broker and the subscriber are there.
    bool brokerReady() const { return !IsSkipped() && !HasFatalFailure(); }

    MqttTestBroker broker;
    MqttTestSubscriber subscriber;

private:
    QString prefix_;
};
