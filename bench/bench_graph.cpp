// Graph-viewer figures: opening a 10-million-record .DAT file (a station logged every second
// for about four months), the memory it holds, and the repaint after a zoom and a pan, each
// printed with its ratio to the goal (below 1 is within it).
//
//   build/bin/bench_graph [--records N]
#include "bench/Measure.h"
#include "graph/DatFile.h"
#include "graph/GraphWindow.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <cstdio>
#include <cstring>
#include <qcustomplot.h>

namespace {

constexpr double kOpenGoalS = 5.0;
constexpr double kMemoryGoalMiB = 400.0;
constexpr double kRepaintGoalMs = 50.0;

void two(char* p, int v) {
    p[0] = char('0' + v / 10);
    p[1] = char('0' + v % 10);
}

// The file a year of logging writes, in 4 MiB pieces, with a spike now and then.
bool generate(const QString& path, qint64 records, qint64 start) {
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly)) return false;
    QByteArray chunk;
    chunk.reserve(4 << 20);
    char line[64];
    for (qint64 i = 0; i < records; ++i) {
        const qint64 t = start + i;
        int y = 0, m = 0, d = 0;
        civilFromDays(t / 86400, &y, &m, &d);
        const int s = int(t % 86400);
        std::snprintf(line, sizeof line, "%04d-", y);
        two(line + 5, m);
        line[7] = '-';
        two(line + 8, d);
        line[10] = '\t';
        two(line + 11, s / 3600);
        line[13] = ':';
        two(line + 14, s / 60 % 60);
        line[16] = ':';
        two(line + 17, s % 60);
        const int pv = i % 1'000'003 == 0 ? 9999 : 2400 + int(i % 200);
        const int n =
            std::snprintf(line + 19, sizeof line - 19, "\t2500\t%d\t%d\r\n", pv, int(i % 1000));
        chunk.append(line, 19 + n);
        if (chunk.size() > (4 << 20) - 64) {
            if (f.write(chunk) != chunk.size()) return false;
            chunk.clear();
        }
    }
    return f.write(chunk) == chunk.size();
}

void ratio(const char* what, double value, const char* unit, double goal) {
    std::printf("%-34s %10.1f %-4s goal %7.1f %-4s ratio %.2f\n", what, value, unit, goal, unit,
                value / goal);
}

} // namespace

int main(int argc, char** argv) {
    if (answeredHelp(argc, argv,
                     "Usage: bench_graph [--records N]\nGraph viewer: opening a generated .DAT "
                     "file of N records (default 10 million), the\nmemory it holds, and the "
                     "repaint after a zoom and a pan, each with its ratio to the goal\n(5 s, 400 "
                     "MB, 50 ms; below 1 is within it).\n"))
        return 0;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    qint64 records = 10'000'000;
    for (int i = 1; i + 1 < argc; ++i)
        if (std::strcmp(argv[i], "--records") == 0) records = QByteArray(argv[i + 1]).toLongLong();

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("KX5_01.DAT"));
    const qint64 start = daysFromCivil(2026, 1, 1) * 86400;
    QElapsedTimer clock;
    clock.start();
    if (!generate(path, records, start)) {
        std::fprintf(stderr, "bench_graph: cannot write %s\n", qPrintable(path));
        return 1;
    }
    std::printf("generated %lld records, %.0f MiB, in %.1f s\n", static_cast<long long>(records),
                double(QFile(path).size()) / (1 << 20), double(clock.elapsed()) / 1000);

    GraphWindow w;
    w.resize(1200, 700);
    w.show();
    QApplication::processEvents();
    const double before = rssMiB();
    clock.restart();
    w.openFiles({path});
    w.plot()->replot(QCustomPlot::rpImmediateRefresh);
    const double openS = double(clock.nsecsElapsed()) / 1e9;
    const double held = rssMiB() - before;
    if (w.fileCount() != 1 || w.reader(0).data().size() != records) {
        std::fprintf(stderr, "bench_graph: read %lld records\n",
                     w.fileCount() ? static_cast<long long>(w.reader(0).data().size()) : 0LL);
        return 1;
    }
    ratio("open and first paint", openS, "s", kOpenGoalS);
    ratio("memory held (resident)", held, "MiB", kMemoryGoalMiB);
    std::printf("%-34s %10.1f MiB\n", "  record arrays (reserved)",
                double(w.reader(0).data().bytes()) / (1 << 20));

    // Zoom from the whole file to a minute in ten steps and back, then pan across the file.
    const double lo = double(start), hi = double(start + records);
    double zoomWorst = 0, zoomSum = 0, panWorst = 0, panSum = 0;
    int zooms = 0, pans = 0;
    for (int k = 0; k < 20; ++k) {
        const int step = k < 10 ? k : 19 - k;
        const double width = (hi - lo) / std::pow(10.0, step * std::log10((hi - lo) / 60) / 9);
        const double mid = lo + (hi - lo) * 0.37;
        clock.restart();
        w.setView(mid - width / 2, mid + width / 2);
        w.plot()->replot(QCustomPlot::rpImmediateRefresh);
        const double ms = double(clock.nsecsElapsed()) / 1e6;
        zoomWorst = std::max(zoomWorst, ms);
        zoomSum += ms;
        ++zooms;
    }
    const double width = (hi - lo) / 20;
    for (int k = 0; k < 40; ++k) {
        const double from = lo + (hi - lo - width) * k / 39;
        clock.restart();
        w.setView(from, from + width);
        w.plot()->replot(QCustomPlot::rpImmediateRefresh);
        const double ms = double(clock.nsecsElapsed()) / 1e6;
        panWorst = std::max(panWorst, ms);
        panSum += ms;
        ++pans;
    }
    ratio("zoom repaint, mean", zoomSum / zooms, "ms", kRepaintGoalMs);
    ratio("zoom repaint, worst", zoomWorst, "ms", kRepaintGoalMs);
    ratio("pan repaint, mean", panSum / pans, "ms", kRepaintGoalMs);
    ratio("pan repaint, worst", panWorst, "ms", kRepaintGoalMs);
    return 0;
}
