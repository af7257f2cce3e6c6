// Cost of handling one accepted monitor reply: assemble, check, convert and store 19 values.
// Run on demand: build/bin/bench_link [replies]
#include "bench/Measure.h"
#include "link/Frames.h"
#include "link/KX5Link.h"
#include "link/mdlKX5.h"
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

} // namespace

int main(int argc, char** argv) {
    if (answeredHelp(argc, argv,
                     "Usage: bench_link [REPLIES]\nCost of handling one accepted monitor reply "
                     "(assemble, check, convert and store 19\nvalues) over the in-memory port, "
                     "averaged over REPLIES (default 20000).\n"))
        return 0;
    QCoreApplication app(argc, argv);
    const int n = argc > 1 ? std::atoi(argv[1]) : 20000;
    auto* port = new FakeSerialPort;
    KX5Link link{std::unique_ptr<SerialPort>(port)};
    link.setPortSettings({"COM1", "9600", "N", "8", "1", "SUM"});
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
    std::printf("goal 5 us: ratio %.3f (%s)\n", median / 5.0, median <= 5.0 ? "met" : "NOT met");
    std::printf("check: row 1 NPV = %d, fresh = %d\n", link.values(0)->regs[MonReg::NPV],
                int(link.isFresh(0)));
    return 0;
}
