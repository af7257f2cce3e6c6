// Time per monitor exchange over a pseudo-terminal against kx5sim answering at once, compared
// with the link's own pacing: the 100 ms gather plus the 50 ms send tick.
// Run on demand: build/bin/bench_link_pty [exchanges]
#include "bench/Measure.h"
#include "link/KX5Link.h"
#include "link/QtSerialPort.h"
#include "link/mdlKX5.h"
#include "sim/SimLine.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <algorithm>
#include <cstdio>

int main(int argc, char** argv) {
    if (answeredHelp(argc, argv,
                     "Usage: bench_link_pty [EXCHANGES]\nTime per monitor exchange over a "
                     "pseudo-terminal against the simulator answering at once,\nover EXCHANGES "
                     "(default 40), against the link's own pacing (100 ms gather + 50 ms tick).\n"))
        return 0;
    QCoreApplication app(argc, argv);
    const size_t n = argc > 1 ? static_cast<size_t>(std::atoi(argv[1])) : 40;

    kx5sim::LineConfig cfg;
    cfg.stations = {1, 2, 3};
    kx5sim::SimLine sim(cfg);
    std::string err;
    if (!sim.start(&err)) {
        std::fprintf(stderr, "kx5sim: %s\n", err.c_str());
        return 1;
    }
    KX5Link link{std::make_unique<QtSerialPort>()};
    PortSettings ps;
    ps.port = QString::fromStdString(sim.path());
    link.setPortSettings(ps);
    link.setStations({{1, ""}, {2, ""}, {3, ""}});
    link.mSetPortOpen_Click();

    // Wait for monitoring, then count exchanges from a clean start.
    QElapsedTimer guard;
    guard.start();
    while (link.phase() != KX5Link::Phase::Monitoring && guard.elapsed() < 10000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    sim.clearExchanges();
    while (sim.exchanges().size() < n + 1 && guard.elapsed() < 60000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    const auto ex = sim.exchanges();
    if (ex.size() < n + 1) {
        std::fprintf(stderr, "only %zu exchanges\n", ex.size());
        return 1;
    }
    std::vector<double> gaps;
    for (size_t i = 1; i <= n; ++i)
        gaps.push_back(
            std::chrono::duration<double, std::milli>(ex[i].time - ex[i - 1].time).count());
    std::sort(gaps.begin(), gaps.end());
    double mean = 0;
    for (double g : gaps)
        mean += g;
    mean /= double(gaps.size());
    const double pacing = KX5Link::kGatherMs + 50.0;
    std::printf("monitor exchanges: %zu, mean %.2f ms, median %.2f ms, max %.2f ms\n", n, mean,
                gaps[gaps.size() / 2], gaps.back());
    std::printf("pacing %.0f ms; overshoot of the mean %.2f ms, goal <= 5 ms: ratio %.2f (%s)\n",
                pacing, mean - pacing, (mean - pacing) / 5.0,
                mean - pacing <= 5.0 ? "met" : "NOT met");
    link.ClosePort();
    return 0;
}
