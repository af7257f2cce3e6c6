// Publishing against a real Mosquitto broker: the values kx5sim holds arrive with their
// decimals, a silent station is said to be silent, a broker restart is survived with the drops
// counted, connection failures are said plainly, and the headless program publishes, logs,
// stops cleanly on SIGTERM and leaves its last will when killed; the Publishing window keeps
// its settings in their files. The payload's figures come from decode(), whose tables are
// tests/link's.
#include "link/KX5Link.h"
#include "link/QtSerialPort.h"
#include "link/mdlKX5.h"
#include "publish/MqttClient.h"
#include "publish/Publisher.h"
#include "settings/ConfigFiles.h"
#include "settings/PublishingDialog.h"
#include "sim/SimLine.h"
#include "tests/monitor/SimSettings.h"
#include "tests/support/MqttBroker.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QDir>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QSpinBox>
#include <QTemporaryDir>
#include <cmath>
#include <gtest/gtest.h>

namespace {

#define NEED_BROKER()                                                                              \
    if (MqttBroker::binary().isEmpty()) GTEST_SKIP() << "the mosquitto broker is not installed"

QJsonObject json(const QByteArray& payload) {
    return QJsonDocument::fromJson(payload).object();
}

// A line of kx5sim stations polled by the real link, published to a broker of its own.
class PublishLine : public ::testing::Test {
protected:
    void SetUp() override {
        NEED_BROKER();
        resetDataImage();
        setProgramDir(dir.path());
        broker = std::make_unique<MqttBroker>(dir.path());
        QString error;
        ASSERT_TRUE(broker->start(&error)) << error.toStdString();
        kx5sim::LineConfig cfg;
        cfg.stations = {1, 2};
        sim = std::make_unique<kx5sim::SimLine>(cfg);
        ASSERT_TRUE(sim->start());
        // Station 1 in Fahrenheit with one decimal; station 2 a voltage input with two.
        ASSERT_TRUE(sim->writeRegister(1, 610, 20) && sim->writeRegister(1, 611, 1));
        ASSERT_TRUE(sim->writeRegister(2, 610, 30) && sim->writeRegister(2, 614, 2));
        ASSERT_TRUE(writeSimSettings(*sim, {1, 2}));
        LoadCommCfg();
        link = std::make_unique<KX5Link>(std::make_unique<QtSerialPort>());
        LoadStations(&link->sprdStatus, &link->sprdMonitoring);
        sub = std::make_unique<MqttSubscriber>(broker->port, "kx5/line1/#");
        ASSERT_TRUE(sub->waitSubscribed());
        publisher = std::make_unique<Publisher>(link.get());
        QObject::connect(publisher.get(), &Publisher::event,
                         [this](const QString& text) { events << text; });
        options.enabled = true;
        options.host = QStringLiteral("127.0.0.1");
        options.port = broker->port;
        options.retain = true;
        publisher->apply(options);
        link->mSetPortOpen_Click();
    }
    void TearDown() override {
        publisher.reset();
        if (link) link->ClosePort();
        link.reset();
        setProgramDir(QString());
    }
    bool waitAnswering(int mc, bool answering, int ms = 20000) {
        const std::string topic = "kx5/line1/" + std::to_string(mc);
        return QTest::qWaitFor(
            [&] {
                const auto got = sub->on(topic);
                return !got.empty() && json(got.back())["answering"].toBool() == answering;
            },
            ms);
    }

    QTemporaryDir dir;
    std::unique_ptr<MqttBroker> broker;
    std::unique_ptr<kx5sim::SimLine> sim;
    std::unique_ptr<KX5Link> link;
    std::unique_ptr<MqttSubscriber> sub;
    std::unique_ptr<Publisher> publisher;
    PublishOptions options;
    QStringList events;
};

} // namespace

TEST_F(PublishLine, ValuesAreTheSimulatorsWithTheirDecimalsAndASilentStationIsSaidSilent) {
    struct Row {
        int mc;
        int decimals;
        const char* unit;
    };
    for (const Row& row : {Row{1, 1, "℉"}, Row{2, 2, "V"}}) {
        SCOPED_TRACE(row.mc);
        ASSERT_TRUE(waitAnswering(row.mc, true));
        const std::string topic = "kx5/line1/" + std::to_string(row.mc);
        const QByteArray raw = sub->on(topic).back();
        const QJsonObject o = json(raw);
        const double scale = std::pow(10.0, row.decimals);
        EXPECT_EQ(o["mc"].toInt(), row.mc);
        EXPECT_EQ(o["model"].toString(), "KX5-105");
        EXPECT_EQ(o["conn"].toString(), "OK");
        EXPECT_EQ(o["decimals"].toInt(), row.decimals);
        EXPECT_EQ(o["unit"].toString().toStdString(), row.unit);
        EXPECT_TRUE(o["lamps"].toObject().contains("AL1"));
        EXPECT_TRUE(QDateTime::fromString(o["storedAt"].toString(), Qt::ISODateWithMs).isValid());
        // The figures as the station shows them: exactly its decimals, in the JSON and alone.
        const QString figure = QStringLiteral("-?\\d+\\.\\d{%1}").arg(row.decimals);
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
        const auto sent = pvsSent(*sim, row.mc);
        const int pv = int(std::lround(o["pv"].toDouble() * scale));
        EXPECT_NE(std::find(sent.begin(), sent.end(), pv), sent.end()) << pv;
        EXPECT_EQ(int(std::lround(o["sv"].toDouble() * scale)), sim->readRegister(row.mc, 2));
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

    publisher->stop();
    EXPECT_TRUE(QTest::qWaitFor([&] { return sub->last("kx5/line1/status") == "offline"; }, 5000));
}

TEST_F(PublishLine, BrokerRestartIsSurvivedWithTheDropsCounted) {
    ASSERT_TRUE(waitAnswering(1, true));
    publisher->setMaxQueued(10);
    broker->kill();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !publisher->brokerUp(); }, 10000));
    // Replies keep coming while the broker is away; the queue holds the newest ten.
    ASSERT_TRUE(QTest::qWaitFor([&] { return publisher->dropped() > 20; }, 15000));
    EXPECT_EQ(publisher->queued(), 10);
    EXPECT_TRUE(publisher->statusText().contains("dropped"))
        << publisher->statusText().toStdString();
    EXPECT_TRUE(events.filter("the oldest are dropped").size() == 1)
        << events.join('\n').toStdString();
    sub->clear();
    QString error;
    ASSERT_TRUE(broker->start(&error)) << error.toStdString();
    ASSERT_TRUE(QTest::qWaitFor([&] { return publisher->brokerUp(); }, 40000));
    ASSERT_TRUE(sub->waitSubscribed(2));
    const size_t before = sub->on("kx5/line1/1").size();
    EXPECT_TRUE(QTest::qWaitFor([&] { return sub->on("kx5/line1/1").size() > before + 2; }, 15000));
    EXPECT_EQ(sub->last("kx5/line1/status"), "online");
    EXPECT_EQ(publisher->queued(), 0);
    EXPECT_EQ(
        events.filter(QRegularExpression("messages were dropped while the broker was away")).size(),
        1)
        << events.join('\n').toStdString();
    EXPECT_TRUE(events.filter(QStringLiteral("lost")).size() >= 1)
        << events.join('\n').toStdString();
}

namespace {

bool run(const QString& program, const QStringList& args, const QString& cwd) {
    QProcess p;
    p.setWorkingDirectory(cwd);
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(program, args);
    return p.waitForFinished(30000) && p.exitCode() == 0;
}

// A CA, a server certificate for localhost signed by it, and an unrelated CA.
bool makeCertificates(const QString& d) {
    const QStringList ec = {"-newkey", "ec", "-pkeyopt", "ec_paramgen_curve:prime256v1", "-nodes"};
    QFile ext(d + "/san.ext");
    return ext.open(QIODevice::WriteOnly) &&
           ext.write("subjectAltName=DNS:localhost,IP:127.0.0.1\n") > 0 && (ext.close(), true) &&
           run("openssl",
               QStringList{"req", "-x509"} + ec +
                   QStringList{"-keyout", "ca.key", "-out", "ca.crt", "-days", "2", "-subj",
                               "/CN=KX5 Test CA"},
               d) &&
           run("openssl",
               QStringList{"req", "-x509"} + ec +
                   QStringList{"-keyout", "other.key", "-out", "other.crt", "-days", "2", "-subj",
                               "/CN=Other CA"},
               d) &&
           run("openssl",
               QStringList{"req"} + ec +
                   QStringList{"-keyout", "server.key", "-out", "server.csr", "-subj",
                               "/CN=localhost"},
               d) &&
           run("openssl",
               {"x509", "-req", "-in", "server.csr", "-CA", "ca.crt", "-CAkey", "ca.key",
                "-CAcreateserial", "-out", "server.crt", "-days", "2", "-extfile", "san.ext"},
               d);
}

} // namespace

TEST(PublishConnect, FailuresAreSaidPlainly) {
    NEED_BROKER();
    QTemporaryDir dir;
    const QString d = dir.path();
    ASSERT_TRUE(makeCertificates(d));
    ASSERT_TRUE(run("mosquitto_passwd", {"-b", "-c", d + "/passwd", "kx5", "secret"}, d));
    const int plain = MqttBroker::freePort(), tls = MqttBroker::freePort();
    MqttBroker broker(
        d, {"per_listener_settings false", "allow_anonymous false",
            "password_file " + d + "/passwd", QStringLiteral("listener %1 127.0.0.1").arg(plain),
            QStringLiteral("listener %1 127.0.0.1").arg(tls), "cafile " + d + "/ca.crt",
            "certfile " + d + "/server.crt", "keyfile " + d + "/server.key"});
    QString error;
    ASSERT_TRUE(broker.start(&error)) << error.toStdString();

    struct Row {
        const char* name;
        QString host;
        int port;
        const char* password;
        QString caFile; // empty: no TLS
        QStringList said;
    };
    const int nobody = MqttBroker::freePort();
    const Row rows[] = {
        {"accepted",
         "127.0.0.1",
         plain,
         "secret",
         {},
         {QStringLiteral("Connected to 127.0.0.1:%1").arg(plain)}},
        {"nothing listens",
         "127.0.0.1",
         nobody,
         "secret",
         {},
         {"Refused", QString::number(nobody)}},
        {"unknown host",
         "no-such-broker.invalid",
         plain,
         "secret",
         {},
         {"Unknown host", "no-such-broker.invalid"}},
        {"wrong password", "127.0.0.1", plain, "wrong", {}, {"Wrong user name or password"}},
        {"TLS, our CA", "localhost", tls, "secret", d + "/ca.crt", {"over TLS"}},
        {"TLS, another CA",
         "localhost",
         tls,
         "secret",
         d + "/other.crt",
         {"TLS failure", "certificate verify failed"}},
        {"TLS, no CA file",
         "localhost",
         tls,
         "secret",
         d + "/missing.crt",
         {"CA file", "missing.crt", "cannot be read"}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        PublishOptions o;
        o.host = row.host;
        o.port = row.port;
        o.user = "kx5";
        o.password = row.password;
        o.tls = !row.caFile.isEmpty();
        o.caFile = row.caFile;
        const QString said = MqttClient::test(o, 20000);
        for (const QString& part : row.said)
            EXPECT_TRUE(said.contains(part)) << said.toStdString();
    }
}

// The program as a service would run it: no display at all, kx5sim on the line, data saving
// and publishing on; SIGTERM ends it cleanly, SIGKILL leaves the will to the broker.
TEST(PublishHeadless, RunsWithoutDisplayPublishesLogsAndLeavesItsWill) {
    NEED_BROKER();
    resetDataImage();
    QTemporaryDir dir;
    setProgramDir(dir.path());
    MqttBroker broker(dir.path());
    QString error;
    ASSERT_TRUE(broker.start(&error)) << error.toStdString();
    kx5sim::SimLine sim(kx5sim::LineConfig{});
    ASSERT_TRUE(sim.start());
    ASSERT_TRUE(writeSimSettings(sim, {1}));
    const QString data = dir.path() + "/data";
    ASSERT_TRUE(QDir().mkpath(data));
    ASSERT_TRUE(writeLinesAtomic(saveDataPath(), {"Yes", "1", "sec", data, "Oven"}, nullptr));
    PublishOptions o;
    o.enabled = true;
    o.host = "127.0.0.1";
    o.port = broker.port;
    o.line = "hall";
    o.when = PublishOptions::When::EveryNSeconds;
    o.everySeconds = 1;
    ASSERT_TRUE(savePublishOptions(o, &error)) << error.toStdString();
    // The password file is its owner's alone.
    const QFile::Permissions perm = QFile::permissions(publishPasswordPath());
    EXPECT_TRUE(perm & QFile::ReadOwner);
    EXPECT_FALSE(perm &
                 (QFile::ReadGroup | QFile::WriteGroup | QFile::ReadOther | QFile::WriteOther));
    MqttSubscriber sub(broker.port, "kx5/hall/#");
    ASSERT_TRUE(sub.waitSubscribed());

    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char* var : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        env.remove(var);
    const QString program = QCoreApplication::applicationDirPath() + "/kx5comm";
    auto start = [&](QProcess& p) {
        p.setProcessEnvironment(env);
        p.start(program, {"--headless", "--dir", dir.path(), "--open", "--save"});
        return p.waitForStarted(10000);
    };
    const QString dat = data + "/Oven_01.DAT";
    {
        QProcess p;
        ASSERT_TRUE(start(p));
        ASSERT_TRUE(QTest::qWaitFor(
            [&] { return json(sub.last("kx5/hall/1"))["answering"].toBool(); }, 20000))
            << p.readAllStandardError().toStdString();
        ASSERT_TRUE(QTest::qWaitFor([&] { return QFileInfo(dat).size() > 40; }, 15000));
        EXPECT_EQ(sub.last("kx5/hall/status"), "online");
        p.terminate(); // SIGTERM
        ASSERT_TRUE(p.waitForFinished(15000));
        EXPECT_EQ(p.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(p.exitCode(), 0);
        const QString said = QString::fromLocal8Bit(p.readAllStandardError());
        EXPECT_TRUE(said.contains("Publishing: connected to 127.0.0.1")) << said.toStdString();
        EXPECT_TRUE(said.contains("Stopped")) << said.toStdString();
        EXPECT_TRUE(
            QTest::qWaitFor([&] { return sub.last("kx5/hall/status") == "offline"; }, 5000));
        // Every record whole.
        QFile f(dat);
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        const QByteArray all = f.readAll();
        EXPECT_TRUE(all.endsWith("\r\n"));
        for (const QByteArray& line : all.split('\n')) {
            if (line.isEmpty()) continue;
            EXPECT_EQ(line.count('\t'), 4) << line.toStdString();
        }
    }
    {
        sub.clear();
        QProcess p;
        ASSERT_TRUE(start(p));
        ASSERT_TRUE(QTest::qWaitFor([&] { return sub.last("kx5/hall/status") == "online"; }, 20000))
            << p.readAllStandardError().toStdString();
        p.kill(); // SIGKILL: no chance to say goodbye; the broker says it
        p.waitForFinished(10000);
        EXPECT_TRUE(
            QTest::qWaitFor([&] { return sub.last("kx5/hall/status") == "offline"; }, 15000));
    }
    setProgramDir(QString());
}

// The window keeps what it is given in the two files, and keeps unusable settings out of them.
TEST(PublishWindow, OkSavesWhatIsFilledInAndRefusesWhatCannotWork) {
    QTemporaryDir dir;
    setProgramDir(dir.path());
    publishOptions() = PublishOptions();
    PublishingDialog d;
    auto edit = [&](const char* name, const QString& text) {
        d.findChild<QLineEdit*>(name)->setText(text);
    };
    d.findChild<QCheckBox*>("chkPublish")->setChecked(true);
    edit("txtHost", "broker.plant");
    d.findChild<QSpinBox*>("spnPort")->setValue(8883);
    d.findChild<QCheckBox*>("chkTLS")->setChecked(true);
    edit("txtCAFile", "/etc/kx5/ca.crt");
    edit("txtUser", "line7");
    edit("txtPassword", "s=cret");
    edit("txtLine", "hall/7");
    d.findChild<QRadioButton*>("optEveryN")->setChecked(true);
    d.findChild<QSpinBox*>("spnEveryN")->setValue(5);
    d.findChild<QPushButton*>("btnOK")->click();
    EXPECT_EQ(d.result(), 0); // a '/' in the line name would split the topics
    EXPECT_TRUE(d.findChild<QLabel*>("lblTest")->text().contains("line name"));
    EXPECT_FALSE(QFile::exists(publishOptionsPath()));
    edit("txtLine", "hall7");
    d.findChild<QPushButton*>("btnOK")->click();
    EXPECT_EQ(d.result(), int(QDialog::Accepted));
    const PublishOptions filled = d.options();
    publishOptions() = PublishOptions();
    ASSERT_TRUE(loadPublishOptions());
    EXPECT_TRUE(publishOptions() == filled);
    EXPECT_EQ(publishOptions().password, "s=cret");
    EXPECT_EQ(publishOptions().when, PublishOptions::When::EveryNSeconds);
    QFile ini(publishOptionsPath());
    ASSERT_TRUE(ini.open(QIODevice::ReadOnly));
    EXPECT_FALSE(ini.readAll().contains("s=cret")); // the password only in its own file
    publishOptions() = PublishOptions();
    setProgramDir(QString());
}
