// Main-window figures: start to window shown, the trend graph holding a day at one sample a
// second, the live-display refresh tick, the alarms evaluated per reply, the trend of eight
// stations, and (when kx5sim is built)
// the CPU share while polling three simulated stations.
//
//   build/bin/bench_monitor [--sim path/to/kx5sim] [--seconds N]
#include "app/LineServices.h"
#include "bench/Measure.h"
#include "link/mdlKX5.h"
#include "monitor/AlarmBook.h"
#include "monitor/EventLog.h"
#include "monitor/MultiTrendWindow.h"
#include "monitor/TrendChart.h"
#include "monitor/frmKX5_Main.h"
#include "settings/ConfigFiles.h"
#include "tests/support/LineUp.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QProcess>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <array>
#include <cmath>
#include <cstdio>
#include <qcustomplot.h>
#include <sys/resource.h>
#include <unistd.h>

namespace {

void report(const char* what, double value, const char* unit, double goal) {
    std::printf("%-58s %10.3f %-3s goal %8.3f  ratio %5.2f %s\n", what, value, unit, goal,
                value / goal, value <= goal ? "ok" : "OVER");
}

class PaintCounter : public QObject {
public:
    int paints = 0;
    QStringList who;
    bool eventFilter(QObject* o, QEvent* e) override {
        if (e->type() == QEvent::Paint) {
            ++paints;
            if (!who.contains(o->objectName() + "/" + o->metaObject()->className()))
                who << o->objectName() + "/" + o->metaObject()->className();
        }
        return false;
    }
};

void writeDemoSettings(const QString& dir, const QString& port) {
    QDir().mkpath(dir + QStringLiteral("/CFG"));
    writeLinesAtomic(dir + QStringLiteral("/Comm.CFG"), {port, "9600", "N", "8", "1", "STD"},
                     nullptr);
    QStringList env;
    for (int n = 1; n <= 99; ++n)
        env << (n <= 3 ? QStringLiteral("O\tOven %1").arg(n) : QStringLiteral("X\t"));
    writeLinesAtomic(dir + QStringLiteral("/CFG/SetEnv.INI"), env, nullptr);
}

void benchStartup(QElapsedTimer& sinceMain, const QString& dir) {
    setProgramDir(dir);
    writeDemoSettings(dir, QStringLiteral("COM1"));
    QElapsedTimer t;
    t.start();
    LineServices services(std::make_unique<FakeSerialPort>());
    auto* w = new frmKX5_Main(services.parts(), loadStartSettings());
    w->show();
    if (!QTest::qWaitForWindowExposed(w)) std::printf("window not exposed\n");
    report("start: window built and shown (in process)",
           static_cast<double>(t.nsecsElapsed()) / 1e6, "ms", 500);
    report("start: from main() incl. QApplication",
           static_cast<double>(sinceMain.nsecsElapsed()) / 1e6, "ms", 500);
    delete w;
}

// zigzag: every sample differs from the last by up to the full range (worst case for drawing);
// process: a slow oven curve with a little measuring noise (what a day looks like).
void benchGraph(bool scrolling, bool threeD, bool zigzag) {
    constexpr int kDay = 86400;
    const double before = rssMiB();
    auto* chart = new TrendChart;
    chart->resize(1100, 420);
    chart->show();
    if (!QTest::qWaitForWindowExposed(chart)) std::printf("chart not exposed\n");
    chart->setScrolling(scrolling);
    chart->set3D(threeD);
    chart->truncate(0);
    QTime t0(0, 0);
    for (int p = 0; p < kDay; ++p)
        if (zigzag)
            chart->setPoint(p, 250 + (p % 100) * 0.1, 240 + (p % 300) * 0.05, (p % 1000) * 0.1,
                            t0.addSecs(p));
        else
            chart->setPoint(
                p, p < 43200 ? 250 : 300, 250 + 20 * std::sin(p / 3000.0) + ((p * 7919) % 5) * 0.1,
                45 + 10 * std::sin(p / 2000.0) + ((p * 104729) % 7) * 0.1, t0.addSecs(p));
    chart->showUpTo(kDay - 1);
    chart->plot()->replot(QCustomPlot::rpImmediateRefresh);
    const double after = rssMiB();

    constexpr int kSamples = 200;
    QElapsedTimer t;
    qint64 worst = 0;
    t.start();
    for (int i = 0; i < kSamples; ++i) {
        QElapsedTimer one;
        one.start();
        const int p = kDay + i;
        chart->setPoint(p, 250, 249.8, 45.5, t0.addSecs(p));
        chart->showUpTo(p);
        chart->plot()->replot(QCustomPlot::rpImmediateRefresh);
        worst = std::max(worst, one.nsecsElapsed());
    }
    const double meanMs = static_cast<double>(t.nsecsElapsed()) / 1e6 / kSamples;
    char what[128];
    std::snprintf(what, sizeof what, "graph %s %s%s: add one + replot, mean",
                  zigzag ? "zigzag" : "process", scrolling ? "following" : "whole day",
                  threeD ? " 3D" : "");
    report(what, meanMs, "ms", 10);
    std::snprintf(what, sizeof what, "graph %s %s%s: add one + replot, worst",
                  zigzag ? "zigzag" : "process", scrolling ? "following" : "whole day",
                  threeD ? " 3D" : "");
    report(what, static_cast<double>(worst) / 1e6, "ms", 10);
    if (!scrolling && !threeD && zigzag)
        report("graph: memory for a day (RSS growth)", after - before, "MiB", 50);
    delete chart;
}

void benchRefresh(const QString& dir) {
    setProgramDir(dir);
    writeDemoSettings(dir, QStringLiteral("COM1"));
    auto* port = new FakeSerialPort;
    LineServices services{std::unique_ptr<SerialPort>(port)};
    auto* w = new frmKX5_Main(services.parts(), loadStartSettings());
    w->show();
    if (!QTest::qWaitForWindowExposed(w)) std::printf("window not exposed\n");
    // Station 2 selected on a line that is up.
    if (!bringUpOnFakePort(*w->link(), *port) || !w->link()->selectStation(1))
        std::printf("the line did not come up\n");
    w->link()->stop(LinkTimer::Send);
    w->tmrRefresh.stop();
    w->tmrDispGraph.stop();
    LineModel& line = w->link()->line();
    const std::array<int, StationValues::kCount> row = {3,   0,   0, 2498, 2500, 0, 0, 455, 1,  1,
                                                        256, 257, 2, 0,    0,    0, 0, 0,   150};
    for (int k = 0; k < line.count(); ++k)
        line.storeValues(line.mcNoAt(k), row, QDateTime::currentDateTimeUtc());
    w->tmrRefresh_Timer();
    QApplication::processEvents();

    constexpr int kTicks = 20000;
    QElapsedTimer t;
    t.start();
    for (int i = 0; i < kTicks; ++i)
        w->tmrRefresh_Timer();
    w->tmrRefresh.stop();
    report("refresh tick, steady values", static_cast<double>(t.nsecsElapsed()) / 1e6 / kTicks,
           "ms", 0.2);

    QTest::qWait(300); // the display's first layout after it appeared
    PaintCounter counter;
    for (QWidget* c : w->findChildren<QWidget*>())
        c->installEventFilter(&counter);
    for (int i = 0; i < 100; ++i) {
        w->tmrRefresh_Timer();
        QApplication::processEvents();
    }
    w->tmrRefresh.stop();
    std::printf("%-58s %10d paint events over 100 ticks (goal 0) %s\n",
                "refresh tick, steady values: repaints", counter.paints,
                counter.paints == 0 ? "ok" : "OVER");
    if (counter.paints) std::printf("  painted: %s\n", qPrintable(counter.who.join(", ")));

    t.restart();
    std::array<int, StationValues::kCount> moving = row;
    for (int i = 0; i < kTicks; ++i) {
        moving[MonReg::NPV] = 2400 + i % 200;
        line.storeValues(2, moving, QDateTime::currentDateTimeUtc());
        w->tmrRefresh_Timer();
    }
    w->tmrRefresh.stop();
    report("refresh tick, PV changing every tick (no paint)",
           static_cast<double>(t.nsecsElapsed()) / 1e6 / kTicks, "ms", 0.2);
    for (QWidget* c : w->findChildren<QWidget*>())
        c->removeEventFilter(&counter);
    delete w;
}

// The real program's polling cost: kx5sim on a pseudo-terminal, the window polling three
// stations through the real serial port.
void benchPolling(const QString& sim, const QString& dir, int seconds) {
    QDir().mkpath(dir);
    QProcess proc;
    const QString linkPath = dir + QStringLiteral("/kx5sim.pty");
    proc.start(sim, {QStringLiteral("--stations"), QStringLiteral("1,2,3"),
                     QStringLiteral("--link"), linkPath});
    if (!proc.waitForStarted(3000) ||
        !QTest::qWaitFor([&] { return QFile::exists(linkPath); }, 5000)) {
        std::printf("polling: kx5sim did not start (%s)\n", qPrintable(sim));
        return;
    }
    setProgramDir(dir);
    writeDemoSettings(dir, linkPath);
    LineServices services;
    auto* w = new frmKX5_Main(services.parts(), loadStartSettings());
    w->show();
    if (!QTest::qWaitForWindowExposed(w)) std::printf("window not exposed\n");
    w->runCommand(3);
    const bool up =
        QTest::qWaitFor([&] { return w->link()->phase() == KX5Link::Phase::Monitoring; }, 15000);
    if (!up) std::printf("polling: the stations did not come up\n");
    QTest::qWait(1000);
    const double cpu0 = cpuSeconds();
    QElapsedTimer t;
    t.start();
    QTest::qWait(seconds * 1000);
    const double share =
        (cpuSeconds() - cpu0) / (static_cast<double>(t.nsecsElapsed()) / 1e9) * 100;
    report("polling three kx5sim stations: CPU of one core", share, "%", 3);
    delete w;
    proc.terminate();
    proc.waitForFinished(3000);
}

} // namespace

// The event list once full, shown: every entry drops the oldest row. Entries come in bursts
// when a line is in trouble, and a list left full for days must not make each one dear.
void benchEvents(const QString& dir) {
    setProgramDir(dir);
    writeDemoSettings(dir, QStringLiteral("COM1"));
    LineServices services(std::make_unique<FakeSerialPort>());
    auto* w = new frmKX5_Main(services.parts(), loadStartSettings());
    w->show();
    auto* view = w->findChild<QWidget*>(QStringLiteral("sprdEvents"));
    for (QWidget* p = view; p; p = p->parentWidget())
        if (auto* tabs = qobject_cast<QTabWidget*>(p)) tabs->setCurrentWidget(view);
    if (!QTest::qWaitForWindowExposed(w)) std::printf("window not exposed\n");
    EventLog* log = w->eventLog();
    for (int i = 0; i < EventLog::kMaxRows; ++i)
        log->add(i % 99 + 1, "%1 on", {QStringLiteral("AL1")});
    QApplication::processEvents();
    constexpr int kAdds = 1000;
    QElapsedTimer t;
    t.start();
    for (int i = 0; i < kAdds; ++i) {
        log->add(i % 99 + 1, "%1 off", {QStringLiteral("AL2")});
        QApplication::processEvents();
    }
    report("event list full and shown: one entry + repaint",
           static_cast<double>(t.nsecsElapsed()) / 1e6 / kAdds, "ms", 1);
    delete w;
}

// The trend of several stations: eight stations in use and picked, SV and MV shown, a day of
// points at one sample a second each; then one more tick and a replot, following the newest.
void benchMultiTrend() {
    LineModel line;
    StationList list;
    for (int mc = 1; mc <= 8; ++mc)
        list.push_back({mc, QStringLiteral("Oven %1").arg(mc)});
    line.setStations(list);
    QDateTime now(QDate(2026, 3, 7), QTime(0, 0));
    std::array<int, StationValues::kCount> regs{};
    regs[MonReg::INP] = 3;
    const auto store = [&](qint64 p) { // qint64: p * 104729 passes an int's range
        for (int mc = 1; mc <= 8; ++mc) {
            regs[MonReg::NPV] = 2500 + mc * 100 + int((p * 7919 + mc) % 50);
            regs[MonReg::NSV] = 2500 + mc * 100;
            regs[MonReg::MVOUT] = 450 + int((p * 104729 + mc) % 70);
            line.storeValues(mc, regs, now);
        }
    };
    auto* w = new MultiTrendWindow(line);
    w->tmrSample.stop();
    w->clock = [&now] { return now; };
    w->findChild<QCheckBox*>(QStringLiteral("chkSV"))->setChecked(true);
    w->findChild<QCheckBox*>(QStringLiteral("chkMV"))->setChecked(true);
    w->show();
    if (!QTest::qWaitForWindowExposed(w)) std::printf("trend of stations not exposed\n");
    for (int mc = 1; mc <= 8; ++mc)
        w->pick(mc, true);
    const double before = rssMiB();
    for (int p = 0; p < MultiTrend::kMaxPoints - 300; ++p) {
        store(p);
        now = now.addSecs(1);
        w->tmrSample_Timer();
    }
    const double after = rssMiB();
    constexpr int kTicks = 200;
    qint64 worst = 0;
    QElapsedTimer t;
    t.start();
    for (int i = 0; i < kTicks; ++i) {
        QElapsedTimer one;
        one.start();
        store(i);
        now = now.addSecs(1);
        w->tmrSample_Timer();
        w->plot()->replot(QCustomPlot::rpImmediateRefresh);
        worst = std::max(worst, one.nsecsElapsed());
    }
    report("trend of 8 stations, a day each, SV and MV: one tick + replot, mean",
           static_cast<double>(t.nsecsElapsed()) / 1e6 / kTicks, "ms", 5);
    report("trend of 8 stations, a day each, SV and MV: one tick + replot, worst",
           static_cast<double>(worst) / 1e6, "ms", 16);
    std::printf("%-58s %10.1f MiB\n", "trend of 8 stations, a day each: memory", after - before);
    delete w;
}

// The alarm book at every stored reply, 99 stations in use each with its lamps: steady lamps
// (the usual reply), and a lamp that switches at every reply (raised, then cleared).
void benchAlarms() {
    LineModel line;
    StationList list;
    for (int mc = 1; mc <= 99; ++mc)
        list.push_back({mc, QStringLiteral("Oven")});
    line.setStations(list);
    AlarmBook book(line);
    std::array<int, StationValues::kCount> regs{};
    regs[MonReg::INP] = 3, regs[MonReg::NPV] = 1234, regs[MonReg::ALMSTS] = 1;
    const QDateTime at = QDateTime::currentDateTime();
    for (int mc = 1; mc <= 99; ++mc)
        line.storeValues(mc, regs, at);
    constexpr int kReplies = 99 * 2000;
    for (bool toggling : {false, true}) {
        QElapsedTimer t;
        t.start();
        for (int i = 0; i < kReplies; ++i) {
            if (toggling) regs[MonReg::ERRSTS] = (i / 99) & 1;
            line.storeValues(i % 99 + 1, regs, at);
        }
        report(toggling ? "alarms of 99 stations, a lamp switching: one reply"
                        : "alarms of 99 stations, steady lamps: one reply",
               static_cast<double>(t.nsecsElapsed()) / 1e3 / kReplies, "us", 10);
        book.acknowledgeAll(); // the cleared ones go, as an operator would have them go
    }
}

int main(int argc, char** argv) {
    if (answeredHelp(
            argc, argv,
            "Usage: bench_monitor [--sim PATH] [--seconds N]\nMain window: start to window shown, "
            "the trend graph holding a day at one sample a second,\nthe live-display refresh tick, "
            "and with kx5sim (PATH, default beside this program) the\nCPU share while polling "
            "three simulated stations for N seconds (default 10).\n"))
        return 0;
    QElapsedTimer sinceMain;
    sinceMain.start();
    QApplication app(argc, argv);
    std::setvbuf(stdout, nullptr, _IOLBF, 0);
    QTemporaryDir tmp;
    QString sim;
    int seconds = 10;
    const QStringList args = QCoreApplication::arguments();
    for (int i = 1; i + 1 < args.size(); ++i) {
        if (args[i] == QLatin1String("--sim")) sim = args[i + 1];
        if (args[i] == QLatin1String("--seconds")) seconds = args[i + 1].toInt();
    }
    if (sim.isEmpty()) {
        const QString beside = QCoreApplication::applicationDirPath() + QStringLiteral("/kx5sim");
        if (QFile::exists(beside)) sim = beside;
    }
    std::printf("platform: %s\n", qPrintable(QGuiApplication::platformName()));
    benchStartup(sinceMain, tmp.path() + QStringLiteral("/start"));
    std::printf("graph: 86,400 points per series, 1100 x 420 pixels\n");
    for (bool zigzag : {false, true})
        for (bool threeD : {false, true})
            for (bool scrolling : {true, false})
                benchGraph(scrolling, threeD, zigzag);
    benchRefresh(tmp.path() + QStringLiteral("/refresh"));
    benchEvents(tmp.path() + QStringLiteral("/events"));
    benchAlarms();
    benchMultiTrend();
    if (sim.isEmpty())
        std::printf("polling: skipped, kx5sim not built (pass --sim PATH)\n");
    else
        benchPolling(sim, tmp.path() + QStringLiteral("/poll"), seconds);
    return 0;
}
