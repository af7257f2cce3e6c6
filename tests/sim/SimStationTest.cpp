// The simulated process: direction of PV, output limits, alarms, auto-tuning, clock and
// recorder registers. Time is injected; nothing here sleeps.
#include "sim/SimStation.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

using kx5sim::SimStation;

namespace {

constexpr std::int64_t kCivil = 1709251199; // 2024-02-29 23:59:59

int rd(const SimStation& s, int reg) {
    return s.read(reg, kCivil);
}

// Samples one register every 10 s of process time.
std::vector<int> run(SimStation& s, double from, double to, int reg) {
    std::vector<int> out;
    for (double t = from; t <= to; t += 10) {
        s.advanceTo(t);
        out.push_back(rd(s, reg));
    }
    return out;
}

TEST(SimStation, HeatsTowardsAHigherSetValueAndCoolsToALowerOne) {
    SimStation s(1);
    const int start = rd(s, 1);
    s.write(301, 3000, kCivil); // 300.0 degC
    const auto up = run(s, 0, 1800, 1);
    EXPECT_GT(up[6], start + 100); // clearly rising after a minute
    EXPECT_LE(std::abs(up.back() - 3000), 30);

    s.write(301, 500, kCivil);
    s.advanceTo(1810);
    EXPECT_EQ(rd(s, 5), 0); // output off while far above SV
    const auto down = run(s, 1820, 3600, 1);
    EXPECT_LT(down.back(), down.front() - 1000);
}

TEST(SimStation, ActiveSetValueFollowsSvNo) {
    SimStation s(4);
    s.write({{301, 1111}, {302, 2222}, {303, 3333}}, kCivil);
    for (int svno : {1, 2, 3}) {
        SCOPED_TRACE(svno);
        s.write(300, std::int16_t(svno), kCivil);
        s.advanceTo(svno * 10.0);
        EXPECT_EQ(rd(s, 2), 1111 * svno); // NSV
        EXPECT_EQ(rd(s, 8), svno);        // PIDNO
    }
}

TEST(SimStation, OutputStaysWithinItsLimits) {
    SimStation s(1);
    s.write({{607, 600}, {608, 100}, {301, 3000}}, kCivil);
    const auto heating = run(s, 0, 900, 5);
    s.write(301, 0, kCivil);
    const auto cooling = run(s, 910, 1800, 5);
    for (const auto* mv : {&heating, &cooling}) {
        EXPECT_GE(*std::min_element(mv->begin(), mv->end()), 100);
        EXPECT_LE(*std::max_element(mv->begin(), mv->end()), 600);
    }
    EXPECT_EQ(*std::max_element(heating.begin(), heating.end()), 600);
    EXPECT_EQ(cooling.back(), 100);
}

// A fresh station reads PV 25.0 against SV 100.0 (deviation -75.0).
TEST(SimStation, AlarmTypesAgainstAFixedProcess) {
    struct Case {
        int type;
        int point;
        bool on;
    };
    const Case cases[] = {{0, 50, false},  {1, 50, false}, {2, 50, true},   {2, 800, false},
                          {3, 50, true},   {4, 50, false}, {4, 800, true},  {5, 200, true},
                          {5, 300, false}, {6, 300, true}, {6, 200, false}, {17, 0, false}};
    for (int alarm : {0, 1}) {
        for (const auto& c : cases) {
            SCOPED_TRACE(testing::Message()
                         << "alarm " << alarm + 1 << " type " << c.type << " point " << c.point);
            SimStation s(1);
            s.write({{410 + alarm, std::int16_t(c.type)}, {416 + alarm, std::int16_t(c.point)}},
                    kCivil);
            EXPECT_EQ((rd(s, 9) >> alarm) & 1, c.on ? 1 : 0);
        }
    }
}

TEST(SimStation, AlarmsSetAndClearAsTheProcessMoves) {
    SimStation s(1);
    // Alarm 1: absolute high at 80.0; alarm 2: deviation low by more than 10.0.
    s.write({{410, 5}, {416, 800}, {411, 2}, {417, 100}}, kCivil);
    EXPECT_EQ(rd(s, 9), 0b10);
    s.advanceTo(1800); // settled at SV 100.0
    EXPECT_EQ(rd(s, 9), 0b01);
    s.write(301, 500, kCivil); // cooling to 50.0 brings PV under 80.0
    s.advanceTo(3600);
    EXPECT_EQ(rd(s, 9), 0);
}

TEST(SimStation, OutOfRangeProcessSetsErrorBits) {
    SimStation s(1);
    s.write({{612, 100}, {613, 0}}, kCivil); // range 0.0 to 10.0: PV 25.0 is above it
    EXPECT_EQ(rd(s, 17) & 0b1100, 0b0100);
    s.write({{612, 9999}, {613, 800}}, kCivil); // 80.0 to 999.9: below it
    EXPECT_EQ(rd(s, 17) & 0b1100, 0b1000);
}

TEST(SimStation, AutoTuningRunsForAWhileThenEnds) {
    SimStation s(1);
    s.advanceTo(600);
    s.write(306, 1, kCivil);
    s.advanceTo(600 + SimStation::kAutoTuneSeconds / 2);
    EXPECT_EQ(rd(s, 18) & 1, 1);
    EXPECT_EQ(rd(s, 306), 1);
    s.advanceTo(600 + SimStation::kAutoTuneSeconds + 5);
    EXPECT_EQ(rd(s, 18) & 1, 0);
    EXPECT_EQ(rd(s, 306), 0);
}

TEST(SimStation, RecorderRegistersHoldWritesAndDriveModeBits) {
    SimStation s(1);
    EXPECT_EQ(rd(s, 506), 100);
    const std::pair<int, int> keys[] = {{501, 8}, {502, 9}, {503, 10}, {504, -1}, {505, -1}};
    for (auto [reg, bit] : keys) {
        SCOPED_TRACE(reg);
        s.write(reg, 1, kCivil);
        s.advanceTo(s.processTime() + 1);
        EXPECT_EQ(rd(s, reg), 1);
        EXPECT_EQ(rd(s, 18) & 0x0700, bit < 0 ? 0 : 1 << bit);
        s.write(reg, 0, kCivil);
    }
}

std::vector<int> clockAt(const SimStation& s, std::int64_t civil) {
    std::vector<int> v;
    for (int r = 520; r <= 525; ++r)
        v.push_back(s.read(r, civil));
    return v;
}

TEST(SimStation, ClockTicksWithTheHostAndKeepsWhatWasSet) {
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

TEST(SimStation, ALongIdleGapCatchesUpToSteadyState) {
    SimStation s(1);
    s.write(301, 2000, kCivil);
    s.advanceTo(30 * 24 * 3600.0); // a month without a request
    EXPECT_NEAR(rd(s, 1), 2000, 10);
}

} // namespace
