// The gateway's line work against the link on the in-memory port, moved only by send ticks,
// replies and queued calls (no real time): whose write goes out when, and how a job ends; and
// the events of clients' writes: repeats folded into counts, a partial write named. Sockets and
// real clients are test_gateway's.
#include "gateway/LinkAdapter.h"
#include "gateway/ModbusClient.h"
#include "gateway/RepeatFolder.h"
#include "link/Frames.h"
#include "link/Steps.h"
#include "tests/support/LineUp.h"

#include <QCoreApplication>
#include <functional>
#include <gtest/gtest.h>
#include <map>
#include <optional>
#include <utility>

namespace {

// Station 1 up and monitored; the adapter beside the link as the gateway has it.
struct AdapterLine {
    FakeSerialPort* port = new FakeSerialPort;
    KX5Link link{std::unique_ptr<SerialPort>(port)};
    LinkAdapter adapter{&link};
    std::vector<std::pair<Request, RequestOutcome>> ended;
    std::optional<std::pair<bool, QString>> result; // how the job ended

    AdapterLine() {
        link.setPortSettings(PortSettings::fromLines({"COM1", "9600", "N", "8", "1", "STD"}));
        link.setStations({{1, ""}});
        QObject::connect(
            &link, &KX5Link::requestEnded,
            [this](const Request& r, RequestOutcome o, EndCause) { ended.emplace_back(r, o); });
    }
    std::shared_ptr<LineJob> submit(std::vector<std::pair<int, int>> writes) {
        auto job = std::make_shared<LineJob>();
        job->kind = writes.empty() ? LineJob::Kind::ReadImage : LineJob::Kind::Write;
        job->mcNo = 1;
        job->writes = std::move(writes);
        if (job->writes.empty()) job->blocks = {1};
        job->done = [this](bool ok, const FileNotice& text) { result = {ok, text.logged}; };
        adapter.submit(job);
        settle();
        return job;
    }
    static void settle() { QCoreApplication::sendPostedEvents(); }
    QByteArray tick() {
        settle();
        port->writes.clear();
        link.fire(LinkTimer::Send);
        return port->takeWritten();
    }
    void answer(const QByteArray& request) {
        port->feed(answerTo(request), false);
        link.fire(LinkTimer::Gather);
        settle();
    }
};

} // namespace

TEST(GatewayAdapter, AWriteWaitsForTheLineAndNeverReplacesAWindowsRequest) {
    const std::map<int, int> window = {{501, 1}, {502, 1}}; // keys a window writes
    const QByteArray block1 = buildReadReq(1, findStep(kStepReadAll1)->regs, 0);
    struct Case {
        const char* what;
        std::vector<std::pair<int, int>> writes; // none: a read of the station's parameters
        int windowReg;                           // a window writes this key (0: none) ...
        bool gatewayOnLine;   // ... while the gateway's first request is on the line
        bool clientGivesUp;   // the client stops waiting once the first request is out
        std::vector<int> out; // registers written, in order
        bool ok;
        int reads; // the station's parameter reads begun
        // The serial response time-out set, and how long the first request waits: the line's
        // own wait by default, never less than its wire time and 100 ms.
        int serialMs, waitMs;
    } cases[] = {
        // clang-format off
        {"a window's write comes between two registers", {{301, 400}, {302, 10}}, 501, true, false, {301, 501, 302}, true, 0, 0, 634},
        {"a window's newer request goes first", {{301, 400}}, 502, false, false, {502, 301}, true, 0, 250, 250},
        {"the client gave up: the rest is not sent", {{301, 400}, {302, 10}, {303, 5}}, 0, true, true, {301}, false, 0, 50, 134},
        {"a window's write waits for the client's block read", {}, 501, true, false, {501}, true, 1, 1000, 1000},
        // clang-format on
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        AdapterLine line;
        ASSERT_TRUE(bringUpOnFakePort(line.link, *line.port));
        line.adapter.setSerialTimeoutMs(c.serialMs);
        std::map<int, int> values = window;
        values.insert(c.writes.begin(), c.writes.end());
        const auto job = line.submit(c.writes);
        const QByteArray first =
            c.writes.empty() ? block1
                             : buildWriteReq(1, {c.writes[0].first}, {c.writes[0].second}, 0);
        const auto windowWrites = [&] {
            if (!c.windowReg) return;
            const Request r = Request::writeOneOf(1, c.windowReg, window.at(c.windowReg));
            EXPECT_TRUE(line.link.request(r).taken);
        };
        if (!c.gatewayOnLine) windowWrites();
        std::vector<std::string> out;
        int reads = 0;
        bool started = false;
        for (int k = 0; k < 40; ++k) {
            const QByteArray sent = line.tick();
            if (sent.mid(3, 3) == "DWR") out.push_back(sent.trimmed().toStdString());
            reads += sent == block1;
            if (sent == first && !std::exchange(started, true)) {
                EXPECT_EQ(line.link.interval(LinkTimer::RecvErr), c.waitMs);
                if (c.gatewayOnLine) windowWrites();
                if (c.clientGivesUp) job->cancelled = true;
            }
            if (!sent.isEmpty()) line.answer(sent);
        }
        std::vector<std::string> expected;
        for (int reg : c.out)
            expected.push_back(
                buildWriteReq(1, {reg}, {values.at(reg)}, 0).trimmed().toStdString());
        EXPECT_EQ(out, expected);
        EXPECT_EQ(reads, c.reads);
        EXPECT_EQ(line.result.value_or(std::pair(!c.ok, QString())).first, c.ok);
        EXPECT_EQ(job->next, c.clientGivesUp ? 1u : std::max<size_t>(c.writes.size(), 1));
        EXPECT_EQ(job->unsent, c.clientGivesUp); // the next register never went out
        for (const auto& [r, outcome] : line.ended)
            EXPECT_TRUE(outcome == RequestOutcome::Done || r.regs != std::vector{c.windowReg})
                << "the window's request ended as " << int(outcome);
    }
}

// One rule of age for every consumer: the model, the gateway's view and its answers turn stale
// together when the reading ages, and current again with the next reading; a parameter block
// older than its limit (the clock's at once), or not read since the station came back, is read
// again before it is served.
TEST(GatewayAdapter, ValuesAndParameterBlocksAreServedOnlyWhileCurrent) {
    AdapterLine line;
    qint64 now = 1000;
    LineModel& m = line.link.line();
    m.setClock([&] { return now; });
    ASSERT_TRUE(bringUpOnFakePort(line.link, *line.port));
    line.answer(line.tick()); // the first reading
    const qint64 currentFor = m.currentForMs();
    EXPECT_GE(currentFor, 2000);
    // What a client is served: the one place that reads the adapter's view of the station.
    const auto served = [&](int reg) { return RegisterMap::read(line.adapter.station(1), reg, 1); };
    int staleSaid = 0;
    QObject::connect(&m, &LineModel::stationChanged, [&](int mc, LineModel::Changes what) {
        staleSaid += mc == 1 && (what & LineModel::Freshness);
    });
    const struct {
        qint64 advance;
        bool poll, answering;
    } steps[] = {{0, false, true}, {currentFor, false, true}, {1, false, false}, {0, true, true}};
    for (const auto& st : steps) {
        now += st.advance;
        m.checkAges();
        if (st.poll) line.answer(line.tick());
        EXPECT_EQ(m.answering(1), st.answering) << now;
        EXPECT_EQ(served(1).exception,
                  st.answering ? ModbusException::None : ModbusException::TargetFailed);
    }
    EXPECT_EQ(staleSaid, 1);

    const auto blocks = [&](int reg) {
        const RegisterRead r = served(reg);
        return r.needImage ? r.blocks : std::vector<int>{};
    };
    now = 1000 + LinkAdapter::kImageMaxAgeMs; // the blocks were read at 1000
    line.answer(line.tick());
    EXPECT_EQ(blocks(301), std::vector<int>{});
    EXPECT_EQ(blocks(520), std::vector<int>{3}) << "the clock is read again";
    now += 1;
    EXPECT_EQ(blocks(301), std::vector<int>{2});
    // Back from silence, everything it holds is read again first.
    m.setConn(1, ConnState::NG, LineFault::Silent);
    m.setConn(1, ConnState::OK);
    EXPECT_EQ(blocks(100), std::vector<int>{1});
}

TEST(GatewayAdapter, AJobEndsAtOnceWhileThePortIsDownOrClosing) {
    struct Case {
        const char* what;
        std::function<void(AdapterLine&)> make;
        const char* said;
    } cases[] = {
        {"closed", [](AdapterLine& l) { l.link.ClosePort(); }, "The port is closed"},
        {"closing", [](AdapterLine& l) { l.link.mSetPortOpen_Click(); }, "The port is closing"},
        // clang-format off
        {"reopening", [](AdapterLine& l) { l.link.setAutoReopen(true); l.port->injectFailure(); },
         "lost, reopening"},
        // clang-format on
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        AdapterLine line;
        ASSERT_TRUE(bringUpOnFakePort(line.link, *line.port));
        c.make(line);
        line.submit({{301, 400}});
        const auto [ok, said] = line.result.value_or(std::pair(true, QString()));
        EXPECT_FALSE(ok);
        EXPECT_TRUE(said.contains(c.said)) << said.toStdString();
    }
}

TEST(GatewayEvents, RepeatsFoldIntoACountAndEveryChangeIsSaid) {
    const auto w = [](const char* text) { return FileNotice{text, QString("<%1>").arg(text)}; };
    struct Step {
        int s;             // seconds
        const char* group; // nullptr: the counts due then
        const char* text;
        QStringList said;
        QString shownLast = {};
    } steps[] = {
        // clang-format off
        {0, "a", "301 = 400 written", {"301 = 400 written"}},
        {1, "a", "301 = 400 written", {}},
        {2, "a", "301 = 400 written", {}},
        {3, "a", "301 = 500 written", {"301 = 400 written (and 2 more like it in the last 1 min)", "301 = 500 written"}},
        {4, "b", "writes are off", {"writes are off"}},
        {5, "a", "301 = 500 written", {}},
        {5, "b", "writes are off", {}},
        {6, "c", "writes are off", {"writes are off"}}, // another client's
        {300, nullptr, "", {}},
        {603, nullptr, "", {"301 = 500 written (and 1 more like it in the last 10 min)"}},
        {604, nullptr, "", {"writes are off (and 1 more like it in the last 10 min)"}, "<writes are off> (and 1 more like it in the last 10 min)"},
        {700, "a", "301 = 500 written", {}}, // still folding: a count once per span
        {1203, nullptr, "", {"301 = 500 written (and 1 more like it in the last 10 min)"}},
        {1900, nullptr, "", {}}, // quiet for a span: forgotten
        {1901, "a", "301 = 500 written", {"301 = 500 written"}},
        {1902, "a", "301 = 500 written", {}},
        {1903, "", "", {"301 = 500 written (and 1 more like it in the last 1 min)"}}, // stopped
        // clang-format on
    };
    RepeatFolder folder;
    for (const Step& st : steps) {
        const qint64 ms = st.s * 1000LL;
        const std::vector<RepeatFolder::Said> said =
            !st.group    ? folder.due(ms)
            : !*st.group ? folder.due(ms, true)
                         : folder.occur(st.group, 7, w(st.text), ms);
        QStringList logged;
        for (const RepeatFolder::Said& s : said) {
            logged << s.text.logged;
            EXPECT_EQ(s.mcNo, 7);
        }
        EXPECT_EQ(logged, st.said) << st.s;
        if (!st.shownLast.isEmpty() && !said.empty()) {
            EXPECT_EQ(said.back().text.shown, st.shownLast);
        }
    }
}

TEST(GatewayEvents, AFailedWriteNamesWhatWasWrittenAndWhatNot) {
    const std::vector<std::pair<int, int>> writes = {{301, 400}, {302, 10}, {303, 5}};
    const FileNotice why{"no answer in time", "<no answer in time>"};
    const QString peer = "127.0.0.1";
    struct Row {
        size_t written;
        bool refused, unsent;
        const char* expected;
    } rows[] = {
        // clang-format off
        {0, false, false, "Modbus TCP 127.0.0.1: SV1 (301) = 400 not confirmed; SV2 (302) = 10, SV3 (303) = 5 not sent: no answer in time (exception 0b)"},
        {2, false, false, "Modbus TCP 127.0.0.1: SV1 (301) = 400, SV2 (302) = 10 written; SV3 (303) = 5 not confirmed: no answer in time (exception 0b)"},
        // The controller said NG: a device failure, not a silent station.
        {1, true, false, "Modbus TCP 127.0.0.1: SV1 (301) = 400 written; SV2 (302) = 10 refused; SV3 (303) = 5 not sent: no answer in time (exception 04)"},
        // The client left before the second register's turn.
        {1, false, true, "Modbus TCP 127.0.0.1: SV1 (301) = 400 written; SV2 (302) = 10, SV3 (303) = 5 not sent: no answer in time (exception 0b)"},
        // clang-format on
    };
    for (const Row& r : rows) {
        const FileNotice n =
            ModbusClient::writeFailed(peer, writes, r.written, why, r.refused, r.unsent);
        EXPECT_EQ(n.logged, r.expected);
        EXPECT_TRUE(n.shown.contains("<no answer in time> (exception 0")) << n.shown.toStdString();
    }
}
