// libFuzzer target: the whole link (scheduler, watchdog, reply assembly and filing) on the
// in-memory port, driven by a fuzzed script of timer ticks, user requests and replies. Most
// replies are well-formed frames (right checksum, the outstanding station or another), so the
// fuzzer reaches the filing code and not only the framing. It looks for crashes, hangs and
// undefined behaviour; what the link should do is left to the unit tests.
#include "link/Cells.h"
#include "link/Frames.h"
#include "link/KX5Link.h"
#include "link/Steps.h"
#include "link/mdlKX5.h"
#include "tests/support/FakeSerialPort.h"

#include <QCoreApplication>
#include <cstddef>
#include <cstdint>

namespace {

struct Host : LinkHost {
    void SetOnlineState(bool) override {}
    void showSelectedMcNo(const QString&) override {}
};

// Reads the script; zeros once it runs out.
class Script {
public:
    Script(const uint8_t* data, size_t size) : m_p(data), m_end(data + size) {}
    bool done() const { return m_p >= m_end; }
    int byte() { return m_p < m_end ? *m_p++ : 0; }
    int word() { return byte() << 8 | byte(); }
    QByteArray bytes(int n) {
        QByteArray b;
        while (n-- > 0 && !done())
            b += char(byte());
        return b;
    }

private:
    const uint8_t* m_p;
    const uint8_t* m_end;
};

QByteArray mc2(int mc) {
    return QByteArray::number(mc).rightJustified(2, '0');
}

QByteArray wrap(const QByteArray& body) {
    QByteArray f = QByteArray(1, STX) + body + (gSumLen > 0 ? ".." : "") + "\r\n";
    if (gSumLen > 0) PutFrameSum(f);
    return f;
}

// A reply a controller could send, or a near miss of one.
QByteArray reply(Script& s, int mc) {
    const int kind = s.byte();
    if (kind % 8 == 7) mc = s.byte() % 100; // another station answers
    switch (kind % 5) {
    case 0:
        return wrap(mc2(mc) + "WHO,OK,KX5-" + s.bytes(s.byte() % 12));
    case 1: {
        QByteArray b = mc2(mc) + "DRR,OK";
        for (int n = s.byte() % 48; n > 0; --n)
            b += "," + HexPad(qint16(s.word()), 4).toLatin1();
        return wrap(b);
    }
    case 2:
        return wrap(mc2(mc) + "DWR,OK");
    case 3:
        return wrap(mc2(mc) + (s.byte() % 2 ? "DRR,NG," : "DWR,NG,") + s.bytes(s.byte() % 6));
    default:
        return wrap(mc2(mc) + s.bytes(s.byte() % 64));
    }
}

const int kSteps[] = {kStepWriteAlarm,  kStepWriteAT,    kStepWriteControl,   kStepWriteInput1,
                      kStepWriteOutput, kStepWritePID,   kStepWriteSV,        kStepWriteInput2,
                      kStepWriteOne,    kStepWriteClock, kStepWriteOnePolled, kStepReadAll1};

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    static QCoreApplication app(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Script s(data, size);
    resetDataImage();
    const int mode = s.byte();
    setProtocol(mode & 1 ? QStringLiteral("SUM") : QStringLiteral("STD"));
    Host host;
    auto* port = new FakeSerialPort;
    KX5Link link{std::unique_ptr<SerialPort>(port)};
    link.setHost(&host);
    link.setFastPacing(mode & 2);
    link.setAutoReopen(mode & 4);
    gMC_List.clear();
    for (int n = 1 + s.byte() % 5; n > 0; --n)
        gMC_List.push_back(1 + s.byte() % 99);
    gMC_OK.assign(gMC_List.size(), false);
    gMC_Last = static_cast<int>(gMC_List.size()) - 1;
    link.sprdStatus.setMaxRows(gMC_Last + 1);
    link.sprdMonitoring.setMaxRows(gMC_Last + 1);
    link.mSetPortOpen_Click();

    for (int ops = 0; !s.done() && ops < 2000; ++ops) {
        const int op = s.byte();
        switch (op % 12) {
        case 0:
        case 1:
            link.tmrSend_Timer();
            break;
        case 2:
        case 3: {
            const int mc = link.expectedMcNo() ? link.expectedMcNo() : gMC_No;
            QByteArray r = reply(s, mc);
            if (op & 0x80) r = r.left(s.byte() % (r.size() + 1)); // cut short; the rest later
            port->feed(r);
            link.gather_Done();
            break;
        }
        case 4:
            port->feed(s.bytes(s.byte() % 96));
            link.gather_Done();
            break;
        case 5:
            link.tmrRecvErr_Timer();
            break;
        case 6:
            link.pause_Done();
            link.tmrBall_Send_Timer();
            link.tmrBall_Recv_Timer();
            break;
        case 7: { // a window asks for a write or a read-all
            gReqStep = kSteps[s.byte() % std::size(kSteps)];
            gReqMcNo = s.byte() % 2 ? 1 + s.byte() % 99 : 0;
            gRegNo.assign(1, 300 + s.byte());
            gRegVal.assign(40, 0);
            for (int& v : gRegVal)
                v = qint16(s.word());
            gRegVal2.assign(8, qint16(s.word()));
            break;
        }
        case 8: // the user picks a station in the status table
            if (gLinkUp && !gMC_List.empty()) {
                const int idx = s.byte() % static_cast<int>(gMC_List.size());
                if (gMC_OK[static_cast<size_t>(idx)]) {
                    gMC_SelIdx = idx;
                    gMC_No = gMC_List[static_cast<size_t>(idx)];
                    gReqStep = kStepReadAll1;
                }
            }
            break;
        case 9:
            port->injectFailure(QStringLiteral("device gone"));
            break;
        case 10:
            if (s.byte() % 3 == 0) port->failNextOpen(QStringLiteral("busy"));
            link.reopen_Timer();
            break;
        case 11:
            if (s.byte() % 4 == 0) link.mSetPortOpen_Click();
            break;
        }
    }
    link.ClosePort();
    return 0;
}
