// The service program (kx5service) as a child process, on a program folder of its own whose port is
// kx5sim's line; and a datagram socket standing for systemd's $NOTIFY_SOCKET.
#pragma once

#include "tests/monitor/SimSettings.h"

#include <QCoreApplication>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>
#include <cstring>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

struct HeadlessRun {
    QTemporaryDir dir;
    kx5sim::SimLine sim;
    QProcess program;
    QByteArray err; // its standard error so far

    std::vector<int> stations; // kx5sim's, all in use

    static kx5sim::LineConfig lineOf(const std::vector<int>& stations) {
        kx5sim::LineConfig cfg;
        cfg.stations = stations;
        return cfg;
    }
    explicit HeadlessRun(std::vector<int> line = {1}) : sim(lineOf(line)), stations(line) {
        setProgramDir(dir.path());
    }
    ~HeadlessRun() {
        program.terminate();
        program.waitForFinished(15000);
        setProgramDir(QString());
    }
    static QString binary() { return QCoreApplication::applicationDirPath() + "/kx5service"; }
    QString data() const { return dir.filePath("data"); }
    QString records() const { return data() + "/Oven_01.DAT"; }
    // The simulator running, the line's settings on it, and with `save` one record a second
    // into data().
    bool prepare(bool save = false) {
        return sim.start() && writeSimSettings(sim, stations) &&
               (!save ||
                (QDir().mkpath(data()) &&
                 writeLinesAtomic(saveDataPath(), {"Yes", "1", "sec", data(), "Oven"}, nullptr)));
    }
    // Starts p as a service runs it: with no display at all.
    static void startWithoutDisplay(QProcess& p, const QString& binary, const QStringList& args) {
        QProcessEnvironment env = p.processEnvironment();
        if (env.isEmpty()) env = QProcessEnvironment::systemEnvironment();
        for (const char* var : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
            env.remove(var);
        p.setProcessEnvironment(env);
        p.start(binary, args);
    }
    void start(const QStringList& args) {
        startWithoutDisplay(program, binary(),
                            QStringList{"--headless", "--dir", dir.path()} + args);
    }
    // Waits up to ms for p's standard error, gathered into err, to hold text.
    static bool saidBy(QProcess& p, QByteArray& err, const QByteArray& text, int ms) {
        return QTest::qWaitFor([&] { return (err += p.readAllStandardError()).contains(text); },
                               ms);
    }
    bool said(const QByteArray& text, int ms) { return saidBy(program, err, text, ms); }
    // Every record of the file whole and holding a PV the simulator sent; once the program
    // has ended, nothing after the last one.
    void recordsHoldWhatWasSent() {
        const std::vector<int> sent = pvsSent(sim, 1);
        QFile dat(records());
        ASSERT_TRUE(dat.open(QIODevice::ReadOnly));
        QList<QByteArray> lines = dat.readAll().split('\n');
        const QByteArray rest = lines.takeLast(); // a record being written
        if (program.state() == QProcess::NotRunning) {
            EXPECT_EQ(rest, "");
        }
        for (const QByteArray& r : lines) {
            const QList<QByteArray> f = r.split('\t');
            ASSERT_TRUE(r.endsWith('\r') && f.size() == 5) << r.data();
            EXPECT_NE(std::find(sent.begin(), sent.end(), f[3].toInt()), sent.end()) << r.data();
        }
        EXPECT_GE(lines.size(), 2);
    }
};

struct NotifySocket {
    QByteArray path;
    int fd = ::socket(AF_UNIX, SOCK_DGRAM, 0);

    explicit NotifySocket(const QString& file) : path(QFile::encodeName(file)) {
        sockaddr_un addr{};
        addr.sun_family = AF_UNIX;
        std::memcpy(addr.sun_path, path.constData(), size_t(path.size()));
        EXPECT_EQ(::bind(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr), 0);
        const timeval wait{10, 0};
        ::setsockopt(fd, SOL_SOCKET, SO_RCVTIMEO, &wait, sizeof wait);
    }
    ~NotifySocket() { ::close(fd); }
    QProcessEnvironment env() const {
        QProcessEnvironment e = QProcessEnvironment::systemEnvironment();
        e.insert("NOTIFY_SOCKET", QString::fromUtf8(path));
        return e;
    }
    // The next datagram, waiting up to 10 s.
    QByteArray next() const {
        char buf[512];
        const ssize_t n = ::recv(fd, buf, sizeof buf, 0);
        return n > 0 ? QByteArray(buf, int(n)) : QByteArray("<nothing>");
    }
    // Every datagram so far, without waiting, joined by '|'.
    QByteArray all() {
        char buf[512];
        for (ssize_t n; (n = ::recv(fd, buf, sizeof buf, MSG_DONTWAIT)) > 0;)
            heard << QByteArray(buf, int(n));
        return heard.join('|');
    }
    QByteArrayList heard;
};
