// One station's registers and process in injected time (nothing sleeps); the wire: SimWireTest.
#include "sim/SimStation.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <tuple>

using kx5sim::SimStation;

namespace {

constexpr std::int64_t kCivil = 1709251199; // 2024-02-29 23:59:59

int rd(const SimStation& s, int reg) {
    return s.read(reg, kCivil);
}

// A fresh station reads PV 25.0 against SV 100.0 (deviation -75.0); its alarm points are
// compared in tenths. Each row writes to a fresh station and reads one register at once.
TEST(SimStation, WritesShowInTheStatusAtOnce) {
    const std::tuple<std::vector<std::pair<int, std::int16_t>>, int, int> rows[] = {
        // ALMSTS bits 0 and 1: types A1TY/A2TY, points AL-1/AL-2.
        {{{410, 0}, {416, 50}, {411, 1}, {417, 50}}, 9, 0b00},
        {{{410, 2}, {416, 50}, {411, 2}, {417, 800}}, 9, 0b01},
        {{{410, 3}, {416, 50}, {411, 4}, {417, 50}}, 9, 0b01},
        {{{410, 4}, {416, 800}, {411, 5}, {417, 200}}, 9, 0b11},
        {{{410, 5}, {416, 300}, {411, 6}, {417, 300}}, 9, 0b10},
        {{{410, 6}, {416, 200}, {411, 17}, {417, 0}}, 9, 0b00},
        // ERRSTS: range FR-H/FR-L of 0.0 to 10.0 puts PV above it, 80.0 to 999.9 below it.
        {{{612, 100}, {613, 0}}, 17, 0b0100},
        {{{612, 9999}, {613, 800}}, 17, 0b1000},
        // SVNO picks SV1..SV3 for NSV, S.SV and PIDNO.
        {{{300, 2}}, 2, 2000},
        {{{300, 3}}, 4, 500},
        {{{300, 3}}, 8, 3},
        // MODSTS bits 8 to 10 follow PRINT, TEXT and LIST; FEED and ZOOM set none.
        {{{501, 1}}, 18, 0x100},
        {{{502, 1}}, 18, 0x200},
        {{{503, 1}}, 18, 0x400},
        {{{504, 1}, {505, 1}}, 18, 0},
        // The output is within OL-L and OL-H right after they change; NPV is read only.
        {{{607, 600}, {608, 100}}, 5, 100},
        {{{1, 999}}, 1, 250},
    };
    for (const auto& [writes, reg, expected] : rows) {
        SimStation s(1);
        s.write(writes, kCivil);
        EXPECT_EQ(rd(s, reg), expected) << "register " << reg << " after " << writes[0].first;
    }
}

TEST(SimStation, FollowsTheSetValueWithinTheOutputLimits) {
    SimStation s(1);
    // Output 10 % to 60 %; alarm 1 absolute high at 200.0, alarm 2 (default) 10.0 below SV.
    s.write({{607, 600}, {608, 100}, {301, 3000}, {410, 5}, {416, 2000}}, kCivil);
    EXPECT_EQ(rd(s, 9), 0b10);
    int lowest = 1000, highest = 0; // MV seen every 10 s of process time
    auto runTo = [&](double until) {
        for (double t = s.processTime() + 10; t <= until; t += 10) {
            s.advanceTo(t);
            lowest = std::min(lowest, rd(s, 5));
            highest = std::max(highest, rd(s, 5));
        }
    };
    runTo(120);
    EXPECT_GT(rd(s, 1), 250 + 100); // clearly rising after two minutes
    runTo(1800);
    EXPECT_NEAR(rd(s, 1), 3000, 30);
    EXPECT_EQ(rd(s, 9), 0b01);
    s.write(301, 500, kCivil);
    runTo(3600);
    EXPECT_LT(rd(s, 1), 3000 - 1000);
    EXPECT_EQ(rd(s, 5), 100); // held at OL-L while far above SV
    EXPECT_EQ(rd(s, 9), 0);
    EXPECT_EQ(lowest, 100);
    EXPECT_EQ(highest, 600);
}

TEST(SimStation, AutoTuningEndsAndALongIdleGapCatchesUp) {
    SimStation s(1);
    s.advanceTo(600);
    s.write({{301, 2000}, {306, 1}}, kCivil); // SV 200.0, and auto-tuning starts
    s.advanceTo(600 + SimStation::kAutoTuneSeconds / 2);
    EXPECT_EQ(rd(s, 18) & 1, 1);
    EXPECT_EQ(rd(s, 306), 1);
    s.advanceTo(600 + SimStation::kAutoTuneSeconds + 5);
    EXPECT_EQ(rd(s, 18) & 1, 0);
    EXPECT_EQ(rd(s, 306), 0);
    s.advanceTo(30 * 24 * 3600.0); // a month without a request
    EXPECT_NEAR(rd(s, 1), 2000, 10);
}

TEST(SimStation, ClockTicksWithTheHostAndKeepsWhatWasSet) {
    auto clockAt = [](const SimStation& s, std::int64_t civil) {
        std::vector<int> v;
        for (int r = 520; r <= 525; ++r)
            v.push_back(s.read(r, civil));
        return v;
    };
    SimStation s(1);
    EXPECT_EQ(clockAt(s, kCivil), (std::vector<int>{2024, 2, 29, 23, 59, 59}));
    EXPECT_EQ(clockAt(s, kCivil + 1), (std::vector<int>{2024, 3, 1, 0, 0, 0}));
    s.write({{520, 2031}, {521, 12}, {522, 31}, {523, 0}, {524, 0}, {525, 0}}, kCivil);
    EXPECT_EQ(clockAt(s, kCivil + 61), (std::vector<int>{2031, 12, 31, 0, 1, 1}));
    // Setting 31 January while the clock shows February must not roll into March.
    SimStation t(2);
    t.write({{521, 1}, {522, 31}}, kCivil);
    EXPECT_EQ(clockAt(t, kCivil), (std::vector<int>{2024, 1, 31, 23, 59, 59}));
}

} // namespace
