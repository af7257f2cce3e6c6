// The map's pure rules: the displayed text of each rule with d taken once per refresh, the
// access classes and the click table. The window applying them is left to
// test_map_window.cpp, the dialogs' conversions to test_dialogs.cpp.
#include "ParamsFixture.h"

#include <array>

class MapRules : public ParamsFixture {};

TEST_F(MapRules, RefreshShowsEachRuleWithTheDecimalsOfThisRefresh) {
    struct Case {
        int reg;
        const char* stored;
        std::array<int, 3> in; // INP, UNIT, DP-P
        const char* shown;
    };
    const std::array<int, 3> d0{1, 0, 0}, d1{2, 0, 0};
    // clang-format off
    const Case cases[] = {
        // Scaled with d, and d from INP, UNIT and DP-P.
        {1, "12345", {30, 0, 2}, "123.45"}, {1, "1234", {20, 1, 0}, "123.4"},
        {1, "1234", {21, 1, 0}, "1234"},    {1, "1234", {1, 0, 3}, "1234"},
        {4, "-5", d1, "-0.5"},              {301, "1505", d1, "150.5"},
        {328, "-7", {33, 0, 3}, "-0.007"},  {416, "-50", d1, "-5.0"},
        {501, "5", d1, "0.5"},              {604, "15", d1, "1.5"},
        {612, "", d1, "0.0"},
        // Outputs in tenths whatever d is.
        {605, "1000", {30, 0, 2}, "100.0"}, {608, "-5", d0, "-0.5"},
        // Words.
        {102, "0", d0, "OFF"}, {106, "-1", d0, "ON"}, {110, "0", d0, "Hour"}, {110, "3", d0, "Min"},
        {305, "1", d0, "LOW"}, {306, "0", d0, "OFF"}, {306, "2", d0, "2"}, {306, "4", d0, "AUTO"},
        {500, "4", d0, "SPS"}, {500, "0", d0, ""}, {510, "1", d0, "SUM"}, {511, "", d0, "600"},
        {511, "7", d0, "9600"}, {512, "1", d0, "EVEN"}, {512, "5", d0, "ODD"},
        {601, "1", d0, "DIR"}, {611, "1", {1, 1, 0}, "℉"}, {619, "7", d0, "DOWN"},
        // Copied as stored: the PROGRAM group and rows without a rule.
        {203, "1234", d1, "1234"}, {10, "abc", d1, "abc"}, {506, "300", d1, "300"},
    };
    // clang-format on
    // One display for all: a cell before the INP row must not keep the previous refresh's d.
    for (const Case& c : cases) {
        store(c.reg, QString::fromUtf8(c.stored));
        input(c.in[0], c.in[1], c.in[2]);
        EXPECT_EQ(shown(c.reg), QString::fromUtf8(c.shown)) << c.reg << " " << c.stored;
    }
}

TEST_F(MapRules, NamesAndAccessClasses) {
    struct Case {
        int reg;
        const char* name;
        MapAccess access;
    };
    using A = MapAccess;
    // clang-format off
    const Case cases[] = {
        {18, "MODSTS", A::ReadOnly}, {100, "MOD", A::NotUsed},    {104, "ARW", A::ReadWrite},
        {220, "TM9", A::NotUsed},    {318, "1.RP", A::ReadWrite}, {337, "3.DB", A::ReadWrite},
        {309, "", A::NotUsed},       {412, "A3TY", A::NotUsed},   {516, "RP.T", A::ReadWrite},
        {609, "", A::NotUsed},       {619, "B.OUT", A::ReadWrite},
    };
    // clang-format on
    const Bgr colour[] = {kReadOnlyColor, kReadWriteColor, kNotUsedColor};
    for (const Case& c : cases) {
        const MapCell v = mapCell(c.reg), n = mapLabelCell(c.reg);
        EXPECT_EQ(display.text(n.col, n.row), QString::fromLatin1(c.name)) << c.reg;
        EXPECT_EQ(mapAccess(v.col, v.row), c.access) << c.reg;
        EXPECT_EQ(display.backColor(v.col, v.row), colour[int(c.access)]) << c.reg;
    }
}

TEST_F(MapRules, ClickTable) {
    struct Case {
        int col, row;
        const char* message;
        MapDialog dialog;
    };
    using D = MapDialog;
    const char *ro = "Read Only Area", *nu = "Not Used", *gm = "Go to Main-Window";
    // clang-format off
    const Case cases[] = {
        {1, 5, ro, D::None},    {2, -1, ro, D::None},  {3, 1, nu, D::None},   {4, 2, nu, D::None},
        {4, 3, "", D::Control}, {3, 11, "", D::Control}, {4, 5, "", D::PID},  {4, 6, "", D::None},
        {4, 0, "", D::None},    {5, 30, nu, D::None},  {6, 0, nu, D::None},   {8, 1, "", D::SV},
        {7, 4, "", D::SV},      {8, 5, "", D::None},   {8, 7, "", D::AT},     {8, 11, "", D::PID},
        {8, 20, "", D::None},   {7, 38, "", D::PID},   {10, 1, nu, D::None},  {10, 19, nu, D::None},
        {9, 11, "", D::ALM},    {10, 18, "", D::ALM},  {10, 3, "", D::None},  {12, 2, gm, D::None},
        {11, 7, gm, D::None}, {12, 1, "", D::None}, {12, 14, nu, D::None}, {12, 21, "", D::SetDT},
        {11, 26, "", D::SetDT}, {12, 27, "", D::None}, {14, 1, "", D::OUT},   {13, 9, "", D::OUT},
        {14, 10, "", D::None},  {14, 11, "", D::IN},   {13, 20, "", D::IN},   {14, 21, "", D::None},
        {0, 3, "", D::None},    {15, 3, "", D::None},
    };
    // clang-format on
    for (const Case& c : cases) {
        const MapClick a = mapClickAction(c.col, c.row);
        EXPECT_EQ(a.message, QString::fromLatin1(c.message)) << c.col << "," << c.row;
        EXPECT_EQ(a.dialog, c.dialog) << c.col << "," << c.row;
    }
}
