#include "link/Frames.h"
#include "link/Grid.h"
#include "link/mdlKX5.h"

#include <gtest/gtest.h>

namespace {
QByteArray frame(const char* body, const char* sum = "") {
    return QByteArray("\x02") + body + sum + "\r\n";
}
} // namespace

TEST(Requests, KnownFramesInBothModes) {
    EXPECT_EQ(buildModelReq(1, 2), QByteArray::fromHex("02303157484F34460D0A"));
    EXPECT_EQ(buildModelReq(1, 0), QByteArray::fromHex("02303157484F0D0A"));
    EXPECT_EQ(buildReadReq(5, {1, 2}, 2), frame("05DRR,02,0001,0002", "B6"));
    EXPECT_EQ(buildReadReq(5, {1, 2}, 0), frame("05DRR,02,0001,0002"));
    EXPECT_EQ(buildWriteReq(12, {506}, {100}, 2), frame("12DWR,01,0506,0064", "CA"));
    EXPECT_EQ(buildWriteReq(12, {506}, {-5}, 2), frame("12DWR,01,0506,FFFB", "14"));
    EXPECT_EQ(buildWriteReq(99, {0}, {-1}, 0), frame("99DWR,01,0000,FFFF"));
    // Only the first four characters of a value too wide for the field are sent.
    EXPECT_EQ(buildWriteReq(7, {120}, {70000}, 0), frame("07DWR,01,0120,1117"));
}

TEST(Requests, MonitorReadOfStationThree) {
    const QByteArray f = buildReadReq(3, stepRegisters(11), 0);
    EXPECT_EQ(f.size(), 106);
    EXPECT_EQ(f, frame("03DRR,19,0610,0611,0614,0001,0002,0003,0004,0005,0008,0009,0017,0018,"
                       "0300,0501,0502,0503,0504,0505,0506"));
}

TEST(Requests, StepRegisterCountsAndLengths) {
    struct Row {
        int step, n;
    } rows[] = {{11, 19}, {21, 27}, {22, 32}, {23, 31},  {24, 19}, {101, 6}, {102, 2},
                {103, 6}, {105, 2}, {106, 9}, {107, 26}, {109, 4}, {110, 8}};
    for (const auto& r : rows) {
        const auto regs = stepRegisters(r.step);
        EXPECT_EQ(static_cast<int>(regs.size()), r.n) << r.step;
        const bool write = isWriteStep(r.step);
        const std::vector<int> vals(regs.size(), 0);
        for (int sum : {0, 2}) {
            const QByteArray f =
                write ? buildWriteReq(1, regs, vals, sum) : buildReadReq(1, regs, sum);
            EXPECT_EQ(f.size(), (write ? 11 + 10 * r.n : 11 + 5 * r.n) + sum) << r.step;
            EXPECT_EQ(f.mid(7, 2), QByteArray::number(r.n).rightJustified(2, '0')) << r.step;
        }
    }
    EXPECT_TRUE(stepRegisters(1).empty());
    EXPECT_TRUE(stepRegisters(120).empty());
    EXPECT_EQ(stepRegisters(23).front(), 400);
    EXPECT_EQ(stepRegisters(23).back(), 525);
    EXPECT_EQ(stepRegisters(22)[5], 306);
}

TEST(Requests, ClockWriteInSumModeIs73BytesWithThreshold13) {
    const std::vector<int> regs{520, 521, 522, 523, 524, 525};
    const std::vector<int> vals{2024, 2, 29, 23, 59, 59};
    const QByteArray f = buildWriteReq(4, regs, vals, 2);
    EXPECT_EQ(f.size(), 73);
    EXPECT_TRUE(
        f.startsWith(QByteArray("\x02") + "04DWR,06,0520,07E8,0521,0002,0522,001D,0523,0017"));
    EXPECT_TRUE(CheckFrameSum(f));
}

TEST(Trace, SpelledControlBytesAndWrapAt500) {
    Grid g(180, 0);
    CommTrace(&g, QByteArray("\x02") + "01WHO\r\n", "Send");
    ASSERT_EQ(g.maxRows(), 1);
    EXPECT_EQ(g.text(0, 1), "Send");
    EXPECT_EQ(g.text(1, 1), "STX");
    EXPECT_EQ(g.text(2, 1), "0");
    EXPECT_EQ(g.text(6, 1), "O");
    EXPECT_EQ(g.text(7, 1), "CR");
    EXPECT_EQ(g.text(8, 1), "LF");
    EXPECT_EQ(g.activeRow(), 1);
    for (int i = 2; i <= 500; ++i)
        CommTrace(&g, QByteArray("\x02") + "01DRR,OK,0001\r\n", "Recv");
    EXPECT_EQ(g.maxRows(), 500);
    // The 501st frame restarts the trace in its first row, without the older frame's tail.
    CommTrace(&g, QByteArray("AB"), "Recv");
    EXPECT_EQ(g.maxRows(), 1);
    EXPECT_EQ(g.text(0, 1), "Recv");
    EXPECT_EQ(g.text(1, 1), "A");
    EXPECT_EQ(g.text(2, 1), "B");
    EXPECT_EQ(g.text(3, 1), "");
}
