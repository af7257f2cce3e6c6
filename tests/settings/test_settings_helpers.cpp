#include "link/Grid.h"
#include "link/mdlKX5.h"
#include "settings/Stations.h"
#include "settings/frmKX5_SetDT.h"

#include <gtest/gtest.h>

class Helpers : public ::testing::Test {
protected:
    void SetUp() override { resetDataImage(); }
};

TEST_F(Helpers, KeepSelectedStationMovesOnlyAStationNoLongerInUse) {
    struct Row {
        std::vector<int> list;
        int selected, wantNo, wantIdx;
    };
    const Row rows[] = {
        {{3, 7}, 7, 7, 1},       // still in use: unchanged, index follows
        {{3, 7}, 5, 3, 0},       // dropped: the first station in use
        {{3, 7}, 0, 3, 0},       // nothing selected yet (port never opened)
        {{12}, 12, 12, 0},       //
        {{2, 4, 99}, 99, 99, 2}, //
        {{}, 5, 5, 0},           // no station at all: nothing to select, keep the number
    };
    for (const Row& r : rows) {
        gMC_List = r.list;
        gMC_No = r.selected;
        gMC_SelIdx = 42;
        KeepSelectedStation();
        EXPECT_EQ(gMC_No, r.wantNo) << "selected " << r.selected;
        EXPECT_EQ(gMC_SelIdx, r.wantIdx) << "selected " << r.selected;
    }
}

TEST_F(Helpers, StationGridRoundTripsSetEnvLines) {
    Grid g(2, 5);
    for (int r = 1; r <= 5; ++r)
        g.setText(1, r, "X");
    // Short file, no TAB, lower case and a second TAB: rows beyond the file keep "X".
    fillStationGrid(g, {"O\tOven A", "O", "o\tlower", "X\ta\tb"});
    const QStringList want{"O\tOven A", "O\t", "o\tlower", "X\ta", "X\t"};
    EXPECT_EQ(stationLines(g), want);
    // More lines than rows: the rest is ignored, not a crash.
    QStringList many;
    for (int i = 0; i < 120; ++i)
        many << "O\t" + QString::number(i);
    fillStationGrid(g, many);
    EXPECT_EQ(stationLines(g).size(), 5);
    EXPECT_EQ(g.text(2, 5), "4");
}

TEST_F(Helpers, ClockCellsAcceptOnlyDatesAndTimesInRange) {
    const std::tuple<const char*, bool, QDate> dates[] = {
        {"2024-02-29", true, QDate(2024, 2, 29)},
        {"1990-01-01", true, QDate(1990, 1, 1)},
        {"2100-12-31", true, QDate(2100, 12, 31)},
        {"2024-2-9", true, QDate(2024, 2, 9)},
        {"1989-12-31", false, {}},
        {"2101-01-01", false, {}},
        {"2023-02-29", false, {}},
        {"2024-13-01", false, {}},
        {"", false, {}},
        {"abc", false, {}},
    };
    for (const auto& [text, ok, want] : dates) {
        QDate d;
        EXPECT_EQ(frmKX5_SetDT::parseDate(text, &d), ok) << text;
        if (ok) {
            EXPECT_EQ(d, want) << text;
        }
    }
    const std::tuple<const char*, bool, QTime> times[] = {
        {"00:00:00", true, QTime(0, 0, 0)},
        {"23:59:59", true, QTime(23, 59, 59)},
        {"7:05:09", true, QTime(7, 5, 9)},
        {"24:00:00", false, {}},
        {"12:60:00", false, {}},
        {"12:00", false, {}},
        {"", false, {}},
    };
    for (const auto& [text, ok, want] : times) {
        QTime t;
        EXPECT_EQ(frmKX5_SetDT::parseTime(text, &t), ok) << text;
        if (ok) {
            EXPECT_EQ(t, want) << text;
        }
    }
}
