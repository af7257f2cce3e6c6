// The link end to end: the real QSerialPort over a pseudo-terminal against kx5sim, with real
// timers. Each test takes a few seconds.
#include "link/Frames.h"
#include "link/KX5Link.h"
#include "link/QtSerialPort.h"
#include "link/mdlKX5.h"
#include "sim/SimLine.h"

#include <QCoreApplication>
#include <QTest>
#include <gtest/gtest.h>

namespace {

struct NullHost : LinkHost {
    int online = 0, offline = 0;
    void SetOnlineState(bool open) override { ++(open ? online : offline); }
    void showSelectedMcNo(const QString&) override {}
};

QByteArray bytes(const std::string& s) {
    return QByteArray(s.data(), static_cast<qsizetype>(s.size()));
}

class LinkPty : public ::testing::TestWithParam<bool> {
protected:
    void SetUp() override { resetDataImage(); }

    std::unique_ptr<kx5sim::SimLine> startSim(std::vector<int> stations, bool sum) {
        kx5sim::LineConfig cfg;
        cfg.stations = std::move(stations);
        cfg.mode = sum ? kx5sim::Mode::Sum : kx5sim::Mode::Std;
        auto line = std::make_unique<kx5sim::SimLine>(cfg);
        std::string err;
        EXPECT_TRUE(line->start(&err)) << err;
        return line;
    }

    void makeLink(const std::vector<int>& mcs) {
        link = std::make_unique<KX5Link>(new QtSerialPort);
        link->setHost(&host);
        link->installGlobals();
        gMC_List = mcs;
        gMC_OK.assign(mcs.size(), false);
        for (int mc : mcs) {
            gMC_Name << QString();
            link->sprdStatus.appendRow();
            link->sprdStatus.setText(1, link->sprdStatus.maxRows(), QString::number(mc));
            link->sprdMonitoring.appendRow();
        }
        gMC_Last = static_cast<int>(mcs.size()) - 1;
    }

    void TearDown() override { link.reset(); }

    NullHost host;
    std::unique_ptr<KX5Link> link;
};

} // namespace

// Sweep (with one station missing from the line), the four blocks of the selected station,
// then monitoring of every connected station in turn: exactly these frames, in this order.
TEST_P(LinkPty, SweepReadAllAndMonitoringOnTheWire) {
    const bool sum = GetParam();
    auto sim = startSim({1, 3}, sum);
    setProtocol(sum ? "SUM" : "STD");
    gPort = QString::fromStdString(sim->path());
    makeLink({1, 2, 3});
    link->mSetPortOpen_Click();
    ASSERT_TRUE(link->port()->isOpen()) << qPrintable(link->panel(4));

    const int s = gSumLen;
    std::vector<QByteArray> expected = {buildModelReq(1, s), buildModelReq(2, s),
                                        buildModelReq(2, s), buildModelReq(2, s),
                                        buildModelReq(3, s)};
    for (int step = 21; step <= 24; ++step)
        expected.push_back(buildReadReq(1, stepRegisters(step), s));
    for (int round = 0; round < 2; ++round)
        for (int mc : {1, 3})
            expected.push_back(buildReadReq(mc, stepRegisters(11), s));

    ASSERT_TRUE(QTest::qWaitFor([&] { return sim->exchanges().size() >= expected.size(); }, 15000));
    const auto seen = sim->exchanges();
    for (size_t i = 0; i < expected.size(); ++i)
        EXPECT_EQ(bytes(seen[i].request), expected[i]) << "request " << i;

    // The values the simulator holds arrive in the grids as decimal text.
    ASSERT_TRUE(QTest::qWaitFor([&] { return link->sprdMonitoring.text(13, 3) == "OK"; }, 5000));
    EXPECT_EQ(link->sprdStatus.text(2, 1), "KX5-105");
    EXPECT_EQ(link->sprdStatus.text(3, 2), "NG");
    EXPECT_EQ(link->sprdMonitoring.text(1, 1), QString::number(sim->readRegister(1, 610)));
    EXPECT_EQ(link->sprdMap.text(14, 11), QString::number(sim->readRegister(1, 610)));
    EXPECT_EQ(gMC_No, 1);
    EXPECT_EQ(host.online, 1);
    link->mSetPortOpen_Click();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !link->port()->isOpen(); }, 3000));
}

// A write requested by a window reaches the controller and is read back.
TEST_P(LinkPty, RecorderWriteReachesTheController) {
    const bool sum = GetParam();
    auto sim = startSim({2}, sum);
    setProtocol(sum ? "SUM" : "STD");
    gPort = QString::fromStdString(sim->path());
    makeLink({2});
    link->mSetPortOpen_Click();
    ASSERT_TRUE(QTest::qWaitFor([&] { return gSendStep == 11; }, 5000));
    gRegNo = {506};
    gRegVal = {321};
    gReqStep = 120;
    ASSERT_TRUE(QTest::qWaitFor([&] { return link->sprdMap.text(12, 7) == "321"; }, 5000));
    EXPECT_EQ(sim->readRegister(2, 506), 321);
}

INSTANTIATE_TEST_SUITE_P(Modes, LinkPty, ::testing::Values(false, true),
                         [](const auto& info) { return info.param ? "SUM" : "STD"; });

class LinkPtyFailures : public LinkPty {};

TEST_F(LinkPtyFailures, OtherEndVanishingClosesThePortAndReopeningWorks) {
    auto sim = startSim({1}, false);
    gPort = QString::fromStdString(sim->path());
    makeLink({1});
    link->mSetPortOpen_Click();
    ASSERT_TRUE(QTest::qWaitFor([&] { return gSendStep == 11; }, 5000));

    sim->stop(); // the far end goes away mid-poll
    sim.reset();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !link->port()->isOpen(); }, 5000));
    EXPECT_EQ(link->panel(3), "CLOSE");
    EXPECT_TRUE(link->panel(4).contains(gPort)) << qPrintable(link->panel(4));
    EXPECT_FALSE(link->tmrSend.isActive());
    EXPECT_EQ(link->portMenuCaption(), "Port &Open");
    EXPECT_GE(host.offline, 1);

    // The path is gone now: opening says why and leaves the command ready to try again.
    link->mSetPortOpen_Click();
    EXPECT_FALSE(link->port()->isOpen());
    EXPECT_TRUE(link->panel(4).startsWith("Cannot open")) << qPrintable(link->panel(4));

    auto again = startSim({1}, false);
    gPort = QString::fromStdString(again->path());
    link->mSetPortOpen_Click();
    ASSERT_TRUE(link->port()->isOpen());
    EXPECT_TRUE(QTest::qWaitFor([&] { return !again->exchanges().empty(); }, 3000));
}

TEST_F(LinkPtyFailures, OpenFailuresNameTheCause) {
    auto sim = startSim({1}, false);
    const QString path = QString::fromStdString(sim->path());
    QtSerialPort first, second;
    first.setPortName(path);
    first.setSettings("9600,N,8,1");
    ASSERT_TRUE(first.open()) << qPrintable(first.errorString());
    second.setPortName(path);
    second.setSettings("9600,N,8,1");
    EXPECT_FALSE(second.open());
    EXPECT_EQ(second.errorString(), "port in use by another program or access denied");

    QtSerialPort missing;
    missing.setPortName("/dev/kx5-no-such-port");
    missing.setSettings("9600,N,8,1");
    EXPECT_FALSE(missing.open());
    EXPECT_EQ(missing.errorString(), "no such port");

    QtSerialPort badSettings;
    first.close();
    badSettings.setPortName(path);
    badSettings.setSettings("9600,Q,8,1");
    EXPECT_FALSE(badSettings.open());
    EXPECT_TRUE(badSettings.errorString().contains("parity"))
        << qPrintable(badSettings.errorString());
    EXPECT_FALSE(badSettings.isOpen());
}

TEST(PortNames, ComNumbersAndDevicePaths) {
    EXPECT_EQ(portNumber("COM1"), 1);
    EXPECT_EQ(portNumber("COM12"), 12);
#ifndef Q_OS_WIN
    EXPECT_EQ(systemPortName("COM3"), "/dev/ttyS2");
#endif
    EXPECT_EQ(systemPortName("/dev/ttyUSB0"), "/dev/ttyUSB0");
}

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
