// What publishing every reply to an MQTT broker costs: the program's added CPU over polling
// alone, for 99 stations (kx5sim as its own process), and the time from a reply leaving the
// simulator (then in this process, on its own thread, so both ends read one clock) to a
// subscriber holding its message, through a real Mosquitto on the loopback.
// Run on demand: build/bin/bench_mqtt [--seconds N] [--fast]
#include "Measure.h"
#include "link/KX5Link.h"
#include "link/QtSerialPort.h"
#include "link/mdlKX5.h"
#include "publish/Publisher.h"
#include "sim/SimLine.h"
#include "tests/support/MqttBroker.h"

#include <QCoreApplication>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <map>
#include <thread>

namespace {

using Clock = std::chrono::steady_clock;

// Runs the event loop, idle between events as the program is.
void runFor(double seconds) {
    QEventLoop loop;
    QTimer::singleShot(int(seconds * 1000), Qt::PreciseTimer, &loop, &QEventLoop::quit);
    loop.exec();
}

// CPU share of one core used by this process over `seconds`, and the replies stored meanwhile.
std::pair<double, int> measure(double seconds, const int& stored) {
    const int before = stored;
    const double cpu0 = cpuSeconds();
    const auto t0 = Clock::now();
    runFor(seconds);
    const double wall = std::chrono::duration<double>(Clock::now() - t0).count();
    return {(cpuSeconds() - cpu0) / wall, stored - before};
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    double seconds = 10;
    bool fast = false;
    for (int i = 1; i < argc; ++i) {
        if (!std::strcmp(argv[i], "--help") || !std::strcmp(argv[i], "-h")) {
            std::printf("Usage: bench_mqtt [--seconds N] [--fast]\n"
                        "Polls 99 kx5sim stations (the standard pacing, or with --fast the fast "
                        "polling on an unpaced pseudo-terminal, far more replies than a real "
                        "line gives), N seconds (default 10) "
                        "without publishing and N with every reply published to a Mosquitto "
                        "broker started on the loopback; prints the added CPU (goal <= 0.5 %% "
                        "of a core) and the latency from the reply leaving the simulator to "
                        "the message at a subscriber (goals in fast polling: median <= 10 ms, "
                        "99th percentile <= 50 ms; standard pacing adds its 100 ms gather).\n");
            return 0;
        }
        if (!std::strcmp(argv[i], "--seconds") && i + 1 < argc) seconds = std::atof(argv[++i]);
        if (!std::strcmp(argv[i], "--fast")) fast = true;
    }
    if (MqttBroker::binary().isEmpty()) {
        std::fprintf(stderr, "bench_mqtt: the mosquitto broker is not installed\n");
        return 1;
    }
    QTemporaryDir dir;
    MqttBroker broker(dir.path());
    QString error;
    if (!broker.start(&error)) {
        std::fprintf(stderr, "bench_mqtt: mosquitto: %s\n", qPrintable(error));
        return 1;
    }
    // The simulator in a process of its own, so that its CPU is not counted as ours.
    QProcess sim;
    sim.start(QCoreApplication::applicationDirPath() + "/kx5sim", {"--stations", "1-99"});
    if (!sim.waitForReadyRead(10000)) {
        std::fprintf(stderr, "bench_mqtt: kx5sim did not start\n");
        return 1;
    }
    PortSettings ps;
    ps.port = QString::fromUtf8(sim.readLine().trimmed());

    KX5Link link{std::make_unique<QtSerialPort>()};
    link.setPortSettings(ps);
    link.setFastPacing(fast);
    StationList all;
    for (int mc = 1; mc <= 99; ++mc)
        all.push_back({mc, QString()});
    link.setStations(all);
    // Stored times by "MC No|storedAt", taken before the publisher (connected later) runs.
    int stored = 0;
    std::map<QString, Clock::time_point> storedAt;
    bool timing = false;
    QObject::connect(
        &link.line(), &LineModel::stationChanged, [&](int mc, LineModel::Changes what) {
            if (!(what & LineModel::Values)) return;
            ++stored;
            if (!timing) return;
            // Taken before the publisher's slot runs: it was connected after this one.
            const StationValues* v = &link.line().station(mc)->values;
            storedAt[QString::number(mc) + '|' + v->storedAt.toUTC().toString(Qt::ISODateWithMs)] =
                Clock::now();
        });
    Publisher publisher(&link);
    link.mSetPortOpen_Click();
    runFor(0.1);
    for (int i = 0; i < 600 && link.phase() != KX5Link::Phase::Monitoring; ++i)
        runFor(0.05);
    if (link.phase() != KX5Link::Phase::Monitoring) {
        std::fprintf(stderr, "bench_mqtt: the line did not reach monitoring (note %d, fault %d)\n",
                     int(link.lastNote().kind), int(link.lastNote().fault.kind));
        return 1;
    }
    runFor(1);

    const auto [alone, repliesAlone] = measure(seconds, stored);
    PublishOptions o;
    o.enabled = true;
    o.host = "127.0.0.1";
    o.port = broker.port;
    publisher.apply(o);
    for (int i = 0; i < 200 && !publisher.brokerUp(); ++i)
        runFor(0.05);
    if (!publisher.brokerUp()) {
        std::fprintf(stderr, "bench_mqtt: not connected to the broker\n");
        return 1;
    }
    runFor(1);
    const auto [publishing, repliesPublished] = measure(seconds, stored);

    publisher.stop();
    link.ClosePort();
    sim.terminate();
    sim.waitForFinished(5000);

    // Latency: the simulator in this process now, its reply's leaving time taken on its thread
    // right after the last byte is written. Polling is one request at a time, so a station's
    // last reply is the one the link has just stored.
    kx5sim::LineConfig lineCfg;
    lineCfg.stations.clear();
    for (int mc = 1; mc <= 99; ++mc)
        lineCfg.stations.push_back(mc);
    kx5sim::SimLine line(lineCfg);
    if (!line.start(nullptr)) {
        std::fprintf(stderr, "bench_mqtt: the simulator did not start\n");
        return 1;
    }
    std::mutex mutex;
    std::map<int, std::pair<int, Clock::time_point>> replyLeft; // by MC No: count, last
    line.setExchangeHook([&](const kx5sim::Exchange& ex) {
        const auto now = Clock::now();
        std::lock_guard lock(mutex);
        auto& [count, at] = replyLeft[ex.address];
        ++count;
        at = now;
    });
    // The link may store a reply before the simulator's thread has noted it: the reply counted
    // since the station's last store is waited for (a moment at most; otherwise left out).
    std::map<int, int> countAtStore;
    std::map<QString, Clock::time_point> leftAt; // by "MC No|storedAt"
    QObject::connect(
        &link.line(), &LineModel::stationChanged, [&](int mc, LineModel::Changes what) {
            if (!(what & LineModel::Values)) return;
            const StationValues* v = &link.line().station(mc)->values;
            const auto until = Clock::now() + std::chrono::milliseconds(100);
            std::unique_lock lock(mutex);
            while (replyLeft[mc].first == countAtStore[mc] && Clock::now() < until) {
                lock.unlock();
                std::this_thread::yield();
                lock.lock();
            }
            const bool noted = replyLeft[mc].first != countAtStore[mc];
            countAtStore[mc] = replyLeft[mc].first;
            if (timing && noted)
                leftAt[QString::number(mc) + '|' +
                       v->storedAt.toUTC().toString(Qt::ISODateWithMs)] = replyLeft[mc].second;
        });
    PortSettings onLine = link.portSettings();
    onLine.port = QString::fromStdString(line.path());
    link.setPortSettings(onLine);
    link.mSetPortOpen_Click();
    for (int i = 0; i < 600 && link.phase() != KX5Link::Phase::Monitoring; ++i)
        runFor(0.05);
    publisher.apply(o);
    for (int i = 0; i < 200 && !publisher.brokerUp(); ++i)
        runFor(0.05);
    std::map<QString, Clock::time_point> delivered;
    {
        MqttSubscriber sub(broker.port, "kx5/line1/+");
        sub.onMessage = [&](const MqttSubscriber::Message& m) {
            const auto now = Clock::now();
            const QJsonObject j = QJsonDocument::fromJson(m.payload).object();
            std::lock_guard lock(mutex);
            delivered[QString::number(j["mc"].toInt()) + '|' + j["storedAt"].toString()] = now;
        };
        if (!sub.waitSubscribed() || !publisher.brokerUp()) {
            std::fprintf(stderr, "bench_mqtt: the subscriber or the publisher is not connected\n");
            return 1;
        }
        runFor(1);
        timing = true;
        runFor(seconds);
        timing = false;
        runFor(1);
    }
    std::vector<double> ms, storedMs;
    {
        std::lock_guard lock(mutex);
        for (const auto& [key, at] : leftAt)
            if (auto d = delivered.find(key); d != delivered.end()) {
                ms.push_back(std::chrono::duration<double, std::milli>(d->second - at).count());
                storedMs.push_back(
                    std::chrono::duration<double, std::milli>(d->second - storedAt[key]).count());
            }
    }
    publisher.stop();
    link.ClosePort();
    line.stop();
    if (ms.empty()) {
        std::fprintf(stderr, "bench_mqtt: no message arrived\n");
        return 1;
    }
    const auto percentile = [](std::vector<double> v, double q) {
        std::sort(v.begin(), v.end());
        return v[std::min(v.size() - 1, size_t(double(v.size()) * q))];
    };
    const double median = percentile(ms, 0.5);
    const double p99 = percentile(ms, 0.99);
    const double added = (publishing - alone) * 100.0;
    std::printf("99 stations, %s, %.0f s each: %.1f replies/s alone, %.1f publishing\n",
                fast ? "fast polling" : "standard pacing", seconds, repliesAlone / seconds,
                repliesPublished / seconds);
    std::printf("CPU: polling alone %.2f %% of a core, publishing every reply %.2f %%\n",
                alone * 100.0, publishing * 100.0);
    std::printf("added CPU %.2f %% of a core, goal <= 0.5 %%: ratio %.2f (%s); "
                "%.3f ms of CPU per reply published\n",
                added, added / 0.5, added <= 0.5 ? "met" : "NOT met",
                (publishing - alone) * 1000.0 / std::max(1.0, repliesPublished / seconds));
    std::printf(
        "reply leaving the simulator to the subscriber, over %zu of %zu replies: median "
        "%.2f ms (goal <= 10: ratio %.2f, %s), p99 %.2f ms (goal <= 50: ratio %.2f, %s)%s\n",
        ms.size(), leftAt.size(), median, median / 10.0, median <= 10 ? "met" : "NOT met", p99,
        p99 / 50.0, p99 <= 50 ? "met" : "NOT met",
        fast ? "" : " (standard pacing: the goals are for --fast)");
    std::printf("of which from the reply stored: median %.2f ms, p99 %.2f ms\n",
                percentile(storedMs, 0.5), percentile(storedMs, 0.99));
    return 0;
}
