// The station and monitor tables as views of the line model: what each cell shows for each
// state of a station; the link's side of those states is test_link's.
#include "link/Cells.h"
#include "link/LineModel.h"
#include "monitor/MonitorTableModel.h"
#include "monitor/StationTableModel.h"

#include <QColor>
#include <gtest/gtest.h>

TEST(LineTables, CellsShowOnlyWhatWasReadAndNothingLiveOnceItIsNot) {
    const auto reading = [](int npv) {
        std::array<int, StationValues::kCount> r{};
        r[MonReg::NPV] = npv;
        r[MonReg::SPD] = -5;
        r[MonReg::INP] = 3;  // the first column
        r[MonReg::SVNO] = 2; // the first after COMSTS
        return r;
    };
    LineModel line;
    StationTableModel stations(&line);
    MonitorTableModel monitor(&line);
    int resets = 0, changed = 0;
    QObject::connect(&monitor, &QAbstractItemModel::modelReset, [&] { ++resets; });
    QObject::connect(&monitor, &QAbstractItemModel::dataChanged, [&] { ++changed; });
    line.setStations({{4, "Oven"}, {9, QString()}});
    ASSERT_EQ(resets, 1);
    ASSERT_EQ(stations.rowCount(), 2);
    auto st = [&](int row, int col, int role = Qt::DisplayRole) {
        return stations.index(row, col).data(role);
    };
    auto mon = [&](int row, int col, int role = Qt::DisplayRole) {
        return monitor.index(row, col - 1).data(role);
    };
    const QDateTime t = QDateTime::currentDateTimeUtc();
    struct Step {
        const char* name;
        std::function<void()> act;
        const char *model, *conn, *npv, *spd, *comsts;
        bool grey;
    } steps[] = {
        {"nothing heard", [] {}, "", "", "", "", "", false},
        {"answers the sweep",
         [&] { line.setModel(9, ControllerModel::KX5_105), line.setConn(9, ConnState::OK); },
         "KX5-105", "OK", "", "", "", false},
        {"first reading", [&] { line.storeValues(9, reading(1234), t); }, "KX5-105", "OK", "1234",
         "-5", "OK", false},
        {"refuses", [&] { line.noteFault(9, LineFault::Refused), line.markStale(9); }, "KX5-105",
         "OK", "1234", "-5", "NG", true},
        {"silent", [&] { line.setConn(9, ConnState::NG, LineFault::Silent); }, "KX5-105", "NG",
         "1234", "-5", "NG", true},
        {"answers again",
         [&] { line.setConn(9, ConnState::OK), line.storeValues(9, reading(7), t); }, "KX5-105",
         "OK", "7", "-5", "OK", false},
        {"port closed", [&] { line.markAllStale(), line.clearAnswering(); }, "KX5-105", "", "7",
         "-5", "", true},
    };
    for (const Step& s : steps) {
        SCOPED_TRACE(s.name);
        s.act();
        EXPECT_EQ(st(1, StationTableModel::McNo).toString(), "9");
        EXPECT_EQ(st(1, StationTableModel::Model).toString(), s.model);
        EXPECT_EQ(st(1, StationTableModel::ConnState).toString(), s.conn);
        const QVariant back = st(1, StationTableModel::ConnState, Qt::BackgroundRole);
        EXPECT_EQ(back, QString(s.conn) == "OK"   ? QVariant(QColor(Qt::green))
                        : QString(s.conn) == "NG" ? QVariant(QColor(Qt::black))
                                                  : QVariant());
        EXPECT_EQ(mon(1, MonitorCol::NPV).toString(), s.npv);
        EXPECT_EQ(mon(1, MonitorCol::SPD).toString(), s.spd);
        EXPECT_EQ(mon(1, MonitorCol::COMSTS).toString(), s.comsts);
        EXPECT_EQ(mon(1, MonitorCol::INP).toString() + mon(1, MonitorCol::SVNO).toString(),
                  *s.npv ? "32" : "");
        EXPECT_EQ(mon(1, MonitorCol::NPV, Qt::ForegroundRole).isValid(), s.grey);
        // The other station never answered: its row stays blank throughout.
        EXPECT_EQ(mon(0, MonitorCol::NPV).toString() +
                      st(0, StationTableModel::ConnState).toString(),
                  "");
    }
    EXPECT_EQ(monitor.headerData(0, Qt::Vertical, Qt::DisplayRole).toString(), "4");
    // The user's descriptions: a column of their own, and the row's tooltip names the station.
    EXPECT_EQ(st(0, StationTableModel::Name).toString(), "Oven");
    const QString tip = st(0, StationTableModel::ConnState, Qt::ToolTipRole).toString();
    EXPECT_TRUE(tip.contains("4") && tip.contains("Oven")) << tip.toStdString();
    EXPECT_TRUE(stations.anyNamed());
    line.setStations({{9, QString()}});
    EXPECT_FALSE(stations.anyNamed());
    EXPECT_GT(changed, 0);
}
