// The Modbus TCP gateway: its register map, write checks and trusted clients over a station's
// view, its settings window (with the live counters; the file is tests/settings'), and the
// headless program against kx5sim with clients no one here wrote: mbpoll (reads, a write the
// simulator then holds, a refusal answered 04) and pymodbus (eight clients at once with one
// sending garbage, a flood of writes); settings that end a headless run at start; and
// in-process a client's write showing in the open parameter map, a write whose client left or
// stopped waiting still done and said, the connection limit, the counters of refused
// connections and writes, and a listen retried until the port is free. The link's request path
// itself is tests/link's; the gateway's line work without sockets and its events' wording are
// test_adapter's.
#include "files/GatewayOptions.h"
#include "gateway/Gateway.h"
#include "gateway/RegisterMap.h"
#include "link/Cells.h"
#include "link/KX5Link.h"
#include "link/QtSerialPort.h"
#include "link/Steps.h"
#include "params/frmKX5_Parameter.h"
#include "registers/ParamInfo.h"
#include "settings/GatewayDialog.h"
#include "sim/FaultPlan.h"
#include "tests/app/HeadlessRun.h"

#include <QCheckBox>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QStandardPaths>
#include <QTableWidget>
#include <QTcpServer>
#include <QTcpSocket>

// Designated initializers leave the other members at their defaults, which GCC 12 warns of.
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"

namespace {

namespace X = ModbusException;

const std::map<int, int> image = {{301, 300}, {302, -20}};
const std::map<int, int> clockImage = {{301, 300}, {302, -20}, {520, 26}};
StationValues liveValues{.fresh = true}, notFresh;

StationView answering() {
    liveValues.regs[MonReg::INP] = kInputTypes[0].no;
    liveValues.regs[MonReg::NPV] = 251;
    liveValues.regs[MonReg::MVOUT] = -5;
    liveValues.regs[MonReg::SPD] = 120;
    // In use and answering, every block just read, two alarms active and one unacknowledged.
    return {true, true, &liveValues, &image, {0, 0, 0, 0}, 10000, {2, 1}};
}

} // namespace

TEST(GatewayMap, ReadsAndWritesAreDecidedByTheStationAndTheOptions) {
    const StationView live = answering();
    StationView unused, silent = answering(), stale = answering(), clock = answering();
    silent.answering = false;
    stale.values = &notFresh;
    clock.image = &clockImage;                                  // the year, read ...
    clock.imageAgeMs = {0, 0, RegisterMap::kClockAgeMs + 1, 0}; // ... over half a second ago
    struct Read {
        const StationView* s;
        int first, count, exception;
        bool needImage;
        std::vector<int> values;
    } reads[] = {
        {&live, 1, 1, X::None, false, {251}},           // PV from the monitor read
        {&live, 5, 1, X::None, false, {-5}},            // negative, as the controller holds it
        {&live, 301, 2, X::None, false, {300, -20}},    // from the parameter image
        {&live, 506, 1, X::None, false, {120}},         // the monitor read wins over the image
        {&live, 303, 1, X::None, true, {}},             // not held yet: read the station first
        {&live, 0, 1, X::IllegalAddress, false, {}},    // no block covers 0
        {&live, 18, 2, X::IllegalAddress, false, {}},   // 19 is past the first block
        {&live, 700, 2, X::None, false, {2, 1}},        // the alarms: active, unacknowledged
        {&live, 700, 3, X::IllegalAddress, false, {}},  // 702 is past the table
        {&unused, 1, 1, X::PathUnavailable, false, {}}, // not in use
        {&silent, 1, 1, X::TargetFailed, false, {}},    // not answering
        {&stale, 301, 1, X::TargetFailed, false, {}},   // never served when not fresh
        {&clock, 520, 1, X::None, true, {}},            // the clock runs: read again
    };
    for (const Read& r : reads) {
        const RegisterRead got = RegisterMap::read(*r.s, r.first, r.count);
        EXPECT_EQ(got.exception, r.exception) << r.first;
        EXPECT_EQ(got.needImage, r.needImage) << r.first;
        EXPECT_EQ(got.values, r.values) << r.first;
    }
    GatewayOptions on, off;
    on.writes = true;
    const ParamRange sv = paramRange(*paramInfo(301), kInputTypes[0].no, 0, 0);
    struct Write {
        const StationView* s;
        const GatewayOptions* o;
        int reg, value, exception;
    } writes[] = {
        {&live, &on, 301, sv.lo, X::None},
        {&live, &on, 301, sv.hi + 1, X::IllegalValue}, // beyond the input type's range
        {&live, &on, 504, 1, X::None},                 // FEED key
        {&live, &on, 504, 2, X::IllegalValue},         // a key is on or off
        {&live, &on, 506, 23, X::IllegalValue},        // print speed 24 to 900
        {&live, &on, 310, 1, X::IllegalAddress},       // not on the allow-list
        {&live, &off, 301, sv.lo, X::IllegalFunction}, // writes off
        {&unused, &on, 301, sv.lo, X::PathUnavailable},
        {&silent, &on, 505, 1, X::TargetFailed},
    };
    for (const Write& w : writes)
        EXPECT_EQ(RegisterMap::checkWrite(*w.s, *w.o, w.reg, w.value), w.exception)
            << w.reg << "=" << w.value;
}

// Which clients are trusted, and the window saving what it shows (the file itself is read,
// checked and written by the one options table: tests/settings).
TEST(GatewayMap, TrustedClientsAndTheWindowsOptions) {
    QTemporaryDir dir;
    setProgramDir(dir.path());
    GatewayOptions o;
    o.allowList = {506, 301, 302, 303, 310};
    o.trusted = {"192.168.1.0/24", "10.0.0.5", "::1"};
    struct Trust {
        const char* client;
        bool trusted;
    } trust[] = {{"192.168.1.77", true}, {"192.168.2.1", false}, {"10.0.0.5", true},
                 {"10.0.0.6", false},    {"::1", true},          {"::ffff:10.0.0.5", true}};
    for (const Trust& t : trust)
        EXPECT_EQ(o.trusts(QHostAddress(t.client)), t.trusted) << t.client;
    EXPECT_TRUE(GatewayOptions().trusts(QHostAddress("203.0.113.9"))); // none listed: any
    // The window saves what it shows, and never a list of registers it cannot read.
    GatewayDialog d(o);
    EXPECT_EQ(d.findChild<QLineEdit*>("txtAllowWrite")->text(), "301-303,310,506");
    d.findChild<QCheckBox*>("chkGateway")->setChecked(true);
    d.findChild<QCheckBox*>("chkWrites")->setChecked(true);
    d.findChild<QLineEdit*>("txtAddress")->setText("0.0.0.0");
    d.findChild<QLineEdit*>("txtAllowWrite")->setText("301-303, 9999");
    d.findChild<QPushButton*>("btnOK")->click();
    EXPECT_NE(d.result(), int(QDialog::Accepted));
    EXPECT_TRUE(d.findChild<QLabel*>("lblProblem")->text().contains("9999"));
    d.findChild<QLineEdit*>("txtAllowWrite")->setText("506, 301");
    d.findChild<QLineEdit*>("txtTrusted")->setText("10.0.0.0/8, 127.0.0.1");
    d.findChild<QSpinBox*>("spnIdle")->setValue(0);
    d.findChild<QSpinBox*>("spnSerialTimeout")->setValue(200);
    // What the running gateway counts, live.
    GatewayCounters counted;
    counted.add("10.0.0.7", 3, GatewayCounters::Tally::Exception, 0x0b);
    counted.add("10.0.0.7", 3, GatewayCounters::Tally::Exception, 0x04);
    d.setCounters([&] { return counted; });
    auto* table = d.findChild<QTableWidget*>("grdCounters");
    ASSERT_EQ(table->rowCount(), 2); // the client, then the unit
    EXPECT_EQ(table->item(1, 3)->text(), "04 \u00d71, 0b \u00d71");
    d.findChild<QPushButton*>("btnOK")->click();
    EXPECT_EQ(d.result(), int(QDialog::Accepted));
    const GatewayOptions saved = loadGatewayOptions();
    EXPECT_TRUE(saved.enabled && saved.writes && saved.address == "0.0.0.0");
    EXPECT_EQ(saved.allowList, (std::vector<int>{301, 506}));
    EXPECT_EQ(saved.trusted, QStringList({"10.0.0.0/8", "127.0.0.1"}));
    EXPECT_EQ(saved.idleSeconds, 0);
    EXPECT_EQ(saved.serialTimeoutMs, 200);
    setProgramDir(QString());
}

namespace {

int freePort() {
    QTcpServer s;
    return s.listen(QHostAddress::LocalHost) ? s.serverPort() : 0;
}

// The system's Python, where Debian's python3-pymodbus is, before any other on the PATH.
QString python() {
    const QString system = QStandardPaths::findExecutable("python3", {"/usr/bin"});
    return system.isEmpty() ? QStringLiteral("python3") : system;
}

// The headless program on kx5sim's line with the gateway on a free loopback port.
struct GatewayProgram : HeadlessRun {
    int port = freePort();

    using HeadlessRun::HeadlessRun;
    bool start(const QStringList& extra) {
        if (!prepare()) return false;
        HeadlessRun::start(
            QStringList{"--open", "--gateway", "--gateway-port", QString::number(port)} + extra);
        return program.waitForStarted(10000) && said("Modbus TCP gateway listening", 10000);
    }
    // mbpoll's output and exit code; 0-based registers as the map counts them.
    std::pair<int, QString> mbpoll(int unit, int first, int count, const QStringList& write = {}) {
        QProcess p;
        p.setProcessChannelMode(QProcess::MergedChannels);
        // mbpoll counts the values it writes itself.
        const QStringList what =
            write.isEmpty() ? QStringList{"-c", QString::number(count)} : QStringList{"--"} + write;
        p.start("mbpoll", QStringList{"-m", "tcp", "-a", QString::number(unit), "-r",
                                      QString::number(first), "-0", "-1", "-t", "4", "-o", "8",
                                      "-p", QString::number(port), "127.0.0.1"} +
                              what);
        p.waitForFinished(20000);
        return {p.exitCode(), QString::fromLocal8Bit(p.readAll())};
    }
    QJsonObject pymodbus(const QStringList& args) {
        QProcess p;
        p.start(python(), QStringList{QStringLiteral(KX5_GATEWAY_CLIENTS), args.first(),
                                      QString::number(port)} +
                              args.mid(1));
        p.waitForFinished(60000);
        const QByteArray out = p.readAllStandardOutput();
        EXPECT_EQ(p.exitCode(), 0) << p.readAllStandardError().toStdString();
        return QJsonDocument::fromJson(out).object();
    }
};

// The link in this process, opened unattended on kx5sim's line as the program's files name it.
struct InProcessLine : HeadlessRun {
    KX5Link link{std::make_unique<QtSerialPort>()};

    using HeadlessRun::HeadlessRun;
    ~InProcessLine() { link.ClosePort(); }
    bool open() {
        if (!prepare()) return false;
        link.setPortSettings(LoadCommCfg());
        link.setStations(LoadStations());
        link.openUnattended();
        return true;
    }
};

#define NEED_CLIENTS()                                                                             \
    if (QStandardPaths::findExecutable("mbpoll").isEmpty() ||                                      \
        QProcess::execute(python(), {"-c", "import pymodbus.client"}) != 0)                        \
    GTEST_SKIP() << "mbpoll or python3-pymodbus is not installed (scripts/setup-deps)"

} // namespace

TEST(GatewayClients, ReadWriteExceptionsAndAFloodOfWritesAsTheSimulatorHeardThem) {
    NEED_CLIENTS();
    GatewayProgram run({1, 2, 3});
    run.sim.addFault(*kx5sim::FaultPlan::parse("silent,station=3"));
    ASSERT_TRUE(run.start({"--gateway-writes", "--gateway-wait", "5000"})) << run.err.toStdString();
    ASSERT_TRUE(QTest::qWaitFor([&] { return run.mbpoll(2, 1, 1).first == 0; }, 30000))
        << run.err.toStdString();
    const QJsonObject many = run.pymodbus({"many", "1,2"});
    EXPECT_EQ(many["reads"].toInt(), 7 * 20) << QJsonDocument(many).toJson().toStdString();
    EXPECT_TRUE(many["failed"].toArray().isEmpty());
    EXPECT_TRUE(many["garbage_closed"].toBool());
    for (int mc : {1, 2}) {
        const QJsonArray v = many["last"][QString::number(mc)].toArray();
        ASSERT_EQ(v.size(), 5) << mc;
        // PV and MV are values the simulator sent; SV is the one it holds.
        EXPECT_TRUE(std::ranges::count(pvsSent(run.sim, mc), v[0].toInt())) << v[0].toInt();
        EXPECT_EQ(v[1].toInt(), run.sim.readRegister(mc, 2));
        EXPECT_TRUE(std::ranges::count(pvsSent(run.sim, mc, 7), v[4].toInt())) << v[4].toInt();
    }
    const int sv = run.sim.readRegister(1, 301) == 500 ? 400 : 500;
    const auto [wrc, wout] = run.mbpoll(1, 301, 1, {QString::number(sv)});
    EXPECT_EQ(wrc, 0) << wout.toStdString();
    EXPECT_EQ(run.sim.readRegister(1, 301), sv);
    // The controller refuses SV2: a device failure (04), not a silent station (0B). SV1 before it
    // is written, SV3 after it is not sent, and the event says which.
    run.sim.addFault(*kx5sim::FaultPlan::parse("ng,station=1,reg=302"));
    const int sv1 = sv == 500 ? 450 : 550, sv2 = run.sim.readRegister(1, 302),
              sv3 = run.sim.readRegister(1, 303);
    const QStringList three = {QString::number(sv1), QString::number(sv2 + 1),
                               QString::number(sv3 + 1)};
    const QString failed = run.mbpoll(1, 301, 3, three).second;
    EXPECT_TRUE(failed.contains("Slave device or server failure")) << failed.toStdString();
    EXPECT_EQ(run.sim.readRegister(1, 301), sv1);
    EXPECT_EQ(run.sim.readRegister(1, 302), sv2);
    EXPECT_EQ(run.sim.readRegister(1, 303), sv3);
    run.sim.clearFaults();
    EXPECT_TRUE(run.mbpoll(4, 1, 1).second.contains("Gateway path unavailable"));

    // A client writing back to back shares the line, judged by what the simulator heard:
    // between any two of its writes the poll asked a station for its live values, stations 1
    // and 2 in turn.
    run.sim.clearExchanges();
    const QJsonObject r = run.pymodbus({"flood", "4"});
    const std::vector<kx5sim::Exchange> heard = run.sim.exchanges();
    EXPECT_GE(r["writes"].toInt(), 3) << QJsonDocument(r).toJson().toStdString();
    EXPECT_EQ(r["failed"].toInt(), 0);
    int monitors[4] = {}, writes = 0, sinceWrite = 1;
    for (const kx5sim::Exchange& e : heard) {
        if (e.request.find("DRR,19,0610") != std::string::npos && e.address >= 1 &&
            e.address <= 3) {
            ++monitors[e.address];
            ++sinceWrite;
        } else if (e.request.find("DWR") != std::string::npos) {
            EXPECT_GT(sinceWrite, 0) << "two writes with no poll between them";
            sinceWrite = 0;
            ++writes;
        }
    }
    EXPECT_GE(writes, r["writes"].toInt());
    for (int mc : {1, 2})
        EXPECT_GE(monitors[mc], writes / 3 - 1) << "MC " << mc;
}

// A service must not run on without the gateway it was started for: settings that leave it
// unusable end a headless run at start, as any bad option does.
TEST(GatewayProgram, UnusableSettingsEndAHeadlessRunAtStart) {
    struct Row {
        QStringList file, args;
    } rows[] = {
        // clang-format off
        {{}, {"--gateway", "--gateway-clients", "65"}}, {{"Enabled=1", "TrustedClients=10.0.0.0/33"}, {}},
        {{"IdleTimeout=-1"}, {"--gateway"}}, {{"Enabled=1"}, {"--gateway-serial-timeout", "20"}},
        // clang-format on
    };
    for (const Row& r : rows) {
        SCOPED_TRACE((r.file + r.args).join(' ').toStdString());
        HeadlessRun run;
        QDir().mkpath(cfgDir());
        ASSERT_TRUE(writeLinesAtomic(gatewayOptionsPath(), r.file, nullptr));
        run.start(r.args);
        ASSERT_TRUE(run.program.waitForFinished(20000));
        EXPECT_EQ(run.program.exitCode(), 2);
        EXPECT_TRUE(run.program.readAllStandardError().contains("gateway"));
    }
}

// A client that leaves once its write is on the line does not stop it; a client's write shows
// in the open parameter map at once; connections past the limit and untrusted ones are refused,
// the first said and the rest counted, per client and per unit, as a repeated refused write is;
// a second gateway on the port listens as soon as it is free.
TEST(GatewayClients, AWriteShowsInTheOpenMapAtOnceAndEachClientIsCounted) {
    InProcessLine line; // station 1
    ASSERT_TRUE(line.open());
    kx5sim::SimLine& sim = line.sim;
    KX5Link& link = line.link;
    ASSERT_TRUE(QTest::qWaitFor([&] { return link.phase() == KX5Link::Phase::Monitoring; }, 10000));
    frmKX5_Parameter map(&link, ParamSource::of(&link)); // reads the station in
    map.show();
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return link.line().imageValue(1, 301) && link.line().station(1)->values.fresh; },
        20000));
    Gateway gateway(&link);
    int events = 0;
    QObject::connect(&gateway, &Gateway::event, [&] { ++events; });
    const GatewayOptions o{.enabled = true,
                           .port = freePort(),
                           .maxClients = 1,
                           .writes = true,
                           .trusted = {"127.0.0.1"}};
    gateway.apply(o);
    ASSERT_TRUE(gateway.listening());

    // Unit 1, function 06, SV3 (303) = 777, acknowledged 300 ms later; the client has gone by then.
    sim.addFault(*kx5sim::FaultPlan::parse("delay=300,station=1,reg=303"));
    {
        QTcpSocket early;
        early.connectToHost(QHostAddress::LocalHost, quint16(o.port));
        ASSERT_TRUE(early.waitForConnected(5000));
        early.write(QByteArray::fromHex("00020000000601 06 012f 0309"));
        ASSERT_TRUE(QTest::qWaitFor([&] { return link.sendStep() == kStepWriteOnePolled; }, 5000));
        early.abort();
        ASSERT_TRUE(QTest::qWaitFor([&] { return events == 2; }, 5000)); // and said so
    }
    EXPECT_EQ(sim.readRegister(1, 303), 777);
    sim.clearFaults();
    ASSERT_TRUE(QTest::qWaitFor([&] { return gateway.clients() == 0; }, 5000));

    // Unit 1, function 06, SV1 (301).
    const int sv = *link.line().imageValue(1, 301) == 500 ? 400 : 500;
    const auto shown = [&] { return map.displayGrid()->text(mapCell(301).col, mapCell(301).row); };
    QTcpSocket first, over, untrusted;
    first.connectToHost(QHostAddress::LocalHost, quint16(o.port));
    const QByteArray write = QByteArray::fromHex("00010000000601 06 012d" +
                                                 QByteArray::number(sv, 16).rightJustified(4, '0'));
    first.write(write);
    ASSERT_TRUE(QTest::qWaitFor([&] { return first.bytesAvailable() >= 12; }, 20000));
    EXPECT_EQ(first.readAll(), write);
    EXPECT_EQ(sim.readRegister(1, 301), sv);
    EXPECT_EQ(link.line().imageValue(1, 301), sv);
    // One decimal at the station's input.
    EXPECT_TRUE(
        QTest::qWaitFor([&] { return shown() == QString::number(sv / 10.0, 'f', 1); }, 1000))
        << shown().toStdString();

    // One client more than the limit, then one from 127.0.0.2: both refused, the first still
    // served.
    over.connectToHost(QHostAddress::LocalHost, quint16(o.port));
    ASSERT_TRUE(QTest::qWaitFor([&] { return gateway.refused() == 1; }, 5000));
    ASSERT_TRUE(untrusted.bind(QHostAddress("127.0.0.2")));
    untrusted.connectToHost(QHostAddress::LocalHost, quint16(o.port));
    ASSERT_TRUE(QTest::qWaitFor([&] { return gateway.refused() == 2; }, 5000));
    EXPECT_EQ(gateway.clients(), 1);
    // A write of a register clients may not write, three times over: unit 1, function 06,
    // register 0, value 1.
    first.write(QByteArray::fromHex("000100000006010600000001").repeated(3));
    ASSERT_TRUE(QTest::qWaitFor([&] { return first.bytesAvailable() >= 27; }, 5000));
    EXPECT_EQ(first.readAll().toHex(), QByteArray("000100000003018602").repeated(3));
    // Listening, two writes, the first refusal, the refused write once; the rest are counts.
    EXPECT_EQ(events, 5);
    Gateway other(&link);
    other.apply(o);
    EXPECT_FALSE(other.listening());
    const GatewayCounters counted = gateway.counters();
    gateway.stop();
    ASSERT_TRUE(QTest::qWaitFor([&] { return other.listening(); }, 4 * Gateway::kRetryMs));
    QTcpSocket later;
    later.connectToHost(QHostAddress::LocalHost, quint16(o.port));
    ASSERT_TRUE(QTest::qWaitFor([&] { return other.clients() == 1; }, 5000));
    other.stop();
    // Counted per client address, whatever its port, and per unit.
    const GatewayCounts& local = counted.clients.at("127.0.0.1");
    EXPECT_EQ(local.requests, 5u); // the early write, SV1, three refused
    EXPECT_EQ(local.answers, 1u);
    EXPECT_EQ(local.exceptions, (std::map<int, quint64>{{2, 3}}));
    EXPECT_EQ(local.writes, 2u);
    EXPECT_EQ(local.refused, 1u);
    EXPECT_EQ(counted.clients.at("127.0.0.2").refused, 1u);
    EXPECT_EQ(counted.units.at(1).requests, 5u);
}

// A client whose wait runs out is answered 0B then: a write already handed to the line is
// still done and said, and a read of the station's parameters goes on for the client's next
// try. The controller takes 300 ms over every answer; the client waits 100 ms.
TEST(GatewayClients, AClientWhoseWaitRunsOutIsAnswered0BAndTheLineWorkGoesOn) {
    InProcessLine line({1, 2}); // the link reads the first one's parameters itself
    ASSERT_TRUE(line.open());
    kx5sim::SimLine& sim = line.sim;
    KX5Link& link = line.link;
    ASSERT_TRUE(QTest::qWaitFor(
        [&] {
            const LineModel::Station* st = link.line().station(2);
            return link.phase() == KX5Link::Phase::Monitoring && st && st->values.fresh &&
                   !link.line().imageValue(2, 310);
        },
        10000));
    sim.addFault(*kx5sim::FaultPlan::parse("delay=300"));
    Gateway gateway(&link);
    QStringList said;
    QObject::connect(&gateway, &Gateway::event,
                     [&](int, const FileNotice& n) { said << n.logged; });
    const GatewayOptions o{
        .enabled = true, .port = freePort(), .writes = true, .answerWaitMs = 100};
    gateway.apply(o);
    QTcpSocket c;
    c.connectToHost(QHostAddress::LocalHost, quint16(o.port));
    ASSERT_TRUE(c.waitForConnected(5000));
    const auto ask = [&](const QByteArray& hex, int size) {
        c.write(QByteArray::fromHex(hex));
        EXPECT_TRUE(QTest::qWaitFor([&] { return c.bytesAvailable() >= size; }, 5000));
        return c.readAll().toHex();
    };
    // Unit 1, function 06, SV1 (301).
    const int sv = sim.readRegister(1, 301) == 500 ? 400 : 500;
    const QByteArray value = QByteArray::number(sv, 16).rightJustified(4, '0');
    EXPECT_EQ(ask("0001000000060106012d" + value, 9), "00010000000301860b");
    // Said, naming the register and the value.
    const QString done = QStringLiteral("SV1 (301) = %1 written after").arg(sv);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !said.filter(done).isEmpty(); }, 5000))
        << said.join('\n').toStdString();
    EXPECT_EQ(sim.readRegister(1, 301), sv);
    // Unit 2, function 03, register 310 (the first PID set's P), not held yet.
    EXPECT_EQ(ask("000200000006020301360001", 9), "00020000000302830b");
    ASSERT_TRUE(QTest::qWaitFor([&] { return link.line().imageValue(2, 310).has_value(); }, 20000));
    const QByteArray p = QByteArray::number(quint16(sim.readRegister(2, 310)), 16);
    EXPECT_EQ(ask("000300000006020301360001", 11),
              QByteArray("000300000005020302") + p.rightJustified(4, '0'));
    const GatewayCounts& n = gateway.counters().clients.at("127.0.0.1");
    EXPECT_EQ(n.timeouts, 2u);
    EXPECT_EQ(n.exceptions, (std::map<int, quint64>{{0x0b, 2}}));
    EXPECT_EQ(n.answers, 1u);
    EXPECT_EQ(n.writes, 1u);
    gateway.stop();
}
