// Cost of handling one accepted monitor reply: assemble, check, convert and store 19 values.
// Run on demand: build/bin/bench_link [replies]
#include "bench/Measure.h"
#include "link/Frames.h"
#include "link/KX5Link.h"
#include "link/mdlKX5.h"
#include "tests/support/FakeSerialPort.h"

#include <QCoreApplication>
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
    QCoreApplication app(argc, argv);
    const int n = argc > 1 ? std::atoi(argv[1]) : 20000;
    auto* port = new FakeSerialPort;
    KX5Link link{std::unique_ptr<SerialPort>(port)};
    setProtocol("SUM");
    gMC_List = {1, 2, 3};
    gMC_OK = {true, true, true};
    gMC_Name = {"", "", ""};
    gMC_Last = 2;
    for (int i = 0; i < 3; ++i)
        link.sprdStatus.appendRow(), link.sprdMonitoring.appendRow();
    port->open();
    link.gSendStep = 11;

    std::vector<QByteArray> replies;
    for (int i = 0; i < 63; ++i)
        replies.push_back(monitorReply(1 + i % 3, i));

    // Warm-up, then measure the receive path alone (the send tick is not part of the goal).
    double spent = 0;
    for (int round = 0; round < 2; ++round) {
        spent = 0;
        for (int i = 0; i < n; ++i) {
            link.tmrSend_Timer(); // the request the reply answers; not part of the goal
            port->writes.clear();
            const int mc = gMC_List[static_cast<size_t>(link.gMC_Idx)];
            port->feed(replies[static_cast<size_t>((i / 3 * 3 + mc - 1) % 63)], false);
            const double t0 = cpuSeconds();
            link.gather_Done();
            spent += cpuSeconds() - t0;
            link.tmrSend.stop();
        }
    }
    const double perReplyUs = spent / n * 1e6;
    std::printf("accepted monitor reply (SUM, 19 values, traced and stored): %.2f us CPU\n",
                perReplyUs);
    std::printf("goal 5 us: ratio %.3f (%s)\n", perReplyUs / 5.0,
                perReplyUs <= 5.0 ? "met" : "NOT met");
    std::printf("check: row 1 NPV = %s, COMSTS = %s\n", qPrintable(link.sprdMonitoring.text(4, 1)),
                qPrintable(link.sprdMonitoring.text(13, 1)));
    return 0;
}
