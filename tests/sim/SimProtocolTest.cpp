// Replies on the wire, refusals, and the frame reader's resilience.
#include "SimTestSupport.h"
#include "link/Frames.h"
#include "sim/SimBus.h"
#include "sim/SimFrameReader.h"

#include <gtest/gtest.h>

#include <random>

using kx5sim::Mode;
using kx5sim::SimBus;
using simtest::bytes;
using simtest::frame;
using simtest::kStx;

namespace {

constexpr int kSum = 2;

struct KnownAnswer {
    const char* name;
    std::string request;
    Mode mode;
    std::string reply;
};

// Stations start at 25.0 degC with SV 100.0; nothing moves at process time 0.
TEST(SimReplies, KnownAnswerBytes) {
    const KnownAnswer cases[] = {
        {"who std", bytes(buildModelReq(1, 0)), Mode::Std, kStx + "01WHO,OK,KX5-100033\r\n"},
        {"who sum", bytes(buildModelReq(1, kSum)), Mode::Sum, kStx + "01WHO,OK,KX5-1000336D\r\n"},
        {"read std", bytes(buildReadReq(5, {1, 2}, 0)), Mode::Std, kStx + "05DRR,OK,00FA,03E8\r\n"},
        {"read sum", bytes(buildReadReq(5, {1, 2}, kSum)), Mode::Sum,
         kStx + "05DRR,OK,00FA,03E832\r\n"},
        {"write std", bytes(buildWriteReq(12, {506}, {100}, 0)), Mode::Std, kStx + "12DWR,OK\r\n"},
        {"write sum", bytes(buildWriteReq(12, {506}, {100}, kSum)), Mode::Sum,
         kStx + "12DWR,OK16\r\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        SimBus bus(c.mode, {1, 5, 12});
        const auto plan = bus.handle(c.request, 0, 0);
        ASSERT_TRUE(plan.answer);
        EXPECT_EQ(plan.reply, c.reply);
        if (c.mode == Mode::Sum) {
            EXPECT_TRUE(simtest::sumMatches(plan.reply));
        }
    }
    // The request bytes themselves, as the program's builder makes them.
    EXPECT_EQ(bytes(buildModelReq(1, kSum)), "\x02\x30\x31\x57\x48\x4F\x34\x46\x0D\x0A");
}

// The monitor read: value i at offsets 10 + 5 (i - 1), in request order.
TEST(SimReplies, MonitorReadValuesSitWhereTheProgramLooks) {
    SimBus bus(Mode::Sum, {7});
    const std::vector<int> regs = {610, 611, 614, 1,   2,   3,   4,   5,   8,  9,
                                   17,  18,  300, 501, 502, 503, 504, 505, 506};
    const std::string read = bus.handle(bytes(buildReadReq(7, regs, kSum)), 0, 0).reply;
    ASSERT_EQ(read.size(), 11 + 5 * regs.size() + 2);
    EXPECT_EQ(read.substr(3, 6), "DRR,OK");
    EXPECT_EQ(read.substr(10, 4), "0002");          // INP 2: K thermocouple
    EXPECT_EQ(read.substr(10 + 5 * 18, 4), "0064"); // print speed 100
    EXPECT_EQ(read.substr(10 + 5 * 4, 4), "03E8");  // NSV 100.0
}

TEST(SimReplies, RefusalsCarryNgAtOffsetsThreeAndFour) {
    struct Case {
        const char* name;
        std::string request; // body only; framed per mode below unless raw
        const char* code;
        bool raw = false;
    };
    const Case cases[] = {
        {"unknown command", "05ABC", "01"},
        {"register above 699", "05DRR,01,0700", "02"},
        {"write above 699", "05DWR,01,1000,0001", "02"},
        {"count larger than fields", "05DRR,02,0001", "03"},
        {"count smaller than fields", "05DRR,01,0001,0002", "03"},
        {"count zero", "05DRR,00", "03"},
        {"register not decimal", "05DRR,01,00A1", "03"},
        {"missing comma", "05DRR,01;0001", "03"},
        {"who with fields", "05WHO,1", "03"},
        {"value not hex", "05DWR,01,0301,00G0", "05"},
        {"value in lower case", "05DWR,01,0301,00ff", "05"},
        {"read-only register", "05DWR,02,0301,0BB8,0001,0064", "06"},
        {"second register above 699", "05DWR,02,0301,0BB8,0800,0001", "02"},
        {"no CR before LF", kStx + "05WHO\n", "03", true},
    };
    for (Mode mode : {Mode::Std, Mode::Sum}) {
        const bool sum = mode == Mode::Sum;
        SimBus bus(mode, {5});
        for (const auto& c : cases) {
            SCOPED_TRACE(std::string(c.name) + (sum ? " sum" : " std"));
            const auto plan = bus.handle(c.raw ? c.request : frame(c.request, sum), 0, 0);
            ASSERT_TRUE(plan.answer);
            EXPECT_EQ(plan.reply, frame("05NG," + std::string(c.code), sum));
            EXPECT_EQ(plan.reply.substr(3, 2), "NG");
        }
        // No refused write touched SV1 (100.0), not even in part.
        EXPECT_EQ(bus.handle(frame("05DRR,01,0301", sum), 0, 0).reply, frame("05DRR,OK,03E8", sum));
    }
    SimBus bus(Mode::Sum, {5});
    EXPECT_EQ(bus.handle(kStx + "05WHO00\r\n", 0, 0).reply, frame("05NG,04", true));
    EXPECT_EQ(bus.handle(frame("05WHO", false), 0, 0).reply, frame("05NG,04", true));
}

TEST(SimReplies, NobodyAnswersForAnAbsentOrUnreadableAddress) {
    SimBus bus(Mode::Std, {1, 3});
    for (const std::string& req :
         {frame("02WHO", false), frame("00WHO", false), frame("99DRR,01,0001", false),
          std::string(kStx + "A1WHO\r\n"), std::string("\x02\r\n")}) {
        SCOPED_TRACE(req);
        EXPECT_FALSE(bus.handle(req, 0, 0).answer);
    }
}

TEST(SimFrameReader, AssemblesFramesFromTheByteStream) {
    struct Case {
        const char* name;
        std::vector<std::string> chunks;
        std::vector<std::string> frames;
    };
    const Case cases[] = {
        {"one frame in pieces", {kStx + "01W", "HO", "\r", "\n"}, {kStx + "01WHO\r\n"}},
        {"garbage before",
         {"\xFF~#\r\n\x02"
          "01WHO\r\n"},
         {kStx + "01WHO\r\n"}},
        {"STX restarts",
         {kStx + "01DR\x02"
                 "02WHO\r\n"},
         {kStx + "02WHO\r\n"}},
        {"two in one read",
         {kStx + "01WHO\r\n\x02"
                 "02WHO\r\n"},
         {kStx + "01WHO\r\n", kStx + "02WHO\r\n"}},
        {"overlong dropped",
         {"\x02" + std::string(kx5sim::SimFrameReader::kMaxFrame + 10, 'A') + "\r\n",
          kStx + "03WHO\r\n"},
         {kStx + "03WHO\r\n"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        kx5sim::SimFrameReader reader;
        std::vector<std::string> got;
        for (const auto& chunk : c.chunks)
            for (auto& f : reader.feed(chunk))
                got.push_back(f);
        EXPECT_EQ(got, c.frames);
    }
}

// Random bytes (with many STX, commas and digits) must never crash the station or produce a
// malformed reply.
TEST(SimFrameReader, SurvivesRandomInput) {
    std::mt19937 rng(12345);
    const std::string alphabet = "\x02\x02\r\n,,0123456789ABCDEFDRWHONG\xFF\x00";
    for (Mode mode : {Mode::Std, Mode::Sum}) {
        kx5sim::SimFrameReader reader;
        SimBus bus(mode, {1, 2, 3, 12});
        int replies = 0;
        for (int i = 0; i < 200000; i += 64) {
            std::string chunk;
            for (int k = 0; k < 64; ++k)
                chunk += alphabet[rng() % alphabet.size()];
            for (const auto& f : reader.feed(chunk)) {
                ASSERT_LE(f.size(), kx5sim::SimFrameReader::kMaxFrame);
                const auto plan = bus.handle(f, i / 1000.0, 0);
                if (!plan.answer) continue;
                ++replies;
                ASSERT_EQ(plan.reply.front(), '\x02');
                ASSERT_EQ(plan.reply.substr(plan.reply.size() - 2), "\r\n");
                if (mode == Mode::Sum) {
                    ASSERT_TRUE(simtest::sumMatches(plan.reply));
                }
            }
        }
        EXPECT_GT(replies, 0);
    }
}

} // namespace
