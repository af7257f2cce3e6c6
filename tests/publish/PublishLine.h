// The fixture of the publishing tests: a line of kx5sim stations polled by the real link and
// published to a Mosquitto broker of its own, with a subscriber on the line's topics.
#pragma once

#include "link/KX5Link.h"
#include "link/QtSerialPort.h"
#include "link/mdlKX5.h"
#include "publish/Publisher.h"
#include "tests/monitor/SimSettings.h"
#include "tests/support/MqttBroker.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

#define NEED_BROKER()                                                                              \
    if (MqttBroker::binary().isEmpty()) GTEST_SKIP() << "the mosquitto broker is not installed"

inline QJsonObject json(const QByteArray& payload) {
    return QJsonDocument::fromJson(payload).object();
}

// Starts a broker; a failure carries what it printed.
inline testing::AssertionResult started(MqttBroker& broker) {
    QString error;
    if (broker.start(&error)) return testing::AssertionSuccess();
    return testing::AssertionFailure() << error.toStdString();
}

// A line of kx5sim stations polled by the real link, published to a broker of its own.
class PublishLine : public ::testing::Test {
protected:
    void SetUp() override {
        NEED_BROKER();
        setProgramDir(dir.path());
        broker = std::make_unique<MqttBroker>(dir.path());
        ASSERT_TRUE(started(*broker));
        kx5sim::LineConfig cfg;
        cfg.stations = {1, 2};
        sim = std::make_unique<kx5sim::SimLine>(cfg);
        ASSERT_TRUE(sim->start());
        // Station 1 in Fahrenheit with one decimal; station 2 a voltage input with two.
        ASSERT_TRUE(sim->writeRegister(1, 610, 20) && sim->writeRegister(1, 611, 1));
        ASSERT_TRUE(sim->writeRegister(2, 610, 30) && sim->writeRegister(2, 614, 2));
        ASSERT_TRUE(writeSimSettings(*sim, {1, 2}));
        link = std::make_unique<KX5Link>(std::make_unique<QtSerialPort>());
        link->setPortSettings(LoadCommCfg());
        link->setStations(LoadStations());
        sub = std::make_unique<MqttSubscriber>(broker->port, "kx5/line1/#");
        ASSERT_TRUE(sub->waitSubscribed());
        publisher = std::make_unique<Publisher>(link.get());
        QObject::connect(publisher.get(), &Publisher::event,
                         [this](const FileNotice& said) { events << said.logged; });
        options.enabled = true;
        options.host = QStringLiteral("127.0.0.1");
        options.port = broker->port;
        options.retain = true;
        publisher->apply(options);
        link->mSetPortOpen_Click();
    }
    void TearDown() override {
        publisher.reset();
        if (link) link->ClosePort();
        link.reset();
        setProgramDir(QString());
    }
    bool waitAnswering(int mc, bool answering, int ms = 20000) {
        const std::string topic = "kx5/line1/" + std::to_string(mc);
        return QTest::qWaitFor(
            [&] {
                const auto got = sub->on(topic);
                return !got.empty() && json(got.back())["answering"].toBool() == answering;
            },
            ms);
    }

    QTemporaryDir dir;
    std::unique_ptr<MqttBroker> broker;
    std::unique_ptr<kx5sim::SimLine> sim;
    std::unique_ptr<KX5Link> link;
    std::unique_ptr<MqttSubscriber> sub;
    std::unique_ptr<Publisher> publisher;
    PublishOptions options;
    QStringList events;
};
