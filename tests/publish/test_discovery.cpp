// Home Assistant discovery and publishing on change: the decisions of the change filter, every
// discovery message parsed and its state read back through its topic and template, removal
// when a station leaves or discovery is off (after a restart too), and a steady line on change.
#include "publish/ChangeFilter.h"
#include "tests/publish/PublishLine.h"

#include <QJsonArray>
#include <set>

// Designated initializers leave the other members at their defaults, which GCC 12 warns of.
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"

TEST(PublishOnChange, DecisionsFollowTheDeadBandTheLampsTheStateAndTheHeartbeat) {
    ChangeFilter filter(0.5, 60000);
    struct Row {
        const char* name;
        double pv, sv, mv;
        unsigned lamps;
        bool answering;
        const char* unit;
        int decimals;
        qint64 nowMs;
        bool due;
    };
    // Each row against what was last published (rows marked due are published).
    const Row rows[] = {
        {"first reading", 25.0, 100.0, 40.0, 0, true, "℃", 1, 0, true},
        {"PV within the band", 25.3, 100.0, 40.0, 0, true, "℃", 1, 100, false},
        {"PV exactly the band from the last published", 25.5, 100.0, 40.0, 0, true, "℃", 1, 200,
         false},
        {"PV drifted past the band", 25.6, 100.0, 40.0, 0, true, "℃", 1, 300, true},
        {"PV back down within the band", 25.2, 100.0, 40.0, 0, true, "℃", 1, 400, false},
        {"SV changed", 25.2, 101.0, 40.0, 0, true, "℃", 1, 500, true},
        {"MV below the band", 25.2, 101.0, 39.6, 0, true, "℃", 1, 600, false},
        {"MV past the band", 25.2, 101.0, 39.4, 0, true, "℃", 1, 700, true},
        {"a lamp on", 25.2, 101.0, 39.4, 1, true, "℃", 1, 800, true},
        {"the unit", 25.2, 101.0, 39.4, 1, true, "℉", 1, 900, true},
        {"the decimals", 25.2, 101.0, 39.4, 1, true, "℉", 0, 1000, true},
        {"stops answering", 0, 0, 0, 0, false, "", 0, 1100, true},
        {"still not answering", 0, 0, 0, 0, false, "", 0, 1200, false},
        {"answers again with the same figures", 25.2, 101.0, 39.4, 1, true, "℉", 0, 1300, true},
        {"steady, a moment before the heartbeat", 25.2, 101.0, 39.4, 1, true, "℉", 0, 61299, false},
        {"steady, the heartbeat", 25.2, 101.0, 39.4, 1, true, "℉", 0, 61300, true},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const Reading r{.decimals = row.decimals,
                        .pv = row.pv,
                        .sv = row.sv,
                        .mv = row.mv,
                        .unit = QString::fromUtf8(row.unit),
                        .lamps = row.lamps};
        EXPECT_EQ(filter.due(3, r, row.answering, row.nowMs), row.due);
        // Another station is judged on its own.
        EXPECT_TRUE(filter.due(1, r, row.answering, row.nowMs));
        if (row.due) filter.published(3, r, row.answering, row.nowMs);
    }
    // A station that left the list and comes back starts afresh; those kept do not.
    Reading steady;
    filter.published(1, steady, true, 61300);
    filter.keepOnly([](int mc) { return mc == 1; });
    EXPECT_TRUE(filter.due(3, steady, true, 61301));
    EXPECT_FALSE(filter.due(1, steady, true, 61301));
}

namespace {

// Renders each template with value_json the payload, as Home Assistant does, through Jinja2
// itself; undefined names are errors. Empty when Jinja2 is not there.
std::optional<QStringList> render(const std::vector<std::pair<QString, QByteArray>>& jobs) {
    QJsonArray in;
    for (const auto& [tpl, payload] : jobs)
        in.append(QJsonArray{tpl, QString::fromUtf8(payload)});
    QProcess p;
    p.start("python3", {"-c", "import sys, json, jinja2\n"
                              "env = jinja2.Environment(undefined=jinja2.StrictUndefined)\n"
                              "for t, p in json.load(sys.stdin):\n"
                              "    print(env.from_string(t).render(value_json=json.loads(p)))\n"});
    if (!p.waitForStarted(5000)) return std::nullopt;
    p.write(QJsonDocument(in).toJson());
    p.closeWriteChannel();
    if (!p.waitForFinished(20000) || p.exitCode() != 0) {
        if (p.readAllStandardError().contains("No module named")) return std::nullopt;
        ADD_FAILURE() << "a template did not render";
        return QStringList();
    }
    return QString::fromUtf8(p.readAllStandardOutput()).split('\n').mid(0, int(jobs.size()));
}

using Configs = std::map<std::string, QJsonObject>; // retained config by topic

// What a new subscriber is given. The broker hands over the retained messages on subscribing,
// so once a message published after that arrives, they all have. The marker goes at QoS 1 like
// them: a QoS 0 one may overtake those still queued behind the broker's in-flight window.
std::map<std::string, QByteArray> retained(int port, const QString& under) {
    MqttSubscriber fresh(port, (under + "/#").toStdString());
    EXPECT_TRUE(fresh.waitSubscribed());
    const std::string end = (under + "/end").toStdString();
    EXPECT_TRUE(fresh.publish(end, ".", 1));
    EXPECT_TRUE(QTest::qWaitFor([&] { return fresh.last(end) == "."; }, 10000));
    std::map<std::string, QByteArray> out;
    for (const auto& m : fresh.messages())
        if (m.retained && !m.payload.isEmpty()) out[m.topic] = m.payload;
    return out;
}

Configs retainedConfigs(int port) {
    Configs out;
    for (const auto& [topic, payload] : retained(port, "homeassistant"))
        out[topic] = json(payload);
    return out;
}

} // namespace

TEST_F(PublishLine, DiscoveryAnnouncesEachStationAndRemovesWhatLeaves) {
    MqttSubscriber ha(broker->port, "homeassistant/#");
    ASSERT_TRUE(ha.waitSubscribed());
    options.discovery = true;
    publisher->apply(options);
    constexpr size_t kPerStation = 3 + 14;
    ASSERT_TRUE(QTest::qWaitFor([&] { return ha.messages().size() >= 2 * kPerStation; }, 20000));
    // The first publication of each station with its figures.
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return !sub->on("kx5/line1/1/mv").empty() && !sub->on("kx5/line1/2/mv").empty(); },
        20000));
    const auto all = sub->messages();

    std::set<QString> uniqueIds;
    std::vector<std::pair<QString, QByteArray>> jobs;
    std::vector<QString> wanted;
    for (const auto& [mc, unit, unitClass] :
         {std::tuple{1, "°F", "temperature"}, std::tuple{2, "V", "voltage"}}) {
        SCOPED_TRACE(mc);
        const std::string base = "kx5/line1/" + std::to_string(mc);
        // One publication of the station: its JSON and the figures that follow it.
        size_t at = 0;
        while (at < all.size() && !(all[at].topic == base && json(all[at].payload).contains("pv")))
            ++at;
        ASSERT_LT(at, all.size());
        std::map<std::string, QByteArray> state{{base, all[at].payload}};
        for (size_t k = at + 1; k < all.size(); ++k)
            if (all[k].topic.rfind(base + "/", 0) == 0 && !state.count(all[k].topic))
                state[all[k].topic] = all[k].payload;
        const QJsonObject station = json(all[at].payload);

        const QString node =
            QStringLiteral("homeassistant/%2/kx5_line1/mc%1_").arg(mc, 2, 10, QLatin1Char('0'));
        size_t seen = 0;
        for (const auto& m : ha.messages()) {
            const QString topic = QString::fromStdString(m.topic);
            if (!topic.contains(QStringLiteral("/mc0%1_").arg(mc))) continue;
            SCOPED_TRACE(m.topic);
            ++seen;
            const QJsonObject c = json(m.payload);
            const bool sensor = topic.startsWith(node.arg("sensor"));
            EXPECT_TRUE(sensor || topic.startsWith(node.arg("binary_sensor")));
            EXPECT_TRUE(topic.endsWith("/config"));
            EXPECT_TRUE(uniqueIds.insert(c["unique_id"].toString()).second);
            EXPECT_EQ(c["availability_mode"].toString(), "all");
            const auto on = [](const std::string& topic) {
                return QJsonObject{{"topic", QString::fromStdString(topic)},
                                   {"payload_available", "online"},
                                   {"payload_not_available", "offline"}};
            };
            EXPECT_EQ(c["availability"],
                      (QJsonArray{on("kx5/line1/status"), on(base + "/availability")}));
            const QJsonObject device = c["device"].toObject();
            EXPECT_EQ(device["name"].toString(), QStringLiteral("line1 MC %1 Oven").arg(mc));
            EXPECT_EQ(device["model"].toString(), "KX5-105");
            const std::string stateTopic = c["state_topic"].toString().toStdString();
            ASSERT_TRUE(state.count(stateTopic)) << stateTopic;
            const QString key = c["name"].toString();
            if (sensor) {
                // The figure alone is the state: the one in the JSON it came with.
                EXPECT_FALSE(c.contains("value_template"));
                EXPECT_EQ(c["state_class"].toString(), "measurement");
                EXPECT_EQ(state[stateTopic].toDouble(), station[key.toLower()].toDouble());
                const bool mv = key == "MV";
                EXPECT_EQ(c["unit_of_measurement"].toString().toStdString(), mv ? "%" : unit);
                EXPECT_EQ(c["device_class"].toString(), mv ? "" : unitClass);
            } else {
                EXPECT_EQ(c["payload_on"].toString(), "ON");
                EXPECT_EQ(c["payload_off"].toString(), "OFF");
                const QString tpl = c["value_template"].toString();
                jobs.push_back({tpl, state[stateTopic]});
                wanted.push_back(station["lamps"][key].toBool() ? "ON" : "OFF");
                // A station not answering carries no lamps: nothing, which is left aside.
                jobs.push_back({tpl, R"({"mc":1,"answering":false})"});
                wanted.push_back("");
            }
        }
        EXPECT_EQ(seen, kPerStation);
    }
    if (const auto got = render(jobs))
        EXPECT_EQ(*got, QStringList(wanted.begin(), wanted.end()));
    else
        ADD_FAILURE() << "python3 with jinja2 is needed to read the templates back";

    // A restart announces the same ids.
    const Configs first = retainedConfigs(broker->port);
    EXPECT_EQ(first.size(), 2 * kPerStation);
    publisher->apply(options);
    ASSERT_TRUE(waitAnswering(1, true));
    EXPECT_EQ(retainedConfigs(broker->port), first);

    // Station 2 leaves the list: removed at the next publication.
    link->ClosePort();
    link->setStations({{1, link->line().station(1)->name}});
    link->mSetPortOpen_Click();
    ASSERT_TRUE(QTest::qWaitFor([&] { return retainedConfigs(broker->port).size() == kPerStation; },
                                20000));
    for (const auto& [topic, config] : retainedConfigs(broker->port))
        EXPECT_NE(topic.find("/mc01_"), std::string::npos) << topic;
    // Nothing retained still shows it alive: its values are cleared and it is said offline.
    const std::map<std::string, QByteArray> gone{{"kx5/line1/2/availability", "offline"}};
    EXPECT_EQ(retained(broker->port, "kx5/line1/2"), gone);
    EXPECT_EQ(readFile(discoveryListPath()).count('\n'), qsizetype(kPerStation));

    // Turned off in the file, a new start removes the rest.
    publisher.reset();
    publisher = std::make_unique<Publisher>(link.get());
    options.discovery = false;
    publisher->apply(options);
    EXPECT_TRUE(QTest::qWaitFor([&] { return retainedConfigs(broker->port).empty(); }, 20000));
    EXPECT_FALSE(QFile::exists(discoveryListPath()));
}

// A steady line on change: one message per station, however many replies (what moves it on is
// the table above's); a station that takes another's row is judged on its own; a discovery list
// that cannot be written is said in the events.
TEST_F(PublishLine, OnChangeASteadyLineSendsOnceAndEachStationIsJudgedOnItsOwn) {
    sim->fastForward(7200); // PV settled at SV
    options.when = PublishOptions::When::OnChange;
    options.discovery = true;
    QDir().mkpath(discoveryListPath()); // a folder where the list should go
    options.deadBand = 50;
    options.heartbeatSeconds = 3600;
    publisher->apply(options);
    ASSERT_TRUE(waitAnswering(1, true) && waitAnswering(2, true));
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return pvsSent(*sim, 1).size() >= 15 && pvsSent(*sim, 2).size() >= 15; }, 30000));
    for (const std::string mc : {"1", "2"})
        EXPECT_EQ(sub->on("kx5/line1/" + mc).size(), 1u) << mc;

    // The list becomes [3, 2], MC 3 reading what MC 1 read under the same name and model: it
    // takes MC 1's row but is published, said online and announced as a station of its own.
    const LineModel::Station one = *link->line().station(1);
    link->setStations({{3, one.name}, {2, link->line().station(2)->name}});
    link->line().setModel(3, one.model);
    link->line().setConn(3, ConnState::OK);
    link->line().storeValues(3, one.values.regs, QDateTime::currentDateTime());
    const auto answering = [](const QByteArray& p) { return json(p)["answering"].toBool(); };
    const auto mc3 = [](const auto& c) { return c.first.find("/mc03_") != std::string::npos; };
    EXPECT_TRUE(QTest::qWaitFor(
        [&] { return std::ranges::any_of(sub->on("kx5/line1/3"), answering); }, 10000));
    EXPECT_TRUE(
        QTest::qWaitFor([&] { return sub->last("kx5/line1/3/availability") == "online"; }, 10000));
    EXPECT_TRUE(QTest::qWaitFor(
        [&] { return std::ranges::any_of(retainedConfigs(broker->port), mc3); }, 10000));
    EXPECT_FALSE(events.filter(QDir::toNativeSeparators(discoveryListPath())).isEmpty())
        << events.join('\n').toStdString();
}
