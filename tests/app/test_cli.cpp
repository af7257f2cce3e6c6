// The programs as child processes: every one answers --help and --version with no display at
// all; kx5comm keeps one program per folder, waits for a port that is not there yet, and talks
// to systemd. What the options do to the window is test_unattended's.
#include "tests/app/HeadlessRun.h"

#include <QElapsedTimer>
#include <QSysInfo>
#include <csignal>
#include <fcntl.h>
#include <memory>

// Each says what it takes, or its version, and ends at once; the benchmarks say what they
// measure instead of measuring it.
TEST(CommandLine, HelpAndVersionNeedNoDisplay) {
    std::vector<std::pair<QString, QString>> rows;
    for (const char* program : {"kx5comm", "kx5service", "kx5graph", "kx5sim"})
        rows.insert(rows.end(), {{program, "--help"}, {program, "--version"}});
    for (const QString& bench : QStringLiteral(KX5_BENCHMARKS).split(',', Qt::SkipEmptyParts))
        rows.push_back({bench, "--help"});
    for (const auto& [program, argument] : rows) {
        SCOPED_TRACE((program + ' ' + argument).toStdString());
        QProcess p;
        HeadlessRun::startWithoutDisplay(p, QStringLiteral(KX5_BIN_DIR "/") + program, {argument});
        ASSERT_TRUE(p.waitForFinished(30000)) << p.errorString().toStdString();
        const QString out = QString::fromUtf8(p.readAllStandardOutput());
        EXPECT_EQ(p.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(p.exitCode(), 0) << p.readAllStandardError().toStdString();
        EXPECT_TRUE(argument == "--help" ? out.contains(program) : out.contains(KX5_VERSION))
            << out.toStdString();
        // The service lists only what it acts on.
        EXPECT_FALSE(program == "kx5service" && out.contains("--graph")) << out.toStdString();
    }
}

// One program per folder: a second one on the same program folder or data folder is refused,
// with the folder and the holder's pid, windowed or not; the lock of a killed one is taken
// over; SIGHUP ends a run as SIGTERM does.
TEST(CommandLine, OneProgramPerFolderAKilledOnesLockTakenOverAndSystemdTold) {
    QTemporaryDir tmp;
    const QString data = tmp.filePath("data"), first = tmp.filePath("one"),
                  second = tmp.filePath("two");
    for (const QString& d : {data, first + "/CFG", second + "/CFG"})
        ASSERT_TRUE(
            QDir().mkpath(d) &&
            writeLinesAtomic(d + "/SaveData.INI", {"Yes", "5", "sec", data, "Oven"}, nullptr));
    const QString program = HeadlessRun::binary();
    auto holder = std::make_unique<QProcess>();
    holder->start(program, {"--headless", "--dir", first});
    QByteArray err;
    ASSERT_TRUE(HeadlessRun::saidBy(*holder, err, "Started without windows", 10000)) << err.data();
    const QByteArray pid = QByteArray::number(holder->processId());
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
        p.start(r.arguments[0] == "-platform" ? KX5_BIN_DIR "/kx5comm" : program, r.arguments);
        err.clear();
        HeadlessRun::saidBy(p, err, "in use", 10000);
        EXPECT_TRUE(err.contains(QDir::toNativeSeparators(r.busy).toUtf8()) && err.contains(pid))
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
    NotifySocket systemd(tmp.filePath("notify"));
    QProcessEnvironment env = systemd.env();
    env.insert("WATCHDOG_USEC", "300000");
    QProcess next;
    next.setProcessEnvironment(env);
    next.start(program, {"--headless", "--dir", second});
    EXPECT_EQ(systemd.next(), "READY=1\nSTATUS=Running");
    QElapsedTimer clock;
    clock.start();
    EXPECT_EQ(systemd.next(), "WATCHDOG=1");
    EXPECT_EQ(systemd.next(), "WATCHDOG=1");
    EXPECT_LT(clock.elapsed(), 1000); // every 150 ms, well within the 300 ms asked
    ::kill(pid_t(next.processId()), SIGHUP);
    QByteArray last = "WATCHDOG=1";
    while (last == "WATCHDOG=1")
        last = systemd.next();
    EXPECT_EQ(last, "STOPPING=1");
    ASSERT_TRUE(next.waitForFinished(10000));
    EXPECT_EQ(next.exitCode(), 0);
    EXPECT_FALSE(QFile::exists(data + "/kx5comm.lock"));
}

// Started with --open before its port exists (a USB adapter that appears seconds after a power
// cut): it is tried again until it is there, and the records that follow hold what the
// simulator sent.
TEST(CommandLine, HeadlessOpenWaitsForAPortThatAppearsLater) {
    HeadlessRun run;
    const QString port = run.dir.filePath("ttyKX5");
    writeWhole(setEnvPath(), setEnvFile({1}, "Oven"));
    ASSERT_TRUE(QDir().mkpath(run.data()));
    ASSERT_TRUE(writeLinesAtomic(commCfgPath(), {port, "9600", "N", "8", "1", "STD"}, nullptr) &&
                writeLinesAtomic(saveDataPath(), {"Yes", "1", "sec", run.data(), "Oven"}, nullptr));
    // systemd's status says what keeps the port from working, and "Running" once it works.
    NotifySocket systemd(run.dir.filePath("notify"));
    run.program.setProcessEnvironment(systemd.env());
    run.start({"--open", "--save"});
    // The port appears once it has been tried four times more, 8 s after start; the third
    // try is not said, the rate of the lines falling as the tries go on.
    ASSERT_TRUE(run.said("trying again (attempt 4)", 15000)) << run.err.data();
    EXPECT_TRUE(run.err.contains("(attempt 2)"));
    EXPECT_FALSE(run.err.contains("(attempt 3)"));
    // The first open's cause and its event; each retry then says its own line only.
    EXPECT_EQ(run.err.count("no such port\n"), 2);
    EXPECT_TRUE(systemd.all().startsWith("READY=1\nSTATUS=Cannot open ")) << systemd.all().data();
    EXPECT_TRUE(systemd.all().contains("(attempt 3)")) << systemd.all().data();
    ASSERT_TRUE(run.sim.start());
    ASSERT_TRUE(QFile::link(QString::fromStdString(run.sim.path()), port));
    ASSERT_TRUE(QTest::qWaitFor([&] { return QFile(run.records()).size() > 2 * 30; }, 15000))
        << (run.err + run.program.readAllStandardError()).data();
    EXPECT_TRUE(systemd.all().endsWith("STATUS=Running")) << systemd.all().data();
    EXPECT_TRUE(run.said("MC 1 (Oven): ", 5000)) << run.err.data(); // named as typed
    run.program.terminate();
    EXPECT_TRUE(run.program.waitForFinished(10000));
    run.recordsHoldWhatWasSent();
}

// Started with --open, a run without windows ends when the link gives the port up, so that a
// service manager sees it: status 2 for line settings no port takes (said once, with the file
// and line, and never retried), status 1 for a port lost while reopening is off.
TEST(CommandLine, HeadlessEndsWhenItsPortIsGivenUp) {
    for (const bool lost : {false, true}) {
        SCOPED_TRACE(lost ? "lost" : "bad parity");
        HeadlessRun run;
        ASSERT_TRUE(run.prepare());
        if (lost)
            ASSERT_TRUE(
                writeLinesAtomic(cfgDir() + "/LinkOptions.INI", {"ReopenLostPort=0"}, nullptr));
        else
            ASSERT_TRUE(writeLinesAtomic(
                commCfgPath(),
                {QString::fromStdString(run.sim.path()), "9600", "X", "8", "1", "STD"}, nullptr));
        run.start({"--open"});
        if (lost) {
            ASSERT_TRUE(run.sim.waitForExchanges(3, std::chrono::seconds(15)));
            run.sim.stop();
        }
        ASSERT_TRUE(run.program.waitForFinished(20000));
        const QString said = QString::fromLocal8Bit(run.program.readAllStandardError());
        EXPECT_EQ(run.program.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(run.program.exitCode(), lost ? 1 : 2) << said.toStdString();
        if (!lost) {
            EXPECT_EQ(said.count(QDir::toNativeSeparators(commCfgPath()) + " line 3 (X): "), 1)
                << said.toStdString();
        }
    }
}

// Standard error is a pipe that is full before the run starts and nobody reads: the records
// keep coming all the same, and once it is read what waited follows. The data folder removed
// and made again under the run: the lock is taken again (a second program is refused there),
// and when another program took it first, saving stops and that is said once. A reader that
// has gone ends nothing but the output: SIGTERM still ends the run cleanly. The dropped lines'
// count is test_unattended's.
TEST(CommandLine, HeadlessLogsWhileNobodyReadsAndTakesItsDataFolderLockAgain) {
    HeadlessRun run;
    const QString data = run.data(), lock = data + "/kx5comm.lock";
    ASSERT_TRUE(run.prepare(true));
    int fds[2];
    ASSERT_EQ(::pipe2(fds, O_CLOEXEC | O_NONBLOCK), 0);
    while (::write(fds[1], QByteArray(4096, '.').constData(), 4096) > 0) {
    }
    ::fcntl(fds[1], F_SETFL, 0); // the program's writes would wait, as on a stalled reader
    run.program.setChildProcessModifier([fd = fds[1]] { ::dup2(fd, STDERR_FILENO); });
    run.start({"--open", "--save"});
    ::close(fds[1]);
    ASSERT_TRUE(QTest::qWaitFor([&] { return QFile(run.records()).size() >= 5 * 30; }, 30000));
    run.recordsHoldWhatWasSent();
    QByteArray said;
    const auto heard = [&](const char* text) {
        return QTest::qWaitFor(
            [&] {
                char buf[65536];
                for (ssize_t n; (n = ::read(fds[0], buf, sizeof buf)) > 0;)
                    said += QByteArray(buf, int(n));
                return said.contains(text);
            },
            10000);
    };
    EXPECT_TRUE(heard("Started without windows")) << said.right(2000).data();

    ASSERT_TRUE(QDir(data).removeRecursively() && QDir().mkpath(data));
    ASSERT_TRUE(QTest::qWaitFor([&] { return QFile::exists(lock); }, 5000));
    QProcess second;
    second.start(HeadlessRun::binary(), {"--headless", "--dir", run.dir.path()});
    ASSERT_TRUE(second.waitForFinished(10000));
    EXPECT_EQ(second.exitCode(), 1);
    // Another program's lock (pid 1) where this one's was: the folder comes back with it
    // already inside, so the service can never take it first.
    const QString next = run.dir.filePath("next");
    writeWhole(next + "/kx5comm.lock",
               "1\nkx5comm\n" + QSysInfo::machineHostName().toUtf8() + "\n");
    ASSERT_TRUE(QDir(data).removeRecursively() && QDir().rename(next, data));
    EXPECT_TRUE(heard("Data saving stopped")) << said.right(2000).data();
    ::close(fds[0]); // the reader goes
    run.program.terminate();
    ASSERT_TRUE(run.program.waitForFinished(10000));
    EXPECT_EQ(run.program.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(run.program.exitCode(), 0);
    EXPECT_EQ(said.count("Data saving stopped"), 1);
    EXPECT_TRUE(QFile::exists(lock)); // the other program's, left as it is
}
