#include "LinkFixture.h"

#include <QCoreApplication>

namespace {
// Frames of a plain, answered exchange for one station in monitoring.
const std::vector<int> kMonitorValues{3, 0,   0, 1234, 2500, 0, 0, 455, 1, 3,
                                      0, 257, 2, 0,    1,    0, 1, 0,   -5};
} // namespace

class Link : public LinkFixture {};

TEST_F(Link, SweepSelectsTheOnlyAnsweringStationThenReadsAndMonitorsIt) {
    useStations({1, 2, 3});
    link->mSetPortOpen_Click();
    EXPECT_EQ(link->panel(3), "OPEN");
    EXPECT_EQ(link->panel(4), "Checking ... (Connect status)");
    EXPECT_EQ(link->portMenuCaption(), "Port &Close");
    EXPECT_EQ(link->portButtonCaption(), "Port Close");
    EXPECT_EQ(gSendStep, 1);

    // Station 1 stays silent: three time-outs give it up.
    EXPECT_EQ(tick(), buildModelReq(1, 0));
    EXPECT_TRUE(link->tmrRecvErr.isActive());
    link->tmrRecvErr_Timer();
    EXPECT_EQ(link->sprdStatus.text(3, 1), "NG");
    EXPECT_EQ(link->sprdStatus.backColor(3, 1), kBlack);
    EXPECT_EQ(tick(), buildModelReq(1, 0)); // one time-out only repeats the request
    link->tmrRecvErr_Timer();
    EXPECT_EQ(tick(), buildModelReq(1, 0));
    link->tmrRecvErr_Timer();
    EXPECT_EQ(link->panel(4), "MC [1] ==> NG");
    EXPECT_FALSE(gMC_OK[0]);

    // Station 2 answers with a KX5 model and becomes the selected station.
    EXPECT_EQ(tick(), buildModelReq(2, 0));
    deliver(whoReply(2));
    EXPECT_EQ(gMC_No, 2);
    EXPECT_EQ(gMC_SelIdx, 1);
    EXPECT_TRUE(gLinkUp);
    EXPECT_EQ(host.shownMcNo, QStringList{"2"});
    EXPECT_EQ(link->sprdStatus.text(2, 2), "KX5-105");
    EXPECT_EQ(link->sprdStatus.text(3, 2), "OK");
    EXPECT_EQ(link->sprdStatus.backColor(3, 2), kGreen);
    EXPECT_FALSE(link->tmrRecvErr.isActive());

    // Station 3 answers with something that is not a KX5.
    EXPECT_EQ(tick(), buildModelReq(3, 0));
    deliver(wrap("03WHO,OK,ABC-100033"));
    EXPECT_FALSE(gMC_OK[2]);
    EXPECT_EQ(link->sprdStatus.text(3, 3), "NG");
    ASSERT_EQ(host.onlineCalls, std::vector<bool>{true});
    EXPECT_EQ(link->panel(4), "");
    EXPECT_EQ(gSendStep, 21);
    EXPECT_EQ(gMC_Idx, 1);

    readAllBlocks();
    EXPECT_EQ(link->sprdMap.text(2, 2), "1");     // register 1
    EXPECT_EQ(link->sprdMap.text(8, 1), "300");   // register 300
    EXPECT_EQ(link->sprdMap.text(12, 7), "506");  // register 506
    EXPECT_EQ(link->sprdMap.text(14, 20), "619"); // register 619
    EXPECT_EQ(link->sprdMap.text(4, 7), "106");   // register 106
    EXPECT_EQ(link->sprdMap.text(4, 6), "");      // register 105 is never read

    // Monitoring polls only station 2, again and again.
    for (int round = 0; round < 3; ++round) {
        EXPECT_EQ(tick(), buildReadReq(2, stepRegisters(11), 0));
        deliver(drrReply(2, kMonitorValues));
        EXPECT_EQ(gMC_Idx, 1);
    }
    EXPECT_EQ(link->sprdMonitoring.text(4, 2), "1234");
    EXPECT_EQ(link->sprdMonitoring.text(12, 2), "257");
    EXPECT_EQ(link->sprdMonitoring.text(13, 2), "OK");
    EXPECT_EQ(link->sprdMonitoring.text(14, 2), "2");  // 13th field: register 300
    EXPECT_EQ(link->sprdMonitoring.text(20, 2), "-5"); // 19th field: register 506
    EXPECT_EQ(link->sprdMonitoring.text(4, 1), "");
}

TEST_F(Link, ModelNamesFromTheTenCharacterField) {
    useStations({1, 2, 3});
    link->mSetPortOpen_Click();
    const QByteArray replies[] = {whoReply(1, "KX5-10033"), whoReply(2, "KX5-10034"),
                                  wrap("03WHO,OK,KX5-X")};
    const char* shown[] = {"KX5-105", "KX5-???", "KX5-???"};
    for (int i = 0; i < 3; ++i) {
        tick();
        deliver(replies[i]);
        EXPECT_EQ(link->sprdStatus.text(2, i + 1), shown[i]) << i;
        EXPECT_TRUE(gMC_OK[static_cast<size_t>(i)]);
    }
}

TEST_F(Link, SweepWithoutAnyKX5StartsAgainAndAllSilentClosesThePort) {
    useStations({1, 2});
    link->mSetPortOpen_Click();
    for (int mc : {1, 2}) {
        EXPECT_EQ(tick(), buildModelReq(mc, 0));
        deliver(wrap(mc2(mc) + "WHO,OK,XYZ"));
    }
    EXPECT_EQ(gSendStep, 1);
    EXPECT_EQ(gMC_Idx, 0);
    EXPECT_EQ(tick(), buildModelReq(1, 0)); // from the first station again

    // A fresh session where nobody answers: every station gets three time-outs, then close.
    link->ClosePort();
    link->mSetPortOpen_Click();
    ASSERT_TRUE(port->isOpen());
    for (int mc : {1, 2})
        for (int k = 0; k < 3; ++k) {
            EXPECT_EQ(tick(), buildModelReq(mc, 0)) << mc << k;
            link->tmrRecvErr_Timer();
        }
    EXPECT_FALSE(port->isOpen());
    EXPECT_EQ(link->panel(3), "CLOSE");
    EXPECT_EQ(link->portMenuCaption(), "Port &Open");
    EXPECT_EQ(link->panel(4), "MC [2] ==> NG");
    EXPECT_EQ(tick(), QByteArray()); // closed: nothing goes out
    EXPECT_FALSE(link->tmrRecvErr.isActive());
}

TEST_F(Link, ThirdTimeOutMovesThePollOnAndWrapsToTheFirstStation) {
    useStations({4, 7});
    openAndSweep({4, 7});
    readAllBlocks();
    EXPECT_EQ(tick(), buildReadReq(4, stepRegisters(11), 0));
    deliver(drrReply(4, kMonitorValues));
    // Station 7 (the last) goes silent: two time-outs repeat, the third wraps to station 4.
    for (int k = 0; k < 2; ++k) {
        EXPECT_EQ(tick(), buildReadReq(7, stepRegisters(11), 0)) << k;
        link->tmrRecvErr_Timer();
        EXPECT_EQ(link->sprdStatus.text(3, 2), "NG");
        EXPECT_TRUE(link->tmrSend.isActive());
    }
    EXPECT_EQ(tick(), buildReadReq(7, stepRegisters(11), 0));
    link->tmrRecvErr_Timer();
    EXPECT_EQ(tick(), buildReadReq(4, stepRegisters(11), 0));
    EXPECT_TRUE(gMC_OK[1]); // it stays in the poll
    deliver(drrReply(4, kMonitorValues));
    EXPECT_EQ(tick(), buildReadReq(7, stepRegisters(11), 0));
}

TEST_F(Link, RejectedMonitorRepliesMarkNGAndRepeatTheSameStation) {
    struct Case {
        const char* name;
        bool sum;
        QByteArray (*reply)();
        bool marksNG;
    } cases[] = {
        {"std without OK", false, [] { return wrap("01DRR,XX,0001"); }, true},
        {"sum with bad checksum", true,
         [] {
             QByteArray f = drrReply(1, kMonitorValues);
             f[f.size() - 3] = f[f.size() - 3] == '0' ? '1' : '0';
             return f;
         },
         true},
        {"sum good checksum without OK", true, [] { return wrap("01DRR,XX,0001"); }, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TearDown();
        SetUp();
        setProtocol(c.sum ? "SUM" : "STD");
        useStations({1, 2});
        openAndSweep({1, 2});
        readAllBlocks();
        ASSERT_EQ(tick(), buildReadReq(1, stepRegisters(11), gSumLen));
        const int flushes = port->flushCount;
        deliver(c.reply());
        EXPECT_EQ(link->sprdMonitoring.text(13, 1), c.marksNG ? "NG" : "");
        EXPECT_EQ(port->flushCount, flushes + 1);
        EXPECT_EQ(link->sprdStatus.text(3, 1), "OK"); // a complete frame still counts as an answer
        EXPECT_TRUE(link->tmrSend.isActive());
        EXPECT_EQ(tick(), buildReadReq(1, stepRegisters(11), gSumLen));
    }
}

TEST_F(Link, RefusalEndsTheEventAtItsFifthByte) {
    useStations({5});
    openAndSweep({5});
    readAllBlocks();
    ASSERT_EQ(tick(), buildReadReq(5, stepRegisters(11), 0));
    // The NG and a complete good reply behind it in the same read: the reply is not looked at.
    deliver(QByteArray("\x02") + "05NG,01\r\n" + drrReply(5, kMonitorValues));
    EXPECT_EQ(link->sprdMonitoring.text(13, 1), "NG");
    EXPECT_EQ(link->sprdMonitoring.text(4, 1), "");
    EXPECT_TRUE(link->tmrSend.isActive());
    EXPECT_FALSE(link->tmrRecvErr.isActive());
    EXPECT_EQ(tick(), buildReadReq(5, stepRegisters(11), 0));
}

TEST_F(Link, SplitAndDoubledFramesAreAssembledAndHandledInOrder) {
    useStations({5, 6});
    openAndSweep({5, 6});
    readAllBlocks();
    ASSERT_EQ(tick(), buildReadReq(5, stepRegisters(11), 0));
    const QByteArray r = drrReply(5, kMonitorValues);
    deliver(r.left(10)); // STX05DRR,OK,
    EXPECT_EQ(link->sprdMonitoring.text(13, 1), "");
    EXPECT_TRUE(link->tmrRecvErr.isActive()); // still waiting for the rest
    deliver(r.mid(10));
    EXPECT_EQ(link->sprdMonitoring.text(4, 1), "1234");
    EXPECT_EQ(link->sprdCommD.maxRows(), 2 * 2 + 4 * 2 + 3); // sweep, blocks, request, two reads
    EXPECT_EQ(gMC_Idx, 1);

    // Two frames in one read: both are handled, the second for the station polled by then.
    ASSERT_EQ(tick(), buildReadReq(6, stepRegisters(11), 0));
    std::vector<int> other = kMonitorValues;
    other[3] = 999;
    deliver(drrReply(6, kMonitorValues) + drrReply(6, other));
    EXPECT_EQ(link->sprdMonitoring.text(4, 2), "1234");
    EXPECT_EQ(link->sprdMonitoring.text(4, 1), "999");
    EXPECT_EQ(gMC_Idx, 1);

    // Bytes before the STX are dropped.
    ASSERT_EQ(tick(), buildReadReq(6, stepRegisters(11), 0));
    deliver("\xFF\x13junk" + drrReply(6, other));
    EXPECT_EQ(link->sprdMonitoring.text(4, 2), "999");
}

TEST_F(Link, RequestedWritesPreemptMonitoringAndReReadTheParameters) {
    useStations({1, 2});
    openAndSweep({1, 2});
    readAllBlocks();
    ASSERT_EQ(tick(), buildReadReq(1, stepRegisters(11), 0));
    deliver(drrReply(1, kMonitorValues));
    ASSERT_EQ(gMC_Idx, 1);

    // The control group of the selected station (1), while station 2 is being polled.
    gRegVal = {1, 2, 3, -4, 5, 6};
    gReqStep = 99; // replaced before the tick: only the second request counts
    gReqStep = 103;
    EXPECT_EQ(tick(), buildWriteReq(1, {102, 103, 106, 108, 109, 110}, {1, 2, 3, -4, 5, 6}, 0));
    EXPECT_EQ(port->rThreshold(), 11);
    EXPECT_EQ(gReqStep, 0);
    deliver(dwrAck(1));
    EXPECT_EQ(gSendStep, 21);
    readAllBlocks();
    EXPECT_EQ(gMC_Idx, 0); // monitoring resumes at the first connected station
    EXPECT_EQ(tick(), buildReadReq(1, stepRegisters(11), 0));

    // An unacknowledged write is sent again unchanged.
    deliver(drrReply(1, kMonitorValues));
    gRegVal = {7, 8};
    gReqStep = 102;
    const QByteArray w = tick();
    EXPECT_EQ(w, buildWriteReq(1, {305, 306}, {7, 8}, 0));
    deliver(wrap("01DWR,NO"));
    EXPECT_EQ(tick(), w);
}

TEST_F(Link, SingleRegisterAndClockWritesLeadToBlockThree) {
    struct Case {
        int step;
        std::vector<int> regs, vals;
        int target; // MC No the write must go to
    } cases[] = {
        {120, {502}, {1}, 3},
        {121, {520, 521, 522, 523, 524, 525}, {2024, 2, 29, 23, 59, 59}, 3},
        {220, {506}, {150}, 9}, // the polled station, not the selected one
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.step);
        TearDown();
        SetUp();
        setProtocol("SUM");
        useStations({3, 9});
        openAndSweep({3, 9});
        readAllBlocks();
        ASSERT_EQ(tick(), buildReadReq(3, stepRegisters(11), 2));
        deliver(drrReply(3, kMonitorValues));
        gRegNo = c.regs;
        gRegVal = c.vals;
        gReqStep = c.step;
        EXPECT_EQ(tick(), buildWriteReq(c.target, c.regs, c.vals, 2));
        EXPECT_EQ(port->rThreshold(), 13);
        deliver(dwrAck(c.target));
        EXPECT_EQ(gSendStep, 23);
        EXPECT_EQ(tick(), buildReadReq(3, stepRegisters(23), 2));
    }
}

TEST_F(Link, InputGroupWritePausesWithoutWatchdogThenSendsTheSecondHalf) {
    useStations({1});
    openAndSweep({1});
    readAllBlocks();
    gRegVal = {4, 0};
    gRegVal2 = {13700, -1999, 1, 13700, -1999, 0, 0, 0};
    gReqStep = 105;
    EXPECT_EQ(tick(), buildWriteReq(1, {610, 611}, {4, 0}, 0));
    deliver(dwrAck(1));
    EXPECT_TRUE(link->pausing());
    EXPECT_FALSE(link->tmrSend.isActive());
    EXPECT_FALSE(link->tmrRecvErr.isActive()); // no time-out is counted while nothing is asked
    EXPECT_EQ(link->tmrPause.interval(), 2000);
    // A stray byte during the pause does not restart the poll.
    deliver(QByteArray("\r\n"));
    EXPECT_FALSE(link->tmrSend.isActive());
    link->pause_Done();
    EXPECT_EQ(gSendStep, 110);
    EXPECT_EQ(tick(), buildWriteReq(1, {612, 613, 614, 615, 616, 617, 618, 619},
                                    {13700, -1999, 1, 13700, -1999, 0, 0, 0}, 0));
    deliver(dwrAck(1));
    EXPECT_EQ(gSendStep, 21);
}

TEST_F(Link, IncompleteWriteIsNeverSent) {
    useStations({1});
    openAndSweep({1});
    readAllBlocks();
    gRegVal = {1, 2}; // the PID group needs 26 values
    gReqStep = 107;
    EXPECT_EQ(tick(), QByteArray());
    EXPECT_NE(link->panel(4), "");
    EXPECT_TRUE(link->tmrSend.isActive());
    EXPECT_EQ(tick(), buildReadReq(1, stepRegisters(21), 0));
}

TEST_F(Link, CloseBeforeLinkUpIsImmediateAfterwardsAtTheNextTickOrReceive) {
    useStations({1});
    link->mSetPortOpen_Click();
    tick();
    link->mSetPortOpen_Click(); // nobody has answered yet
    EXPECT_FALSE(port->isOpen());
    EXPECT_EQ(link->portMenuCaption(), "Port &Open");
    EXPECT_EQ(link->portButtonCaption(), "Port Open");
    EXPECT_EQ(link->panel(3), "CLOSE");
    EXPECT_FALSE(link->tmrSend.isActive());

    // Reopen: the link comes up, then a close waits for the next tick.
    link->mSetPortOpen_Click();
    ASSERT_TRUE(port->isOpen());
    EXPECT_EQ(link->sprdCommD.maxRows(), 0); // the trace starts empty
    tick();
    deliver(whoReply(1));
    readAllBlocks();
    link->mSetPortOpen_Click();
    EXPECT_TRUE(port->isOpen());
    EXPECT_TRUE(gPortCloseReq);
    EXPECT_EQ(tick(), QByteArray());
    EXPECT_FALSE(port->isOpen());
    EXPECT_EQ(link->panel(3), "CLOSE");
    EXPECT_EQ(host.onlineCalls.back(), false);
    EXPECT_EQ(link->portMenuCaption(), "Port &Open");

    // Open again, and close at a receive event this time.
    link->mSetPortOpen_Click();
    EXPECT_FALSE(gPortCloseReq);
    tick();
    link->mSetPortOpen_Click();
    deliver(whoReply(1));
    EXPECT_FALSE(port->isOpen());
    EXPECT_EQ(link->sprdStatus.text(2, 1), "KX5-105"); // from the first session, not this reply
    EXPECT_EQ(link->sprdCommD.text(0, link->sprdCommD.maxRows()), "Recv");
}

TEST_F(Link, PortFailuresLeaveThePortClosedAndCanBeRetried) {
    useStations({1});
    gPort = "COM3";
    port->failNextOpen("no such port");
    link->mSetPortOpen_Click();
    EXPECT_FALSE(port->isOpen());
    EXPECT_EQ(link->panel(4), "Cannot open COM3: no such port");
    EXPECT_EQ(link->portMenuCaption(), "Port &Open");
    EXPECT_FALSE(link->tmrSend.isActive());
    EXPECT_EQ(port->settings(), "9600,N,8,1");

    link->mSetPortOpen_Click(); // works the second time
    ASSERT_TRUE(port->isOpen());
    tick();
    deliver(whoReply(1));
    readAllBlocks();
    tick();
    // The adapter is pulled out while a request is outstanding.
    port->injectFailure("device disconnected or not responding");
    EXPECT_FALSE(port->isOpen());
    EXPECT_FALSE(link->tmrSend.isActive());
    EXPECT_FALSE(link->tmrRecvErr.isActive());
    EXPECT_EQ(link->panel(3), "CLOSE");
    EXPECT_EQ(link->panel(4), "Port COM3 closed: device disconnected or not responding");
    EXPECT_EQ(host.onlineCalls.back(), false);
    const int writes = port->writes.size();
    link->tmrSend_Timer();
    link->tmrRecvErr_Timer();
    EXPECT_EQ(port->writes.size(), writes);

    link->mSetPortOpen_Click();
    EXPECT_TRUE(port->isOpen());
    EXPECT_EQ(tick(), buildModelReq(1, 0));
}

TEST_F(Link, IndicesStayInRangeWithoutStations) {
    useStations({});
    link->mSetPortOpen_Click();
    EXPECT_FALSE(port->isOpen());
    EXPECT_NE(link->panel(4), "");
    // Handlers driven anyway must not index an empty table.
    gMC_Idx = 5;
    gMC_NextIdx = 3;
    link->tmrSend_Timer();
    link->tmrRecvErr_Timer();
    EXPECT_EQ(gMC_Idx, 0);
    EXPECT_EQ(link->FindConnectedStation(0), -1);
    EXPECT_EQ(link->NextStationIdx(), 0);
}

TEST_F(Link, StationSearchHelpers) {
    useStations({1, 2, 3, 4});
    gMC_OK = {false, true, false, true};
    struct Row {
        int start, found;
    } rows[] = {{0, 1}, {2, 3}, {4, 1}, {9, 1}, {-1, 1}};
    for (const auto& r : rows)
        EXPECT_EQ(link->FindConnectedStation(r.start), r.found) << r.start;
    gMC_OK = {false, false, false, false};
    EXPECT_EQ(link->FindConnectedStation(0), -1);
    gMC_Idx = 3;
    EXPECT_EQ(link->NextStationIdx(), 0);
    gMC_Idx = 1;
    EXPECT_EQ(link->NextStationIdx(), 2);
}

TEST_F(Link, StoringRepliesInTheGrids) {
    useStations({1, 2, 3});
    // Block 1's first field into register 1's cell; blocks outside 1..4 change nothing.
    std::vector<int> v(27, 0);
    v[0] = 250;
    link->StoreParamReply(1, drrReply(1, v));
    EXPECT_EQ(link->sprdMap.text(2, 2), "250");
    for (int b : {0, 5})
        link->StoreParamReply(b, drrReply(1, std::vector<int>(32, 7)));
    for (int c = 1; c <= 14; ++c)
        for (int r = 1; r <= 38; ++r)
            if (!(c == 2 || c == 4)) {
                EXPECT_EQ(link->sprdMap.text(c, r), "") << c << "," << r;
            }

    link->StoreMonitorReply(2, drrReply(3, kMonitorValues));
    EXPECT_EQ(link->sprdMonitoring.text(1, 3), "3");
    EXPECT_EQ(link->sprdMonitoring.text(13, 3), "OK");
    EXPECT_EQ(link->sprdMonitoring.text(14, 3), "2");
    EXPECT_EQ(link->sprdMonitoring.text(20, 3), "-5");
    // A reply too short for its fields is not stored, and nothing crashes.
    link->StoreMonitorReply(0, wrap("01DRR,OK,0001"));
    EXPECT_EQ(link->sprdMonitoring.text(13, 1), "");
    link->StoreMonitorReply(7, drrReply(3, kMonitorValues));
}

TEST_F(Link, ShortReplyIsRetriedNotStored) {
    useStations({1});
    openAndSweep({1});
    readAllBlocks();
    ASSERT_EQ(tick(), buildReadReq(1, stepRegisters(11), 0));
    deliver(wrap("01DRR,OK,0001"));
    EXPECT_EQ(link->sprdMonitoring.text(13, 1), "");
    EXPECT_TRUE(link->tmrSend.isActive());
    EXPECT_EQ(tick(), buildReadReq(1, stepRegisters(11), 0));
}

TEST_F(Link, WatchdogDueDuringTheGatherRunsOnlyIfStillArmed) {
    useStations({1});
    openAndSweep({1});
    readAllBlocks();
    ASSERT_EQ(tick(), buildReadReq(1, stepRegisters(11), 0));
    // The reply arrives and, while it is being gathered, the watchdog falls due.
    port->feed(drrReply(1, kMonitorValues));
    ASSERT_TRUE(link->gathering());
    link->tmrRecvErr_Timer();
    EXPECT_EQ(link->sprdStatus.text(3, 1), "OK"); // not handled yet
    link->gather_Done();
    EXPECT_EQ(link->sprdStatus.text(3, 1), "OK"); // the reply switched it off: no time-out
    EXPECT_EQ(link->mRecvErrCnt, 0);

    // A partial reply leaves the watchdog armed, so its due tick runs after the gather.
    ASSERT_EQ(tick(), buildReadReq(1, stepRegisters(11), 0));
    port->feed(QByteArray("\x02") + "01DRR,OK");
    link->tmrRecvErr_Timer();
    link->gather_Done();
    EXPECT_EQ(link->sprdStatus.text(3, 1), "NG");
    EXPECT_EQ(link->mRecvErrCnt, 1);
}

TEST_F(Link, LampsLightAndGoOut) {
    useStations({1});
    link->mSetPortOpen_Click();
    tick();
    EXPECT_EQ(link->sendLamp(), kRed);
    EXPECT_TRUE(link->tmrBall_Send.isActive());
    link->tmrBall_Send_Timer();
    EXPECT_EQ(link->sendLamp(), kBlack);
    EXPECT_FALSE(link->tmrBall_Send.isActive());
    port->feed(whoReply(1));
    EXPECT_EQ(link->recvLamp(), kGreen);
    link->tmrBall_Recv_Timer();
    EXPECT_EQ(link->recvLamp(), kBlack);
}

TEST_F(Link, ReceiveOnAClosedPortOnlyFlushes) {
    useStations({1});
    const int flushes = port->flushCount;
    port->feed("garbage");
    EXPECT_EQ(port->flushCount, flushes + 1);
    EXPECT_FALSE(link->gathering());
    EXPECT_EQ(link->sprdCommD.maxRows(), 0);
}

TEST_F(Link, TracedRequestWhilePortClosed) {
    useStations({1});
    gSendStep = 11;
    link->tmrSend_Timer();
    EXPECT_EQ(link->sprdCommD.maxRows(), 1);
    EXPECT_EQ(link->sprdCommD.text(0, 1), "Send");
    EXPECT_FALSE(link->tmrRecvErr.isActive());
    EXPECT_TRUE(port->writes.isEmpty());
}

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
