// The link end to end: the real QSerialPort over a pseudo-terminal against kx5sim, with real
// timers: waits long enough on slow lines and the port going away. Which frames go out in which
// order, given-up requests, which replies are taken and the line statistics are test_link's.
// The line scan at the end.
#include "link/Frames.h"
#include "link/KX5Link.h"
#include "link/LineScanner.h"
#include "link/QtSerialPort.h"
#include "sim/SimLine.h"

#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>
#include <gtest/gtest.h>

namespace {

class LinkPty : public ::testing::Test {
protected:
    void TearDown() override { link.reset(); }

    // kx5sim with `onLine` on the line, the link with `inUse` in use, the port opened.
    void start(std::vector<int> onLine, const std::vector<int>& inUse, bool sum,
               const std::vector<std::string>& faults = {}) {
        kx5sim::LineConfig cfg;
        cfg.stations = std::move(onLine);
        cfg.mode = sum ? kx5sim::Mode::Sum : kx5sim::Mode::Std;
        cfg.baud = baud;
        cfg.stopBits = stopBits;
        for (const auto& f : faults)
            cfg.faults.push_back(*kx5sim::FaultPlan::parse(f));
        sim = std::make_unique<kx5sim::SimLine>(cfg);
        std::string err;
        ASSERT_TRUE(sim->start(&err)) << err;
        link = std::make_unique<KX5Link>(std::make_unique<QtSerialPort>());
        link->setPortSettings(
            PortSettings::fromLines({QString::fromStdString(sim->path()), QString::number(baud),
                                     "N", "8", QString::number(stopBits), sum ? "SUM" : "STD"}));
        link->setFastPacing(fast);
        StationList list;
        for (int mc : inUse)
            list.push_back({mc, QString()});
        link->setStations(list);
        link->mSetPortOpen_Click();
        ASSERT_TRUE(link->port()->isOpen()) << int(link->lastNote().fault.kind);
    }

    // How often the simulator heard this request.
    int heardCount(const QByteArray& req) const {
        const auto ex = sim->exchanges();
        return int(std::ranges::count_if(
            ex, [&](const auto& e) { return e.request == req.toStdString(); }));
    }
    // Monitor reads that reached station mc.
    int monitorReads(int mc) const {
        return heardCount(
            buildReadReq(mc, findStep(kStepMonitor)->regs, link->portSettings().sumLen()));
    }

    std::unique_ptr<kx5sim::SimLine> sim;
    std::unique_ptr<KX5Link> link;
    bool fast = false;
    int baud = 9600;
    int stopBits = 1;
};

} // namespace

// On a real line at its real speed, also a slow one of 11 bits a character, the sweep (with
// one station missing), the four blocks and monitoring go without a single time-out or repeat
// (which frames, in which order, is test_link's); then a write reaches its controller and is
// read back. The standard pacing gathers with its timer, the fast one takes a frame at its end.
TEST_F(LinkPty, SweepReadAllMonitoringAndAWriteOnTheWire) {
    struct Row {
        int baud, stopBits;
        bool sum, fast;
        std::vector<int> onLine, inUse;
    } rows[] = {{9600, 1, false, false, {1, 3}, {1, 2, 3}}, {2400, 2, true, true, {1, 2}, {1, 2}}};
    for (const Row& r : rows) {
        SCOPED_TRACE(r.baud);
        baud = r.baud;
        stopBits = r.stopBits;
        fast = r.fast;
        // At 9600 the write's acknowledgement comes in pieces shorter than a refusal, as
        // from a USB adapter: it must still be taken at its first sending.
        start(r.onLine, r.inUse, r.sum,
              {baud == 9600 ? std::string("split=3,reg=506") : std::string("pace")});
        const int s = link->portSettings().sumLen();
        ASSERT_TRUE(QTest::qWaitFor(
            [&] {
                return std::ranges::all_of(r.onLine, [&](int mc) { return monitorReads(mc) >= 1; });
            },
            40000));
        for (int mc : r.onLine) {
            const StationStats& st = link->lineStats().at(mc);
            EXPECT_EQ(st.timeouts + st.refusals + st.badSums + st.unmatched, 0) << mc;
        }
        ASSERT_TRUE(QTest::qWaitFor([&] { return link->isFresh(0); }, 10000));
        EXPECT_EQ(link->values(0)->regs[MonReg::INP], sim->readRegister(1, 610));
        if (baud == 9600) {
            ASSERT_TRUE(link->request(Request::writeOne(1, 506, 321)).taken);
            const QByteArray write = buildWriteReq(1, {506}, {321}, s);
            // The simulator records an exchange after its reply has gone out, so the link may
            // take the acknowledgement first.
            EXPECT_TRUE(QTest::qWaitFor(
                [&] { return link->paramValue(506) == 321 && heardCount(write) > 0; }, 5000));
            EXPECT_EQ(sim->readRegister(1, 506), 321);
            EXPECT_EQ(heardCount(write), 1);
        }
        link->mSetPortOpen_Click();
        ASSERT_TRUE(QTest::qWaitFor([&] { return !link->port()->isOpen(); }, 5000));
        link.reset();
    }
}

// A port that will not open says why. The adapter pulled and put back: with reopening
// chosen, the same path is opened again by itself and the sweep runs again, with no click.
TEST_F(LinkPty, OpenFailuresNameTheCauseAndALostPortIsReopenedWhenItComesBack) {
    QTemporaryDir dir;
    const QString path = dir.filePath("ttyKX5");
    start({1}, {1}, false);
    const QString pts = link->portSettings().port;
    const auto openFault = [](const QString& name, const LineSettings& settings) {
        QtSerialPort p;
        p.setPortName(name);
        p.setSettings(settings);
        EXPECT_FALSE(p.open());
        return p.fault();
    };
    using K = PortFault::Kind;
    EXPECT_EQ(openFault(pts, {}), PortFault{.kind = K::InUse}); // the link holds it
    ASSERT_TRUE(QFile::link(pts, path));
    link->mSetPortOpen_Click(); // close, then open through the stable path
    ASSERT_TRUE(QTest::qWaitFor([&] { return !link->port()->isOpen(); }, 3000));
    EXPECT_EQ(openFault("/dev/kx5-no-such-port", {}), PortFault{.kind = K::NoSuchPort});
    // A parity no port takes is refused by field.
    EXPECT_EQ(openFault(pts, {.parity = LineSettings::Parity::Unusable}),
              (PortFault{.kind = K::BadSettings, .field = PortFault::Field::Parity}));
#ifndef Q_OS_WIN
    EXPECT_EQ(systemPortName("COM3"), "/dev/ttyS2");
#endif
    EXPECT_EQ(portNumber("COM12"), 12);
    PortSettings stable = link->portSettings();
    stable.port = path;
    link->setPortSettings(stable);
    link->setAutoReopen(true);
    link->mSetPortOpen_Click();
    ASSERT_TRUE(QTest::qWaitFor([&] { return link->sendStep() == kStepMonitor; }, 5000));

    // The path goes with the line: a pseudo-terminal's number is soon given to another
    // test's simulator, which this link must never reach by reopening it.
    QFile::remove(path);
    sim->stop();
    sim.reset();
    ASSERT_TRUE(QTest::qWaitFor([&] { return link->reopening(); }, 5000));
    // Back: swept and polled again. A controller still silent then is test_link's.
    sim = std::make_unique<kx5sim::SimLine>(kx5sim::LineConfig{});
    ASSERT_TRUE(sim->start());
    ASSERT_TRUE(QFile::link(QString::fromStdString(sim->path()), path));
    EXPECT_TRUE(QTest::qWaitFor(
        [&] { return monitorReads(1) > 0 && link->connState(0) == ConnState::OK; }, 7000));
    EXPECT_TRUE(link->offersClose());
}

// The line scan: stations found only at the setting they answer at, by what the simulator heard.
TEST(LineScanPty, FindsTheStationsAt2400SumAmongSilentNumbers) {
    kx5sim::LineConfig cfg;
    cfg.stations = {3, 17, 99};
    cfg.mode = kx5sim::Mode::Sum;
    cfg.baud = 2400;
    cfg.strictRate = true;
    kx5sim::SimLine sim(cfg);
    std::string err;
    ASSERT_TRUE(sim.start(&err)) << err;

    LineScanner scanner(std::make_unique<QtSerialPort>());
    scanner.setPortName(QString::fromStdString(sim.path()));
    scanner.setFastPacing(true);
    const std::vector<int> numbers = {2, 3, 17, 50, 99};
    scanner.setNumbers(numbers);
    QSignalSpy done(&scanner, &LineScanner::finished);
    const auto settings = LineScanner::allSettings(ScanSetting{});
    ASSERT_EQ(settings.size(), 8u);
    ASSERT_TRUE(scanner.start(settings).isNone());
    ASSERT_TRUE(done.wait(scanner.boundMs(settings) * 2));
    EXPECT_FALSE(done[0][0].toBool());
    EXPECT_TRUE(done[0][1].value<ScanProblem>().isNone());

    std::vector<int> found;
    for (const ScanFind& f : scanner.finds()) {
        found.push_back(f.mcNo);
        EXPECT_EQ(f.setting.text(), "2400,N,8,1 SUM");
    }
    EXPECT_EQ(found, (std::vector<int>{3, 17, 99}));
    // Every number asked once at every setting, only ever the model query, and a model
    // answer went back only to the stations on the line.
    const auto ex = sim.exchanges();
    EXPECT_EQ(ex.size(), numbers.size() * settings.size());
    int answered = 0;
    for (const auto& e : ex) {
        EXPECT_EQ(e.request.substr(3, 3), "WHO");
        answered += e.reply.find(",OK,") != std::string::npos;
    }
    EXPECT_EQ(answered, 3);
}
