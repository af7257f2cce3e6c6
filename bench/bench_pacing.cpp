// Exchange period against the wire: kx5sim pacing its replies at the line's baud rate and
// taking 2 ms to turn around, three stations in monitoring, at 9600, 38400 and 115200 baud.
// Ratio = mean period / (request + reply bytes at 10 bits each + turnaround); goal for the
// fast pacing <= 1.10; the standard pacing's ratio beside it from the same run.
// Run on demand: build/bin/bench_pacing [exchanges per run]
#include "link/KX5Link.h"
#include "link/QtSerialPort.h"
#include "link/Steps.h"
#include "link/mdlKX5.h"
#include "sim/SimLine.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>
#include <cstdio>
#include <functional>

namespace {

constexpr int kTurnaroundMs = 2;

// Mean period between monitor exchanges in ms, or a negative value on failure.
double meanPeriod(int baud, bool fast, size_t n) {
    kx5sim::LineConfig cfg;
    cfg.stations = {1, 2, 3};
    cfg.baud = baud;
    cfg.turnaroundMs = kTurnaroundMs;
    cfg.faults.push_back(*kx5sim::FaultPlan::parse("pace"));
    kx5sim::SimLine sim(cfg);
    if (!sim.start()) return -1;
    resetDataImage();
    gPort = QString::fromStdString(sim.path());
    gBaud = QString::number(baud);
    gMC_List = {1, 2, 3};
    gMC_OK = {false, false, false};
    gMC_Name = {"", "", ""};
    gMC_Last = 2;
    KX5Link link{std::make_unique<QtSerialPort>()};
    link.setFastPacing(fast);
    for (int i = 0; i < 3; ++i)
        link.sprdStatus.appendRow(), link.sprdMonitoring.appendRow();
    link.mSetPortOpen_Click();
    // Wait in the event loop, looking only now and then, so the bench itself adds no load.
    auto waitFor = [](const std::function<bool()>& done, int ms) {
        QEventLoop loop;
        QTimer look, limit;
        QObject::connect(&look, &QTimer::timeout, [&] {
            if (done()) loop.quit();
        });
        QObject::connect(&limit, &QTimer::timeout, &loop, &QEventLoop::quit);
        look.start(50);
        limit.start(ms);
        loop.exec();
    };
    waitFor([] { return gSendStep == kStepMonitor; }, 20000);
    sim.clearExchanges();
    waitFor([&] { return sim.exchanges().size() >= n + 1; }, 120000);
    const auto ex = sim.exchanges();
    link.ClosePort();
    if (ex.size() < n + 1) return -1;
    return std::chrono::duration<double, std::milli>(ex[n].time - ex[0].time).count() / double(n);
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const size_t n = argc > 1 ? static_cast<size_t>(std::atoi(argv[1])) : 60;
    bool met = true;
    std::printf("%8s %10s %12s %12s %10s %10s\n", "baud", "wire ms", "standard", "fast", "ratio",
                "goal 1.10");
    for (int baud : {9600, 38400, 115200}) {
        // A monitor read and its reply are 106 bytes each (STD).
        const double wire = (106 + 106) * 10 * 1000.0 / baud + kTurnaroundMs;
        const double standard = meanPeriod(baud, false, n);
        const double fast = meanPeriod(baud, true, n);
        const double ratio = fast / wire;
        met = met && fast > 0 && ratio <= 1.10;
        std::printf("%8d %10.2f %9.2f ms %9.2f ms %10.3f %10s   (standard %.2f)\n", baud, wire,
                    standard, fast, ratio, ratio <= 1.10 && fast > 0 ? "met" : "NOT met",
                    standard / wire);
    }
    return met ? 0 : 1;
}
