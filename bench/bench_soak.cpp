// Soak: 99 simulated stations with random faults, the trend graph and data saving on, for a
// while (default 10 minutes; run an hour before trusting it). Goals: no poll stuck for more
// than 5 s, resident memory growing less than 1 MB per hour, under 3 % of one core.
// Memory is compared between the second and the last quarter of the run, after the first
// minute, so the trace and the sweep filling up first do not count as growth.
// Run on demand: QT_QPA_PLATFORM=offscreen build/bin/bench_soak [minutes]
#include "app/LineServices.h"
#include "bench/Measure.h"
#include "files/ConfigFiles.h"
#include "link/KX5Link.h"
#include "link/mdlKX5.h"
#include "monitor/frmKX5_Main.h"
#include "services/EventLog.h"
#include "sim/SimLine.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <atomic>
#include <cstdio>
#include <vector>

int main(int argc, char** argv) {
    if (answeredHelp(argc, argv,
                     "Usage: bench_soak [MINUTES]\nSoak: 99 simulated stations with random faults, "
                     "the trend graph and data saving on, for\nMINUTES (default 10). Goals: no "
                     "poll stuck over 5 s, memory growing under 1 MB an hour,\nunder 3 % of one "
                     "core. Needs a display or QT_QPA_PLATFORM=offscreen.\n"))
        return 0;
    QApplication app(argc, argv);
    const double minutes = argc > 1 ? std::atof(argv[1]) : 10.0;
    QTemporaryDir dir;
    kx5sim::LineConfig cfg;
    for (int n = 1; n <= 99; ++n)
        cfg.stations.push_back(n);
    cfg.mode = kx5sim::Mode::Sum;
    for (const char* f : {"ng,prob=0.01,seed=3", "bad-sum,prob=0.01,seed=5",
                          "silent,prob=0.005,seed=7", "split=3,prob=0.05,seed=11"})
        cfg.faults.push_back(*kx5sim::FaultPlan::parse(f));
    kx5sim::SimLine sim(cfg);
    if (!sim.start()) return 1;

    setProgramDir(dir.path());
    QDir().mkpath(dir.filePath("CFG"));
    writeLinesAtomic(dir.filePath("Comm.CFG"),
                     {QString::fromStdString(sim.path()), "9600", "N", "8", "1", "SUM"}, nullptr);
    QStringList env;
    for (int n = 1; n <= 99; ++n)
        env << QStringLiteral("O\tOven %1").arg(n);
    writeLinesAtomic(dir.filePath("CFG/SetEnv.INI"), env, nullptr);
    writeLinesAtomic(dir.filePath("CFG/SaveData.INI"), {"Yes", "10", "sec", dir.path(), "Soak"},
                     nullptr);

    LineServices services;
    frmKX5_Main w(services.parts(), loadStartSettings());
    w.show();
    w.link()->mSetPortOpen_Click();
    w.findChild<QPushButton*>(QStringLiteral("btnDSave_Start"))->click();
    w.findChild<QPushButton*>(QStringLiteral("btnStart"))->click(); // the trend graph

    // Stuck poll: the longest time without any request reaching the line. Counted as they
    // happen: copying the simulator's list here would put its cost on the measured thread.
    static std::atomic<size_t> exchanged{0}; // static: outlives the simulator's thread
    sim.setExchangeHook([&](const kx5sim::Exchange&) { ++exchanged; });
    size_t seen = 0, cleared = 0;
    QElapsedTimer sinceRequest, total;
    sinceRequest.start();
    total.start();
    qint64 longestMs = 0;
    double cpu0 = 0;
    qint64 t0 = 0;
    // Resident memory every 10 s after the first minute. Freed memory stays with the process,
    // so growth is the highest figure of the last quarter against that of the second.
    std::vector<std::pair<qint64, double>> rss;
    std::pair<qint64, double> lastLine{0, 0}; // when the last progress line was printed, CPU then
    // Its own loop: quitting the application would ask the window's "Exit?".
    QEventLoop loop;
    QTimer look;
    QObject::connect(&look, &QTimer::timeout, [&] {
        const size_t n = exchanged;
        if (n != seen) {
            longestMs = std::max(longestMs, sinceRequest.elapsed());
            sinceRequest.restart();
            seen = n;
        }
        if (n - cleared > 5000) { // the simulator keeps every exchange: keep it small
            sim.clearExchanges();
            cleared = n;
        }
        // Memory and CPU from the end of the first minute: start-up and the sweep are behind.
        if (t0 == 0 && total.elapsed() > 60000) {
            t0 = total.elapsed();
            cpu0 = threadCpuSeconds(); // the program alone: the simulator has its own thread
        }
        if (t0 > 0 && (rss.empty() || total.elapsed() - rss.back().first >= 10000))
            rss.emplace_back(total.elapsed(), rssMiB());
        // A line every five minutes, so a cost that grows with the run shows as it grows.
        if (t0 > 0 && total.elapsed() - lastLine.first >= 300000) {
            const double now = threadCpuSeconds();
            std::printf("  %5.1f min: CPU %.2f %% over the last %.0f s, %.1f MiB, %d events\n",
                        total.elapsed() / 60000.0,
                        (now - lastLine.second) / ((total.elapsed() - lastLine.first) / 1e3) * 100,
                        (total.elapsed() - lastLine.first) / 1e3, rssMiB(),
                        int(w.eventLog()->entries().size()));
            std::fflush(stdout);
            lastLine = {total.elapsed(), now};
        }
        if (t0 > 0 && lastLine.first == 0) lastLine = {t0, cpu0};
        if (total.elapsed() > minutes * 60000) loop.quit();
    });
    look.start(200);
    loop.exec();

    longestMs = std::max(longestMs, sinceRequest.elapsed());
    const double hours = double(total.elapsed() - t0) / 3.6e6;
    auto highest = [&](double from, double to) { // fractions of the measured time
        double h = 0;
        for (const auto& [t, mib] : rss) {
            const double f = double(t - t0) / double(total.elapsed() - t0);
            if (f >= from && f <= to) h = std::max(h, mib);
        }
        return h;
    };
    const double growth = hours > 0 ? (highest(0.75, 1.0) - highest(0.25, 0.5)) / (hours / 2) : 0;
    const double cpu = t0 > 0 ? (threadCpuSeconds() - cpu0) / (hours * 3600) * 100 : 0;
    std::printf("soak %.1f min, 99 stations, faults ng/bad-sum 1 %%, silent 0.5 %%, split 5 %%\n",
                minutes);
    std::printf("longest stuck poll %.2f s, goal 5 s: ratio %.2f\n", longestMs / 1000.0,
                longestMs / 5000.0);
    std::printf("memory growth %.2f MB/hour (now %.1f MiB), goal 1: ratio %.2f\n", growth, rssMiB(),
                growth);
    std::printf("CPU %.2f %% of a core, goal 3 %%: ratio %.2f\n", cpu, cpu / 3.0);
    const auto& stats = w.link()->lineStats();
    qint64 req = 0, good = 0;
    for (const auto& [mc, s] : stats)
        req += s.requests, good += s.good;
    std::printf("requests %lld, good replies %lld\n", static_cast<long long>(req),
                static_cast<long long>(good));
    w.link()->ClosePort();
    return longestMs <= 5000 && growth < 1.0 && cpu < 3.0 ? 0 : 1;
}
