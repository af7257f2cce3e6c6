// What the Modbus TCP gateway costs and how fast it answers: reads served from the stations'
// images by 8 libmodbus clients at 200 requests/s in all (median and 99th percentile, and the
// program's added CPU over polling alone); a write's answer against the exchanges it may take
// (the poll's share before it, the write, its read-back), at 9600 and 38400 baud; and each
// station's poll rate while one client writes back to back against its rate alone, at 9600
// with the fast and the standard pacing (kx5sim paced, in a process of its own). Run on demand:
// build/bin/bench_gateway [--seconds N] [--turnaround MS]. Exits 1 when any row misses its goal,
// so a script or CI job notices.
#include "Measure.h"
#include "gateway/Gateway.h"
#include "link/Frames.h"
#include "link/KX5Link.h"
#include "link/QtSerialPort.h"
#include "link/Steps.h"
#include "link/mdlKX5.h"

#include <QCoreApplication>
#include <QProcess>
#include <QTcpServer>
#include <QTimer>
#include <algorithm>
#include <array>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <modbus/modbus.h>
#include <mutex>
#include <thread>

namespace {

using Clock = std::chrono::steady_clock;

void runFor(double seconds) {
    QEventLoop loop;
    QTimer::singleShot(int(seconds * 1000), Qt::PreciseTimer, &loop, &QEventLoop::quit);
    loop.exec();
}

double percentile(std::vector<double> v, double p) {
    if (v.empty()) return 0;
    std::sort(v.begin(), v.end());
    return v[std::min(v.size() - 1, size_t(p * double(v.size())))];
}

modbus_t* connectTo(int port) {
    modbus_t* c = modbus_new_tcp("127.0.0.1", port);
    modbus_set_response_timeout(c, 10, 0);
    if (modbus_connect(c) != 0) {
        modbus_free(c);
        return nullptr;
    }
    return c;
}

// The line as the program opens it, on kx5sim at baud with its turnaround.
struct Line {
    QProcess sim;
    std::unique_ptr<KX5Link> link;
    bool open(int baud, int turnaround, bool fast = true) {
        sim.start(QCoreApplication::applicationDirPath() + "/kx5sim",
                  {"--stations", "1,2", "--baud", QString::number(baud), "--pace", "--turnaround",
                   QString::number(turnaround)});
        if (!sim.waitForReadyRead(10000)) return false;
        link = std::make_unique<KX5Link>(std::make_unique<QtSerialPort>());
        link->setPortSettings(
            PortSettings::fromLines({QString::fromUtf8(sim.readLine().trimmed()),
                                     QString::number(baud), "N", "8", "1", "STD"}));
        link->setFastPacing(fast);
        link->setStations({{1, QString()}, {2, QString()}});
        link->mSetPortOpen_Click();
        for (int i = 0; i < 400 && link->phase() != KX5Link::Phase::Monitoring; ++i)
            runFor(0.05);
        return link->phase() == KX5Link::Phase::Monitoring;
    }
    ~Line() {
        if (link) link->ClosePort();
        sim.terminate();
        sim.waitForFinished(5000);
    }
};

// The gateway on port, writes allowed.
void serve(Gateway& gateway, int port) {
    GatewayOptions o;
    o.enabled = o.writes = true;
    o.port = port;
    gateway.apply(o);
}

// The gateway has the stations' images read in the background: until they are in, the line is
// busier than the rows measure.
void waitForImages(KX5Link& link) {
    const auto in = [&] {
        for (int mc : {1, 2})
            for (int reg : {1, 300, 400, 600})
                if (link.line().imageAgeMs(mc, reg) < 0) return false;
        return true;
    };
    for (int i = 0; i < 600 && !in(); ++i)
        runFor(0.05);
}

// Each station's monitor readings stored over `seconds`; with `flood`, while one client writes
// SV1 of station 2 back to back (its answered writes in *writes).
std::array<int, 3> pollCounts(KX5Link& link, int port, double seconds, bool flood, int* writes) {
    std::array<int, 3> n{};
    const auto counting = QObject::connect(&link.line(), &LineModel::stationChanged,
                                           [&n](int mc, LineModel::Changes what) {
                                               if ((what & LineModel::Values) && mc >= 1 && mc <= 2)
                                                   ++n[size_t(mc)];
                                           });
    std::atomic<bool> stop{false}, finished{!flood};
    std::atomic<int> done{0};
    std::thread writer;
    if (flood)
        writer = std::thread([&] {
            if (modbus_t* c = connectTo(port)) {
                modbus_set_slave(c, 2);
                for (int i = 0; !stop; ++i)
                    done += modbus_write_register(c, 301, uint16_t(500 + i % 50)) == 1;
                modbus_close(c);
                modbus_free(c);
            }
            finished = true;
        });
    runFor(seconds);
    const std::array<int, 3> counted = n;
    stop = true;
    while (!finished) // the gateway answers on this thread's loop
        runFor(0.02);
    if (writer.joinable()) writer.join();
    QObject::disconnect(counting);
    if (writes) *writes = done;
    return counted;
}

} // namespace

int main(int argc, char** argv) {
    if (answeredHelp(argc, argv,
                     "Usage: bench_gateway [--seconds N] [--turnaround MS]\n"
                     "Reads from 8 Modbus TCP clients at 200 requests/s for N seconds (default "
                     "10), served from the images (goals: median <= 1 ms, 99th percentile <= "
                     "5 ms, added CPU <= 2 % of a core), and 20 writes of SV1 at 9600 and 38400 "
                     "baud (goal: the answer within one monitor exchange, the write and its "
                     "read-back, each with the turnaround (default 20 ms) and the quiet gap), "
                     "and a client writing back to back at 9600 (goal: each station polled at "
                     "half its rate alone or more). Exits 1 when any of them misses its goal.\n"))
        return 0;
    QCoreApplication app(argc, argv);
    double seconds = 10;
    int turnaround = 20;
    for (int i = 1; i + 1 < argc; ++i) {
        if (!std::strcmp(argv[i], "--seconds"))
            seconds = std::atof(argv[++i]);
        else if (!std::strcmp(argv[i], "--turnaround"))
            turnaround = std::atoi(argv[++i]);
    }
    bool missed = false; // a row that misses its goal
    int port = 0;
    {
        QTcpServer probe;
        probe.listen(QHostAddress::LocalHost);
        port = probe.serverPort();
    }
    for (int baud : {9600, 38400}) {
        Line line;
        if (!line.open(baud, turnaround)) {
            std::fprintf(stderr, "bench_gateway: the line did not reach monitoring at %d\n", baud);
            return 1;
        }
        Gateway gateway(line.link.get());
        serve(gateway, port);
        if (!gateway.listening()) {
            std::fprintf(stderr, "bench_gateway: the gateway does not listen\n");
            return 1;
        }
        // Every block held before the clock runs.
        waitForImages(*line.link);
        std::atomic<bool> warmed{false};
        std::thread warm([&] {
            if (modbus_t* c = connectTo(port)) {
                uint16_t r[8];
                for (int mc : {1, 2}) {
                    modbus_set_slave(c, mc);
                    for (int i = 0; i < 5 && modbus_read_registers(c, 301, 3, r) != 3; ++i)
                        std::this_thread::sleep_for(std::chrono::milliseconds(200));
                }
                modbus_close(c);
                modbus_free(c);
            }
            warmed = true;
        });
        while (!warmed)
            runFor(0.05);
        warm.join();
        if (baud == 9600) {
            const double cpu0 = cpuSeconds();
            const auto t0 = Clock::now();
            runFor(seconds);
            const double alone =
                (cpuSeconds() - cpu0) / std::chrono::duration<double>(Clock::now() - t0).count();
            std::mutex mutex;
            std::vector<double> ms;
            double clientCpu = 0;
            int failed = 0;
            std::atomic<bool> stop{false};
            std::atomic<int> finished{0};
            std::vector<std::thread> clients;
            const double cpu1 = cpuSeconds();
            const auto t1 = Clock::now();
            for (int n = 0; n < 8; ++n)
                clients.emplace_back([&, n] {
                    const double own0 = threadCpuSeconds();
                    modbus_t* c = connectTo(port);
                    std::vector<double> mine;
                    int bad = 0;
                    auto next = Clock::now();
                    for (int i = 0; c && !stop; ++i) {
                        next += std::chrono::milliseconds(40); // 25/s each, 200/s in all
                        std::this_thread::sleep_until(next);
                        uint16_t r[8];
                        modbus_set_slave(c, 1 + (n + i) % 2);
                        const auto s = Clock::now();
                        const int got = i % 2 ? modbus_read_registers(c, 301, 3, r)
                                              : modbus_read_input_registers(c, 1, 5, r);
                        mine.push_back(
                            std::chrono::duration<double, std::milli>(Clock::now() - s).count());
                        bad += got < 0;
                    }
                    if (c) {
                        modbus_close(c);
                        modbus_free(c);
                    }
                    std::lock_guard lock(mutex);
                    ms.insert(ms.end(), mine.begin(), mine.end());
                    failed += bad + (c ? 0 : 1);
                    clientCpu += threadCpuSeconds() - own0;
                    ++finished;
                });
            runFor(seconds);
            stop = true;
            // The gateway answers on this thread's event loop: it runs until the last answer.
            while (finished < 8)
                runFor(0.02);
            for (std::thread& t : clients)
                t.join();
            const double wall = std::chrono::duration<double>(Clock::now() - t1).count();
            const double added = (cpuSeconds() - cpu1 - clientCpu) / wall - alone;
            const double median = percentile(ms, 0.5), p99 = percentile(ms, 0.99);
            std::printf("reads: %zu in %.1f s (%.0f/s), %d failed; median %.3f ms (%.2f of "
                        "1 ms), 99th percentile %.3f ms (%.2f of 5 ms); added CPU %.2f %% of a "
                        "core (%.2f of 2 %%)\n",
                        ms.size(), wall, double(ms.size()) / wall, failed, median, median / 1.0,
                        p99, p99 / 5.0, added * 100, added * 100 / 2.0);
            if (failed > 0 || median > 1.0 || p99 > 5.0 || added * 100 > 2.0) {
                std::printf("reads: MISSED the goal\n");
                missed = true;
            }
        }
        // Writes: the answer against the exchanges it may take on the wire.
        std::vector<double> ms;
        std::atomic<bool> done{false};
        std::thread writer([&] {
            if (modbus_t* c = connectTo(port)) {
                modbus_set_slave(c, 1);
                for (int i = 0; i < 20; ++i) {
                    std::this_thread::sleep_for(std::chrono::milliseconds(37 * (i % 5)));
                    const auto s = Clock::now();
                    if (modbus_write_register(c, 301, uint16_t(500 + i)) == 1)
                        ms.push_back(
                            std::chrono::duration<double, std::milli>(Clock::now() - s).count());
                    else
                        std::fprintf(stderr, "bench_gateway: write %d: %s\n", i,
                                     modbus_strerror(errno));
                }
                modbus_close(c);
                modbus_free(c);
            }
            done = true;
        });
        while (!done)
            runFor(0.02);
        writer.join();
        // Requests as the link builds them; a write's acknowledgement is "[STX]01DWR,OK[CR][LF]",
        // a read's reply the same head with ",XXXX" per register.
        const double ch = line.link->charMs();
        const std::vector<int>& mon = findStep(kStepMonitor)->regs;
        const double writeWire =
            double(buildWriteReq(1, {301}, {500}, line.link->portSettings().sumLen()).size() + 11) *
            ch;
        const double monitor =
            double(buildReadReq(1, mon, line.link->portSettings().sumLen()).size() + 11 +
                   5 * int(mon.size())) *
            ch;
        // The read-back of the register written: "[STX]01DRR,OK,XXXX[CR][LF]".
        const double readBack =
            double(buildReadReq(1, {301}, line.link->portSettings().sumLen()).size() + 16) * ch;
        // Every exchange leaves the line quiet for 3.5 characters first (the transceiver's
        // release). A write that comes in just after the one before has ended waits for the
        // poll's share: one monitor exchange, longer on the wire than the write and its
        // read-back together.
        const double gap = KX5Link::kQuietGapChars * ch;
        // Each of the three exchanges is also allowed 1 ms for the two processes to be woken
        // (the simulator's reply and our handling each wait for the scheduler once).
        const double bound = (monitor + turnaround + gap + 1) + (writeWire + turnaround + gap + 1) +
                             (readBack + turnaround + gap + 1);
        const double median = percentile(ms, 0.5), worst = percentile(ms, 1.0);
        std::printf("writes at %d: %zu of 20 answered; median %.1f ms, worst %.1f ms; bound "
                    "%.1f ms (monitor exchange %.1f + write %.1f + read-back %.1f, each with "
                    "turnaround %d, quiet gap %.1f and 1 ms to wake): worst %.2f of it\n",
                    baud, ms.size(), median, worst, bound, monitor, writeWire, readBack, turnaround,
                    gap, worst / bound);
        if (ms.size() < 20 || worst > bound) {
            std::printf("writes at %d: MISSED the goal\n", baud);
            missed = true;
        }
        gateway.stop();
    }
    // A client writing back to back: the poll keeps its share of the line.
    for (bool fast : {true, false}) {
        Line line;
        if (!line.open(9600, turnaround, fast)) {
            std::fprintf(stderr, "bench_gateway: the line did not reach monitoring\n");
            return 1;
        }
        Gateway gateway(line.link.get());
        serve(gateway, port);
        waitForImages(*line.link); // the rates are the poll's alone after
        const double span = std::max(6.0, seconds);
        const std::array<int, 3> alone = pollCounts(*line.link, port, span, false, nullptr);
        int writes = 0;
        const std::array<int, 3> loaded = pollCounts(*line.link, port, span, true, &writes);
        double worst = 1;
        for (int mc : {1, 2})
            worst = std::min(
                worst, alone[size_t(mc)] ? double(loaded[size_t(mc)]) / alone[size_t(mc)] : 0.0);
        std::printf("write flood at 9600 %s: %d writes in %.0f s; monitor readings of MC 1 and "
                    "2: %d and %d alone, %d and %d under the flood: %.2f of the rate alone "
                    "(goal >= 0.5)\n",
                    fast ? "fast" : "standard", writes, span, alone[1], alone[2], loaded[1],
                    loaded[2], worst);
        if (worst < 0.5 || writes == 0) {
            std::printf("write flood: MISSED the goal\n");
            missed = true;
        }
        gateway.stop();
    }
    return missed ? 1 : 0;
}
