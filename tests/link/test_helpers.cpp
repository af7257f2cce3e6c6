#include "link/mdlKX5.h"

#include <gtest/gtest.h>

TEST(Hex, SignedValuesOfRegisterFields) {
    struct Row {
        const char* hex;
        const char* dec;
    } rows[] = {
        {"0000", "0"},     {"7FFF", "32767"}, {"F000", "-4096"}, {"FFFB", "-5"},
        {"F831", "-1999"}, {"8000", "32768"}, {"EFFF", "61439"}, {"00FA", "250"},
        {"FFFF", "-1"},    {"0a00", "0"},     {"00G1", "1"}, // non-hex digits count 0
    };
    for (const auto& r : rows)
        EXPECT_EQ(HexToSigned(QByteArray(r.hex)), r.dec) << r.hex;
}

TEST(Hex, LowerCaseDigitsCountZero) {
    EXPECT_EQ(HexToLong(QByteArray("ab")), 0);
    EXPECT_EQ(HexToLong(QByteArray("AB")), 171);
    EXPECT_EQ(HexToLong(QByteArray("1f")), 16);
}

TEST(Hex, PaddedUpperCase) {
    struct Row {
        qint64 v;
        int w;
        const char* out;
    } rows[] = {{100, 4, "0064"},    {-5, 4, "FFFB"}, {-1, 4, "FFFF"},    {0, 4, "0000"},
                {70000, 4, "11170"}, {255, 2, "FF"},  {-32768, 4, "8000"}};
    for (const auto& r : rows)
        EXPECT_EQ(HexPad(r.v, r.w), r.out) << r.v;
}

TEST(Checksum, KnownFrames) {
    // Text between STX and the checksum, and the checksum it must carry.
    struct Row {
        const char* body;
        const char* sum;
    } rows[] = {{"01WHO", "4F"},
                {"05DRR,02,0001,0002", "B6"},
                {"12DWR,01,0506,0064", "CA"},
                {"12DWR,01,0506,FFFB", "14"}};
    for (const auto& r : rows) {
        QByteArray f = QByteArray("\x02") + r.body + "..\r\n";
        PutFrameSum(f);
        EXPECT_EQ(f.mid(f.size() - 4, 2), QByteArray(r.sum)) << r.body;
        EXPECT_TRUE(CheckFrameSum(f)) << r.body;
        f[f.size() - 3] = f[f.size() - 3] == '0' ? '1' : '0';
        EXPECT_FALSE(CheckFrameSum(f)) << r.body;
    }
}

TEST(Checksum, LowerCaseSumFailsOnlyForDigitsAboveNine) {
    QByteArray f = QByteArray("\x02") + "05DRR,02,0001,0002" + "b6\r\n";
    EXPECT_FALSE(CheckFrameSum(f));
    f = QByteArray("\x02") + "01WHO" + "4f\r\n";
    EXPECT_FALSE(CheckFrameSum(f));
    // 0x14: both digits below ten, case does not matter
    f = QByteArray("\x02") + "12DWR,01,0506,FFFB" + "14\r\n";
    EXPECT_TRUE(CheckFrameSum(f));
    EXPECT_FALSE(CheckFrameSum(QByteArray("\x02\r\n")));
}

TEST(Decimals, TableOfInputUnitAndPointSetting) {
    struct Row {
        int inp, unit, dpp, d;
    } rows[] = {
        {3, 0, 0, 1},  {3, 1, 0, 0},  {20, 1, 0, 1}, {20, 0, 0, 1}, {21, 0, 0, 1},
        {21, 1, 0, 0}, {1, 0, 3, 0},  {6, 0, 0, 0},  {9, 0, 0, 1},  {11, 0, 0, 1},
        {30, 0, 2, 2}, {31, 1, 3, 3}, {0, 0, 2, 0},  {2, 5, 0, 0},  {29, 0, 3, 0},
    };
    for (const auto& r : rows)
        EXPECT_EQ(DecimalPlaces(r.inp, r.unit, r.dpp), r.d)
            << r.inp << "/" << r.unit << "/" << r.dpp;
}

TEST(Numbers, NumericValueOfText) {
    struct Row {
        const char* text;
        double v;
    } rows[] = {{"7a", 7},    {"  12.5x", 12.5}, {"abc", 0}, {"", 0},       {"-3", -3},
                {"+4", 4},    {".5", 0.5},       {"-", 0},   {"1e3", 1000}, {"1e", 1},
                {"2.5", 2.5}, {"\t9", 9},        {"1,5", 1}};
    for (const auto& r : rows)
        EXPECT_DOUBLE_EQ(val(r.text), r.v) << r.text;
}

TEST(Numbers, RoundHalfToEven) {
    struct Row {
        double in;
        qint64 out;
    } rows[] = {{2.5, 2}, {3.5, 4}, {-2.5, -2}, {150.7, 151}, {0.5, 0}, {1.5, 2}, {-0.4, 0}};
    for (const auto& r : rows)
        EXPECT_EQ(roundHalfEven(r.in), r.out) << r.in;
    EXPECT_EQ(cInt("2.5"), 2);
    EXPECT_EQ(cInt("7a"), 7);
}

TEST(Numbers, PatternsAndFormatting) {
    EXPECT_EQ(numberPattern(0), "0");
    EXPECT_EQ(numberPattern(1), "0.0");
    EXPECT_EQ(numberPattern(3), "0.000");
    EXPECT_EQ(formatDecimals(1234 / 10.0, 1), "123.4");
    EXPECT_EQ(formatDecimals(1234 / 100.0, 2), "12.34");
    EXPECT_EQ(formatDecimals(-5 / 10.0, 1), "-0.5");
    EXPECT_EQ(formatDecimals(1234, 0), "1234");
    EXPECT_EQ(formatDecimals(0, 1), "0.0");
}

TEST(DataImage, ProtocolSetsChecksumLength) {
    struct Row {
        const char* p;
        int len;
    } rows[] = {{"STD", 0}, {"SUM", 2}, {"std", 2}, {"", 2}, {"STD ", 2}};
    for (const auto& r : rows) {
        setProtocol(r.p);
        EXPECT_EQ(gSumLen, r.len) << r.p;
    }
    resetDataImage();
    EXPECT_EQ(gSumLen, 0);
}
