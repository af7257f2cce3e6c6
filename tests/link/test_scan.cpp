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

// A port the link holds is not touched; one that will not open is named with its fault.
TEST(LineScan, RefusedWhileTheLinkHoldsThePortOrItWillNotOpen) {
    for (bool linkHolds : {true, false}) {
        KX5Link link(std::make_unique<FakeSerialPort>());
        Scan s;
        if (linkHolds) link.port()->open();
        s.scanner.setLink(&link);
        s.port->failNextOpen();
        const ScanProblem why = s.scanner.start({ScanSetting{}});
        EXPECT_EQ(why.kind,
                  linkHolds ? ScanProblem::Kind::LinkOpen : ScanProblem::Kind::CannotOpen);
        EXPECT_EQ(why.port, "COM1");
        EXPECT_EQ(why.fault.kind, linkHolds ? PortFault::Kind::None : PortFault::Kind::NoSuchPort);
        EXPECT_FALSE(s.scanner.running());
        EXPECT_EQ(s.port->openCount, linkHolds ? 0 : 1);
        EXPECT_TRUE(s.port->writes.isEmpty());
    }
}

TEST(LineScan, AnAnswerIsFoundAndCancelStopsTheQueries) {
    Scan s;
    QSignalSpy done(&s.scanner, &LineScanner::finished);
    ScanSetting sum;
    sum.protocol = PortSettings::Protocol::Sum;
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
