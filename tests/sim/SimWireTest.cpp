// Bytes in, exact bytes out, and when fault rules fire; timing and real devices: SimLinePtyTest.
#include "link/Frames.h"
#include "sim/SimBus.h"
#include "sim/SimFrameReader.h"
#include "sim/SimOptions.h"

#include <QStringList>
#include <gtest/gtest.h>

#include <string_view>
#include <tuple>

using namespace kx5sim;

namespace {

const std::string kStx(1, '\x02');

std::string bytes(const QByteArray& a) {
    return a.toStdString();
}

// STX body [two upper-case hex digits of the byte sum modulo 256] CR LF, owing nothing to sim/.
std::string frame(std::string_view body, bool withSum) {
    unsigned sum = 0;
    for (unsigned char c : body)
        sum += c;
    const char* hex = "0123456789ABCDEF";
    const std::string check = withSum ? std::string{hex[sum / 16 % 16], hex[sum % 16]} : "";
    return kStx + std::string(body) + check + "\r\n";
}

// Rows run in order through one frame reader and one line with stations 1, 2, 3, 5 and 12,
// so a write shows in a later read. Plain text is framed in the row's mode; bytes with STX, CR
// or LF go as they stand. A fresh station reads PV 25.0 and SV 100.0 at process time 0.
TEST(SimWire, BytesInGiveExactBytesOut) {
    const Mode S = Mode::Std, C = Mode::Sum;
    const std::string who = bytes(buildModelReq(1, 2));
    const std::tuple<Mode, std::string, std::string, const char*> rows[] = {
        // What the program sends, answered as it expects.
        {S, bytes(buildModelReq(1, 0)), kStx + "01WHO,OK,KX5-100033\r\n", ""},
        {C, who, kStx + "01WHO,OK,KX5-1000336D\r\n", ""},
        {S, bytes(buildReadReq(5, {1, 2}, 0)), kStx + "05DRR,OK,00FA,03E8\r\n", ""},
        {C, bytes(buildReadReq(5, {1, 2}, 2)), kStx + "05DRR,OK,00FA,03E832\r\n", ""},
        {S, bytes(buildWriteReq(12, {506}, {-5}, 0)), kStx + "12DWR,OK\r\n", ""},
        {S, bytes(buildReadReq(12, {506}, 0)), kStx + "12DRR,OK,FFFB\r\n", ""},
        {C, bytes(buildWriteReq(12, std::vector(99, 506), std::vector(99, 100), 2)), // longest
         kStx + "12DWR,OK16\r\n", ""},
        {C, bytes(buildReadReq(12, {506, 2}, 2)), kStx + "12DRR,OK,0064,03E813\r\n", ""},
        {C,
         bytes(buildReadReq(
             1, {610, 611, 614, 1, 2, 3, 4, 5, 8, 9, 17, 18, 300, 501, 502, 503, 504, 505, 506},
             2)),
         kStx + "01DRR,OK,0002,0000,0001,00FA,03E8,03E8,03E8,0000,0001,0002,0000,0000,0001,"
                "0000,0000,0000,0000,0000,00642B\r\n",
         ""},
        // Framing: in pieces, junk before, STX restarts, two at once, an overlong one dropped.
        {S, kStx + "05W", "", ""},
        {S, "HO\r\n", "05WHO,OK,KX5-100033", ""},
        {S, "\xFF~#\r\n" + kStx + "05WHO\r\n", "05WHO,OK,KX5-100033", ""},
        {S, kStx + "01DR" + kStx + "05WHO\r\n", "05WHO,OK,KX5-100033", ""},
        {S, kStx + "05WHO\r\n" + kStx + "01WHO\r\n",
         kStx + "05WHO,OK,KX5-100033\r\n" + kStx + "01WHO,OK,KX5-100033\r\n", ""},
        {S, kStx + "01DRR" + std::string(SimFrameReader::kMaxFrame, '0') + "\r\n", "", ""},
        // Refusals; none of these writes changes SV1, not even in part.
        {S, "05ABC", "05NG,01", ""},
        {C, "05DRR,01,0700", "05NG,02", ""},
        {S, "05DWR,01,1000,0001", "05NG,02", ""},
        {C, "05DRR,02,0001", "05NG,03", ""},
        {S, "05DRR,01,0001,0002", "05NG,03", ""},
        {C, "05DRR,00", "05NG,03", ""},
        {S, "05DRR,01,00A1", "05NG,03", ""},
        {C, "05DRR,01;0001", "05NG,03", ""},
        {S, "05WHO,1", "05NG,03", ""},
        {S, kStx + "05WHO\n", "05NG,03", ""},
        {C, "05DWR,01,0301,00G0", "05NG,05", ""},
        {S, "05DWR,01,0301,00ff", "05NG,05", ""},
        {C, "05DWR,02,0301,0BB8,0001,0064", "05NG,06", ""},
        {S, "05DWR,02,0301,0BB8,0800,0001", "05NG,02", ""},
        {C, kStx + "05WHO00\r\n", "05NG,04", ""},
        {C, kStx + "05WHO\r\n", "05NG,04", ""},
        {C, "05DRR,01,0301", "05DRR,OK,03E8", ""},
        // Nobody answers an absent station or an address that is not two digits.
        {S, "07WHO", "", ""},
        {S, "A1WHO", "", ""},
        {S, kStx + "\r\n", "", ""},
        // Faults that change the bytes; a refused write is not applied.
        {C, who, "", "silent"},
        {C, who, kStx + "01WHO,OK,KX5-1000336D\r\n", "silent,station=5"},
        {C, who, kStx + "01WHO,OK,TZ4-10003377\r\n", "foreign"},
        {C, who, kStx + "01WHO,OK,KX5-10003360\r\n", "bad-sum"},
        {C, who, kStx + "01NG,098B\r\n", "ng"},
        {C, who, kStx + "01WHO,NO,KX5-10003370\r\n", "no-ok"},
        {C, who, kStx + "03WHO,OK,KX5-1000336F\r\n", "address=3"},
        {C, who, kStx + "01WHO,OK,KX5-1000336D\r\n" + kStx + "01WHO,OK,KX5-1000336D\r\n", "double"},
        {C, bytes(buildReadReq(5, {614}, 2)), "05DRR,OK,0001,270F,F831", "values=2"},
        {S, bytes(buildReadReq(5, {1, 2}, 0)), "05DRR,OK,00FA", "values=-1"},
        {C, bytes(buildReadReq(5, {1, 2}, 2)), "05DWR,OK,00FA,03E8", "echo=DWR"},
        {S, "05ABC", "05NG,01", "echo=DWR"},
        {S, bytes(buildWriteReq(12, {506}, {300}, 0)), kStx + "12NG,09\r\n", "ng"},
        {S, bytes(buildReadReq(12, {506}, 0)), kStx + "12DRR,OK,0064\r\n", ""},
    };
    auto wire = [](const std::string& s, Mode mode) {
        const bool raw = s.empty() || s.find_first_of("\x02\r\n") != std::string::npos;
        return raw ? s : frame(s, mode == Mode::Sum);
    };
    SimFrameReader reader;
    SimBus bus(S, {1, 2, 3, 5, 12});
    for (const auto& [mode, request, reply, fault] : rows) {
        SCOPED_TRACE(testing::PrintToString(request));
        bus.setMode(mode);
        bus.faults().clear();
        if (*fault) bus.faults().add(*FaultPlan::parse(fault));
        std::string replies;
        for (const std::string& f : reader.feed(wire(request, mode)))
            if (const ReplyPlan plan = bus.handle(f, 0, 0); plan.answer) replies += plan.reply;
        EXPECT_EQ(replies, wire(reply, mode));
    }
}

// Which of eight requests (pairs of station and kind) the faults of a command line
// fire on, or "refused".
std::string fires(const std::string& commandLine) {
    const Request::Kind R = Request::Kind::Read, W = Request::Kind::Write, H = Request::Kind::Who;
    const std::pair<int, Request::Kind> requests[] = {{1, R}, {2, R}, {1, H}, {2, H},
                                                      {2, W}, {1, H}, {1, R}, {1, W}};
    std::vector<std::string> args;
    for (const QString& word : QString::fromStdString(commandLine).split(' ', Qt::SkipEmptyParts))
        args.push_back(word.toStdString());
    std::string why;
    const auto options = parseOptions(args, &why);
    if (!options) return why.empty() ? "refused without a reason" : "refused";
    FaultPlan plan;
    for (const Fault& f : options->line.faults)
        plan.add(f);
    std::string out;
    for (const auto& [station, kind] : requests) {
        // The write to station 2 carries 610 and 612, the one to station 1 carries 300.
        const std::vector<int> regs = kind != W      ? std::vector<int>{}
                                      : station == 2 ? std::vector<int>{610, 612}
                                                     : std::vector<int>{300};
        out += plan.decide(station, kind, regs) == FaultDecision{} ? '0' : '1';
    }
    return out;
}

TEST(SimWire, CommandLineFaultsFireWhenAndWhereTheySay) {
    const std::pair<const char*, const char*> rows[] = {
        {"--fault ng", "11111111"},
        {"--fault ng,once", "10000000"},
        {"--fault ng,every=3", "00100100"},
        {"--fault silent,station=2", "01011000"},
        {"--fault silent,station=2,once", "01000000"},
        {"--fault foreign", "00110100"}, // model queries only
        {"--fault foreign,station=1,every=2", "00000100"},
        {"--fault delay=5,station=1,every=2", "00100010"},
        {"--fault split=3,pause=50,once --fault garbage,every=4", "10010001"},
        {"--fault bad-sum,prob=0 --stations 1-3,7", "00000000"},
        {"--pace --fault pace,prob=1,seed=3", "11111111"},
        {"--fault values=1", "11000010"}, // reads only
        {"--fault values=-2,station=1,every=2", "00000010"},
        {"--fault echo=DWR,station=2,every=2", "00010000"},
        {"--fault ng,reg=612", "00001000"}, // writes that include 612 only
        {"--fault ng,station=1,reg=300", "00000001"},
        {"--fault ng,prob=0.25,seed=7", "11000011"}, // the same draws for the same seed
        {"--fault ng,prob=0.25,seed=8", "11001000"},
    };
    for (const auto& [commandLine, expected] : rows)
        EXPECT_EQ(fires(commandLine), expected) << commandLine;
    // clang-format off
    const char* const refused[] = {
        "--fault", "--fault delay", "--fault delay=x", "--fault delay=-1", "--fault bogus",
        "--fault ng=1", "--fault ng,every=0", "--fault ng,prob=2", "--fault ng,prob=",
        "--fault ng,station=100", "--fault ng,reg=0", "--fault ng,reg=700", "--fault split=1",
        "--fault garbage=0", "--fault values=0", "--fault values=100", "--fault echo",
        "--fault echo=dwr", "--fault echo=DW", "--fault ng,colour=red"};
    // clang-format on
    for (const char* bad : refused)
        EXPECT_EQ(fires(bad), "refused") << bad;
}

} // namespace
