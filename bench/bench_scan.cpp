// A scan of the 99 station numbers at 9600 baud against kx5sim answering for three of them,
// in the standard and the fast pacing, against the bound of one reply wait per number.
// Run on demand: build/bin/bench_scan
#include "bench/Measure.h"
#include "link/LineScanner.h"
#include "link/QtSerialPort.h"
#include "sim/SimLine.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <cstdio>

int main(int argc, char** argv) {
    if (answeredHelp(argc, argv,
                     "Usage: bench_scan\nA scan of station numbers 1 to 99 at 9600 baud against "
                     "kx5sim answering for three of\nthem, in the standard and the fast pacing, "
                     "against the bound of one reply wait per number.\n"))
        return 0;
    QCoreApplication app(argc, argv);
    kx5sim::LineConfig cfg;
    cfg.stations = {3, 17, 99};
    kx5sim::SimLine sim(cfg);
    std::string err;
    if (!sim.start(&err)) {
        std::fprintf(stderr, "kx5sim: %s\n", err.c_str());
        return 1;
    }
    for (bool fast : {false, true}) {
        LineScanner scanner(std::make_unique<QtSerialPort>());
        scanner.setPortName(QString::fromStdString(sim.path()));
        scanner.setFastPacing(fast);
        bool done = false;
        ScanProblem error;
        QObject::connect(&scanner, &LineScanner::finished, [&](bool, const ScanProblem& e) {
            done = true;
            error = e;
        });
        const std::vector<ScanSetting> settings{ScanSetting{}};
        QElapsedTimer t;
        t.start();
        if (const ScanProblem why = scanner.start(settings); !why.isNone()) {
            std::fprintf(stderr, "the scan did not start (%d)\n", int(why.kind));
            return 1;
        }
        while (!done)
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        const double ms = double(t.elapsed()), bound = scanner.boundMs(settings);
        std::printf("%s pacing: 99 numbers at 9600 in %.0f ms, found %zu, bound %.0f ms, "
                    "ratio %.3f%s\n",
                    fast ? "fast" : "standard", ms, scanner.finds().size(), bound, ms / bound,
                    error.isNone() ? "" : ", stopped early");
    }
    return 0;
}
