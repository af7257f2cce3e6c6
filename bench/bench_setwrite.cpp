// Writing a whole parameter set to ten stations at 9600 baud against kx5sim, its replies
// paced at the line's rate, in the fast and the standard pacing: per station the requests on
// the wire against those the set needs (its writes and one read-back), and the time from the
// confirmation to the last report against the wire time of those requests plus the pauses the
// link must keep (the input group's pause, and in the standard pacing the gather and send
// tick per exchange). Run on demand: build/bin/bench_setwrite
#include "link/Cells.h"
#include "link/KX5Link.h"
#include "link/QtSerialPort.h"
#include "link/Steps.h"
#include "link/mdlKX5.h"
#include "params/SetWriter.h"
#include "sim/SimLine.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <cstdio>
#include <cstring>
#include <map>

namespace {

bool waitFor(const std::function<bool()>& done, int ms) {
    QElapsedTimer t;
    t.start();
    while (!done() && t.elapsed() < ms)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    return done();
}

// One run on a fresh line; false when it could not be measured.
bool measure(bool standard) {
    kx5sim::LineConfig cfg;
    for (int mc = 1; mc <= 11; ++mc)
        cfg.stations.push_back(mc);
    kx5sim::Fault pace;
    pace.kind = kx5sim::FaultKind::Pace;
    cfg.faults.push_back(pace);
    kx5sim::SimLine sim(cfg);
    std::string err;
    if (!sim.start(&err)) {
        std::fprintf(stderr, "kx5sim: %s\n", err.c_str());
        return false;
    }
    // Station 11 holds the set: another input type and its range, and a value in every group.
    const std::pair<int, int> set11[] = {{610, 3},    {612, 5000}, {613, -100}, {301, 1234},
                                         {302, 1500}, {311, 100},  {321, 120},  {410, 3},
                                         {416, 60},   {102, 1},    {600, 1},    {305, 1}};
    for (auto [reg, v] : set11)
        sim.writeRegister(11, reg, std::int16_t(v));

    KX5Link link{std::make_unique<QtSerialPort>()};
    link.setupGrids();
    link.setFastPacing(!standard);
    gPort = QString::fromStdString(sim.path());
    gMC_List.clear();
    for (int mc = 11; mc >= 1; --mc)
        gMC_List.push_back(mc); // station 11 first: the model sweep selects it
    gMC_OK.assign(11, false);
    gMC_Name = QStringList(11, QString());
    gMC_Last = 10;
    for (int i = 0; i < 11; ++i)
        link.sprdStatus.appendRow(), link.sprdMonitoring.appendRow();
    bool read11 = false;
    QObject::connect(&link, &KX5Link::paramsRead, [&](int mc) { read11 = read11 || mc == 11; });
    link.mSetPortOpen_Click();
    if (!waitFor([&] { return read11; }, 60000)) {
        std::fprintf(stderr, "station 11 was not read\n");
        return false;
    }
    ParamSet set;
    set.model = link.model(11);
    set.mcNo = 11;
    for (int step = kStepReadAll1; step <= kStepReadAll4; ++step)
        for (int reg : findStep(step)->regs)
            set.entries.push_back({QString::number(reg), reg, QString(),
                                   link.paramImage(11)->at(reg), setWritable(reg)});

    SetWriter w(&link, set, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10});
    bool done = false;
    QObject::connect(&w, &SetWriter::finished, [&] { done = true; });
    QString why;
    if (!w.compare(&why) || !waitFor([&] { return done; }, 120000)) {
        std::fprintf(stderr, "compare failed %s\n", qPrintable(why));
        return false;
    }
    // What the set needs per station: one frame per register written, two for the input
    // group's halves, and one read-back of the four blocks.
    std::map<int, int> needed;
    for (const SetWriter::Station& s : w.stations()) {
        int frames = 4;
        bool input = false;
        for (const ParamDiff& d : s.diffs) {
            if (d.reg >= 610 && d.reg <= 619)
                input = true;
            else
                ++frames;
        }
        needed[s.mcNo] = frames + (input ? 2 : 0);
    }
    done = false;
    sim.clearExchanges();
    QElapsedTimer t;
    t.start();
    w.write();
    if (!waitFor([&] { return done; }, 600000)) {
        std::fprintf(stderr, "the write did not end\n");
        return false;
    }
    const double ms = double(t.elapsed());
    // The set's own exchanges: its writes, and the reads of the stations being written.
    const double charMs = 10.0 * 1000.0 / 9600.0;
    double wireMs = 0, ownPacing = 0;
    int exchanges = 0, inputPauses = 0, others = 0;
    std::map<int, int> onWire;
    for (const kx5sim::Exchange& e : sim.exchanges()) {
        const bool write = e.request.compare(3, 3, "DWR") == 0;
        // Block 4 has as many registers as a monitor poll; the poll starts at 610.
        const bool block = e.request.compare(3, 11, "DRR,19,0610") != 0;
        if (!write && !block) {
            ++others;
            continue;
        }
        ++exchanges;
        ++onWire[e.address];
        wireMs += double(e.request.size() + e.reply.size()) * charMs;
        if (write && e.request.find(",0610,") != std::string::npos) ++inputPauses;
    }
    if (standard) ownPacing = exchanges * double(KX5Link::kGatherMs + KX5Link::kSendTickMs);
    const double bound = wireMs + inputPauses * double(KX5Link::kPauseAfter105Ms) + ownPacing;
    int verified = 0;
    std::printf("%s pacing, requests on the wire per station / needed by the set:\n",
                standard ? "standard" : "fast");
    for (const SetWriter::Station& s : w.stations()) {
        verified += s.state == SetWriter::State::Verified;
        std::printf("  MC %2d: %3d / %3d%s%s\n", s.mcNo, onWire[s.mcNo], needed[s.mcNo],
                    s.state == SetWriter::State::Verified ? "" : "  ",
                    s.state == SetWriter::State::Verified ? "" : qPrintable(s.report));
    }
    std::printf("%d registers to 10 stations (%d verified) in %.0f ms; %d exchanges of the set "
                "(%.0f ms on the wire), %d input pauses, %d monitor polls between\n",
                w.writtenCount(), verified, ms, exchanges, wireMs, inputPauses, others);
    std::printf("write time / its wire time and pauses (%.0f ms): %.3f, goal <= 1.2 (%s)\n\n",
                bound, ms / bound, ms / bound <= 1.2 ? "met" : "NOT met");
    link.ClosePort();
    return true;
}

} // namespace

int main(int argc, char** argv) {
    if (argc > 1) {
        std::printf("Usage: bench_setwrite\n"
                    "Writes a parameter set to ten stations at 9600 baud against kx5sim, in the "
                    "fast and\nthe standard pacing, and prints per station the requests on the "
                    "wire against\nthose the set needs, and the ratio of the write time to its "
                    "wire time (goal <= 1.2).\n");
        return std::strcmp(argv[1], "--help") == 0 ? 0 : 2;
    }
    QCoreApplication app(argc, argv);
    const bool ok = measure(false) && measure(true);
    return ok ? 0 : 1;
}
