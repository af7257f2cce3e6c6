// libFuzzer target: the whole link (scheduler, watchdog, reply assembly and filing) on the
// in-memory port, driven by a fuzzed script of timer ticks, user requests and replies. Most
// replies are well-formed frames for the outstanding station or another, so the fuzzer gets
// past the framing into the filing. It looks for crashes, hangs and undefined behaviour; what
// the link should do is the unit tests' part.
#include "link/Frames.h"
#include "link/KX5Link.h"
#include "link/Request.h"
#include "tests/support/FakeSerialPort.h"
#include "tests/support/Replies.h"

#include <QCoreApplication>
#include <cstdint>

namespace {

// The script's bytes; zeros once it runs out.
struct Script {
    const uint8_t *p, *end;
    bool done() const { return p >= end; }
    int byte() { return p < end ? *p++ : 0; }
    int word() { return byte() << 8 | byte(); }
    QByteArray bytes(int n) {
        QByteArray b;
        while (n-- > 0 && !done())
            b += char(byte());
        return b;
    }
};

// A reply a controller could send, or a near miss of one: a model, values, an
// acknowledgement, a refusal, or any body, with the bytes that follow.
QByteArray reply(Script& s, int mc, int sum) {
    const int kind = s.byte();
    if (kind & 0x80) mc = s.byte() % 100; // another station answers
    const char* heads[] = {"WHO,OK,KX5-", "DRR,OK", "DWR,OK", "NG,", "DRR,NO,", ""};
    QByteArray b = mc2(mc) + heads[kind % std::size(heads)];
    for (int n = kind % std::size(heads) == 1 ? s.byte() % 48 : 0; n > 0; --n)
        b += "," + HexPad(qint16(s.word()), 4).toLatin1();
    return wrap(b + s.bytes(s.byte() % 16), sum);
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    static QCoreApplication app(*argc, *argv); // the link's timers want one
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Script s{data, data + size};
    const int mode = s.byte();
    auto* port = new FakeSerialPort;
    KX5Link link{std::unique_ptr<SerialPort>(port)};
    PortSettings settings;
    settings.protocol = mode & 1 ? PortSettings::Protocol::Sum : PortSettings::Protocol::Std;
    link.setPortSettings(settings);
    const int sum = settings.sumLen();
    link.setFastPacing(mode & 2);
    link.setAutoReopen(mode & 4);
    StationList stations;
    for (int n = s.byte() % 6; n > 0; --n)
        stations.push_back({1 + s.byte() % 99, QString()});
    link.setStations(stations);
    link.mSetPortOpen_Click();

    for (int ops = 0; !s.done() && ops < 2000; ++ops) {
        const int op = s.byte();
        switch (op % 11) {
        case 0:
        case 1:
            link.fire(LinkTimer::Send);
            break;
        case 2: // a reply, now and then cut short (the rest may come with the next one)
        case 3: {
            const QByteArray r =
                reply(s, link.expectedMcNo() ? link.expectedMcNo() : link.selectedMcNo(), sum);
            port->feed(op & 0x80 ? r.left(s.byte() % (r.size() + 1)) : r);
            link.fire(LinkTimer::Gather);
            break;
        }
        case 4:
            port->feed(s.bytes(s.byte() % 96));
            link.fire(LinkTimer::Gather);
            break;
        case 5:
            link.fire(LinkTimer::RecvErr);
            break;
        case 6:
            link.fire(LinkTimer::Pause);
            link.fire(LinkTimer::BallSend);
            link.fire(LinkTimer::BallRecv);
            break;
        case 7: { // a window asks for any step (the link must refuse those it does not take),
                  // of the selected station or another
            Request r;
            r.step = s.byte();
            r.mcNo = s.byte() % 2 ? 1 + s.byte() % 99 : link.selectedMcNo();
            const int n = s.byte() % 40;
            for (int i = 0; i < n; ++i)
                r.regs.push_back(300 + s.byte());
            r.values.assign(size_t(s.byte() % 40), qint16(s.word()));
            r.values2.assign(size_t(s.byte() % 10), qint16(s.word()));
            link.request(r);
            break;
        }
        case 8: // the user picks a station in the status table
            link.selectStation(stations.empty() ? -1 : s.byte() % int(stations.size()));
            break;
        case 9: // the adapter drops out; the reopen timer finds it back or busy
            if (op & 0x80) port->injectFailure();
            if (op & 0x40) port->failNextOpen();
            link.fire(LinkTimer::Reopen);
            break;
        case 10:
            if (op & 0x80) link.mSetPortOpen_Click();
            break;
        }
    }
    link.ClosePort();
    return 0;
}
