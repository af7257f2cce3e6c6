// The programs as child processes: every one answers --help and --version with no display at
// all; kx5comm keeps one program per folder, waits for a port that is not there yet, and talks
// to systemd. What the options do to the window is test_unattended's.
#include "sim/SimLine.h"
#include "tests/monitor/SimSettings.h"

#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QStringList>
#include <QSysInfo>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <memory>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

TEST(CommandLine, HelpAndVersionNeedNoDisplay) {
    struct Row {
        QString program, argument, expected;
    };
    std::vector<Row> rows = {
        {"kx5comm", "--help", "--graph"},
        {"kx5comm", "--version", "kx5comm " KX5_VERSION},
        {"kx5comm", "-h", "--dir <PATH>"},
        {"kx5graph", "--help", "--follow"},
        {"kx5graph", "--version", KX5_VERSION},
        {"kx5sim", "--help", "--stations LIST"},
        {"kx5sim", "--version", "kx5sim " KX5_VERSION},
    };
    // The benchmarks say what they measure instead of measuring it.
    for (const QString& bench : QStringLiteral(KX5_BENCHMARKS).split(',', Qt::SkipEmptyParts))
        rows.push_back({bench, "--help", "Usage: " + bench});
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        env.remove(name);
    for (const Row& r : rows) {
        SCOPED_TRACE((r.program + ' ' + r.argument).toStdString());
        QProcess p;
        p.setProcessEnvironment(env);
        p.start(QStringLiteral(KX5_BIN_DIR "/") + r.program, {r.argument});
        ASSERT_TRUE(p.waitForFinished(30000)) << p.errorString().toStdString();
        const QString out = QString::fromUtf8(p.readAllStandardOutput());
        EXPECT_EQ(p.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(p.exitCode(), 0) << p.readAllStandardError().toStdString();
        EXPECT_TRUE(out.contains(r.expected)) << out.toStdString();
    }
}

// One program per folder: a second one on the same program folder or data folder is refused,
// with the folder and the holder's pid, windowed or not; the lock of a killed one is taken
// over; SIGHUP ends a run as SIGTERM does.
TEST(CommandLine, OneProgramPerFolderAKilledOnesLockTakenOverAndSystemdTold) {
    QTemporaryDir tmp;
    const QString data = tmp.filePath("data"), first = tmp.filePath("one"),
                  second = tmp.filePath("two");
    for (const QString& d : {data, first + "/CFG", second + "/CFG"}) {
        ASSERT_TRUE(QDir().mkpath(d));
        QFile f(d + "/SaveData.INI");
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("Yes\r\n5\r\nsec\r\n" + data.toUtf8() + "\r\nOven\r\n");
    }
    const QString program = QStringLiteral(KX5_BIN_DIR "/kx5comm");
    const auto started = [](QProcess* p) {
        QByteArray err;
        for (int i = 0; i < 100 && !err.contains("Started"); ++i) {
            p->waitForReadyRead(100);
            err += p->readAllStandardError();
        }
        return err.contains("Started without windows");
    };
    auto holder = std::make_unique<QProcess>();
    holder->start(program, {"--headless", "--dir", first});
    ASSERT_TRUE(started(holder.get()));
    const QString pid = QString::number(holder->processId());
    struct Row {
        QStringList arguments;
        QString busy;
    };
    const Row rows[] = {{{"--headless", "--dir", first}, first},
                        {{"--headless", "--dir", second}, data},
                        {{"-platform", "offscreen", "--dir", first}, first}};
    for (const Row& r : rows) {
        SCOPED_TRACE(r.arguments.join(' ').toStdString());
        QProcess p;
        p.start(program, r.arguments);
        QByteArray err;
        for (int i = 0; i < 100 && !err.contains("in use"); ++i) {
            p.waitForReadyRead(100);
            err += p.readAllStandardError();
        }
        EXPECT_TRUE(err.contains(QDir::toNativeSeparators(r.busy).toUtf8() +
                                 " is in use by "
                                 "another KX5 Link (pid " +
                                 pid.toUtf8()))
            << err.data();
        if (r.arguments.contains("--headless")) {
            p.waitForFinished(10000); // false when it has ended already
            EXPECT_EQ(p.state(), QProcess::NotRunning);
            EXPECT_EQ(p.exitCode(), 1);
        }
        p.kill(); // the window waits for its message box to be closed
        p.waitForFinished();
    }
    ::kill(pid_t(holder->processId()), SIGKILL);
    holder->waitForFinished();
    EXPECT_TRUE(QFile::exists(first + "/kx5comm.lock"));
    // The next one takes the lock over, as a service under systemd (Type=notify, WatchdogSec):
    // ready once running, keep-alives at half the watchdog's time, stopping at SIGHUP; each one
    // datagram to $NOTIFY_SOCKET.
    const QByteArray socketPath = QFile::encodeName(tmp.filePath("notify"));
    const int fd = ::socket(AF_UNIX, SOCK_DGRAM, 0);
    sockaddr_un addr{};
    addr.sun_family = AF_UNIX;
    std::memcpy(addr.sun_path, socketPath.constData(), size_t(socketPath.size()));
    ASSERT_EQ(::bind(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr), 0);
    const timeval wait{10, 0};
    ::setsockopt(fd, SOL_SOCKET, SO_RCVTIMEO, &wait, sizeof wait);
    const auto heard = [fd] {
        char buf[256];
        const ssize_t n = ::recv(fd, buf, sizeof buf, 0);
        return n > 0 ? QByteArray(buf, int(n)) : QByteArray("<nothing>");
    };
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("NOTIFY_SOCKET", QString::fromUtf8(socketPath));
    env.insert("WATCHDOG_USEC", "300000");
    QProcess next;
    next.setProcessEnvironment(env);
    next.start(program, {"--headless", "--dir", second});
    EXPECT_EQ(heard(), "READY=1\nSTATUS=Running");
    QElapsedTimer clock;
    clock.start();
    EXPECT_EQ(heard(), "WATCHDOG=1");
    EXPECT_EQ(heard(), "WATCHDOG=1");
    EXPECT_LT(clock.elapsed(), 1000); // every 150 ms, well within the 300 ms asked
    ::kill(pid_t(next.processId()), SIGHUP);
    QByteArray last = "WATCHDOG=1";
    while (last == "WATCHDOG=1")
        last = heard();
    EXPECT_EQ(last, "STOPPING=1");
    ::close(fd);
    ASSERT_TRUE(next.waitForFinished(10000));
    EXPECT_EQ(next.exitCode(), 0);
    EXPECT_TRUE(next.readAllStandardError().contains("Stopped"));
    EXPECT_FALSE(QFile::exists(data + "/kx5comm.lock"));
}

// Started with --open before its port exists (a USB adapter that appears seconds after a power
// cut): it is tried again until it is there, and the records that follow hold what the
// simulator sent.
TEST(CommandLine, HeadlessOpenWaitsForAPortThatAppearsLater) {
    QTemporaryDir tmp;
    setProgramDir(tmp.path());
    const QString port = tmp.filePath("ttyKX5"), data = tmp.filePath("data");
    QStringList stations(99, "X\t");
    stations[0] = "O\tOven";
    ASSERT_TRUE(QDir().mkpath(data) && QDir().mkpath(cfgDir()));
    ASSERT_TRUE(writeLinesAtomic(commCfgPath(), {port, "9600", "N", "8", "1", "STD"}, nullptr) &&
                writeLinesAtomic(setEnvPath(), stations, nullptr) &&
                writeLinesAtomic(saveDataPath(), {"Yes", "1", "sec", data, "Oven"}, nullptr));
    // systemd's status says what keeps the port from working, and "Running" once it works.
    const QByteArray socketPath = QFile::encodeName(tmp.filePath("notify"));
    const int fd = ::socket(AF_UNIX, SOCK_DGRAM | SOCK_NONBLOCK, 0);
    sockaddr_un addr{};
    addr.sun_family = AF_UNIX;
    std::memcpy(addr.sun_path, socketPath.constData(), size_t(socketPath.size()));
    ASSERT_EQ(::bind(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr), 0);
    QByteArrayList status;
    const auto heard = [&] {
        char buf[512];
        for (ssize_t n; (n = ::recv(fd, buf, sizeof buf, 0)) > 0;)
            status << QByteArray(buf, int(n));
        return status.join('|');
    };
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("NOTIFY_SOCKET", QString::fromUtf8(socketPath));
    QProcess p;
    p.setProcessEnvironment(env);
    p.start(QStringLiteral(KX5_BIN_DIR "/kx5comm"),
            {"--headless", "--dir", tmp.path(), "--open", "--save"});
    // The port appears once it has been tried four times more, 8 s after start; the third
    // try is not said, the rate of the lines falling as the tries go on.
    QByteArray said;
    ASSERT_TRUE(QTest::qWaitFor(
        [&] {
            said += p.readAllStandardError();
            heard();
            return said.contains("trying again (attempt 4)");
        },
        15000))
        << said.data();
    EXPECT_TRUE(said.contains("(attempt 2)"));
    EXPECT_FALSE(said.contains("(attempt 3)"));
    // The first open's cause and its event; each retry then says its own line only.
    EXPECT_EQ(said.count("no such port\n"), 2);
    EXPECT_TRUE(heard().startsWith("READY=1\nSTATUS=Cannot open ")) << heard().data();
    EXPECT_TRUE(heard().contains("(attempt 3)")) << heard().data();
    kx5sim::LineConfig cfg;
    cfg.stations = {1};
    kx5sim::SimLine sim(cfg);
    ASSERT_TRUE(sim.start());
    ASSERT_TRUE(QFile::link(QString::fromStdString(sim.path()), port));
    QFile dat(data + "/Oven_01.DAT");
    ASSERT_TRUE(QTest::qWaitFor([&] { return !heard().isEmpty() && dat.size() > 2 * 30; }, 15000))
        << (said + p.readAllStandardError()).data();
    EXPECT_TRUE(heard().endsWith("STATUS=Running")) << heard().data();
    ::close(fd);
    p.terminate();
    EXPECT_TRUE(p.waitForFinished(10000));
    const std::vector<int> sent = pvsSent(sim, 1);
    ASSERT_TRUE(dat.open(QIODevice::ReadOnly));
    const QList<QByteArray> records = dat.readAll().split('\n');
    EXPECT_GE(records.size(), 3); // two records and what follows the last line end
    for (const QByteArray& r : records) {
        const QList<QByteArray> f = r.trimmed().split('\t');
        if (f.size() < 5) continue;
        EXPECT_NE(std::find(sent.begin(), sent.end(), f[3].toInt()), sent.end()) << r.data();
    }
    setProgramDir(QString());
}

// Standard error is a pipe that is full before the run starts and nobody reads: the records
// keep coming all the same, and once it is read what waited follows. A reader that has gone
// ends nothing but the output: SIGTERM still ends the run cleanly. The dropped lines' count is
// test_unattended's.
TEST(CommandLine, HeadlessKeepsLoggingWhileNobodyReadsItsOutput) {
    QTemporaryDir tmp;
    setProgramDir(tmp.path());
    const QString data = tmp.filePath("data");
    ASSERT_TRUE(QDir().mkpath(data));
    kx5sim::LineConfig cfg;
    cfg.stations = {1};
    kx5sim::SimLine sim(cfg);
    ASSERT_TRUE(sim.start());
    ASSERT_TRUE(writeSimSettings(sim, {1}) &&
                writeLinesAtomic(saveDataPath(), {"Yes", "1", "sec", data, "Oven"}, nullptr));
    int fds[2];
    ASSERT_EQ(::pipe2(fds, O_CLOEXEC), 0);
    ::fcntl(fds[0], F_SETFL, O_NONBLOCK);
    ::fcntl(fds[1], F_SETFL, O_NONBLOCK);
    while (::write(fds[1], QByteArray(4096, '.').constData(), 4096) > 0) {
    }
    ::fcntl(fds[1], F_SETFL, 0); // the program's writes would wait, as on a stalled reader
    QProcess p;
    p.setChildProcessModifier([fd = fds[1]] { ::dup2(fd, STDERR_FILENO); });
    p.start(QStringLiteral(KX5_BIN_DIR "/kx5comm"),
            {"--headless", "--dir", tmp.path(), "--open", "--save"});
    ::close(fds[1]);
    QFile dat(data + "/Oven_01.DAT");
    const auto records = [&] { return dat.exists() ? dat.size() / 30 : 0; };
    ASSERT_TRUE(QTest::qWaitFor([&] { return records() >= 5; }, 30000));
    std::vector<int> sent = pvsSent(sim, 1);
    ASSERT_TRUE(dat.open(QIODevice::ReadOnly));
    for (const QByteArray& r : dat.readAll().split('\n')) {
        const QList<QByteArray> f = r.trimmed().split('\t');
        if (f.size() < 5) continue;
        EXPECT_NE(std::find(sent.begin(), sent.end(), f[3].toInt()), sent.end()) << r.data();
    }
    QByteArray said;
    const auto read = [&] {
        char buf[65536];
        for (ssize_t n; (n = ::read(fds[0], buf, sizeof buf)) > 0;)
            said += QByteArray(buf, int(n));
    };
    EXPECT_TRUE(QTest::qWaitFor(
        [&] {
            read();
            return said.contains("Started without windows");
        },
        10000))
        << said.right(2000).data();
    ::close(fds[0]); // the reader goes
    p.terminate();
    ASSERT_TRUE(p.waitForFinished(10000));
    EXPECT_EQ(p.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(p.exitCode(), 0);
    EXPECT_FALSE(QFile::exists(data + "/kx5comm.lock"));
    setProgramDir(QString());
}

// Started with --open, a run without windows ends when the link gives the port up, so that a
// service manager sees it: status 2 for line settings no port takes (said once, with the file
// and line, and never retried), status 1 for a port lost while reopening is off.
TEST(CommandLine, HeadlessEndsWhenItsPortIsGivenUp) {
    for (const bool lost : {false, true}) {
        SCOPED_TRACE(lost ? "lost" : "bad parity");
        QTemporaryDir tmp;
        setProgramDir(tmp.path());
        kx5sim::LineConfig cfg;
        cfg.stations = {1};
        kx5sim::SimLine sim(cfg);
        ASSERT_TRUE(sim.start());
        ASSERT_TRUE(writeSimSettings(sim, {1}));
        if (lost)
            ASSERT_TRUE(
                writeLinesAtomic(cfgDir() + "/LinkOptions.INI", {"ReopenLostPort=0"}, nullptr));
        else
            ASSERT_TRUE(writeLinesAtomic(
                commCfgPath(), {QString::fromStdString(sim.path()), "9600", "X", "8", "1", "STD"},
                nullptr));
        QProcess p;
        p.start(QStringLiteral(KX5_BIN_DIR "/kx5comm"),
                {"--headless", "--dir", tmp.path(), "--open"});
        if (lost) {
            ASSERT_TRUE(sim.waitForExchanges(3, std::chrono::seconds(15)));
            sim.stop();
        }
        ASSERT_TRUE(p.waitForFinished(20000)) << p.readAllStandardError().toStdString();
        const QString said = QString::fromLocal8Bit(p.readAllStandardError());
        EXPECT_EQ(p.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(p.exitCode(), lost ? 1 : 2) << said.toStdString();
        if (!lost) {
            EXPECT_EQ(said.count(QDir::toNativeSeparators(commCfgPath()) + " line 3 (X): "), 1)
                << said.toStdString();
        }
        EXPECT_TRUE(said.contains("Stopped")) << said.toStdString();
    }
    setProgramDir(QString());
}

// The data folder removed and made again under a running service: the lock is taken again
// (a second program is refused there), and when another program took it first, saving stops
// and the events say why.
TEST(CommandLine, HeadlessTakesItsDataFolderLockAgainWhenTheFolderIsMadeAgain) {
    QTemporaryDir tmp;
    setProgramDir(tmp.path());
    const QString data = tmp.filePath("data"), lock = data + "/kx5comm.lock";
    ASSERT_TRUE(QDir().mkpath(data));
    kx5sim::LineConfig cfg;
    cfg.stations = {1};
    kx5sim::SimLine sim(cfg);
    ASSERT_TRUE(sim.start());
    ASSERT_TRUE(writeSimSettings(sim, {1}) &&
                writeLinesAtomic(saveDataPath(), {"Yes", "1", "sec", data, "Oven"}, nullptr));
    QProcess p;
    p.start(QStringLiteral(KX5_BIN_DIR "/kx5comm"),
            {"--headless", "--dir", tmp.path(), "--open", "--save"});
    ASSERT_TRUE(QTest::qWaitFor([&] { return QFile::exists(data + "/Oven_01.DAT"); }, 15000));
    ASSERT_TRUE(QDir(data).removeRecursively() && QDir().mkpath(data));
    ASSERT_TRUE(QTest::qWaitFor([&] { return QFile::exists(lock); }, 5000));
    QProcess second;
    second.start(QStringLiteral(KX5_BIN_DIR "/kx5comm"), {"--headless", "--dir", tmp.path()});
    ASSERT_TRUE(second.waitForFinished(10000));
    EXPECT_EQ(second.exitCode(), 1);
    // Another program's lock (pid 1) where this one's was: the folder comes back with it
    // already inside, so the service can never take it first.
    const QString next = tmp.filePath("next");
    ASSERT_TRUE(QDir().mkpath(next));
    QFile theirs(next + "/kx5comm.lock");
    ASSERT_TRUE(theirs.open(QIODevice::WriteOnly));
    theirs.write("1\nkx5comm\n" + QSysInfo::machineHostName().toUtf8() + "\n");
    theirs.close();
    ASSERT_TRUE(QDir(data).removeRecursively() && QDir().rename(next, data));
    QByteArray said;
    EXPECT_TRUE(QTest::qWaitFor(
        [&] {
            said += p.readAllStandardError();
            return said.contains("Data saving stopped");
        },
        10000))
        << said.data();
    // Said once, and the other program's lock left as it is.
    EXPECT_EQ(said.count("Data saving stopped"), 1) << said.data();
    p.terminate();
    ASSERT_TRUE(p.waitForFinished(10000));
    EXPECT_TRUE(QFile::exists(lock));
    setProgramDir(QString());
}
