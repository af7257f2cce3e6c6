// The poll scheduler, watchdog and port control on an in-memory port, driven by calling the
// timers' handlers: what goes out, in which order, and what is stored where. Frame building
// and assembly are left to test_codec, the real port and timing to test_link_pty. The line scan
// on the same port at the end.
#include "link/Frames.h"
#include "link/KX5Link.h"
#include "link/LineScanner.h"
#include "tests/support/FakeSerialPort.h"
#include "tests/support/Replies.h"

#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

namespace {

struct RecordingHost : LinkHost {
    std::vector<bool> onlineCalls;
    QStringList shownMcNo;
    void SetOnlineState(bool open) override { onlineCalls.push_back(open); }
    void showSelectedMcNo(const QString& mc) override { shownMcNo << mc; }
};

const std::vector<int> kMonitorValues{3, 0,   0, 1234, 2500, 0, 0, 455, 1, 3,
                                      0, 257, 2, 0,    1,    0, 1, 0,   -5};

class Link : public ::testing::Test {
protected:
    void SetUp() override {
        link.reset();
        port = new FakeSerialPort;
        link = std::make_unique<KX5Link>(std::unique_ptr<SerialPort>(port));
        link->setHost(&host);
        ended.clear();
        QObject::connect(link.get(), &KX5Link::requestEnded,
                         [this](const Request& r, RequestOutcome o, EndCause c) {
                             ended.push_back({r, o, c});
                         });
    }

    struct Ended {
        Request r;
        RequestOutcome outcome;
        EndCause cause;
    };
    // What the link last said about the line, for the window to word.
    using K = LinkNote::Kind;
    LinkNote said(K kind, PortFault::Kind fault = PortFault::Kind::None, int number = 0) const {
        return {.kind = kind,
                .port = link->portSettings().port,
                .fault = {.kind = fault},
                .number = number};
    }
    LinkNote nobody(const QString& settings, int seconds = 0) const {
        return {.kind = seconds ? K::NobodyAnsweredRetrying : K::NobodyAnswered,
                .port = link->portSettings().port,
                .settings = settings,
                .number = seconds};
    }

    // Hands a request to the link; it must be taken.
    void ask(const Request& r) {
        const RequestReply reply = link->request(r);
        ASSERT_TRUE(reply.taken) << int(reply.why);
    }

    void useStations(std::initializer_list<int> mcs) {
        StationList list;
        for (int mc : mcs)
            list.push_back({mc, QString()});
        link->setStations(list);
    }
    // A register of station index idx's last monitor reading; nothing before the first.
    QString reading(int idx, int reg) const {
        const StationValues* v = link->values(idx);
        return v && v->storedAt.isValid() ? QString::number(v->regs[size_t(reg)]) : QString();
    }

    // One send tick; what it wrote (empty when nothing went out).
    QByteArray tick() {
        port->writes.clear();
        link->fire(LinkTimer::Send);
        return port->takeWritten();
    }
    // One receive event: the notification, then the end of the gather.
    void deliver(const QByteArray& bytes) {
        port->feed(bytes);
        link->fire(LinkTimer::Gather);
    }
    QByteArray monitorReq(int mc) { return buildReadReq(mc, findStep(kStepMonitor)->regs, 0); }
    // Station mc's model query goes out three times and is never answered.
    void unanswered(int mc) {
        for (int k = 0; k < 3; ++k) {
            ASSERT_EQ(tick(), buildModelReq(mc, 0)) << mc << " try " << k;
            link->fire(LinkTimer::RecvErr);
        }
    }
    // The selected station's four parameter blocks are asked for and answered, each register
    // with its own number.
    void answerReadAll() {
        for (int step = kStepReadAll1; step <= kStepReadAll4; ++step) {
            ASSERT_EQ(tick(), buildReadReq(link->selectedMcNo(), findStep(step)->regs, 0)) << step;
            deliver(drrReply(link->selectedMcNo(), findStep(step)->regs));
        }
    }
    // Exactly one request ended, this way, for this cause.
    void endedOnce(RequestOutcome outcome, EndCause cause = EndCause::None) {
        ASSERT_EQ(ended.size(), 1u);
        EXPECT_EQ(ended[0].outcome, outcome);
        EXPECT_EQ(ended[0].cause, cause);
    }

    // Opens the port; the stations in `answering` give a KX5 model, the others stay silent
    // until the watchdog gives them up; then the selected station's four blocks are read.
    void bringUp(const std::vector<int>& answering) {
        link->mSetPortOpen_Click();
        for (const StationEntry& e : link->line().stations()) {
            if (std::find(answering.begin(), answering.end(), e.mcNo) == answering.end()) {
                unanswered(e.mcNo);
                continue;
            }
            ASSERT_EQ(tick(), buildModelReq(e.mcNo, 0));
            deliver(whoReply(e.mcNo));
        }
        answerReadAll();
        ASSERT_EQ(link->sendStep(), kStepMonitor);
    }
    // Stations mcs in use, all answering, brought up.
    void upWith(std::initializer_list<int> mcs) {
        useStations(mcs);
        bringUp(mcs);
    }

    FakeSerialPort* port = nullptr;
    std::unique_ptr<KX5Link> link;
    RecordingHost host;
    std::vector<Ended> ended;
};

} // namespace

// Every step's request, written out from the controllers' register tables: a swapped or
// missing register, a wrong count or the wrong station fails here (the parameter dialogs' group
// writes are test_param_wire's, the input group's halves below). From the port's opening on,
// each row is the link's next request (a window's when the row names a station); a refusal
// sends the same frame again, and the answer leads to the next step.
TEST_F(Link, EveryStepSendsItsOwnFrameToItsOwnStation) {
    useStations({2, 1, 3}); // in this order: station 2 is the first to answer, so selected
    link->mSetPortOpen_Click();
    struct Row {
        int step;
        std::vector<int> regNo, vals;
        int reqMc; // the station a window asks; 0: the link's own step
        const char* body;
        int next = 0; // the step after its answer; 0: the same
    } rows[] = {
        // clang-format off
        {1, {}, {}, 0, "02WHO"},
        {1, {}, {}, 0, "01WHO"},
        {1, {}, {}, 0, "03WHO", 21},
        {21, {}, {}, 0, "02DRR,27,0001,0002,0003,0004,0005,0006,0007,0008,0009,0010,0011,0012,"
                        "0013,0014,0015,0016,0017,0018,0100,0101,0102,0103,0104,0106,0108,0109,0110", 22},
        {22, {}, {}, 0, "02DRR,32,0300,0301,0302,0303,0305,0306,0310,0311,0312,0313,0314,0315,"
                        "0316,0317,0318,0320,0321,0322,0323,0324,0325,0326,0327,0328,0330,0331,"
                        "0332,0333,0334,0335,0336,0337", 23},
        {23, {}, {}, 0, "02DRR,31,0400,0401,0402,0410,0411,0412,0413,0414,0415,0416,0417,0418,"
                        "0501,0502,0503,0504,0505,0506,0510,0511,0512,0513,0514,0515,0516,0520,"
                        "0521,0522,0523,0524,0525", 24},
        {24, {}, {}, 0, "02DRR,19,0600,0601,0602,0603,0604,0605,0606,0607,0608,0610,0611,0612,"
                        "0613,0614,0615,0616,0617,0618,0619", 11},
        {11, {}, {}, 0, "02DRR,19,0610,0611,0614,0001,0002,0003,0004,0005,0008,0009,0017,0018,"
                        "0300,0501,0502,0503,0504,0505,0506"},
        {21, {}, {}, 3, "03DRR,27,0001,0002,0003,0004,0005,0006,0007,0008,0009,0010,0011,0012,"
                        "0013,0014,0015,0016,0017,0018,0100,0101,0102,0103,0104,0106,0108,0109,0110", 22},
        {120, {506}, {321}, 2, "02DWR,01,0506,0141", 23},
        {121, {520, 521, 522, 523, 524, 525}, {2026, 12, 5, 23, 59, 0}, 2,
         "02DWR,06,0520,07EA,0521,000C,0522,0005,0523,0017,0524,003B,0525,0000", 23},
        {220, {506}, {150}, 1, "01DWR,01,0506,0096", 23},
        {220, {502}, {1}, 3, "03DWR,01,0502,0001", 23}, // the station of the window's row
        {120, {501}, {1}, 3, "03DWR,01,0501,0001", 23},
        // clang-format on
    };
    for (const auto& r : rows) {
        if (findStep(r.step)->kind == StepRow::Kind::Write)
            ask({r.step, r.reqMc, r.regNo, r.vals, {}});
        else if (r.reqMc > 0)
            ask(Request::readAll(r.reqMc));
        const QByteArray sent = tick();
        EXPECT_EQ(sent, wrap(r.body)) << r.step;
        // A refusal is known by its fifth byte, so a write must not wait for more.
        EXPECT_EQ(port->rThreshold(), findStep(r.step)->kind == StepRow::Kind::Write ? 5 : 1);
        deliver(wrap(mc2(sent.mid(1, 2).toInt()) + "NG,09")); // refused: the same goes again
        EXPECT_TRUE(link->running(LinkTimer::RecvErr)) << r.step;
        EXPECT_EQ(tick(), sent) << r.step;
        deliver(answerTo(sent));
        EXPECT_EQ(link->sendStep(), r.next ? r.next : r.step) << r.step;
    }
    // A write whose values do not fill its registers is refused before anything is sent (the
    // PID group's 26 registers on the wire are test_param_wire's).
    EXPECT_FALSE(link->request(Request::groupWrite(kStepWritePID, 2, {1, 2})).taken);
}

// The sweep selects the first KX5; when the stations in use change, the selection stays on
// its station if it is still in use, else moves to the first one.
TEST_F(Link, SweepSelectsTheFirstKX5AndMonitorsOnlyTheAnsweringStations) {
    useStations({3, 7});
    EXPECT_EQ(link->selectedMcNo(), 0); // nothing selected before the sweep chooses
    useStations({1, 2, 3, 4});
    link->mSetPortOpen_Click();
    EXPECT_EQ(link->lastNote(), said(K::Checking));
    EXPECT_TRUE(link->offersClose());
    unanswered(1); // station 1 is silent: three time-outs give it up
    EXPECT_EQ(link->lastNote(),
              (LinkNote{.kind = K::StationSilent, .port = "COM1", .mcNo = 1})); // the default port
    ASSERT_EQ(tick(), buildModelReq(2, 0));
    deliver(wrap("02WHO,OK,KX5-100099"));
    ASSERT_EQ(tick(), buildModelReq(3, 0));
    deliver(wrap("03WHO,OK,ABC-100033")); // answers, but no KX5
    ASSERT_EQ(tick(), buildModelReq(4, 0));
    deliver(whoReply(4));
    EXPECT_EQ(link->selectedMcNo(), 2);
    EXPECT_EQ(host.shownMcNo, QStringList{"2"});
    using M = ControllerModel;
    // Stations 1 to 4: answered, model, connection state.
    const std::tuple<bool, M, ConnState> want[] = {{false, M::Unknown, ConnState::NG},
                                                   {true, M::KX5_Other, ConnState::OK},
                                                   {false, M::NotKX5, ConnState::NG},
                                                   {true, M::KX5_105, ConnState::OK}};
    for (int i = 0; i < 4; ++i) {
        const auto* e = link->line().at(i);
        EXPECT_EQ(std::tuple(e->answered, e->model, link->connState(i)), want[i]) << i;
    }
    EXPECT_EQ(link->line().at(0)->fault, LineFault::Silent);
    EXPECT_EQ(link->line().at(2)->fault, LineFault::NotKX5);
    EXPECT_EQ(host.onlineCalls, std::vector<bool>{true});
    EXPECT_EQ(link->sendStep(), kStepReadAll1);
    answerReadAll();
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(link->model(i + 1), std::get<1>(want[i])) << "station " << i + 1;
    ASSERT_NE(link->paramImage(2), nullptr);
    for (int reg : {1, 18, 106, 300, 337, 402, 506, 525, 608, 619}) {
        EXPECT_EQ(link->paramImage(2)->at(reg), reg) << reg;
        EXPECT_EQ(link->paramValue(reg), reg) << reg;
    }
    EXPECT_EQ(link->paramImage(2)->count(105), 0u); // never read
    EXPECT_EQ(link->paramValue(105), std::nullopt);
    for (int mc : {2, 4, 2}) {
        ASSERT_EQ(tick(), monitorReq(mc));
        deliver(drrReply(mc, kMonitorValues));
    }
    EXPECT_EQ(reading(1, MonReg::NPV), "1234");
    EXPECT_EQ(reading(1, MonReg::MODSTS), "257");
    EXPECT_EQ(reading(1, MonReg::SVNO), "2");
    EXPECT_EQ(reading(3, MonReg::SPD), "-5");
    EXPECT_TRUE(link->isFresh(3));
    EXPECT_EQ(reading(0, MonReg::NPV), "");
    useStations({2, 4});
    EXPECT_EQ(std::pair(link->selectedMcNo(), link->selectedIdx()), std::pair(2, 0));
    useStations({1, 3, 2});
    EXPECT_EQ(std::pair(link->selectedMcNo(), link->selectedIdx()), std::pair(2, 2));
    useStations({3, 7});
    EXPECT_EQ(std::pair(link->selectedMcNo(), link->selectedIdx()), std::pair(3, 0));
    link->ClosePort();
    link->mSetPortOpen_Click(); // neither is a KX5: the sweep starts again from the first
    for (int mc : {3, 7, 3}) {
        ASSERT_EQ(tick(), buildModelReq(mc, 0));
        deliver(wrap(mc2(mc) + "WHO,OK,XYZ"));
    }
}

// Unattended (started with --open, or after a reopen) the program never gives up on the line:
// a port that will not open yet is tried again, and a sweep that hears nobody runs again after
// a pause growing to ten seconds, until a station answers or the user closes.
TEST_F(Link, AnUnattendedLineIsNeverGivenUp) {
    useStations({1});
    link->setPortSettings(PortSettings::fromLines({"/dev/ttyUSB0", "9600", "N", "8", "1", "STD"}));
    link->setAutoReopen(true);
    port->failNextOpen();
    link->openUnattended();
    EXPECT_TRUE(link->reopening());
    EXPECT_EQ(link->lastNote(), said(K::CannotOpenRetrying, PortFault::Kind::NoSuchPort));
    link->fire(LinkTimer::Reopen); // the adapter is there now
    ASSERT_TRUE(port->isOpen());
    for (int pauseS : {1, 2, 4, 8, 10, 10}) {
        SCOPED_TRACE(pauseS);
        unanswered(1);
        ASSERT_TRUE(port->isOpen());
        EXPECT_EQ(link->lastNote(), nobody("9600 8N1 STD", pauseS));
        EXPECT_EQ(link->interval(LinkTimer::SweepAgain), pauseS * 1000);
        EXPECT_EQ(tick(), QByteArray()) << "nothing is sent during the pause";
        link->fire(LinkTimer::SweepAgain);
    }
    // The controller has finished starting up: polled from its answer on.
    ASSERT_EQ(tick(), buildModelReq(1, 0));
    deliver(whoReply(1));
    answerReadAll();
    EXPECT_EQ(tick(), monitorReq(1));
    deliver(drrReply(1, kMonitorValues));
    // A port that fails while open is reopened every 2 s until it is back or the user closes.
    port->injectFailure();
    EXPECT_TRUE(link->reopening());
    EXPECT_TRUE(link->offersClose());             // the user can still end it
    EXPECT_EQ(link->connState(0), ConnState::NG); // nothing stale is logged
    EXPECT_EQ(link->lastNote(), said(K::PortLost));
    port->failNextOpen();
    link->fire(LinkTimer::Reopen);
    EXPECT_EQ(link->lastNote(), said(K::PortLostAttempt, PortFault::Kind::None, 1));
    // Back while the controller is still silent: swept again, never closed; the user's close
    // ends it at once, even in a pause.
    link->fire(LinkTimer::Reopen);
    EXPECT_FALSE(link->reopening());
    EXPECT_EQ(port->portName(), "/dev/ttyUSB0");
    unanswered(1);
    EXPECT_TRUE(link->running(LinkTimer::SweepAgain));
    link->mSetPortOpen_Click();
    EXPECT_FALSE(port->isOpen());
    EXPECT_FALSE(link->running(LinkTimer::SweepAgain));
    // A Port Open by the user closes again after a sweep that hears nobody, saying what was
    // tried, since a wrong line setting looks just like this.
    link->mSetPortOpen_Click();
    unanswered(1);
    EXPECT_FALSE(port->isOpen());
    EXPECT_FALSE(link->offersClose());
    EXPECT_EQ(link->lastNote(), nobody("9600 8N1 STD"));
    EXPECT_EQ(tick(), QByteArray());
    // A close asked for during the last wait of a sweep that hears nobody is not forgotten
    // by the next sweep.
    link->openUnattended();
    for (int k = 0; k < 3; ++k) {
        ASSERT_EQ(tick(), buildModelReq(1, 0));
        if (k == 2) link->mSetPortOpen_Click();
        link->fire(LinkTimer::RecvErr);
    }
    EXPECT_FALSE(port->isOpen());
    EXPECT_FALSE(link->offersClose());
    EXPECT_FALSE(link->running(LinkTimer::SweepAgain));
    link->fire(LinkTimer::SweepAgain);
    EXPECT_EQ(tick(), QByteArray());
    // The user's close ends the retries for a lost port; without reopening chosen, a lost port
    // is closed, as before.
    bringUp({1});
    port->injectFailure();
    link->mSetPortOpen_Click();
    EXPECT_FALSE(link->reopening());
    EXPECT_FALSE(link->offersClose());
    link->setAutoReopen(false);
    bringUp({1});
    port->injectFailure();
    EXPECT_FALSE(link->reopening());
    EXPECT_EQ(link->lastNote(), said(K::PortClosed, PortFault::Kind::Gone));
}

// Only the outstanding request's own answer is taken: from its station, echoing its command,
// with exactly the values it asked for. Anything else is counted and left aside, and the
// request keeps waiting under the same watchdog.
TEST_F(Link, OnlyTheOutstandingRequestsOwnAnswerIsTaken) {
    upWith({1, 2});
    std::vector<int> other = kMonitorValues;
    other[3] = 999;
    // Station 2's reply with one character of its NPV damaged on the line.
    const auto damaged = [&](char c) {
        QByteArray f = drrReply(2, other);
        f[26] = c;
        return f;
    };
    const std::pair<const char*, QByteArray> rows[] = {
        {"late answer of station 1", drrReply(1, other)},
        {"crosstalk: station 3's address", drrReply(3, other)},
        {"the block read's 27 values", drrReply(2, std::vector<int>(27, 999))},
        {"18 values, one short", drrReply(2, std::vector<int>(18, 999))},
        {"20 values, one too many", drrReply(2, std::vector<int>(20, 999))},
        {"a write acknowledgement", ackReply(2)},
        {"its values echoing another command",
         wrap(drrReply(2, kMonitorValues).mid(1).chopped(2).replace("DRR", "DWR"))},
        {"a model reply", whoReply(2)},
        {"another station's refusal", wrap("01NG,09")},
        {"a value with a NUL (a parity error)", damaged('\0')},
        {"a value cut by a comma", damaged(',')},
        {"no address at all", "\x02garbage\r\n"},
    };
    qint64 unmatched = 0;
    for (const auto& [name, reply] : rows) {
        SCOPED_TRACE(name);
        ASSERT_EQ(tick(), monitorReq(1));
        deliver(drrReply(1, kMonitorValues));
        ASSERT_EQ(tick(), monitorReq(2));
        deliver(reply);
        EXPECT_NE(reading(1, MonReg::NPV), "999") << "stored";
        EXPECT_EQ(link->polledIdx(), 1);
        EXPECT_TRUE(link->running(LinkTimer::RecvErr));
        EXPECT_FALSE(link->running(LinkTimer::Send)) << "still waiting, nothing resent";
        // Station 2's own frame that does not fit: its values are no longer live.
        EXPECT_EQ(link->isFresh(1), reply.mid(1, 2) != "02" && link->values(1)->storedAt.isValid());
        const auto& st = link->lineStats();
        unmatched = st.count(2) ? st.at(2).unmatched : 0;
        deliver(drrReply(2, kMonitorValues)); // the real answer comes after all
        EXPECT_EQ(reading(1, MonReg::NPV), "1234");
        EXPECT_EQ(link->polledIdx(), 0);
    }
    EXPECT_EQ(unmatched, int(std::size(rows)));
    // A write is confirmed by its acknowledgement, never by a read reply that says "OK".
    ask(Request::writeOne(1, 504, 1));
    ASSERT_EQ(tick(), wrap("01DWR,01,0504,0001"));
    deliver(drrReply(1, kMonitorValues));
    EXPECT_TRUE(ended.empty());
    EXPECT_EQ(link->phase(), KX5Link::Phase::Writing);
    deliver(ackReply(1));
    endedOnce(RequestOutcome::Done);
}

// Two windows ask at once: each request keeps its own station, registers and values. One
// that waits is replaced by a newer one (and says so); one already on the line is worked to
// its end before the next goes out.
TEST_F(Link, RequestsFromTwoWindowsNeverMix) {
    upWith({1, 2});
    // FEED for station 2's row of Multi-Monitoring, then at once PRINT in the main window.
    ask(Request::writeOneOf(2, 504, 1));
    ask(Request::writeOne(1, 501, 1));
    ASSERT_EQ(ended.size(), 1u);
    EXPECT_EQ(ended[0].outcome, RequestOutcome::Replaced);
    EXPECT_EQ(ended[0].r, Request::writeOneOf(2, 504, 1));
    EXPECT_EQ(tick(), wrap("01DWR,01,0501,0001"));
    // A request made while a write is unconfirmed waits for it, however often it is retried.
    ask(Request::writeOneOf(2, 504, 1));
    deliver(wrap("01NG,09"));
    EXPECT_EQ(tick(), wrap("01DWR,01,0501,0001"));
    deliver(ackReply(1));
    EXPECT_EQ(tick(), wrap("02DWR,01,0504,0001")); // its own station, before the re-read
    deliver(ackReply(2));
    // Read back into station 2's image only: the selected station 1's values stay its own.
    for (int step : {kStepReadAll3, kStepReadAll4}) {
        ASSERT_EQ(tick(), buildReadReq(2, findStep(step)->regs, 0)) << step;
        deliver(drrReply(2, std::vector<int>(findStep(step)->regs.size(), 77)));
    }
    EXPECT_EQ(link->paramImage(2)->at(504), 77);
    EXPECT_EQ(link->paramValue(504), 504);

    // A parameter read between its blocks gives way to a newer request (a key, a click on a
    // station's row, the clock), and ends once, as replaced; the newer one is worked whole.
    for (const Request& newer : {Request::writeOne(1, 501, 1), Request::readAll(1),
                                 Request::clock(1, {2026, 12, 7, 9, 0, 0})}) {
        SCOPED_TRACE(newer.step);
        ended.clear();
        while (link->pollOwed() > 0) // the poll's share first
            deliver(answerTo(tick()));
        ask(Request::readAll(2));
        ASSERT_EQ(tick(), buildReadReq(2, findStep(kStepReadAll1)->regs, 0));
        deliver(drrReply(2, findStep(kStepReadAll1)->regs));
        ask(newer);
        for (int k = 0; k < 8 && (k == 0 || link->phase() != KX5Link::Phase::Monitoring); ++k)
            deliver(answerTo(tick()));
        ASSERT_EQ(ended.size(), 2u);
        EXPECT_EQ(ended[0].r, Request::readAll(2));
        EXPECT_EQ(ended[0].outcome, RequestOutcome::Replaced);
        EXPECT_EQ(ended[1].r, newer);
        EXPECT_EQ(ended[1].outcome, RequestOutcome::Done);
    }
    ended.clear();

    // While the stations are being checked, writes are refused and the sweep stays whole.
    link->ClosePort();
    link->mSetPortOpen_Click();
    ASSERT_EQ(tick(), buildModelReq(1, 0));
    EXPECT_FALSE(link->request(Request::writeOne(1, 501, 1)).taken);
    deliver(whoReply(1));
    EXPECT_EQ(tick(), buildModelReq(2, 0));
    EXPECT_FALSE(link->selectStation(1)); // not yet: the sweep is not over
    deliver(whoReply(2));
    answerReadAll();
    EXPECT_TRUE(link->selectStation(1));
    EXPECT_EQ(link->selectedMcNo(), 2);
    EXPECT_EQ(tick(), buildReadReq(2, findStep(kStepReadAll1)->regs, 0));
    // A closed port takes nothing.
    link->ClosePort();
    EXPECT_FALSE(link->request(Request::writeOne(2, 501, 1)).taken);
}

// The input group's second half goes out after the pause, before anything asked meanwhile;
// when it cannot be written, that is said, and nothing is delivered later.
TEST_F(Link, TheInputGroupsSecondHalfIsNeverOvertakenOrLostSilently) {
    const std::vector<int> second{1, 2, 3, 4, 5, 6, 7, 8};
    enum Inside { AMapReopen, PortLost, UserCloses, NoAnswer };
    for (Inside inside : {AMapReopen, PortLost, UserCloses, NoAnswer}) {
        SCOPED_TRACE(inside);
        SetUp();
        upWith({1});
        ask(Request::inputWrite(1, {4, 0}, second));
        ASSERT_EQ(tick(), wrap("01DWR,02,0610,0004,0611,0000"));
        deliver(ackReply(1));
        EXPECT_EQ(link->phase(), KX5Link::Phase::InputPause);
        EXPECT_FALSE(link->running(LinkTimer::Send));
        EXPECT_FALSE(link->running(LinkTimer::RecvErr));
        EXPECT_EQ(tick(), QByteArray()); // nothing goes out during the pause
        const QByteArray secondHalf = buildWriteReq(1, findStep(kStepWriteInput2)->regs, second, 0);
        if (inside == AMapReopen) ask(Request::readAll(1));
        if (inside == PortLost || inside == UserCloses) {
            port->writes.clear();
            // The user's close: nothing is worth finishing, closed at once.
            inside == PortLost ? port->injectFailure() : link->mSetPortOpen_Click();
            EXPECT_FALSE(port->isOpen());
            EXPECT_FALSE(link->offersClose());
            link->fire(LinkTimer::Pause);
            link->fire(LinkTimer::Send);
            EXPECT_TRUE(port->writes.isEmpty());
            endedOnce(RequestOutcome::SecondHalfLost, EndCause::PortClosed);
            continue;
        }
        deliver("\r\n"); // a stray byte during the pause does not restart the poll
        EXPECT_FALSE(link->running(LinkTimer::Send));
        link->fire(LinkTimer::Pause);
        EXPECT_EQ(tick(), secondHalf);
        if (inside == NoAnswer) {
            for (int k = 0; k < 3; ++k) {
                if (k > 0) {
                    EXPECT_EQ(tick(), secondHalf);
                }
                link->fire(LinkTimer::RecvErr);
            }
            endedOnce(RequestOutcome::SecondHalfLost, EndCause::Unanswered);
            EXPECT_EQ(tick(), monitorReq(1)); // the line goes on
            continue;
        }
        deliver(ackReply(1));
        endedOnce(RequestOutcome::Done);
        // What was asked during the pause comes next, whole.
        EXPECT_EQ(tick(), buildReadReq(1, findStep(kStepReadAll1)->regs, 0));
    }
}

// A requested read or write whose station stops answering is given up after three reply
// waits, said in panel 4 and to the window that asked; the other stations are polled again.
TEST_F(Link, NoRequestHoldsTheLine) {
    // A silent station and one that answers NG both get three tries, then the poll goes on.
    const Request rows[] = {Request::readAll(1), Request::writeOne(1, 501, 1),
                            Request::writeOneOf(2, 506, 60),
                            Request::clock(1, {2026, 12, 6, 8, 0, 0})};
    for (const Request& request : rows) {
        for (bool refuse : {false, true}) {
            SCOPED_TRACE(request.step * 10 + refuse);
            SetUp();
            upWith({1, 2, 3});
            ask(request);
            const QByteArray sent = tick();
            for (int k = 0; k < 3; ++k) {
                if (k > 0) {
                    ASSERT_EQ(tick(), sent) << "tried again before it is given up";
                }
                if (refuse)
                    deliver(wrap(mc2(request.mcNo) + "NG,09"));
                else
                    link->fire(LinkTimer::RecvErr);
            }
            endedOnce(refuse ? RequestOutcome::Refused : RequestOutcome::GivenUp,
                      refuse ? EndCause::Refused : EndCause::Unanswered);
            EXPECT_EQ(link->phase(), KX5Link::Phase::Monitoring); // the wire tests see it go on
            EXPECT_NE(tick(), sent) << "sent a fourth time";
        }
    }
}

// A client writing back to back, a window asking once, both stations polled: sources take
// turns, the poll keeps at least half the exchanges and visits every station, and a write is
// over only when what the controller kept has been read back into the model.
TEST_F(Link, TheLineIsSharedInTurnsAndThePollKeepsItsShare) {
    upWith({1, 2});
    std::shared_ptr<LinkReply> flood;
    int floodDone = 0;
    const auto again = [&] {
        Request r = Request::writeOneOf(2, 301, 400 + floodDone);
        r.readBack = false;
        r.readBackWritten = true;
        r.source = 7;
        flood = link->submit(r);
        ASSERT_FALSE(flood->isFinished());
    };
    again();
    const QByteArray readBack = buildReadReq(2, {301}, 0);
    const QByteArray key = wrap("01DWR,01,0501,0001");
    int monitors[3] = {}, keyAt = -1, lastFloodWrite = -1, floodAfterKey = -1;
    qsizetype pollChars = 0, otherChars = 0; // on the wire, both ways
    for (int k = 0; k < 80; ++k) {
        if (k == 22) ask(Request::writeOne(1, 501, 1));
        const QByteArray out = tick();
        ASSERT_FALSE(out.isEmpty()) << k;
        const bool monitor = out == monitorReq(1) || out == monitorReq(2);
        if (monitor) ++monitors[out == monitorReq(1) ? 1 : 2];
        if (out == key) keyAt = k;
        if (out.startsWith(QByteArray("\x02") + "02DWR")) {
            if (keyAt < 0 && k > 22 && floodAfterKey < 0) floodAfterKey = k;
            lastFloodWrite = k;
        }
        // The controller keeps 350 whatever it is sent: the model holds what it reports.
        const QByteArray reply = out == readBack ? drrReply(2, {350}) : answerTo(out);
        (monitor ? pollChars : otherChars) += out.size() + reply.size();
        deliver(reply);
        if (out.startsWith(QByteArray("\x02") + "02DWR")) {
            EXPECT_FALSE(flood->isFinished()) << "ended before its read-back";
            EXPECT_NE(link->line().imageValue(2, 301), std::optional<int>(400 + floodDone));
        }
        if (flood->isFinished()) {
            ASSERT_EQ(flood->outcome(), RequestOutcome::Done);
            EXPECT_EQ(link->line().imageValue(2, 301), 350);
            ++floodDone;
            again();
        }
    }
    // Half the line at least (the last request's share may fall after the end).
    EXPECT_GE(pollChars + monitorReq(1).size() + drrReply(1, kMonitorValues).size(), otherChars);
    EXPECT_LE(std::abs(monitors[1] - monitors[2]), 1) << "every station in its turn";
    EXPECT_GE(floodDone, 10);
    EXPECT_GT(keyAt, 22);
    EXPECT_EQ(floodAfterKey, -1) << "the window waited behind the client's next write";
    EXPECT_GT(lastFloodWrite, keyAt);
}

// The line statistics count what each station did wrong, exactly. A controller switched on
// after Port Open is asked for its model once in ten exchanges, and joins once it answers.
TEST_F(Link, LineStatisticsCountEachFaultAndALateStationJoins) {
    link->setPortSettings(PortSettings::fromLines({"COM1", "9600", "N", "8", "1", "SUM"}));
    useStations({1, 2, 3, 4});
    link->mSetPortOpen_Click();
    std::map<int, std::array<int, 4>> done; // refused, bad sum, without OK, silent
    std::vector<int> asked4;
    bool polled4 = false;
    for (int k = 0; k < 120; ++k) {
        const QByteArray out = tick();
        ASSERT_FALSE(out.isEmpty()) << k;
        const int mc = out.mid(1, 2).toInt();
        if (out == buildModelReq(4, 2)) asked4.push_back(k);
        polled4 |= out == buildReadReq(4, findStep(kStepMonitor)->regs, 2);
        QByteArray body = answerTo(out).mid(1).chopped(2);
        // Station 4 is silent until the 100th exchange; 1, 2 and 3 spoil every 5th of theirs.
        const int fault = mc == 4 ? (k < 100 ? 3 : -1) : k % 5 == 0 ? mc - 1 : -1;
        if (fault == 0) body = mc2(mc) + "NG,09";
        if (fault == 2) body.replace(",OK", ",NO");
        QByteArray reply = wrap(body, 2);
        if (fault == 1) reply[reply.size() - 3] = reply[reply.size() - 3] == '0' ? '1' : '0';
        if (fault >= 0) ++done[mc][size_t(fault)];
        fault == 3 ? link->fire(LinkTimer::RecvErr) : deliver(reply);
    }
    ASSERT_GE(asked4.size(), 6u);
    EXPECT_EQ(asked4[4] - asked4[3], 10);
    EXPECT_EQ(link->line().at(3)->model, ControllerModel::KX5_105);
    EXPECT_TRUE(polled4);
    for (int mc : {1, 2, 3, 4}) {
        const StationStats& st = link->lineStats().at(mc);
        EXPECT_EQ((std::array<qint64, 4>{st.refusals, st.badSums, st.noOk, st.timeouts}),
                  (std::array<qint64, 4>{done[mc][0], done[mc][1], done[mc][2], done[mc][3]}))
            << mc;
    }
    EXPECT_GT(done[1][0] + done[2][1] + done[3][2], 6);
}

// A character is start + data + parity + stop bits; the reply wait counts both frames' wire
// time on top of the station's own time to answer.
TEST_F(Link, TimeIsCountedOnTheWire) {
    // clang-format off
    // Baud, data, parity, stop; bits a character; the monitor read's wait (106 bytes each way).
    struct Row { const char *baud, *data, *parity, *stop; double bits; int standardMs, fastMs; }
    rows[] = {
        {"9600", "7", "E", "1", 10, 221 + 600, 221 + 100},
        {"9600", "8", "E", "1", 11, 243 + 600, 243 + 100},
        {"2400", "8", "O", "2", 12, 1060 + 600, 1060 + 100},
        {"1200", "8", "N", "2", 11, 1944 + 600, 1944 + 100},
        {"115200", "8", "N", "1", 10, 19 + 600, 19 + 100},
    };
    // clang-format on
    for (const auto& r : rows) {
        const PortSettings ps =
            PortSettings::fromLines({"COM1", r.baud, r.parity, r.data, r.stop, "STD"});
        link->setPortSettings(ps);
        EXPECT_EQ(ps.charBits(), r.bits);
        link->setFastPacing(false);
        EXPECT_EQ(link->replyWaitMs(106, 106), r.standardMs) << r.baud << r.data << r.parity;
        link->setFastPacing(true);
        EXPECT_EQ(link->replyWaitMs(106, 106), r.fastMs) << r.baud << r.data << r.parity;
    }
}

TEST_F(Link, ClosingOpeningAndPortFailures) {
    useStations({1});
    // A setting the port refuses is named as the settings hold it.
    link->setPortSettings(PortSettings::fromLines({"COM3", "9600", "q", "8", "1", "STD"}));
    port->failNextOpen({.kind = PortFault::Kind::BadSettings, .field = PortFault::Field::Parity});
    link->mSetPortOpen_Click();
    EXPECT_EQ(link->lastNote().fault.text, "q");
    link->setPortSettings(PortSettings::fromLines({"COM3", "9600", "N", "8", "1", "STD"}));
    // An open that fails leaves no close pending: a tick still due neither closes the line
    // again nor wipes out why it did not open.
    port->failNextOpen();
    link->mSetPortOpen_Click();
    link->fire(LinkTimer::Send);
    EXPECT_EQ(link->lastNote(), said(K::CannotOpen, PortFault::Kind::NoSuchPort));
    EXPECT_TRUE(host.onlineCalls.empty());
    link->mSetPortOpen_Click();
    ASSERT_TRUE(port->isOpen());
    EXPECT_EQ(port->settings().text(), "9600,N,8,1");
    tick();
    link->mSetPortOpen_Click(); // nobody has answered yet: closed at once
    EXPECT_FALSE(port->isOpen());
    EXPECT_FALSE(link->offersClose());
    EXPECT_FALSE(link->running(LinkTimer::Send));

    bringUp({1});
    link->mSetPortOpen_Click(); // the link is up: the close waits for the next tick
    EXPECT_TRUE(port->isOpen());
    EXPECT_EQ(tick(), QByteArray());
    EXPECT_FALSE(port->isOpen());
    EXPECT_EQ(host.onlineCalls.back(), false);

    bringUp({1});
    tick();
    link->mSetPortOpen_Click(); // ... or for the next receive event
    const QDateTime before = link->values(0)->storedAt;
    deliver(drrReply(1, kMonitorValues));
    EXPECT_FALSE(port->isOpen());
    EXPECT_EQ(link->values(0)->storedAt, before); // not stored
    EXPECT_FALSE(link->isFresh(0));

    link->fire(LinkTimer::Send); // a tick on a closed port: the request is traced, not sent
    EXPECT_TRUE(port->writes.isEmpty());
    EXPECT_EQ(link->sprdCommD.label(link->sprdCommD.rows() - 1), "Send");
    const int flushes = port->flushCount;
    port->feed("late bytes"); // a receive on a closed port only flushes
    EXPECT_EQ(port->flushCount, flushes + 1);
    EXPECT_FALSE(link->gathering());

    // Settings changed while the port is open wait for the next open: until then frames and
    // waits keep the format and rate the line was opened with.
    bringUp({1});
    const PortSettings sum = PortSettings::fromLines({"COM4", "19200", "N", "8", "1", "SUM"});
    link->setPortSettings(sum);
    EXPECT_EQ(link->portSettings(), sum); // what the settings windows show and save
    EXPECT_EQ(tick(), monitorReq(1));
    EXPECT_EQ(link->interval(LinkTimer::RecvErr), 221 + 600); // 212 bytes at 9600 baud
    EXPECT_EQ(link->lineSettingsText(), "9600 8N1 STD");
    deliver(drrReply(1, kMonitorValues));
    EXPECT_EQ(reading(0, MonReg::NPV), "1234");
    link->mSetPortOpen_Click();
    tick();
    EXPECT_EQ(link->lastNote().port, "COM3"); // the port that closed
    link->mSetPortOpen_Click();
    EXPECT_EQ(port->portName(), "COM4");
    EXPECT_EQ(port->settings().text(), "19200,N,8,1");
    EXPECT_EQ(tick(), buildModelReq(1, 2));
}

// A split reply, a reply that never ends and a silent station in the fast pacing, which takes a
// frame as soon as its last byte is in (the standard one's gather is test_link_pty's).
TEST_F(Link, SplitRepliesAreAssembledAndSilenceGivenUp) {
    link->setFastPacing(true);
    link->setPortSettings(PortSettings::fromLines({"COM1", "115200", "N", "8", "1", "STD"}));
    upWith({1, 2});
    ASSERT_EQ(tick(), monitorReq(1));
    const QByteArray reply = drrReply(1, kMonitorValues);
    port->feed(reply.left(20));
    EXPECT_EQ(reading(0, MonReg::NPV), "");
    port->feed(reply.mid(20));
    EXPECT_EQ(reading(0, MonReg::NPV), "1234");
    ASSERT_EQ(tick(), monitorReq(2));
    for (int k = 0; k < 3; ++k) { // a flood that never ends a frame, then silence
        port->feed(QByteArray(k == 0 ? 5000 : 0, 'x'));
        link->fire(LinkTimer::RecvErr);
        if (k < 2) {
            ASSERT_EQ(tick(), monitorReq(2));
        }
    }
    EXPECT_EQ(tick(), monitorReq(1));
}

TEST_F(Link, TimingEdgesAndEmptyTables) {
    upWith({1});
    EXPECT_TRUE(link->sending());
    link->fire(LinkTimer::BallSend);
    EXPECT_FALSE(link->sending());
    // The watchdog falls due while a reply is being gathered: the reply wins.
    tick();
    port->feed(drrReply(1, kMonitorValues));
    EXPECT_TRUE(link->receiving());
    link->fire(LinkTimer::RecvErr);
    link->fire(LinkTimer::Gather);
    EXPECT_EQ(link->connState(0), ConnState::OK);
    // Half a reply leaves it armed, so its due tick runs after the gather.
    tick();
    port->feed(QByteArray("\x02") + "01DRR,OK");
    link->fire(LinkTimer::RecvErr);
    link->fire(LinkTimer::Gather);
    EXPECT_EQ(link->connState(0), ConnState::NG);

    // The poll at the last of three stations when the list empties: nothing is polled.
    link->ClosePort();
    upWith({1, 2, 3});
    for (int mc = 1; mc <= 2; ++mc) {
        tick();
        deliver(drrReply(mc, kMonitorValues));
    }
    ASSERT_EQ(link->polledIdx(), 2);
    useStations({});
    link->fire(LinkTimer::Send);
    link->fire(LinkTimer::RecvErr);
    EXPECT_EQ(link->polledIdx(), 0);
    link->ClosePort();
    link->mSetPortOpen_Click();
    EXPECT_FALSE(port->isOpen());
    link->fire(LinkTimer::Send);
    link->fire(LinkTimer::RecvErr);
    EXPECT_EQ(link->polledIdx(), 0);
    EXPECT_EQ(link->FindConnectedStation(0), -1);
}

// The line scan: a port the link holds is not touched; one that will not open is named with
// its fault; one that opens is asked, an answer is found, and Cancel stops the queries.
TEST(LineScan, RefusedOrFoundAndCancelled) {
    auto* port = new FakeSerialPort;
    LineScanner scanner{std::unique_ptr<SerialPort>(port)};
    scanner.setPortName(QStringLiteral("COM1"));
    scanner.setFastPacing(true);
    KX5Link link(std::make_unique<FakeSerialPort>());
    link.port()->open();
    scanner.setLink(&link);
    ScanSetting sum;
    sum.protocol = PortSettings::Protocol::Sum;
    const ScanProblem held = scanner.start({sum});
    EXPECT_EQ(std::tuple(held.kind, held.port, held.fault.kind),
              std::tuple(ScanProblem::Kind::LinkOpen, "COM1", PortFault::Kind::None));
    EXPECT_EQ(port->openCount, 0);
    link.port()->close();
    port->failNextOpen();
    const ScanProblem fails = scanner.start({sum});
    EXPECT_EQ(std::tuple(fails.kind, fails.port, fails.fault.kind),
              std::tuple(ScanProblem::Kind::CannotOpen, "COM1", PortFault::Kind::NoSuchPort));
    EXPECT_FALSE(scanner.running());
    EXPECT_TRUE(port->writes.isEmpty());

    QSignalSpy done(&scanner, &LineScanner::finished);
    ASSERT_TRUE(scanner.start({sum}).isNone());
    ASSERT_TRUE(QTest::qWaitFor([&] { return port->writes.size() == 1; }, 1000));
    EXPECT_EQ(port->writes[0], QByteArray("\00201WHO4F\r\n"));
    // The model reply of station 1: ",OK," and the model field, with its checksum.
    QByteArray reply("\00201WHO,OK,KX5-100033__\r\n");
    PutFrameSum(reply);
    port->feed(reply);
    ASSERT_EQ(scanner.finds().size(), 1u);
    EXPECT_EQ(scanner.finds()[0].mcNo, 1);
    EXPECT_EQ(scanner.finds()[0].model, "KX5-105");
    ASSERT_TRUE(QTest::qWaitFor([&] { return port->writes.size() == 2; }, 1000));
    scanner.cancel();
    ASSERT_EQ(done.size(), 1);
    EXPECT_TRUE(done[0][0].toBool());
    EXPECT_FALSE(port->isOpen());
    QTest::qWait(scanner.replyWaitMs(sum) * 2);
    EXPECT_EQ(port->writes.size(), 2);
}
