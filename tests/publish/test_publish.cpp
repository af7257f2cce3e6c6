// Publishing against a real Mosquitto broker: the values kx5sim holds arrive with their
// decimals and units, a silent station and a stop are said as such per station, a stalled or
// restarted broker is survived within the bounds with the drops counted, connection failures
// (a host that drops connection requests among them) are said plainly without holding the
// program up, TLS with the system's CAs reconnects, client ids do not clash, a wrong settings
// file is named by line, and the headless program publishes, logs, stops cleanly on SIGTERM and
// leaves its last will when killed; the Publishing window keeps its settings in their files.
// The payload's figures come from decode(), whose tables are tests/link's.
#include "publish/MqttClient.h"
#include "settings/PublishingDialog.h"
#include "tests/app/HeadlessRun.h"
#include "tests/publish/PublishLine.h"
#include "tests/support/Bracketing.h"

#include <QElapsedTimer>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QThread>
#include <atomic>
#include <cmath>
#include <sched.h>

// Designated initializers leave the other members at their defaults, which GCC 12 warns of.
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"

TEST_F(PublishLine, ValuesAreTheSimulatorsASilentStationIsSaidSilentAndAStallOrRestartSurvived) {
    for (const auto& [mc, decimals, unit] : {std::tuple{1, 1, "°F"}, std::tuple{2, 2, "V"}}) {
        SCOPED_TRACE(mc);
        ASSERT_TRUE(waitAnswering(mc, true));
        const std::string topic = "kx5/line1/" + std::to_string(mc);
        const QByteArray raw = sub->on(topic).back();
        const QJsonObject o = json(raw);
        const double scale = std::pow(10.0, decimals);
        EXPECT_EQ(o["mc"].toInt(), mc);
        EXPECT_EQ(o["model"].toString(), "KX5-105");
        EXPECT_EQ(o["conn"].toString(), "OK");
        EXPECT_EQ(o["decimals"].toInt(), decimals);
        EXPECT_EQ(o["unit"].toString().toStdString(), unit);
        EXPECT_EQ(o["mvUnit"].toString(), "%");
        const QJsonObject lamps = o["lamps"].toObject();
        EXPECT_EQ(lamps.size(), 14);
        for (const char* key : {"AL1", "MINUS", "PV_BOUT", "AT_ERR"})
            EXPECT_TRUE(lamps.contains(key)) << key;
        EXPECT_TRUE(QDateTime::fromString(o["storedAt"].toString(), Qt::ISODateWithMs).isValid());
        // The figures as the station shows them: exactly its decimals, in the JSON and alone.
        const QString figure = QStringLiteral("-?\\d+\\.\\d{%1}").arg(decimals);
        EXPECT_TRUE(
            QRegularExpression("\"pv\":" + figure + ",\"sv\":" + figure + ",\"mv\":-?\\d+\\.\\d,")
                .match(QString::fromUtf8(raw))
                .hasMatch())
            << raw.toStdString();
        ASSERT_TRUE(QTest::qWaitFor([&] { return !sub->on(topic + "/pv").empty(); }, 5000));
        const QByteArray pvText = sub->last(topic + "/pv");
        EXPECT_TRUE(
            QRegularExpression("^" + figure + "$").match(QString::fromLatin1(pvText)).hasMatch())
            << pvText.toStdString();
        // The PV is one the station sent; the SV is the one it holds.
        const auto sent = pvsSent(*sim, mc);
        const int pv = int(std::lround(o["pv"].toDouble() * scale));
        EXPECT_NE(std::find(sent.begin(), sent.end(), pv), sent.end()) << pv;
        EXPECT_EQ(int(std::lround(o["sv"].toDouble() * scale)), sim->readRegister(mc, 2));
    }
    EXPECT_EQ(sub->last("kx5/line1/status"), "online");

    // Station 2 falls silent: said so, its single figures emptied.
    sim->addFault(*kx5sim::FaultPlan::parse("silent,station=2"));
    ASSERT_TRUE(waitAnswering(2, false));
    const QJsonObject silent = json(sub->last("kx5/line1/2"));
    EXPECT_EQ(silent["conn"].toString(), "NG");
    EXPECT_FALSE(silent.contains("pv"));
    EXPECT_TRUE(QTest::qWaitFor([&] { return sub->last("kx5/line1/2/pv").isEmpty(); }, 5000));
    // Station 1 goes on; a second silence of station 2 is not news.
    const size_t silentCount = sub->on("kx5/line1/2").size();
    const size_t seen = sub->on("kx5/line1/1").size();
    EXPECT_TRUE(QTest::qWaitFor([&] { return sub->on("kx5/line1/1").size() > seen + 3; }, 30000));
    EXPECT_TRUE(json(sub->last("kx5/line1/1"))["answering"].toBool());
    EXPECT_EQ(sub->on("kx5/line1/2").size(), silentCount);
    // Each station's availability, once per change.
    EXPECT_EQ(sub->on("kx5/line1/1/availability"), std::vector<QByteArray>{"online"});
    EXPECT_EQ(sub->on("kx5/line1/2/availability"), (std::vector<QByteArray>{"online", "offline"}));

    // A clean stop leaves no station looking alive, and "offline" is the last word.
    publisher->stop();
    ASSERT_TRUE(QTest::qWaitFor([&] { return sub->last("kx5/line1/status") == "offline"; }, 5000));
    EXPECT_FALSE(json(sub->last("kx5/line1/1"))["answering"].toBool());
    EXPECT_EQ(sub->last("kx5/line1/1/availability"), "offline");
    EXPECT_EQ(sub->last("kx5/line1/1/pv"), "");
    EXPECT_EQ(sub->messages().back().topic, "kx5/line1/status");

    // Started again at QoS 1, a broker that stalls keeps everything we hold within the bounds:
    // what the client library holds (messages wait for their acknowledgement) and our queue;
    // one that restarts gets the newest messages, the drops counted.
    sim->clearFaults();
    publisher->setMaxQueued(10);
    publisher->setMaxInFlight(5);
    options.qos = 1;
    publisher->apply(options);
    ASSERT_TRUE(waitAnswering(1, true));
    broker->pause(true);
    ASSERT_TRUE(QTest::qWaitFor([&] { return publisher->dropped() > 20; }, 20000));
    EXPECT_TRUE(publisher->brokerUp()); // connected, but not taking anything
    EXPECT_LE(publisher->inFlight(), 5);
    EXPECT_EQ(publisher->queued(), 10);
    // Back: what waited goes out.
    broker->pause(false);
    EXPECT_TRUE(QTest::qWaitFor([&] { return publisher->queued() == 0; }, 10000));

    broker->kill();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !publisher->brokerUp(); }, 10000));
    const quint64 before = publisher->dropped();
    ASSERT_TRUE(QTest::qWaitFor([&] { return publisher->dropped() > before + 20; }, 15000));
    EXPECT_EQ(publisher->queued(), 10);
    sub->clear();
    ASSERT_TRUE(started(*broker));
    ASSERT_TRUE(QTest::qWaitFor([&] { return publisher->brokerUp(); }, 40000));
    ASSERT_TRUE(sub->waitSubscribed(2));
    const size_t arrived = sub->on("kx5/line1/1").size();
    EXPECT_TRUE(
        QTest::qWaitFor([&] { return sub->on("kx5/line1/1").size() > arrived + 2; }, 15000));
    EXPECT_EQ(sub->last("kx5/line1/status"), "online");
    EXPECT_EQ(sub->last("kx5/line1/1/availability"), "online"); // the new broker knows it too
    EXPECT_EQ(publisher->queued(), 0);
}

namespace {

QString listener(int port) {
    return QStringLiteral("listener %1 127.0.0.1").arg(port);
}

bool run(const QString& program, const QStringList& args, const QString& cwd) {
    QProcess p;
    p.setWorkingDirectory(cwd);
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(program, args);
    return p.waitForFinished(30000) && p.exitCode() == 0;
}

// A CA, a server certificate for the name localhost (not for 127.0.0.1) signed by it, a client
// certificate signed by it, and an unrelated CA.
bool makeCertificates(const QString& d) {
    return run("sh", {"-c", R"(set -e
ec="-newkey ec -pkeyopt ec_paramgen_curve:prime256v1 -nodes"
sign="-CA ca.crt -CAkey ca.key -CAcreateserial -days 2"
openssl req -x509 $ec -days 2 -keyout ca.key -out ca.crt -subj "/CN=KX5 Test CA"
openssl req -x509 $ec -days 2 -keyout other.key -out other.crt -subj "/CN=Other CA"
echo subjectAltName=DNS:localhost > san.ext
openssl req $ec -keyout server.key -out server.csr -subj /CN=localhost
openssl x509 -req -in server.csr $sign -out server.crt -extfile san.ext
openssl req $ec -keyout client.key -out client.csr -subj /CN=line1
openssl x509 -req -in client.csr $sign -out client.crt)"},
               d);
}

// A publisher beside a link that is not opened, its events as the events file has them; the
// headless program can be started on the same folder.
struct LonePublisher : HeadlessRun {
    KX5Link link{std::make_unique<QtSerialPort>()};
    Publisher publisher{&link};
    QStringList events;
    LonePublisher() {
        QObject::connect(&publisher, &Publisher::event,
                         [this](const FileNotice& said) { events << said.logged; });
    }
};

} // namespace

// Every failure said plainly. Then the CA field empty (the system's CAs): a self-made CA in the
// bundle OpenSSL is pointed at, and the broker restarted: the client connects again and what it
// publishes arrives. Then on the same broker, the client ids of two programs.
TEST(PublishConnect, FailuresAreSaidPlainlySystemCasSurviveARestartAndIdsNeverClashUnlessGiven) {
    NEED_BROKER();
    QTemporaryDir dir;
    const QString d = dir.path();
    ASSERT_TRUE(makeCertificates(d));
    ASSERT_TRUE(run("mosquitto_passwd", {"-b", "-c", d + "/passwd", "kx5", "secret"}, d));
    const int plain = MqttBroker::freePort(), tls = MqttBroker::freePort(),
              wantsCert = MqttBroker::freePort();
    const QStringList serverCert = {"cafile " + d + "/ca.crt", "certfile " + d + "/server.crt",
                                    "keyfile " + d + "/server.key"};
    MqttBroker broker(
        d, QStringList{"per_listener_settings false", "allow_anonymous true",
                       "password_file " + d + "/passwd", listener(plain), listener(tls)} +
               serverCert + QStringList{listener(wantsCert), "require_certificate true"} +
               serverCert);
    ASSERT_TRUE(started(broker));
    // Takes connections and never says a word, as a stalled broker.
    QTcpServer stalled;
    ASSERT_TRUE(stalled.listen(QHostAddress::LocalHost));
    const int mute = stalled.serverPort();

    struct Row {
        const char* name;
        QString host;
        int port;
        const char* password;
        bool tls;
        QString caFile;
        QStringList said;
    };
    const int nobody = MqttBroker::freePort();
    const QString ca = d + "/ca.crt";
    // clang-format off
    const Row rows[] = {
        {"accepted", "127.0.0.1", plain, "secret", false, {}, {QStringLiteral("Connected to 127.0.0.1:%1").arg(plain)}},
        {"nothing listens", "127.0.0.1", nobody, "secret", false, {}, {"Refused", QString::number(nobody)}},
        {"unknown host", "no-such-broker.invalid", plain, "secret", false, {}, {"Unknown host", "no-such-broker.invalid"}},
        {"wrong password", "127.0.0.1", plain, "wrong", false, {}, {"Wrong user name or password"}},
        {"stalled broker", "127.0.0.1", mute, "secret", false, {}, {"took the connection but did not answer within 10 s"}},
        {"plain to a TLS port", "127.0.0.1", tls, "secret", false, {}, {"is it a TLS port"}},
        {"TLS, our CA", "localhost", tls, "secret", true, ca, {"over TLS"}},
        {"TLS, another CA", "localhost", tls, "secret", true, d + "/other.crt", {"TLS failure", "not signed by a trusted CA"}},
        {"TLS, another host name", "127.0.0.1", tls, "secret", true, ca, {"TLS failure", "not made out to the host name 127.0.0.1"}},
        {"TLS, client certificate wanted", "localhost", wantsCert, "secret", true, ca, {"client certificate"}},
        {"TLS to a plain port", "localhost", plain, "secret", true, ca, {"TLS failure", "does not answer in TLS"}},
        {"TLS, no CA file", "localhost", tls, "secret", true, d + "/missing.crt", {"CA file", "missing.crt", "cannot be read"}},
        {"TLS, CA file a folder", "localhost", tls, "secret", true, d, {"is a folder"}},
    };
    // clang-format on
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const QString said = MqttClient::test({.host = row.host,
                                               .port = row.port,
                                               .tls = row.tls,
                                               .caFile = row.caFile,
                                               .user = "kx5",
                                               .password = row.password});
        for (const QString& part : row.said)
            EXPECT_TRUE(said.contains(part)) << said.toStdString();
    }

    ASSERT_TRUE(run("sh", {"-c", "cat other.crt ca.crt > bundle.pem"}, d));
    const QByteArray oldBundle = qgetenv("SSL_CERT_FILE");
    qputenv("SSL_CERT_FILE", QFile::encodeName(d + "/bundle.pem"));
    MqttSubscriber sub(plain, "kx5/#");
    MqttClient client;
    int ups = 0;
    QStringList failures;
    QObject::connect(&client, &MqttClient::connected, [&] { ++ups; });
    QObject::connect(&client, &MqttClient::failed, [&](const QString& why) { failures << why; });
    const PublishOptions o{.host = "localhost", .port = tls, .tls = true};
    FileNotice why;
    ASSERT_TRUE(client.start(o, {}, {}, &why)) << why.logged.toStdString();
    for (int round : {1, 2}) {
        SCOPED_TRACE(round);
        ASSERT_TRUE(QTest::qWaitFor([&] { return ups == round; }, 20000))
            << failures.join('\n').toStdString();
        ASSERT_TRUE(sub.waitSubscribed(round));
        ASSERT_TRUE(client.publish("kx5/t", QByteArray::number(round), 1, false));
        EXPECT_TRUE(
            QTest::qWaitFor([&] { return sub.last("kx5/t") == QByteArray::number(round); }, 5000));
        if (round == 2) break;
        broker.kill();
        ASSERT_TRUE(QTest::qWaitFor([&] { return !failures.isEmpty(); }, 10000));
        ASSERT_TRUE(started(broker));
    }
    client.stop();
    qputenv("SSL_CERT_FILE", oldBundle);

    // Two programs on one computer with the default client id keep their own connections; two
    // given one id are told why they keep losing theirs. The id, the same for both, and whether
    // they clash.
    for (const auto& [name, id, clashes] :
         {std::tuple{"default ids, two program folders", "", false},
          std::tuple{"one id given to both", "plant-line1", true}}) {
        SCOPED_TRACE(name);
        MqttClient clients[2];
        int upOf[2] = {0, 0};
        QStringList fights;
        for (int k : {0, 1}) {
            QObject::connect(&clients[k], &MqttClient::connected, [&upOf, k] { ++upOf[k]; });
            QObject::connect(&clients[k], &MqttClient::failed,
                             [&](const QString& said) { fights << said; });
            setProgramDir(dir.path() + (k ? "/b" : "/a"));
            const PublishOptions each{.host = "127.0.0.1", .port = plain, .clientId = id};
            ASSERT_TRUE(clients[k].start(each, {}, {}, &why)) << why.logged.toStdString();
        }
        if (clashes) {
            const QString clash = "probably connected with the same client id";
            EXPECT_TRUE(QTest::qWaitFor([&] { return !fights.filter(clash).isEmpty(); }, 20000))
                << fights.join('\n').toStdString();
        } else {
            ASSERT_TRUE(QTest::qWaitFor([&] { return upOf[0] && upOf[1]; }, 10000));
            QTest::qWait(3 * MqttClient::kFirstRetryMs); // time for a fight to show
            EXPECT_EQ(upOf[0] + upOf[1], 2);
            EXPECT_TRUE(fights.isEmpty()) << fights.join('\n').toStdString();
        }
    }
    setProgramDir(QString());
}

// A broker host that drops connection requests (a firewall, a host switched off elsewhere):
// the program's timers keep firing, the failure is said within the connect time-out, and the
// stop is at once, in the program and in the headless one on SIGTERM. A network namespace of
// the test's own routes the address into nothing.
TEST(PublishConnect, AHostThatDropsConnectionsNeverHoldsUpTheProgram) {
    if (unshare(CLONE_NEWNET) != 0 || !run("ip", {"link", "set", "lo", "up"}, "/") ||
        !run("ip", {"route", "add", "10.255.255.1/32", "dev", "lo"}, "/"))
        GTEST_SKIP() << "needs a network namespace of its own (root)";
    LonePublisher lone;
    Publisher& publisher = lone.publisher;
    QStringList& events = lone.events;
    QElapsedTimer since;
    qint64 longest = 0;
    QTimer tick;
    QObject::connect(&tick, &QTimer::timeout,
                     [&] { longest = std::max(longest, since.restart()); });
    since.start();
    tick.start(20);
    const PublishOptions o{.enabled = true, .host = "10.255.255.1"};
    publisher.apply(o);
    // The window's Test meanwhile, on a connection of its own.
    const QString said = MqttClient::test(o);
    EXPECT_TRUE(said.contains("No answer from 10.255.255.1:1883 within 10 s"))
        << said.toStdString();
    EXPECT_TRUE(QTest::qWaitFor([&] { return !events.filter("within 10 s").isEmpty(); }, 5000))
        << events.join('\n').toStdString();
    QElapsedTimer stopping;
    stopping.start();
    publisher.stop();
    EXPECT_LT(stopping.elapsed(), 1000);
    EXPECT_LT(longest, 500);

    ASSERT_TRUE(savePublishOptions(o, nullptr));
    lone.start({});
    ASSERT_TRUE(lone.said("Started", 10000));
    stopping.restart();
    lone.program.terminate();
    EXPECT_TRUE(lone.program.waitForFinished(5000));
    EXPECT_LT(stopping.elapsed(), 3000);
}

// A hand-edited CFG/Publishing.INI that cannot work publishes nothing, and is said in the
// events naming the file and line; a line that is not a setting is said and the rest goes on.
// (Each wrong value is the options table's: tests/settings.) The list's words nest the reason's
// own; words are looked up on this thread only: the connection's thread may outlive the
// application.
TEST(PublishSettings, AWrongFileIsSaidByFileAndLine) {
    LonePublisher lone;
    ASSERT_TRUE(QDir().mkpath(cfgDir()));
    Publisher& publisher = lone.publisher;
    std::atomic<bool> elsewhere{false};
    Bracketing marking({}, [&](const QString& source) {
        if (QThread::currentThread() != QCoreApplication::instance()->thread()) elsewhere = true;
        return "<" + source + ">";
    });
    QCoreApplication::installTranslator(&marking);
    std::vector<QString> shown;
    QObject::connect(&publisher, &Publisher::event,
                     [&](const FileNotice& n) { shown.push_back(n.shown); });
    publisher.apply(PublishOptions{.enabled = true, .port = 0});
    EXPECT_EQ(shown, std::vector<QString>{"<Publishing is off: <The port must be 1 to 65535.>>"});
    const QString line2 = QDir::toNativeSeparators(publishOptionsPath()) + " line 2";
    const std::tuple<QStringList, QString, bool> files[] = {
        {{"Enabled=1", "Port=0"}, line2, false},
        {{"Enabled=1", "Colour=blue"}, line2, true},
        {{"Enabled=1", "TLS=1", "CAFile=/no/ca.crt"}, "/no/ca.crt", false},
    };
    for (const auto& [lines, named, active] : files) {
        SCOPED_TRACE(lines.join(' ').toStdString());
        ASSERT_TRUE(writeLinesAtomic(publishOptionsPath(), lines, nullptr));
        lone.events.clear();
        publisher.apply(loadPublishOptions());
        EXPECT_EQ(publisher.active(), active);
        EXPECT_EQ(lone.events.filter(named).size(), 1) << lone.events.join('\n').toStdString();
        publisher.stop();
    }
    // So is why the broker cannot be reached, found on the connection's own thread.
    const PublishOptions o{.enabled = true, .host = "127.0.0.1", .port = MqttBroker::freePort()};
    lone.events.clear();
    publisher.apply(o);
    const QString where = QStringLiteral("127.0.0.1:%1").arg(o.port);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !lone.events.filter(where).isEmpty(); }, 10000));
    publisher.stop();
    QCoreApplication::removeTranslator(&marking);
    EXPECT_FALSE(elsewhere);
}

// The program as a service would run it: no display at all, kx5sim on the line, data saving
// and publishing on; SIGTERM ends it cleanly, SIGKILL leaves the will to the broker.
TEST(PublishHeadless, RunsWithoutDisplayPublishesLogsAndLeavesItsWill) {
    NEED_BROKER();
    HeadlessRun run;
    MqttBroker broker(run.dir.path());
    ASSERT_TRUE(started(broker));
    ASSERT_TRUE(run.prepare(true));
    const PublishOptions o{.enabled = true,
                           .host = "127.0.0.1",
                           .port = broker.port,
                           .line = "hall",
                           .when = PublishOptions::When::EveryNSeconds,
                           .everySeconds = 1};
    MqttSubscriber sub(broker.port, "kx5/hall/#"), ha(broker.port, "homeassistant/#");
    ASSERT_TRUE(sub.waitSubscribed() && ha.waitSubscribed());
    const QStringList args{"--open", "--save", "--discovery"};
    ASSERT_TRUE(savePublishOptions(o, nullptr));
    run.start(args);
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return json(sub.last("kx5/hall/1"))["answering"].toBool(); }, 20000))
        << run.program.readAllStandardError().toStdString();
    ASSERT_TRUE(QTest::qWaitFor([&] { return QFileInfo(run.records()).size() > 40; }, 15000));
    EXPECT_EQ(sub.last("kx5/hall/status"), "online");
    // --discovery announces the station though the file leaves discovery off.
    EXPECT_TRUE(QTest::qWaitFor(
        [&] { return !ha.on("homeassistant/sensor/kx5_hall/mc01_pv/config").empty(); }, 5000));
    run.program.terminate(); // SIGTERM: the records whole, "offline" the last word
    ASSERT_TRUE(run.program.waitForFinished(15000));
    // Publishing's events on standard error and in the events file.
    EXPECT_TRUE(run.said("Publishing: connected to 127.0.0.1", 1000)) << run.err.toStdString();
    EXPECT_TRUE(
        readFile(run.data() + "/Oven_Events_" + QDate::currentDate().toString("yyyyMMdd") + ".TXT")
            .contains("Publishing: connected to 127.0.0.1"));
    EXPECT_TRUE(QTest::qWaitFor([&] { return sub.last("kx5/hall/status") == "offline"; }, 5000));
    run.recordsHoldWhatWasSent();

    sub.clear();
    run.start(args);
    ASSERT_TRUE(QTest::qWaitFor([&] { return sub.last("kx5/hall/status") == "online"; }, 20000))
        << run.program.readAllStandardError().toStdString();
    run.program.kill(); // SIGKILL: no chance to say goodbye; the broker says it
    run.program.waitForFinished(10000);
    EXPECT_TRUE(QTest::qWaitFor([&] { return sub.last("kx5/hall/status") == "offline"; }, 15000));
}

// The window shows what it is given and keeps it in the two files, and keeps unusable settings
// out of them.
TEST(PublishWindow, OkSavesWhatIsFilledInAndRefusesWhatCannotWork) {
    HeadlessRun own; // for its program folder
    PublishOptions want{.enabled = true,
                        .host = "broker.plant",
                        .port = 8883,
                        .tls = true,
                        .caFile = "/etc/kx5/ca.crt",
                        .user = "line7",
                        .password = "s=cret",
                        .line = "hall/7", // a '/' in the line name would split the topics
                        .when = PublishOptions::When::OnChange,
                        .deadBand = 0.25,
                        .heartbeatSeconds = 90,
                        .discovery = true,
                        .discoveryPrefix = "ha"};
    PublishingDialog d(want);
    d.findChild<QPushButton*>("btnOK")->click();
    EXPECT_EQ(d.result(), 0);
    EXPECT_FALSE(QFile::exists(publishOptionsPath()));
    want.line = "hall7";
    d.findChild<QLineEdit*>("txtLine")->setText(want.line);
    d.findChild<QPushButton*>("btnOK")->click();
    EXPECT_EQ(d.result(), int(QDialog::Accepted));
    EXPECT_TRUE(d.options() == want);
    EXPECT_TRUE(loadPublishOptions() == want);
    // The password only in its own file, and that one its owner's alone.
    EXPECT_FALSE(readFile(publishOptionsPath()).contains("s=cret"));
    EXPECT_EQ(QFile::permissions(publishPasswordPath()) &
                  (QFile::ReadOwner | QFile::ReadGroup | QFile::WriteGroup | QFile::ReadOther |
                   QFile::WriteOther),
              QFile::ReadOwner);
}
