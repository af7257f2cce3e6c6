// The alarms topic against kx5sim and a broker: a station's alarm as the simulator raises it,
// acknowledged and cleared, each state retained on <line>/<MC No>/alarms. The alarm book's
// rules are test_alarms'.
#include "app/LineServices.h"
#include "services/AlarmBook.h"
#include "tests/app/HeadlessRun.h"
#include "tests/publish/PublishLine.h"

#include <QJsonArray>

// Designated initializers leave the other members at their defaults, which GCC 12 warns of.
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"

TEST(PublishAlarms, EachStateOfAStationsAlarmsIsRetained) {
    NEED_BROKER();
    HeadlessRun run; // its folder and simulator; the line runs in this process
    MqttBroker broker(run.dir.path());
    ASSERT_TRUE(started(broker));
    kx5sim::SimLine& sim = run.sim;
    ASSERT_TRUE(run.prepare());
    ASSERT_TRUE(sim.writeRegister(1, 411, 0)); // alarm 2 never on
    {
        LineServices line;
        line.alarms()->user = [] { return QStringLiteral("kim"); };
        line.link()->setPortSettings(LoadCommCfg());
        line.link()->setStations(LoadStations());
        line.publisher()->apply({.enabled = true, .host = "127.0.0.1", .port = broker.port});
        MqttSubscriber sub(broker.port, "kx5/line1/1/alarms");
        ASSERT_TRUE(sub.waitSubscribed());
        line.link()->mSetPortOpen_Click();
        // The newest payload's alarms, once it has `count` of them in `state`.
        const auto waitFor = [&](const char* state, int count) {
            return QTest::qWaitFor(
                [&] {
                    const QJsonArray a = json(sub.last("kx5/line1/1/alarms"))["alarms"].toArray();
                    return a.size() == count && (count == 0 || a[0]["state"].toString() == state);
                },
                20000);
        };
        // Alarm 1 as absolute low with its point far above any PV: on at the next reply.
        ASSERT_TRUE(sim.writeRegister(1, 416, 9999) && sim.writeRegister(1, 410, 6));
        ASSERT_TRUE(waitFor("active_unacknowledged", 1));
        QJsonObject o = json(sub.last("kx5/line1/1/alarms"));
        EXPECT_EQ(o["mc"].toInt(), 1);
        EXPECT_EQ(o["unacknowledged"].toInt(), 1);
        const QJsonObject al1 = o["alarms"].toArray()[0].toObject();
        EXPECT_EQ(al1["alarm"].toString(), "AL1");
        EXPECT_TRUE(al1["pv"].isDouble());
        EXPECT_TRUE(QDateTime::fromString(al1["raisedAt"].toString(), Qt::ISODate).isValid());
        EXPECT_TRUE(al1["acknowledgedAt"].isNull() && al1["clearedAt"].isNull());
        EXPECT_EQ(line.alarms()->acknowledgeAll(), 1);
        ASSERT_TRUE(waitFor("active_acknowledged", 1));
        EXPECT_EQ(json(sub.last("kx5/line1/1/alarms"))["alarms"][0]["acknowledgedBy"], "kim");
        // Alarm 1 off: acknowledged and cleared, it is gone.
        ASSERT_TRUE(sim.writeRegister(1, 410, 0));
        ASSERT_TRUE(waitFor("", 0));
        line.link()->ClosePort();
    }
    // Retained: a subscriber that comes later gets the last state at once.
    MqttSubscriber late(broker.port, "kx5/line1/1/alarms");
    ASSERT_TRUE(late.waitSubscribed());
    EXPECT_TRUE(QTest::qWaitFor([&] { return !late.on("kx5/line1/1/alarms").empty(); }, 5000));
    EXPECT_EQ(json(late.last("kx5/line1/1/alarms"))["unacknowledged"].toInt(), 0);
}
