// The map's pure rules: every register drawn from a parameter image with d taken once per
// refresh, and the click table. The access classes, and what a cell says to assistive
// technology, are read off the rendered map in test_map_window.cpp; the dialogs' conversions are
// test_dialogs.cpp's.
#include "ParamsFixture.h"
#include "registers/ParamInfo.h"

#include <array>
#include <set>

class MapRules : public ParamsFixture {};

TEST_F(MapRules, EveryRegisterIsDrawnFromTheImageByItsRule) {
    struct Case {
        int reg;
        int stored;
        std::array<int, 3> in; // INP, UNIT, DP-P
        const char* shown;
    };
    const std::array<int, 3> d0{1, 0, 0}, d1{2, 0, 0};
    // clang-format off
    const Case cases[] = {
        // Scaled with d, and d from INP, UNIT and DP-P.
        {1, 12345, {30, 0, 2}, "123.45"}, {1, 1234, {20, 1, 0}, "123.4"},
        {1, 1234, {21, 1, 0}, "1234"},    {1, 1234, {1, 0, 3}, "1234"},
        {2, 5, d1, "0.5"}, {3, -15, d1, "-1.5"}, {4, -5, d1, "-0.5"},
        {301, 1505, d1, "150.5"}, {302, 1, d1, "0.1"}, {303, 10, d1, "1.0"},
        {318, 7, {33, 0, 3}, "0.007"}, {328, -7, {33, 0, 3}, "-0.007"},
        {416, -50, d1, "-5.0"}, {417, 3, d1, "0.3"}, {418, 30, d1, "3.0"},
        {501, 5, d1, "0.5"}, {502, 25, d1, "2.5"}, {604, 15, d1, "1.5"},
        {612, 9999, d1, "999.9"}, {613, -1999, d1, "-199.9"}, {615, 1, d1, "0.1"},
        {616, 2, d1, "0.2"}, {618, -12, d1, "-1.2"},
        // Outputs in tenths whatever d is.
        {605, 1000, {30, 0, 2}, "100.0"}, {606, 5, d0, "0.5"}, {607, 955, d0, "95.5"},
        {608, -5, d0, "-0.5"},
        // Words, and what a code no word names shows.
        {102, 0, d0, "OFF"}, {103, 1, d0, "ON"}, {106, -1, d0, "ON"}, {110, 0, d0, "Hour"},
        {110, 3, d0, "Min"}, {305, 1, d0, "LOW"}, {305, 0, d0, "STD"}, {306, 0, d0, "OFF"},
        {306, 2, d0, "2"}, {306, 4, d0, "AUTO"}, {306, 9, d0, "AUTO"}, {500, 4, d0, "SPS"},
        {500, 1, d0, "PV"}, {500, 0, d0, ""}, {510, 1, d0, "SUM"}, {510, 0, d0, "STD"},
        {511, 0, d0, "600"}, {511, 3, d0, "4800"}, {511, 7, d0, "9600"}, {512, 1, d0, "EVEN"},
        {512, 5, d0, "ODD"}, {512, 0, d0, "NONE"}, {601, 1, d0, "DIR"}, {601, 0, d0, "REV"},
        {611, 1, {1, 1, 0}, "℉"}, {611, 0, d0, "℃"}, {619, 7, d0, "DOWN"}, {619, 1, d0, "UP"},
        {619, 0, d0, "OFF"},
    };
    // clang-format on
    // One display for all: a cell before the INP row must not keep the previous refresh's d.
    std::set<int> ruled;
    for (const Case& c : cases) {
        image[c.reg] = c.stored;
        input(c.in[0], c.in[1], c.in[2]);
        EXPECT_EQ(shown(c.reg), QString::fromUtf8(c.shown)) << c.reg << " " << c.stored;
        ruled.insert(c.reg);
    }
    // Every other register of the map shows its number as stored, with d 1 (that INP, UNIT
    // and DP-P are numbers too); a register not read shows nothing.
    image.clear();
    for (int reg = 0; reg < 700; ++reg)
        if (reg % 100 < kMapRows && !ruled.count(reg)) image[reg] = reg * 3 - 700;
    input(2, 0, 0);
    for (int reg = 0; reg < 700; ++reg) {
        if (reg % 100 >= kMapRows) continue;
        const QString expected = reg == 610         ? QStringLiteral("2")
                                 : reg == 611       ? QStringLiteral("℃")
                                 : reg == 614       ? QStringLiteral("0")
                                 : ruled.count(reg) ? QString()
                                                    : QString::number(reg * 3 - 700);
        EXPECT_EQ(shown(reg), expected) << reg;
    }
    refreshMapGrid(nullptr, display); // no station read: every value cell empty
    for (int reg : {1, 102, 301, 610})
        EXPECT_EQ(shown(reg), "") << reg;
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

// Each choice field's words, in English, in another letter case and in Korean, are its codes
// and a word it does not offer is refused; a field of a few numbers takes
// those. Every dialog's choice goes through this (which dialog field writes which register is
// test_dialogs.cpp's, typing it from the keyboard test_param_wire.cpp's).
TEST(ParamChoices, EachWordInEitherLanguageAndAnyCaseIsItsCodeAndNothingElse) {
    for (int reg : {102, 103, 106, 110, 300, 305, 306, 600, 601, 610, 611, 614, 619}) {
        const ParamInfo& p = *paramInfo(reg);
        std::vector<std::pair<QString, std::optional<int>>> typed;
        for (const ParamChoice& c : p.choices) {
            const QString en = c.word ? QString::fromUtf8(c.word) : QString::number(c.code);
            typed.push_back({en, c.code});
            typed.push_back({en.toLower() == en ? en.toUpper() : en.toLower(), c.code});
            if (c.korean) typed.push_back({QString::fromUtf8(c.korean), c.code});
            typed.push_back({en + QStringLiteral("x"), std::nullopt});
        }
        if (p.choices.empty())
            for (int code = p.lo; code <= p.hi; ++code)
                typed.push_back({QString::number(code), code});
        for (const char* unknown : {"", "1e1", "0.5", "?"})
            typed.push_back({QString::fromLatin1(unknown), std::nullopt});
        for (const auto& [text, code] : typed) {
            EXPECT_EQ(p.code(text), code) << reg << " \"" << text.toStdString() << '"';
            EXPECT_EQ(p.choiceRefusal(text).isEmpty(), code.has_value()) << reg;
        }
    }
}
