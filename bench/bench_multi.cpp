// Multi-Monitoring figures with 99 answering stations: CPU time of one refresh pass when every
// station's values moved, and when nothing changed, plus the repaints such a pass causes.
//
//   build/bin/bench_multi
#include "app/LineServices.h"
#include "bench/Measure.h"
#include "files/ConfigFiles.h"
#include "link/mdlKX5.h"
#include "monitor/frmKX5_Main.h"
#include "monitor/frmKX5_Multi.h"
#include "tests/support/FakeSerialPort.h"
#include "tests/support/Replies.h"
#include "ui/GridView.h"

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <QTest>
#include <cstdio>
#include <ctime>

namespace {

void report(const char* what, double value, const char* unit, double goal) {
    std::printf("%-52s %9.3f %-3s goal %7.3f  ratio %5.2f %s\n", what, value, unit, goal,
                goal > 0 ? value / goal : 0.0, value <= goal ? "ok" : "OVER");
}

class PaintCounter : public QObject {
public:
    int paints = 0;
    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() == QEvent::Paint) ++paints;
        return false;
    }
};

// Live values of every station, stored by the link from their replies; `tick` moves PV,
// alarms and keys.
void storeAll(KX5Link* link, int tick) {
    for (int k = 0; k < link->line().count(); ++k) {
        const int r = k + 1;
        std::vector<int> v = {
            3,   0, 0, 1000 + r + tick, 1500, 0, 0, 505, 1, (r + tick) % 4, tick % 2 ? 256 : 0,
            257, 1};
        for (int j = 0; j < 5; ++j)
            v.push_back((r + tick + j) % 2);
        v.push_back(150);
        link->StoreMonitorReply(k, drrReply(link->line().mcNoAt(k), v));
    }
}

} // namespace

int main(int argc, char** argv) {
    if (answeredHelp(argc, argv,
                     "Usage: bench_multi\nMulti-Monitoring with 99 answering stations: CPU time of "
                     "one refresh pass when every\nstation's values moved and when nothing "
                     "changed, and the repaints such a pass causes.\n"))
        return 0;
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? QByteArray("offscreen")
                                                                    : qgetenv("QT_QPA_PLATFORM"));
    QApplication app(argc, argv);
    QTemporaryDir dir;
    if (!dir.isValid()) return 1;
    setProgramDir(dir.path());
    QDir().mkpath(dir.path() + QStringLiteral("/CFG"));
    QStringList env;
    for (int n = 1; n <= 99; ++n)
        env << QStringLiteral("O\tOven %1").arg(n);
    writeLinesAtomic(setEnvPath(), env, nullptr);

    LineServices services(std::make_unique<FakeSerialPort>());
    frmKX5_Main win(services.parts(), loadStartSettings());
    win.tmrDispGraph.stop();
    for (int mc = 1; mc <= 99; ++mc)
        win.link()->line().setModel(mc, ControllerModel::KX5_105);
    storeAll(win.link(), 0);

    frmKX5_Multi multi(win.link(), &win.link()->line());
    multi.tmrRefresh.stop();
    multi.fitToContents(QSize(1920, 1040));
    multi.show();
    QTest::qWait(50);
    multi.tmrRefresh_Timer();
    QApplication::processEvents();

    constexpr int kPasses = 200;
    double moved = 0, still = 0;
    for (int i = 1; i <= kPasses; ++i) {
        storeAll(win.link(), i);
        double t0 = 1e3 * cpuSeconds();
        multi.tmrRefresh_Timer();
        moved += 1e3 * cpuSeconds() - t0;
        QApplication::processEvents(); // paint what changed before the next pass
        t0 = 1e3 * cpuSeconds();
        multi.tmrRefresh_Timer();
        still += 1e3 * cpuSeconds() - t0;
    }
    multi.tmrRefresh.stop();

    PaintCounter counter;
    multi.view()->viewport()->installEventFilter(&counter);
    QApplication::processEvents();
    counter.paints = 0;
    for (int i = 0; i < 10; ++i) {
        multi.tmrRefresh_Timer();
        QApplication::processEvents();
    }
    multi.tmrRefresh.stop();
    const int stillPaints = counter.paints;
    // The counter does see paints when values move.
    storeAll(win.link(), kPasses + 1);
    multi.tmrRefresh_Timer();
    multi.tmrRefresh.stop();
    QApplication::processEvents();
    const int movedPaints = counter.paints - stillPaints;

    std::printf("99 answering stations, %d passes each\n", kPasses);
    report("refresh pass, every station's values moved (CPU)", moved / kPasses, "ms", 2.0);
    report("refresh pass, nothing changed (CPU)", still / kPasses, "ms", 2.0);
    report("repaints of the grid after 10 unchanged passes", stillPaints, "", 0.0);
    std::printf("(repaints after one pass that moved values: %d)\n", movedPaints);
    setProgramDir(QString());
    return 0;
}
