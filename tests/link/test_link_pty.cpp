// The link end to end: the real QSerialPort over a pseudo-terminal against kx5sim, with real
// timers. Exact request order on the wire, a misbehaving station, replies filed under the
// wrong station, and the port going away. The scheduler's logic in detail is test_link's.
#include "link/Cells.h"
#include "link/Frames.h"
#include "link/KX5Link.h"
#include "link/QtSerialPort.h"
#include "link/Steps.h"
#include "link/mdlKX5.h"
#include "sim/SimLine.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <array>
#include <gtest/gtest.h>
#include <map>

namespace {

struct CountingHost : LinkHost {
    int online = 0, offline = 0;
    void SetOnlineState(bool open) override { ++(open ? online : offline); }
    void showSelectedMcNo(const QString&) override {}
};

QByteArray bytes(const std::string& s) {
    return QByteArray(s.data(), static_cast<qsizetype>(s.size()));
}

class LinkPty : public ::testing::Test {
protected:
    void SetUp() override { resetDataImage(); }
    void TearDown() override { link.reset(); }

    // kx5sim with `onLine` on the line, the link with `inUse` in use, the port opened.
    void start(std::vector<int> onLine, const std::vector<int>& inUse, bool sum,
               const std::vector<std::string>& faults = {}) {
        kx5sim::LineConfig cfg;
        cfg.stations = std::move(onLine);
        cfg.mode = sum ? kx5sim::Mode::Sum : kx5sim::Mode::Std;
        for (const auto& f : faults)
            cfg.faults.push_back(*kx5sim::FaultPlan::parse(f));
        sim = std::make_unique<kx5sim::SimLine>(cfg);
        std::string err;
        ASSERT_TRUE(sim->start(&err)) << err;
        // Each station's SV number is its own MC No, so a value filed under another
        // station shows at once.
        for (int mc : cfg.stations)
            sim->writeRegister(mc, 300, static_cast<std::int16_t>(mc));
        setProtocol(sum ? "SUM" : "STD");
        gPort = QString::fromStdString(sim->path());
        link = std::make_unique<KX5Link>(std::make_unique<QtSerialPort>());
        link->setHost(&host);
        link->setFastPacing(fast);
        gMC_List = inUse;
        gMC_OK.assign(inUse.size(), false);
        gMC_Last = static_cast<int>(inUse.size()) - 1;
        link->sprdStatus.setMaxRows(gMC_Last + 1);
        link->sprdMonitoring.setMaxRows(gMC_Last + 1);
        QObject::connect(&link->sprdMonitoring, &Grid::cellChanged, [this](int col, int row) {
            const QString v = link->sprdMonitoring.text(col, row);
            if (col == MonitorCol::SVNO && !v.isEmpty() && v.toInt() != gMC_List[row - 1u])
                misfiled << QString("row %1 got %2").arg(row).arg(v);
        });
        link->mSetPortOpen_Click();
        ASSERT_TRUE(link->port()->isOpen()) << qPrintable(link->panel(4));
    }

    // Monitor reads that reached station mc.
    int monitorReads(int mc) {
        const QByteArray req = buildReadReq(mc, findStep(kStepMonitor)->regs, gSumLen);
        int n = 0;
        for (const auto& e : sim->exchanges())
            n += bytes(e.request) == req;
        return n;
    }

    std::unique_ptr<kx5sim::SimLine> sim;
    std::unique_ptr<KX5Link> link;
    CountingHost host;
    QStringList misfiled;
    bool fast = false;
};

// The wire-level sequences hold in both pacings: the standard one and the fast one.
class LinkPtyPacing : public LinkPty, public ::testing::WithParamInterface<bool> {
protected:
    void SetUp() override {
        LinkPty::SetUp();
        fast = GetParam();
    }
};

} // namespace

// Sweep (with one station missing from the line), the four blocks of the selected station,
// then monitoring of every connected station in turn: exactly these frames, in this order;
// then a write reaches its controller and is read back.
TEST_P(LinkPtyPacing, SweepReadAllMonitoringAndAWriteOnTheWire) {
    for (bool sum : {false, true}) {
        SCOPED_TRACE(sum ? "SUM" : "STD");
        start({1, 3}, {1, 2, 3}, sum);
        const int s = gSumLen;
        std::vector<QByteArray> expected = {buildModelReq(1, s), buildModelReq(2, s),
                                            buildModelReq(2, s), buildModelReq(2, s),
                                            buildModelReq(3, s)};
        for (int step = kStepReadAll1; step <= kStepReadAll4; ++step)
            expected.push_back(buildReadReq(1, findStep(step)->regs, s));
        for (int round = 0; round < 2; ++round)
            for (int mc : {1, 3})
                expected.push_back(buildReadReq(mc, findStep(kStepMonitor)->regs, s));
        ASSERT_TRUE(
            QTest::qWaitFor([&] { return sim->exchanges().size() >= expected.size(); }, 15000));
        const auto seen = sim->exchanges();
        for (size_t i = 0; i < expected.size(); ++i)
            EXPECT_EQ(bytes(seen[i].request), expected[i]) << "request " << i;
        EXPECT_EQ(link->sprdStatus.text(StatusCol::ConnState, 2), "NG");
        EXPECT_EQ(link->sprdMonitoring.text(MonitorCol::INP, 1),
                  QString::number(sim->readRegister(1, 610)));

        gRegNo = {506};
        gRegVal = {321};
        gReqStep = kStepWriteOne;
        const MapCell spd = mapCell(506);
        EXPECT_TRUE(
            QTest::qWaitFor([&] { return link->sprdMap.text(spd.col, spd.row) == "321"; }, 5000));
        EXPECT_EQ(sim->readRegister(1, 506), 321);
        EXPECT_EQ(host.online, 1);
        link->mSetPortOpen_Click();
        ASSERT_TRUE(QTest::qWaitFor([&] { return !link->port()->isOpen(); }, 3000));
        link.reset();
        host = {};
    }
}

// One station that keeps refusing, failing its checksum or answering without "OK" never
// stops the line: it is given up after three time-outs and the others keep being polled.
TEST_P(LinkPtyPacing, AMisbehavingStationNeverStopsTheLine) {
    struct Row {
        const char* fault;
        bool fromStart; // false: the fault starts once monitoring runs
    } rows[] = {{"ng,station=2", true},
                {"ng,station=2", false},
                {"bad-sum,station=2", true},
                {"no-ok,station=2", true}};
    for (const auto& r : rows) {
        SCOPED_TRACE(r.fault);
        start({1, 2, 3}, {1, 2, 3}, true,
              r.fromStart ? std::vector<std::string>{r.fault} : std::vector<std::string>{});
        if (!r.fromStart) {
            ASSERT_TRUE(QTest::qWaitFor([&] { return monitorReads(3) > 0; }, 8000));
            sim->addFault(*kx5sim::FaultPlan::parse(r.fault));
        }
        const int before = monitorReads(3);
        EXPECT_TRUE(QTest::qWaitFor([&] { return monitorReads(3) >= before + 2; }, 9000))
            << "station 3 is no longer polled";
        EXPECT_EQ(host.online, 1) << "the sweep must end";
        EXPECT_GE(monitorReads(1), 2);
        EXPECT_EQ(link->sprdStatus.text(StatusCol::ConnState, 3), "OK");
        link.reset();
        host = {};
    }
}

// A late answer, a doubled one and one carrying another station's address are never filed
// under the station being polled.
TEST_P(LinkPtyPacing, RepliesAreFiledOnlyUnderTheirOwnStation) {
    // Late: beyond the reply wait of the pacing (500 ms, or about 130 ms when fast at 9600).
    const char* late = fast ? "delay=250,station=1" : "delay=700,station=1";
    for (const char* fault : {late, "double,station=2", "address=1,station=2"}) {
        SCOPED_TRACE(fault);
        misfiled.clear();
        start({1, 2}, {1, 2}, false, {fault});
        ASSERT_TRUE(QTest::qWaitFor([&] { return monitorReads(1) + monitorReads(2) >= 4; }, 12000));
        EXPECT_EQ(misfiled, QStringList());
        EXPECT_GE(monitorReads(1) + monitorReads(2), 2);
        link.reset();
        host = {};
    }
}

TEST_F(LinkPty, OtherEndVanishingClosesThePortAndReopeningWorks) {
    start({1}, {1}, false);
    ASSERT_TRUE(QTest::qWaitFor([&] { return gSendStep == kStepMonitor; }, 5000));
    sim->stop(); // the far end goes away mid-poll
    sim.reset();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !link->port()->isOpen(); }, 5000));
    EXPECT_EQ(link->panel(3), "CLOSE");
    EXPECT_TRUE(link->panel(4).contains(gPort)) << qPrintable(link->panel(4));
    EXPECT_FALSE(link->tmrSend.isActive());
    EXPECT_GE(host.offline, 1);

    // The path is gone now: opening says why and leaves the command ready to try again.
    link->mSetPortOpen_Click();
    EXPECT_FALSE(link->port()->isOpen());
    EXPECT_TRUE(link->panel(4).startsWith("Cannot open")) << qPrintable(link->panel(4));
}

// The line statistics agree with what kx5sim was told to do wrong.
TEST_F(LinkPty, LineStatisticsEqualTheInjectedFaults) {
    fast = true; // the counting is the same; the test takes a fraction of the time
    start({1, 2, 3, 4}, {1, 2, 3, 4}, true,
          {"ng,every=5,station=1", "bad-sum,every=7,station=2", "no-ok,every=6,station=3",
           "silent,station=4"});
    ASSERT_TRUE(QTest::qWaitFor([&] { return monitorReads(3) >= 40; }, 20000));
    link->ClosePort();
    QTest::qWait(100); // the reply to the last request, if any, is left unread
    // station -> requests, NG, bad sum, silent, without OK
    std::map<int, std::array<int, 5>> injected;
    for (const auto& e : sim->exchanges()) {
        auto& n = injected[e.address];
        ++n[0];
        n[1] += e.reply.find("NG,") != std::string::npos;
        n[2] += e.address == 2 && !e.reply.empty() &&
                !CheckFrameSum(QByteArray::fromStdString(e.reply));
        n[3] += e.reply.empty();
        n[4] += e.reply.find(",NO") != std::string::npos;
    }
    const LineStats& stats = link->lineStats();
    for (int mc : {1, 2, 3, 4}) {
        const StationStats& s = stats.at(mc);
        const auto& n = injected[mc];
        SCOPED_TRACE(mc);
        // The last request may still have been on its way when the port closed.
        EXPECT_LE(n[0] - s.requests, 1);
        EXPECT_GE(n[0], s.requests);
        EXPECT_NEAR(s.refusals, n[1], 1);
        EXPECT_NEAR(s.badSums, n[2], 1);
        EXPECT_NEAR(s.timeouts, n[3], 1);
        EXPECT_NEAR(s.noOk, n[4], 1);
        EXPECT_GE(s.worstMs, s.meanMs());
    }
    EXPECT_GT(injected[1][1], 2);
    EXPECT_GT(injected[2][2], 1);
    EXPECT_GT(injected[3][4], 2);
    EXPECT_EQ(stats.at(4).good, 0);
}

// The adapter pulled and put back: with reopening chosen, the same path is opened again by
// itself and the sweep runs again, with no click.
TEST_F(LinkPty, ALostPortIsReopenedWhenItComesBack) {
    QTemporaryDir dir;
    const QString path = dir.filePath("ttyKX5");
    start({1}, {1}, false);
    ASSERT_TRUE(QFile::link(gPort, path));
    link->mSetPortOpen_Click(); // close, then open through the stable path
    ASSERT_TRUE(QTest::qWaitFor([&] { return !link->port()->isOpen(); }, 3000));
    gPort = path;
    link->setAutoReopen(true);
    link->mSetPortOpen_Click();
    ASSERT_TRUE(QTest::qWaitFor([&] { return gSendStep == kStepMonitor; }, 5000));

    sim->stop();
    sim.reset();
    ASSERT_TRUE(QTest::qWaitFor([&] { return link->reopening(); }, 5000));
    kx5sim::LineConfig cfg;
    cfg.stations = {1};
    sim = std::make_unique<kx5sim::SimLine>(cfg);
    ASSERT_TRUE(sim->start());
    QFile::remove(path);
    ASSERT_TRUE(QFile::link(QString::fromStdString(sim->path()), path));
    EXPECT_TRUE(QTest::qWaitFor([&] { return monitorReads(1) > 0; }, 5000 + 2000));
    EXPECT_EQ(link->portMenuCaption(), "Port &Close");
    EXPECT_EQ(link->sprdStatus.text(StatusCol::ConnState, 1), "OK");
}

TEST_F(LinkPty, OpenFailuresNameTheCause) {
    start({1}, {1}, false);
    QtSerialPort second;
    second.setPortName(gPort);
    second.setSettings("9600,N,8,1");
    EXPECT_FALSE(second.open());
    EXPECT_EQ(second.errorString(), "port in use by another program or access denied");
    link.reset();

    QtSerialPort missing;
    missing.setPortName("/dev/kx5-no-such-port");
    missing.setSettings("9600,N,8,1");
    EXPECT_FALSE(missing.open());
    EXPECT_EQ(missing.errorString(), "no such port");

    QtSerialPort badSettings;
    badSettings.setPortName(gPort);
    badSettings.setSettings("9600,Q,8,1");
    EXPECT_FALSE(badSettings.open());
    EXPECT_TRUE(badSettings.errorString().contains("parity"))
        << qPrintable(badSettings.errorString());
#ifndef Q_OS_WIN
    EXPECT_EQ(systemPortName("COM3"), "/dev/ttyS2");
#endif
    EXPECT_EQ(portNumber("COM12"), 12);
}

INSTANTIATE_TEST_SUITE_P(Pacing, LinkPtyPacing, ::testing::Values(false, true),
                         [](const auto& info) { return info.param ? "Fast" : "Standard"; });

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
