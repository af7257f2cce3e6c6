// Parameter-map figures: RefreshMap over the whole map with every value changed, and opening
// the map window until it has painted once.
//
//   build/bin/bench_params [--runs N]
#include "bench/Measure.h"
#include "link/Request.h"
#include "link/mdlKX5.h"
#include "params/frmKX5_Parameter.h"

#include <QApplication>
#include <QElapsedTimer>
#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

void report(const char* what, double value, const char* unit, double goal) {
    std::printf("%-58s %10.3f %-3s goal %8.3f  ratio %5.2f %s\n", what, value, unit, goal,
                value / goal, value <= goal ? "ok" : "OVER");
}

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

// Every register of the map holds a value that depends on round, so each refresh changes
// every value cell; INP 30 with two decimals makes the scaled cells do their arithmetic.
void fill(ParamImage& image, int round) {
    for (int c = 2; c <= kMapCols; c += 2)
        for (int r = 1; r <= kMapRows; ++r)
            image[mapRegister(c, r)] = (c * 1000 + r * 37 + round) % 30000 - 9000;
    image[610] = 30;
    image[614] = 2;
}

} // namespace

int main(int argc, char** argv) {
    if (answeredHelp(argc, argv,
                     "Usage: bench_params [--runs N]\nParameter map: RefreshMap over the whole map "
                     "with every value changed, and opening the\nmap window until it has painted "
                     "once; medians over N runs (default 200).\n"))
        return 0;
    QApplication app(argc, argv);
    int runs = 200;
    for (int i = 1; i + 1 < argc; ++i)
        if (QByteArray(argv[i]) == "--runs") runs = std::max(1, QByteArray(argv[i + 1]).toInt());

    // The map asks for its read-all when it opens; nothing answers here.
    struct : RequestSink {
        RequestReply request(const Request& r) override { return {true, Refusal::None, {}, r}; }
        int selectedMcNo() const override { return 1; }
    } sink;
    ParamImage image;
    fill(image, 0);
    const ParamSource source{[&image](int) { return &image; },
                             [](int) { return ControllerModel::KX5_105; }};

    std::vector<double> open;
    for (int i = 0; i < std::max(5, runs / 10); ++i) {
        QElapsedTimer t;
        t.start();
        frmKX5_Parameter map(&sink, source);
        map.show();
        QApplication::processEvents();
        (void)map.grab(); // one full paint of everything, as the user first sees it
        open.push_back(double(t.nsecsElapsed()) / 1e6);
    }

    frmKX5_Parameter map(&sink, source);
    map.show();
    QApplication::processEvents();
    std::vector<double> refresh, withPaint;
    for (int i = 1; i <= runs; ++i) {
        fill(image, i);
        QElapsedTimer t;
        t.start();
        map.RefreshMap();
        refresh.push_back(double(t.nsecsElapsed()) / 1e6);
        map.repaint();
        withPaint.push_back(double(t.nsecsElapsed()) / 1e6);
    }
    report("RefreshMap, all 266 value cells changed (median)", median(refresh), "ms", 1.0);
    report("RefreshMap and its repaint (median; goal one 60 Hz frame)", median(withPaint), "ms",
           16.0);
    report("opening the map window until painted (median)", median(open), "ms", 100.0);
    return 0;
}
