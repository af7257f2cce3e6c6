// The line scan on an in-memory port: refusal while the link polls, what goes out, a reply
// found, and Cancel. Timing and a real line are test_scan_pty's.
#include "link/Frames.h"
#include "link/KX5Link.h"
#include "link/LineScanner.h"
#include "link/mdlKX5.h"
#include "tests/support/FakeSerialPort.h"

#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>
#include <tuple>

namespace {

struct Scan {
    FakeSerialPort* port = new FakeSerialPort;
    LineScanner scanner{std::unique_ptr<SerialPort>(port)};
    Scan() {
        scanner.setPortName(QStringLiteral("COM1"));
        scanner.setFastPacing(true);
    }
};

} // namespace

// A port the link holds is not touched; one that will not open is named with its fault; one
// that opens is asked, an answer is found, and Cancel stops the queries.
TEST(LineScan, RefusedOrFoundAndCancelled) {
    Scan s;
    KX5Link link(std::make_unique<FakeSerialPort>());
    link.port()->open();
    s.scanner.setLink(&link);
    ScanSetting sum;
    sum.protocol = PortSettings::Protocol::Sum;
    const ScanProblem held = s.scanner.start({sum});
    EXPECT_EQ(std::tuple(held.kind, held.port, held.fault.kind),
              std::tuple(ScanProblem::Kind::LinkOpen, "COM1", PortFault::Kind::None));
    EXPECT_EQ(s.port->openCount, 0);
    link.port()->close();
    s.port->failNextOpen();
    const ScanProblem fails = s.scanner.start({sum});
    EXPECT_EQ(std::tuple(fails.kind, fails.port, fails.fault.kind),
              std::tuple(ScanProblem::Kind::CannotOpen, "COM1", PortFault::Kind::NoSuchPort));
    EXPECT_FALSE(s.scanner.running());
    EXPECT_TRUE(s.port->writes.isEmpty());

    QSignalSpy done(&s.scanner, &LineScanner::finished);
    ASSERT_TRUE(s.scanner.start({sum}).isNone());
    ASSERT_TRUE(QTest::qWaitFor([&] { return s.port->writes.size() == 1; }, 1000));
    EXPECT_EQ(s.port->writes[0], QByteArray("\00201WHO4F\r\n"));
    // The model reply of station 1: ",OK," and the model field, with its checksum.
    QByteArray reply("\00201WHO,OK,KX5-100033__\r\n");
    PutFrameSum(reply);
    s.port->feed(reply);
    ASSERT_EQ(s.scanner.finds().size(), 1u);
    EXPECT_EQ(s.scanner.finds()[0].mcNo, 1);
    EXPECT_EQ(s.scanner.finds()[0].model, "KX5-105");
    ASSERT_TRUE(QTest::qWaitFor([&] { return s.port->writes.size() == 2; }, 1000));
    s.scanner.cancel();
    ASSERT_EQ(done.size(), 1);
    EXPECT_TRUE(done[0][0].toBool());
    EXPECT_FALSE(s.port->isOpen());
    QTest::qWait(s.scanner.replyWaitMs(sum) * 2);
    EXPECT_EQ(s.port->writes.size(), 2);
}
