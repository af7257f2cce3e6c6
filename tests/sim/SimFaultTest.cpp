// Faults on demand: when they fire, what they do to the reply, and how they are written on
// the command line.
#include "SimTestSupport.h"
#include "link/Frames.h"
#include "sim/SimBus.h"
#include "sim/SimOptions.h"

#include <gtest/gtest.h>

using namespace kx5sim;
using simtest::bytes;
using simtest::frame;
using simtest::kStx;

namespace {

// Fires of one fault over a sequence of (station, is WHO) requests, as a string of 0/1.
std::string pattern(const char* rule, const std::vector<std::pair<int, bool>>& requests) {
    FaultPlan plan;
    plan.add(*FaultPlan::parse(rule));
    std::string out;
    for (auto [station, who] : requests) {
        const FaultDecision d = plan.decide(station, who);
        out += d.refuse || d.foreign || d.silent ? '1' : '0';
    }
    return out;
}

TEST(SimFaults, FireOnceEveryNthOrPerStation) {
    const std::vector<std::pair<int, bool>> six(6, {1, false});
    const std::vector<std::pair<int, bool>> mixed = {{1, false}, {2, false}, {1, true},
                                                     {2, true},  {2, false}, {1, true}};
    struct Case {
        const char* rule;
        const std::vector<std::pair<int, bool>>* requests;
        const char* fires;
    };
    const Case cases[] = {
        {"ng", &six, "111111"},
        {"ng,once", &six, "100000"},
        {"ng,every=3", &six, "001001"},
        {"silent,station=2", &mixed, "010110"},
        {"silent,station=2,once", &mixed, "010000"},
        {"foreign", &mixed, "001101"}, // model queries only
        {"foreign,station=1,every=2", &mixed, "000001"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.rule);
        EXPECT_EQ(pattern(c.rule, *c.requests), c.fires);
    }
}

TEST(SimFaults, ProbabilityIsRepeatableForASeed) {
    const std::vector<std::pair<int, bool>> many(400, {1, false});
    const std::string a = pattern("ng,prob=0.25,seed=7", many);
    EXPECT_EQ(a, pattern("ng,prob=0.25,seed=7", many));
    EXPECT_NE(a, pattern("ng,prob=0.25,seed=8", many));
    const auto fired = std::count(a.begin(), a.end(), '1');
    EXPECT_GT(fired, 60);
    EXPECT_LT(fired, 140);
    EXPECT_EQ(pattern("ng,prob=0", many), std::string(400, '0'));
}

TEST(SimFaults, ChangeTheReplyAsDescribed) {
    const std::string who = bytes(buildModelReq(1, 2));
    const std::string good = kStx + "01WHO,OK,KX5-1000336D\r\n";
    const std::pair<const char*, std::string> cases[] = {
        {"silent", ""},
        {"foreign", kStx + "01WHO,OK,TZ4-10003377\r\n"},
        {"ng", kStx + "01NG,098B\r\n"},
        {"bad-sum", kStx + "01WHO,OK,KX5-10003360\r\n"},
        {"delay=250,once", good}};
    for (const auto& [rule, reply] : cases) {
        SCOPED_TRACE(rule);
        SimBus bus(Mode::Sum, {1});
        bus.faults().add(*FaultPlan::parse(rule));
        const ReplyPlan p = bus.handle(who, 0, 0);
        EXPECT_EQ(p.answer ? p.reply : "", reply);
    }
    // The ways of delivering a reply add up.
    SimBus bus(Mode::Sum, {1});
    for (const char* rule : {"delay=250", "split=3,pause=40", "garbage=6", "pace"})
        bus.faults().add(*FaultPlan::parse(rule));
    const ReplyPlan p = bus.handle(who, 0, 0);
    EXPECT_EQ(p.reply, good);
    EXPECT_EQ(p.delayMs, 250);
    EXPECT_EQ(p.parts, 3);
    EXPECT_EQ(p.pauseMs, 40);
    EXPECT_TRUE(p.pace);
    ASSERT_EQ(p.garbage.size(), 6u);
    EXPECT_EQ(p.garbage.find_first_of(std::string("\x02\n", 2)), std::string::npos);
}

TEST(SimFaults, RefusedWriteIsNotApplied) {
    SimBus bus(Mode::Std, {3});
    bus.faults().add(*FaultPlan::parse("ng,once"));
    EXPECT_EQ(bus.handle(bytes(buildWriteReq(3, {506}, {300}, 0)), 0, 0).reply,
              frame("03NG,09", false));
    EXPECT_EQ(bus.handle(bytes(buildReadReq(3, {506}, 0)), 0, 0).reply,
              frame("03DRR,OK,0064", false));
}

TEST(SimFaults, TextFormIsCheckedStrictly) {
    for (const char* bad :
         {"", "delay", "delay=x", "delay=-1", "bogus", "ng=1", "ng,every=0", "ng,prob=2",
          "ng,prob=", "ng,station=100", "split=1", "garbage=0", "ng,colour=red"}) {
        SCOPED_TRACE(bad);
        std::string why;
        EXPECT_FALSE(FaultPlan::parse(bad, &why));
        EXPECT_FALSE(why.empty());
    }
}

TEST(SimOptions, CommandLine) {
    std::string why;
    const auto o = parseOptions({"--stations", "1-3,7,2", "--sum", "--fault", "ng,station=3",
                                 "--pace", "--model", "7=KX5-200011"},
                                &why);
    ASSERT_TRUE(o) << why;
    EXPECT_EQ(o->line.stations, (std::vector<int>{1, 2, 3, 7}));
    EXPECT_EQ(o->line.mode, Mode::Sum);
    ASSERT_EQ(o->line.faults.size(), 2u);
    EXPECT_EQ(o->line.models.at(7), "KX5-200011");
    for (const std::vector<std::string>& bad : {std::vector<std::string>{"--stations", "0"},
                                                {"--stations", "100"},
                                                {"--stations", "3-1"},
                                                {"--stations"},
                                                {"--baud", "fast"},
                                                {"--time-scale", "-1"},
                                                {"--fault", "nope"},
                                                {"--model", "7"},
                                                {"--frobnicate"}}) {
        SCOPED_TRACE(bad.front());
        EXPECT_FALSE(parseOptions(bad, &why));
    }
}

} // namespace
