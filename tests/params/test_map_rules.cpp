// The map's pure rules: the displayed text of each rule, d taken once per refresh, the access
// classes and the click table. The window that applies them is left to test_map_window.cpp.
#include "link/Cells.h"
#include "link/Grid.h"
#include "params/ParamMap.h"

#include <gtest/gtest.h>

namespace {

struct InputSetup {
    int inp, unit, dpp;
};

void setInput(Grid& data, InputSetup s) {
    data.setText(14, 11, QString::number(s.inp));
    data.setText(14, 12, QString::number(s.unit));
    data.setText(14, 15, QString::number(s.dpp));
}

} // namespace

TEST(MapRules, RefreshShowsEachRule) {
    struct Case {
        int reg;
        const char* stored;
        InputSetup setup;
        const char* shown;
    };
    const InputSetup d0{1, 0, 0}, d1{2, 0, 0};
    const Case cases[] = {
        // Scaled with d, and d from INP, UNIT and DP-P.
        {1, "12345", {30, 0, 2}, "123.45"},
        {1, "1234", {20, 1, 0}, "123.4"},
        {1, "1234", {21, 1, 0}, "1234"},
        {1, "1234", {1, 0, 3}, "1234"},
        {4, "-5", d1, "-0.5"},
        {301, "1505", d1, "150.5"},
        {303, "1505", d0, "1505"},
        {318, "25", d1, "2.5"},
        {328, "-7", {33, 0, 3}, "-0.007"},
        {416, "-50", d1, "-5.0"},
        {418, "100", {30, 1, 2}, "1.00"},
        {501, "5", d1, "0.5"},
        {604, "15", d1, "1.5"},
        {612, "13700", d1, "1370.0"},
        {616, "0", d1, "0.0"},
        {618, "-3", d0, "-3"},
        // Outputs in tenths whatever d is.
        {605, "1000", {30, 0, 2}, "100.0"},
        {608, "-5", d0, "-0.5"},
        // Words.
        {102, "0", d0, "OFF"},
        {103, "1", d0, "ON"},
        {106, "-1", d0, "ON"},
        {110, "0", d0, "Hour"},
        {110, "3", d0, "Min"},
        {305, "0", d0, "STD"},
        {305, "1", d0, "LOW"},
        {306, "0", d0, "OFF"},
        {306, "2", d0, "2"},
        {306, "4", d0, "AUTO"},
        {306, "-1", d0, "AUTO"},
        {500, "1", d0, "PV"},
        {500, "4", d0, "SPS"},
        {500, "0", d0, ""},
        {510, "0", d0, "STD"},
        {510, "1", d0, "SUM"},
        {511, "2", d0, "2400"},
        {511, "7", d0, "9600"},
        {512, "0", d0, "NONE"},
        {512, "1", d0, "EVEN"},
        {512, "5", d0, "ODD"},
        {601, "1", d0, "DIR"},
        {601, "0", d0, "REV"},
        {611, "1", {1, 1, 0}, "℉"},
        {611, "0", d0, "℃"},
        {619, "1", d0, "UP"},
        {619, "7", d0, "DOWN"},
        // Empty cells read as 0.
        {102, "", d0, "OFF"},
        {511, "", d0, "600"},
        {612, "", d1, "0.0"},
        // Copied as stored: the PROGRAM group and rows without a rule.
        {203, "1234", d1, "1234"},
        {10, "abc", d1, "abc"},
        {104, "25", d1, "25"},
        {506, "300", d1, "300"},
        {610, "30", {30, 0, 2}, "30"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "register " << c.reg << " stored " << c.stored);
        Grid data(kMapCols, kMapRows);
        setInput(data, c.setup);
        const MapCell cell = mapCell(c.reg);
        data.setText(cell.col, cell.row, QString::fromUtf8(c.stored));
        Grid display;
        setupMapGrid(display);
        refreshMapGrid(data, display);
        EXPECT_EQ(display.text(cell.col, cell.row), QString::fromUtf8(c.shown));
        // Names stay in place.
        EXPECT_EQ(display.text(cell.col - 1, cell.row), mapParamName(c.reg / 100, c.reg % 100 + 1));
    }
}

TEST(MapRules, OneRefreshScalesEveryCellWithTheSameDecimals) {
    Grid data(kMapCols, kMapRows);
    setInput(data, {1, 0, 0});
    for (int reg : {1, 301, 416, 615})
        data.setText(mapCell(reg).col, mapCell(reg).row, QStringLiteral("12345"));
    Grid display;
    setupMapGrid(display);
    refreshMapGrid(data, display);
    EXPECT_EQ(display.text(2, 2), "12345");
    // A linear input with two decimals: cells before and after the INP row move together.
    data.setText(14, 11, QStringLiteral("30"));
    data.setText(14, 15, QStringLiteral("2"));
    refreshMapGrid(data, display);
    for (int reg : {1, 301, 416, 615})
        EXPECT_EQ(display.text(mapCell(reg).col, mapCell(reg).row), "123.45") << reg;
}

TEST(MapRules, LayoutNamesAndAccessClasses) {
    Grid g;
    setupMapGrid(g);
    EXPECT_EQ(g.maxCols(), 14);
    EXPECT_EQ(g.maxRows(), 38);
    struct Case {
        int reg;
        const char* name;
        MapAccess access;
    };
    const Case cases[] = {
        {1, "NPV", MapAccess::ReadOnly},      {18, "MODSTS", MapAccess::ReadOnly},
        {0, "", MapAccess::NotUsed},          {100, "MOD", MapAccess::NotUsed},
        {104, "ARW", MapAccess::ReadWrite},   {110, "RTMU", MapAccess::ReadWrite},
        {203, "SV1", MapAccess::NotUsed},     {220, "TM9", MapAccess::NotUsed},
        {225, "STC", MapAccess::NotUsed},     {300, "SVNO", MapAccess::ReadWrite},
        {305, "AT.M", MapAccess::ReadWrite},  {318, "1.RP", MapAccess::ReadWrite},
        {320, "2.P", MapAccess::ReadWrite},   {337, "3.DB", MapAccess::ReadWrite},
        {309, "", MapAccess::NotUsed},        {400, "HBA1", MapAccess::NotUsed},
        {412, "A3TY", MapAccess::NotUsed},    {417, "AL-2", MapAccess::ReadWrite},
        {506, "SPD", MapAccess::ReadWrite},   {516, "RP.T", MapAccess::ReadWrite},
        {525, "SEC", MapAccess::ReadWrite},   {609, "", MapAccess::NotUsed},
        {619, "B.OUT", MapAccess::ReadWrite},
    };
    const Bgr colour[] = {kReadOnlyColor, kReadWriteColor, kNotUsedColor};
    for (const Case& c : cases) {
        const MapCell v = mapCell(c.reg), n = mapLabelCell(c.reg);
        EXPECT_EQ(g.text(n.col, n.row), QString::fromLatin1(c.name)) << c.reg;
        EXPECT_EQ(mapAccess(v.col, v.row), c.access) << c.reg;
        EXPECT_EQ(g.backColor(v.col, v.row), colour[int(c.access)]) << c.reg;
    }
    EXPECT_EQ(g.text(11, 0), "RET / COM / RSP");
    EXPECT_EQ(g.header2Text(13), "600");
}

TEST(MapRules, ClickTable) {
    struct Case {
        int col, row;
        const char* message;
        MapDialog dialog;
    };
    const char* none = "";
    const Case cases[] = {
        {1, 5, "Read Only Area", MapDialog::None},
        {2, -1, "Read Only Area", MapDialog::None},
        {3, 1, "Not Used", MapDialog::None},
        {4, 2, "Not Used", MapDialog::None},
        {4, 3, none, MapDialog::Control},
        {3, 11, none, MapDialog::Control},
        {4, 5, none, MapDialog::PID},
        {4, 6, none, MapDialog::None},
        {4, 0, none, MapDialog::None},
        {5, 30, "Not Used", MapDialog::None},
        {6, 0, "Not Used", MapDialog::None},
        {8, 1, none, MapDialog::SV},
        {7, 4, none, MapDialog::SV},
        {8, 5, none, MapDialog::None},
        {8, 7, none, MapDialog::AT},
        {8, 11, none, MapDialog::PID},
        {8, 20, none, MapDialog::None},
        {7, 38, none, MapDialog::PID},
        {10, 1, "Not Used", MapDialog::None},
        {10, 19, "Not Used", MapDialog::None},
        {9, 11, none, MapDialog::ALM},
        {10, 18, none, MapDialog::ALM},
        {10, 3, none, MapDialog::None},
        {12, 2, "Go to Main-Window", MapDialog::None},
        {11, 7, "Go to Main-Window", MapDialog::None},
        {12, 1, none, MapDialog::None},
        {12, 14, "Not Used", MapDialog::None},
        {12, 21, none, MapDialog::SetDT},
        {11, 26, none, MapDialog::SetDT},
        {12, 27, none, MapDialog::None},
        {14, 1, none, MapDialog::OUT},
        {13, 9, none, MapDialog::OUT},
        {14, 10, none, MapDialog::None},
        {14, 11, none, MapDialog::IN},
        {13, 20, none, MapDialog::IN},
        {14, 21, none, MapDialog::None},
        {0, 3, none, MapDialog::None},
        {15, 3, none, MapDialog::None},
    };
    for (const Case& c : cases) {
        const MapClick a = mapClickAction(c.col, c.row);
        EXPECT_EQ(a.message, QString::fromLatin1(c.message)) << c.col << "," << c.row;
        EXPECT_EQ(a.dialog, c.dialog) << c.col << "," << c.row;
    }
}
