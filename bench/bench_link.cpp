// Cost of handling one accepted monitor reply: assemble, check, convert and store 19 values;
// and of the alarms evaluated at each stored reply with 99 stations in use. Exits 1 when a goal
// is missed. Run on demand: build/bin/bench_link [replies]
#include "bench/Measure.h"
#include "link/Frames.h"
#include "link/KX5Link.h"
#include "link/mdlKX5.h"
#include "services/AlarmBook.h"
#include "tests/support/LineUp.h"

#include <QCoreApplication>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <ctime>

namespace {

QByteArray monitorReply(int mc, int i) {
    QByteArray f = QByteArray("\x02") + QByteArray::number(mc).rightJustified(2, '0') + "DRR,OK";
    for (int k = 0; k < 19; ++k)
        f += "," + HexPad((i * 7 + k * 13) % 4000 - 100, 4).toLatin1();
    f += "..\r\n";
    PutFrameSum(f);
    return f;
}

// Prints a figure against its goal; false when it is missed.
bool report(const char* what, double value, const char* unit, double goal) {
    std::printf("%-58s %8.3f %s  goal %6.2f  ratio %5.2f %s\n", what, value, unit, goal,
                value / goal, value <= goal ? "met" : "NOT met");
    return value <= goal;
}

// The alarm book at every stored reply, 99 stations in use each with a lamp on: steady lamps
// (the usual reply), and a lamp that switches at every reply (raised, then cleared).
bool benchAlarms() {
    LineModel line;
    StationList list;
    for (int mc = 1; mc <= 99; ++mc)
        list.push_back({mc, QStringLiteral("Oven")});
    line.setStations(list);
    AlarmBook book(line);
    std::array<int, StationValues::kCount> regs{};
    regs[MonReg::INP] = 3, regs[MonReg::NPV] = 1234, regs[MonReg::ALMSTS] = 1;
    const QDateTime at = QDateTime::currentDateTime();
    for (int mc = 1; mc <= 99; ++mc)
        line.storeValues(mc, regs, at);
    constexpr int kReplies = 99 * 2000;
    bool met = true;
    for (bool toggling : {false, true}) {
        // This thread's CPU time: the wait for a core on a busy machine is not the work.
        const double cpu0 = threadCpuSeconds();
        for (int i = 0; i < kReplies; ++i) {
            if (toggling) regs[MonReg::ERRSTS] = (i / 99) & 1;
            line.storeValues(i % 99 + 1, regs, at);
        }
        met &= report(toggling ? "99 stations' alarms evaluated per reply, a lamp switching"
                               : "99 stations' alarms evaluated per reply, steady lamps",
                      (threadCpuSeconds() - cpu0) * 1e6 / kReplies, "us", 10);
        book.acknowledgeAll(); // the cleared ones go, as an operator would have them go
    }
    return met;
}

} // namespace

int main(int argc, char** argv) {
    if (answeredHelp(argc, argv,
                     "Usage: bench_link [REPLIES]\nCost of handling one accepted monitor reply "
                     "(assemble, check, convert and store 19\nvalues) over the in-memory port, "
                     "averaged over REPLIES (default 20000),\nand the alarms of 99 stations "
                     "evaluated per reply. Exits 1 when a goal is missed.\n"))
        return 0;
    QCoreApplication app(argc, argv);
    const int n = argc > 1 ? std::atoi(argv[1]) : 20000;
    auto* port = new FakeSerialPort;
    KX5Link link{std::unique_ptr<SerialPort>(port)};
    link.setPortSettings(PortSettings::fromLines({"COM1", "9600", "N", "8", "1", "SUM"}));
    link.setStations({{1, ""}, {2, ""}, {3, ""}});
    if (!bringUpOnFakePort(link, *port)) {
        std::printf("the line did not come up\n");
        return 1;
    }

    std::vector<QByteArray> replies;
    for (int i = 0; i < 63; ++i)
        replies.push_back(monitorReply(1 + i % 3, i));

    // Warm-up, then measure the receive path alone (the send tick is not part of the goal).
    // Each reply is timed on the monotonic clock, which costs tens of nanoseconds, where the
    // CPU-time clock is a system call of about a microsecond that would count in every reply;
    // the median leaves out the replies during which the thread was preempted.
    std::vector<double> us(static_cast<size_t>(n));
    double cpu = 0;
    for (int round = 0; round < 2; ++round) {
        const double cpu0 = cpuSeconds();
        for (int i = 0; i < n; ++i) {
            link.fire(LinkTimer::Send); // the request the reply answers; not part of the goal
            port->writes.clear();
            const int mc = link.line().mcNoAt(link.polledIdx());
            port->feed(replies[static_cast<size_t>((i / 3 * 3 + mc - 1) % 63)], false);
            const auto t0 = std::chrono::steady_clock::now();
            link.fire(LinkTimer::Gather);
            us[size_t(i)] =
                std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - t0)
                    .count();
            link.stop(LinkTimer::Send);
        }
        cpu = cpuSeconds() - cpu0;
    }
    std::sort(us.begin(), us.end());
    const double median = us[us.size() / 2];
    std::printf("accepted monitor reply (SUM, 19 values, traced and stored): median %.2f us, "
                "90th percentile %.2f us\n",
                median, us[us.size() * 9 / 10]);
    std::printf("whole loop, send tick included: %.2f us CPU per exchange\n", cpu / n * 1e6);
    bool met = report("accepted monitor reply, median", median, "us", 5);
    std::printf("check: row 1 NPV = %d, fresh = %d\n", link.values(0)->regs[MonReg::NPV],
                int(link.isFresh(0)));
    met &= benchAlarms();
    return met ? 0 : 1;
}
