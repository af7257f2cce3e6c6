// The pure parts of the link: number helpers, checksums, request builders, the reply assembler
// and the trace. What the scheduler sends when is left to test_link, the wire to test_link_pty.
#include "link/Frames.h"
#include "link/PortSettings.h"
#include "link/ReplyAssembler.h"
#include "link/TraceLog.h"
#include "link/mdlKX5.h"

#include <array>
#include <gtest/gtest.h>
#include <optional>

namespace {
QByteArray frame(const char* body, const char* sum = "") {
    return QByteArray("\x02") + body + sum + "\r\n";
}
} // namespace

TEST(Numbers, HexSignedPaddedAndDecimals) {
    const std::pair<const char*, const char*>
        hexes[] = {{"0000", "0"},     {"7FFF", "32767"}, {"F000", "-4096"}, {"FFFB", "-5"},
                   {"F831", "-1999"}, {"8000", "32768"}, {"EFFF", "61439"}, {"0a00", "0"},
                   {"00G1", "1"}}; // only a leading F is negative; non-hex digits count 0
    for (const auto& [hex, dec] : hexes)
        EXPECT_EQ(HexToSigned(QByteArray(hex)), dec) << hex;
    EXPECT_EQ(HexToLong(QByteArray("ab")), 0);
    EXPECT_EQ(HexToLong(QByteArray("1f")), 16);
    // A reply's value field is four upper-case digits or no value at all.
    const std::pair<const char*, std::optional<int>> fields[] = {
        {"00FD", 253},          {"FFFB", -5},
        {"EFFF", 61439},        {"0000", 0},
        {"00fd", std::nullopt}, {"0a00", std::nullopt},
        {"00G1", std::nullopt}, {"00 1", std::nullopt},
        {"-001", std::nullopt}, {"001", std::nullopt},
        {"00001", std::nullopt}};
    for (const auto& [text, v] : fields)
        EXPECT_EQ(valueField(QByteArray(text)), v) << text;

    const std::pair<qint64, const char*> pads[] = {
        {100, "0064"}, {-5, "FFFB"}, {-1, "FFFF"}, {70000, "11170"}, {-32768, "8000"}};
    for (const auto& [v, out] : pads)
        EXPECT_EQ(HexPad(v, 4), out) << v;

    const std::array<int, 4> decs[] = {
        {3, 0, 0, 1},      {3, 1, 0, 0},  {20, 1, 0, 1}, {21, 1, 0, 0}, {9, 0, 0, 1},
        {6, 0, 0, 0},      {30, 0, 2, 2}, {31, 1, 3, 3}, {29, 0, 3, 0}, {2, 5, 0, 0},
        {30, 0, 32767, 3}, {30, 0, -1, 0}}; // a wild DP-P is held to what a KX5 offers
    for (const auto& [inp, unit, dpp, d] : decs)
        EXPECT_EQ(DecimalPlaces(inp, unit, dpp), d) << inp << "/" << unit << "/" << dpp;
}

TEST(Numbers, TextValuesRoundingAndFormatting) {
    const std::pair<const char*, double> texts[] = {
        {"7a", 7},   {"  12.5x", 12.5}, {"abc", 0}, {"", 0},       {"-3", -3},
        {".5", 0.5}, {"-", 0},          {"1e", 1},  {"1e3", 1000}, {"1,5", 1}};
    for (const auto& [text, v] : texts)
        EXPECT_DOUBLE_EQ(val(text), v) << text;
    const std::pair<double, qint64> rounds[] = {{2.5, 2},     {3.5, 4}, {-2.5, -2},
                                                {150.7, 151}, {0.5, 0}, {-0.4, 0}};
    for (const auto& [in, out] : rounds)
        EXPECT_EQ(roundHalfEven(in), out) << in;
    EXPECT_EQ(numberPattern(0), "0");
    EXPECT_EQ(numberPattern(3), "0.000");
    EXPECT_EQ(formatDecimals(-5 / 10.0, 1), "-0.5");
    EXPECT_EQ(formatDecimals(1234 / 100.0, 2), "12.34");
    for (const char* p : {"SUM", "std", "", "STD "}) {
        PortSettings s;
        s.setText(PortSettings::kProtocol, p);
        EXPECT_EQ(s.sumLen(), 2) << p; // anything but exactly "STD" carries a checksum
    }
    EXPECT_EQ(PortSettings{}.sumLen(), 0);
}

TEST(Frames, ChecksumsAndBuildersAgreeWithKnownBytes) {
    // clang-format off
    struct Row { const char *body, *sum; } rows[] = {
        {"01WHO", "4F"}, {"05DRR,02,0001,0002", "B6"},
        {"12DWR,01,0506,0064", "CA"}, {"12DWR,01,0506,FFFB", "14"}};
    // clang-format on
    for (const auto& r : rows) {
        QByteArray f = QByteArray("\x02") + r.body + "..\r\n";
        PutFrameSum(f);
        EXPECT_EQ(f, frame(r.body, r.sum));
        EXPECT_TRUE(CheckFrameSum(f)) << r.body;
        f[f.size() - 3] = f[f.size() - 3] == '0' ? '1' : '0';
        EXPECT_FALSE(CheckFrameSum(f)) << r.body;
    }
    // Lower-case checksum digits only count where they stand for 0 to 9.
    EXPECT_FALSE(CheckFrameSum(frame("05DRR,02,0001,0002", "b6")));
    EXPECT_TRUE(CheckFrameSum(frame("12DWR,01,0506,FFFB", "14")));
    EXPECT_FALSE(CheckFrameSum(QByteArray("\x02\r\n")));

    EXPECT_EQ(buildModelReq(1, 2), QByteArray::fromHex("02303157484F34460D0A"));
    EXPECT_EQ(buildModelReq(1, 0), QByteArray::fromHex("02303157484F0D0A"));
    EXPECT_EQ(buildReadReq(5, {1, 2}, 2), frame("05DRR,02,0001,0002", "B6"));
    EXPECT_EQ(buildWriteReq(12, {506}, {-5}, 2), frame("12DWR,01,0506,FFFB", "14"));
    // Only the first four characters of a value too wide for the field are sent.
    EXPECT_EQ(buildWriteReq(7, {120}, {70000}, 0), frame("07DWR,01,0120,1117"));
}

TEST(ReplyAssembler, BytesInFramesAndRefusalsOut) {
    using K = ReplyAssembler::Event::Kind;
    const QByteArray reply = frame("05DRR,OK,00FA");
    struct Row {
        const char* name;
        std::vector<QByteArray> reads;
        std::vector<std::pair<K, QByteArray>> events; // over all reads, in order
    } rows[] = {
        // clang-format off
        {"one read", {reply}, {{K::Frame, reply}}},
        {"split after the OK", {reply.left(10), reply.mid(10)}, {{K::Frame, reply}}},
        {"two in one read", {reply + reply}, {{K::Frame, reply}, {K::Frame, reply}}},
        {"junk before STX is dropped", {"\xFF\x13junk" + reply}, {{K::Frame, reply}}},
        {"STX restarts a frame", {"\x02" "05DR" + reply}, {{K::Frame, reply}}},
        {"refusal ends the read at its fifth byte", {frame("05NG,01") + reply},
         {{K::Refusal, "\x02" "05NG"}}},
        {"stray LF after a frame is no second copy", {reply + "\n"},
         {{K::Frame, reply}, {K::Frame, "\n"}}},
        {"a reply that never ends is dropped",
         {"\x02" + QByteArray(ReplyAssembler::kMaxFrame + 10, 'A') + "\r\n"},
         {{K::Overflow, "\x02" + QByteArray(ReplyAssembler::kMaxFrame - 1, 'A')},
          {K::Frame, QByteArray(11, 'A') + "\r\n"}}},
        // clang-format on
    };
    for (const auto& r : rows) {
        ReplyAssembler a;
        std::vector<std::pair<K, QByteArray>> seen;
        for (const QByteArray& read : r.reads)
            for (const auto& e : a.feed(read))
                seen.emplace_back(e.kind, e.bytes);
        EXPECT_EQ(seen, r.events) << r.name;
    }
    // A new request forgets a half-assembled reply.
    ReplyAssembler a;
    a.feed(reply.left(8));
    a.reset();
    EXPECT_TRUE(a.feed(reply.mid(8)).size() == 1 && a.pending() == 0);
}

TEST(Trace, SpelledControlBytesWrapAndCap) {
    TraceLog t;
    t.add(frame("01WHO"), true);
    QStringList row = {t.label(0)};
    for (int c = 0; c <= 8; ++c)
        row << t.cell(0, c);
    EXPECT_EQ(row, QStringList({"Send", "STX", "0", "1", "W", "H", "O", "CR", "LF", ""}));
    // Two monitor replies in one read (212 bytes) show whole, without the read's spare room.
    QByteArray read(16384, 'x');
    read.resize(212);
    t.add(read, false);
    EXPECT_EQ(t.cell(1, 211) + t.label(1) + QString::number(t.row(1).bytes.capacity()), "xRecv212");
    // A flood is cut, and says how much was left out.
    t.add(QByteArray(30000, 'y'), false);
    const int last = TraceLog::kCols - 1;
    EXPECT_EQ(t.cell(2, last - 1) + t.cell(2, last), QString("y(+%1 bytes)").arg(30000 - last));
    while (t.rows() < TraceLog::kRows)
        t.add("z", false);
    // The next frame restarts the trace in its first row.
    t.add("AB", false);
    EXPECT_EQ(t.rows(), 1);
    EXPECT_EQ(t.cell(0, 1) + t.cell(0, 2), "B");
}
