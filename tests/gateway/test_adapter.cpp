// The gateway's line work against the link on the in-memory port, moved only by send ticks,
// replies and queued calls (no real time): whose write goes out when, and how a job ends.
// Sockets and real clients are test_gateway's.
#include "gateway/LinkAdapter.h"
#include "link/Frames.h"
#include "link/KX5Link.h"
#include "tests/support/FakeSerialPort.h"
#include "tests/support/LineUp.h"
#include "tests/support/Replies.h"

#include <QCoreApplication>
#include <functional>
#include <gtest/gtest.h>
#include <map>
#include <optional>

namespace {

// Station 1 up and monitored; the adapter beside the link as the gateway has it.
struct AdapterLine {
    FakeSerialPort* port = new FakeSerialPort;
    KX5Link link{std::unique_ptr<SerialPort>(port)};
    LinkAdapter adapter{&link};
    std::vector<std::pair<Request, RequestOutcome>> ended;
    std::optional<std::pair<bool, QString>> result; // how the job ended

    AdapterLine() {
        link.setPortSettings({"COM1", "9600", "N", "8", "1", "STD"});
        link.setStations({{1, ""}});
        QObject::connect(&link, &KX5Link::requestEnded,
                         [this](const Request& r, RequestOutcome o, const QString&,
                                const QString&) { ended.emplace_back(r, o); });
    }
    std::shared_ptr<LineJob> submit(std::vector<std::pair<int, int>> writes) {
        auto job = std::make_shared<LineJob>();
        job->kind = LineJob::Kind::Write;
        job->mcNo = 1;
        job->writes = std::move(writes);
        job->done = [this](bool ok, const FileNotice& text) { result = {ok, text.logged}; };
        adapter.submit(job);
        settle();
        return job;
    }
    static void settle() { QCoreApplication::sendPostedEvents(); }
    QByteArray tick() {
        settle();
        port->writes.clear();
        link.tmrSend_Timer();
        return port->takeWritten();
    }
    void answer(const QByteArray& request) {
        port->feed(answerTo(request), false);
        link.gather_Done();
        settle();
    }
};

} // namespace

TEST(GatewayAdapter, AWriteWaitsForTheLineAndNeverReplacesAWindowsRequest) {
    const std::map<int, int> window = {{501, 1}, {502, 1}}; // keys a window writes
    struct Case {
        const char* what;
        std::vector<std::pair<int, int>> writes;
        int windowReg;        // a window writes this key (0: none) ...
        bool gatewayOnLine;   // ... while the gateway's first register is on the line
        bool clientGivesUp;   // the client stops waiting once the first register is out
        std::vector<int> out; // registers written, in order
        bool ok;
    } cases[] = {
        {"a window's write comes between two registers",
         {{301, 400}, {302, 10}},
         501,
         true,
         false,
         {301, 501, 302},
         true},
        {"a window's newer request goes first", {{301, 400}}, 502, false, false, {502, 301}, true},
        {"the client gave up: the rest is not sent",
         {{301, 400}, {302, 10}, {303, 5}},
         0,
         true,
         true,
         {301},
         false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        AdapterLine line;
        ASSERT_TRUE(bringUpOnFakePort(line.link, *line.port));
        std::map<int, int> values = window;
        values.insert(c.writes.begin(), c.writes.end());
        const auto job = line.submit(c.writes);
        const auto windowWrites = [&] {
            if (c.windowReg) {
                const Request r = Request::writeOneOf(1, c.windowReg, window.at(c.windowReg));
                ASSERT_TRUE(line.link.request(r).taken);
            }
        };
        if (!c.gatewayOnLine) windowWrites();
        std::vector<std::string> out;
        for (int k = 0; k < 40; ++k) {
            const QByteArray sent = line.tick();
            if (sent.mid(3, 3) == "DWR") {
                out.push_back(sent.trimmed().toStdString());
                if (out.size() == 1 && c.gatewayOnLine) windowWrites();
                if (out.size() == 1 && c.clientGivesUp) job->cancelled = true;
            }
            if (!sent.isEmpty()) line.answer(sent);
        }
        std::vector<std::string> expected;
        for (int reg : c.out)
            expected.push_back(
                buildWriteReq(1, {reg}, {values.at(reg)}, 0).trimmed().toStdString());
        EXPECT_EQ(out, expected);
        EXPECT_EQ(line.result.value_or(std::pair(!c.ok, QString())).first, c.ok);
        EXPECT_EQ(job->next, c.clientGivesUp ? 1u : c.writes.size());
        for (const auto& [r, outcome] : line.ended)
            EXPECT_TRUE(outcome == RequestOutcome::Done || r.regs != std::vector{c.windowReg})
                << "the window's request ended as " << int(outcome);
    }
}

TEST(GatewayAdapter, AJobEndsAtOnceWhileThePortIsDownOrClosing) {
    struct Case {
        const char* what;
        std::function<void(AdapterLine&)> make;
        const char* said;
    } cases[] = {
        {"closed", [](AdapterLine& l) { l.link.ClosePort(); }, "The port is closed"},
        {"closing", [](AdapterLine& l) { l.link.mSetPortOpen_Click(); }, "The port is closing"},
        {"reopening",
         [](AdapterLine& l) {
             l.link.setAutoReopen(true);
             l.port->injectFailure("gone");
         },
         "lost, reopening"},
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
