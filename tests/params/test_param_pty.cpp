// The parameter windows end to end: the main window on the real serial port over a
// pseudo-terminal against kx5sim, real timers. The map refreshed on its timer, a set copied to
// other stations, input writes' halves two seconds apart. The dialogs' frames, their order and
// the refreshes' rules are left to test_param_wire.cpp.
#include "ParamsFixture.h"
#include "params/ParamSet.h"
#include "params/SetWriter.h"
#include "params/WriteSetDialog.h"
#include "params/frmKX5_Parameter.h"
#include "tests/monitor/SimWindow.h"

#include <QCheckBox>
#include <QListWidget>
#include <QTreeWidget>
#include <algorithm>
#include <map>

using namespace std::chrono_literals;

class ParamPty : public ::testing::Test, protected SimWindow {};

// Registers of every DWR frame the simulator received, by station.
static std::map<int, std::vector<int>> writtenRegisters(const kx5sim::SimLine& sim) {
    std::map<int, std::vector<int>> out;
    for (const kx5sim::Exchange& e : sim.exchanges()) {
        if (e.request.size() < 7 || e.request.compare(3, 3, "DWR") != 0) continue;
        const QStringList f = QString::fromStdString(e.request).trimmed().split(',');
        for (int i = 2; i + 1 < f.size(); i += 2)
            out[e.address].push_back(f[i].toInt());
    }
    return out;
}

// A set taken from station 1 copied to stations 2 to 4: a cancel part way, then a full run
// through the Write Set window in which station 3 refuses SV1 and station 4 falls silent in
// its input pause, and the batch goes on. What the stations hold is read in the simulator.
TEST_F(ParamPty, WriteSetCopiesAStationToOthersAndReportsEachEnd) {
    startSim({1, 2, 3, 4});
    // Station 1 differs from the factory settings the others keep: another input type (its
    // range follows after the pause), SV1, a PID value, an alarm type; 104 and the recorder's
    // print speed are not copied by a set.
    const std::pair<int, int> station1[] = {{610, 3}, {612, 5000}, {301, 1234}, {311, 100},
                                            {410, 3}, {104, 55},   {506, 200}};
    for (auto [reg, v] : station1)
        ASSERT_TRUE(sim->writeRegister(1, reg, std::int16_t(v)));
    openWindow();
    KX5Link* link = win->link();
    bool read1 = false;
    QObject::connect(link, &KX5Link::paramsRead, [&](int mc) { read1 = read1 || mc == 1; });
    ASSERT_TRUE(QTest::qWaitFor([&] { return read1; }, 20000));
    // The map shows the station as read once its refresh timer has run.
    auto map = std::make_unique<frmKX5_Parameter>(link, ParamSource::of(link), win.get());
    win->setOpenMap(map.get());
    map->show();
    ASSERT_TRUE(QTest::qWaitFor([&] { return map->displayGrid()->text(14, 11) == "3"; }, 20000));
    map.reset();
    // Saved to a file and read back, as the user's set would be.
    const QString file = dir.filePath("MC1.csv");
    ASSERT_TRUE(
        writeLinesAtomic(file,
                         paramSetLines(paramSetFromImage(*link->paramImage(1), link->model(1), 1,
                                                         QDateTime::currentDateTime())),
                         nullptr));
    ParamSet set;
    QString error;
    ASSERT_TRUE(readParamSet(file, &set, &error)) << error.toStdString();

    const auto run = [&](SetWriter& w, bool write) {
        bool done = false;
        QObject scope; // the connection ends with this run
        QObject::connect(&w, &SetWriter::finished, &scope, [&] { done = true; });
        if (write)
            w.write();
        else if (!w.compare(&error))
            return false;
        return QTest::qWaitFor([&] { return done; }, 120000);
    };

    // Another model: refused naming the set's line 2, before anything is sent.
    ParamSet other = set;
    other.model = set.model == ControllerModel::KX5_105 ? ControllerModel::KX5_Other
                                                        : ControllerModel::KX5_105;
    SetWriter refused(link, other, {2});
    EXPECT_FALSE(refused.compare(&error));
    EXPECT_EQ(refused.stations()[0].state, SetWriter::State::Waiting);

    // What differs: the copied registers, the whole input group after its type, nothing else.
    {
        SetWriter w(link, set, {4, 3});
        ASSERT_TRUE(run(w, false)) << error.toStdString();
        std::vector<int> regs;
        for (const ParamDiff& d : w.stations()[0].diffs)
            regs.push_back(d.reg);
        std::sort(regs.begin(), regs.end());
        EXPECT_EQ(regs, (std::vector<int>{301, 311, 410, 610, 611, 612, 613, 614, 615, 616, 617,
                                          618, 619}));
        // Cancel once station 4 has its first write confirmed: it stops between writes.
        QObject::connect(&w, &SetWriter::stationChanged, [&](int i) {
            if (i == 0 && w.stations()[0].written > 0) w.cancel();
        });
        ASSERT_TRUE(run(w, true));
        EXPECT_EQ(w.stations()[0].state, SetWriter::State::Stopped);
        EXPECT_EQ(w.stations()[0].written, 10);
        EXPECT_EQ(w.stations()[1].written, 0);
        EXPECT_EQ(sim->readRegister(4, 610), 3);
        EXPECT_EQ(sim->readRegister(4, 301), 1000);
        EXPECT_EQ(sim->readRegister(3, 610), 2);
    }

    // The full run through the window: station 2 falls silent in its input pause, station 3
    // refuses SV1, station 4 takes the rest. The batch goes past the lost one.
    kx5sim::Fault ng;
    ng.kind = kx5sim::FaultKind::Refuse;
    ng.station = 3;
    ng.reg = 301;
    sim->addFault(ng);
    QObject::connect(link, &KX5Link::inputPauseStarted, [&](const Request& r) {
        if (r.mcNo != 2) return;
        kx5sim::Fault silent;
        silent.kind = kx5sim::FaultKind::Silent;
        silent.station = 2;
        sim->addFault(silent);
    });
    WriteSetDialog dlg(link, set, file);
    for (int i = 0; i < dlg.stationList()->count(); ++i) {
        QListWidgetItem* item = dlg.stationList()->item(i);
        item->setCheckState(item->data(Qt::UserRole).toInt() > 1 ? Qt::Checked : Qt::Unchecked);
    }
    answer = QMessageBox::Yes;
    const auto idle = [&] { return dlg.writer() && !dlg.writer()->busy(); };
    dlg.btnCompare_Click();
    ASSERT_TRUE(QTest::qWaitFor(idle, 60000));
    // Once station 2's end is reported it answers again, so the poll stops waiting on it.
    QObject::connect(dlg.writer(), &SetWriter::stationChanged, [&](int i) {
        if (i != 0 || dlg.writer()->stations()[0].state != SetWriter::State::NotAnswering) return;
        sim->clearFaults();
        sim->addFault(ng);
    });
    EXPECT_EQ(dlg.writer()->stations()[2].diffs.size(), 3u) << "station 4 has its input group";
    // Write all lists every register the set copies, the equal ones too; unchecked, the
    // differences again.
    auto* all = dlg.findChild<QCheckBox*>("chkWriteAll");
    all->setChecked(true);
    const auto copied = std::count_if(set.entries.begin(), set.entries.end(),
                                      [](const ParamSetEntry& e) { return e.writable; });
    EXPECT_EQ(long(dlg.writer()->stations()[2].diffs.size()), long(copied));
    all->setChecked(false);
    EXPECT_EQ(dlg.writer()->stations()[2].diffs.size(), 3u);
    sim->clearExchanges();
    dlg.btnWrite_Click();
    ASSERT_EQ(said.size(), 1);
    EXPECT_TRUE(said[0].contains("MC 4: SV1 100.0 → 123.4, 1.I 240 → 100, A1TY 1 → 3\n\n"))
        << said[0].toStdString();
    ASSERT_TRUE(QTest::qWaitFor(idle, 120000));
    // Station 3's input halves: two seconds apart, nothing else on the line between them.
    const auto ex = sim->exchanges();
    const auto at = [&](const char* start) {
        return std::find_if(ex.begin(), ex.end(),
                            [&](const auto& e) { return e.request.rfind(start, 0) == 0; });
    };
    const auto a = at("\00203DWR,02,0610,"), b = at("\00203DWR,08,0612,");
    ASSERT_TRUE(a != ex.end() && b == a + 1);
    EXPECT_GE(b->time - a->time, 2000ms);
    EXPECT_LT(b->time - a->time, 3000ms);
    const auto& st = dlg.writer()->stations();
    EXPECT_EQ(st[0].state, SetWriter::State::NotAnswering) << st[0].report.toStdString();
    EXPECT_EQ(st[0].written, 2);
    EXPECT_EQ(st[1].state, SetWriter::State::Refused) << st[1].report.toStdString();
    EXPECT_EQ(st[1].written, 10);
    EXPECT_EQ(st[2].state, SetWriter::State::Verified) << st[2].report.toStdString();
    for (int i : {0, 1, 2}) // the two that did not end as asked in red
        EXPECT_EQ(dlg.resultTree()->topLevelItem(i)->foreground(0).color() == Qt::red, i < 2) << i;

    for (const ParamSetEntry& e : set.entries) {
        const int own4 = sim->readRegister(4, e.reg);
        if (e.writable) {
            EXPECT_EQ(own4, e.raw) << e.reg;
        } else if (e.reg == 104 || e.reg == 506) {
            EXPECT_NE(own4, e.raw) << e.reg << " is not copied";
        }
    }
    // Station 2 holds what its report says: the new type with the old range.
    for (auto [mc, reg, v] :
         {std::tuple{3, 301, 1000}, {3, 612, 5000}, {2, 610, 3}, {2, 612, 9999}, {2, 301, 1000}})
        EXPECT_EQ(sim->readRegister(mc, reg), v) << "station " << mc << " register " << reg;
    // Only registers a set copies ever went out; station 3 stopped at its refusal.
    for (const auto& [station, regs] : writtenRegisters(*sim))
        for (int reg : regs)
            EXPECT_TRUE(setWritable(reg)) << "station " << station << " register " << reg;
    EXPECT_EQ(std::ranges::count(writtenRegisters(*sim)[3], 311), 0);

    // Station 4 now differs from the set only where a set does not copy.
    SetWriter again(link, set, {4});
    ASSERT_TRUE(run(again, false));
    EXPECT_EQ(again.stations()[0].state, SetWriter::State::Equal);
    EXPECT_EQ(again.stations()[0].notCopied.size(), 2u);
}
