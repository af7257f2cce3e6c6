// Exchange period against the wire: kx5sim pacing its replies at the line's rate and character
// format and taking 2 ms to turn around, three stations in monitoring, 1200 to 115200 baud in
// 8N1 and 8N2 (11 bits like 8E1, which a pseudo-terminal refuses).
// Wire = request + reply bytes at the format's bits per character, plus the turnaround, plus the
// 3.5 characters of quiet the fast pacing keeps after a reply before the next request (the line
// cannot go faster than that: the quiet is what lets a transceiver turn round).
// Goal for the fast pacing: mean period <= 1.05 x wire. For the standard pacing the bench says
// whether it reached monitoring and made its exchanges without a reply wait running out.
// Run on demand: build/bin/bench_pacing [seconds measured per run, default 4]
#include "link/Frames.h"
#include "link/KX5Link.h"
#include "link/QtSerialPort.h"
#include "link/Steps.h"
#include "link/mdlKX5.h"
#include "sim/SimLine.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <functional>

namespace {

constexpr int kTurnaroundMs = 2;
constexpr double kGoal = 1.05;
// A monitor read and its reply are 106 bytes each (STD).
constexpr int kRequestBytes = 106;
constexpr int kReplyBytes = 106;

// Request and reply on the wire plus the turnaround and the quiet gap, in ms.
double wireMs(int baud, int stopBits) {
    const double charMs = (1 + 8 + stopBits) * 1000.0 / baud;
    return (kRequestBytes + kReplyBytes + KX5Link::kQuietGapChars) * charMs + kTurnaroundMs;
}

struct Run {
    std::size_t n = 0;       // periods measured
    bool monitoring = false; // the sweep found all three stations and monitoring began
    std::size_t exchanges = 0;
    qint64 timeouts = 0; // reply waits that ran out, from the port's opening on
    double periodMs = 0; // mean period between monitor exchanges
    bool complete() const { return monitoring && exchanges >= n + 1 && timeouts == 0; }
};

// Waits in the event loop, looking only now and then, so the bench itself adds no load.
void waitFor(const std::function<bool()>& done, int ms) {
    QEventLoop loop;
    QTimer look, limit;
    QObject::connect(&look, &QTimer::timeout, [&] {
        if (done()) loop.quit();
    });
    QObject::connect(&limit, &QTimer::timeout, &loop, &QEventLoop::quit);
    look.start(50);
    limit.start(ms);
    if (!done()) loop.exec();
}

// seconds: about how long to measure; few exchanges at slow rates keep the table to minutes.
Run measure(int baud, int stopBits, bool fast, double seconds) {
    const double wire = wireMs(baud, stopBits);
    const double expected = fast ? wire : wire + KX5Link::kGatherMs + KX5Link::kSendTickMs;
    Run run;
    run.n = static_cast<std::size_t>(std::clamp(seconds * 1000 / expected, 3.0, 200.0));
    const std::size_t n = run.n;
    kx5sim::LineConfig cfg;
    cfg.stations = {1, 2, 3};
    cfg.baud = baud;
    cfg.stopBits = stopBits;
    cfg.turnaroundMs = kTurnaroundMs;
    cfg.faults.push_back(*kx5sim::FaultPlan::parse("pace"));
    kx5sim::SimLine sim(cfg);
    if (!sim.start()) return run;
    KX5Link link{std::make_unique<QtSerialPort>()};
    link.setPortSettings(
        PortSettings::fromLines({QString::fromStdString(sim.path()), QString::number(baud), "N",
                                 "8", QString::number(stopBits), "STD"}));
    link.setStations({{1, ""}, {2, ""}, {3, ""}});
    link.setFastPacing(fast);
    link.mSetPortOpen_Click();
    // Monitoring has begun when a monitor read follows the model queries and the read-all.
    const std::string monitorRead =
        buildReadReq(0, findStep(kStepMonitor)->regs, 0).mid(3).toStdString();
    auto reading = [&] {
        const auto ex = sim.exchanges();
        return !ex.empty() && ex.back().request.substr(3) == monitorRead;
    };
    waitFor(reading, 60000);
    run.monitoring = reading() && link.line().findAnswered(0) == 0 && !link.line().anyUnanswered();
    sim.clearExchanges();
    if (run.monitoring)
        waitFor([&] { return sim.exchanges().size() >= n + 1; },
                static_cast<int>(double(n + 1) * (2 * expected + 1000)));
    const auto ex = sim.exchanges();
    for (const auto& [mcNo, stats] : link.lineStats())
        run.timeouts += stats.timeouts;
    link.ClosePort();
    run.exchanges = ex.size();
    if (ex.size() >= n + 1)
        run.periodMs =
            std::chrono::duration<double, std::milli>(ex[n].time - ex[0].time).count() / double(n);
    return run;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const char* usage = "Usage: bench_pacing [SECONDS]\n"
                        "Mean monitor exchange period of the link in the standard and the fast "
                        "pacing against\nkx5sim paced at 1200 to 115200 baud in 8N1 and 8N2. "
                        "SECONDS of exchanges are measured\nper run (default 4; at least 3 "
                        "exchanges).\n";
    double seconds = 4;
    if (argc > 1 && (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0)) {
        std::fputs(usage, stdout);
        return 0;
    }
    if (argc > 1) {
        char* end = nullptr;
        seconds = std::strtod(argv[1], &end);
        if (*end != '\0' || !(seconds > 0) || argc > 2) {
            std::fputs(usage, stderr);
            return 2;
        }
    }
    bool met = true;
    std::printf("%7s %4s %9s | %11s %-18s | %11s %4s | %9s %s\n", "baud", "fmt", "wire ms",
                "standard", "(n) standard cycle", "fast", "n", "fast/wire", "goal <= 1.05");
    for (int baud : {1200, 2400, 9600, 38400, 115200}) {
        for (int stopBits : {1, 2}) {
            const double wire = wireMs(baud, stopBits);
            const Run standard = measure(baud, stopBits, false, seconds);
            const Run fast = measure(baud, stopBits, true, seconds);
            const double ratio = fast.periodMs / wire;
            const bool pass = fast.complete() && ratio <= kGoal;
            met = met && pass;
            char cycle[40];
            if (standard.complete())
                std::snprintf(cycle, sizeof cycle, "(%zu) complete", standard.n);
            else if (!standard.monitoring)
                std::snprintf(cycle, sizeof cycle, "no monitoring");
            else
                std::snprintf(cycle, sizeof cycle, "%zu of %zu, %lld t/o", standard.exchanges,
                              standard.n + 1, static_cast<long long>(standard.timeouts));
            char fastNote[40] = "";
            if (!fast.complete())
                std::snprintf(fastNote, sizeof fastNote, "  (fast: %zu of %zu, %lld t/o)",
                              fast.exchanges, fast.n + 1, static_cast<long long>(fast.timeouts));
            std::printf("%7d 8N%d %9.2f | %8.2f ms %-18s | %8.2f ms %4zu | %9.3f %s%s\n", baud,
                        stopBits, wire, standard.periodMs, cycle, fast.periodMs, fast.n, ratio,
                        pass ? "pass" : "FAIL", fastNote);
            std::fflush(stdout);
        }
    }
    return met ? 0 : 1;
}
