// Misbehaviour on demand: which faults apply to the reply to one request.
//
// Each fault fires always, once, on every n-th request it applies to, or with a probability
// drawn from its own seeded generator, so a test sees the same sequence on every run.
// Text form (command line), kind first, then options:
//   delay=MS | pace | silent | foreign | bad-sum | ng | split[=PARTS] | garbage[=BYTES]
//   | no-ok | double | address=N | values=N | echo=CMD
//   ,station=N  ,reg=R  ,once  ,every=N  ,prob=P  ,seed=S  ,pause=MS (split; default 20)
// reg=R narrows a fault to the writes that include register R, e.g. "ng,station=3,reg=612"
// for a controller that will not take one value.
// e.g. "delay=300,station=2", "bad-sum,every=3", "ng,prob=0.2,seed=7", "split=3,pause=50".
// values=N gives a read reply N more values (the registers after the last one asked, zero
// past 699) or, N < 0, drops the last |N|; echo=CMD puts another command, e.g. DWR, where a
// reply echoes its request's. Both keep a correct checksum, so only the reply's fit to its
// request gives them away.
#pragma once

#include "sim/SimProtocol.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kx5sim {

enum class FaultKind {
    Delay,        // wait ms before answering
    Pace,         // send at the line's baud rate and character format, in small chunks
    Silent,       // no reply at all
    ForeignModel, // WHO answered with a model that is not a KX5 (applies to WHO only)
    BadChecksum,  // reply with a wrong checksum (SUM mode; STD replies carry none)
    Refuse,       // NG instead of the reply; a refused write is not applied
    Split,        // reply written in parts with pauses between them
    Garbage,      // junk bytes (never STX or LF) before the reply
    NoOk,         // the reply's "OK" turned into "NO" (a correct checksum over it)
    Double,       // the reply sent twice
    Readdress,    // the reply carries another station's address (crosstalk)
    ValueCount,   // a read reply with more or fewer values than asked (applies to reads only)
    Echo,         // the reply echoes another command than its request's
};

struct Fault {
    enum class When { Always, Once, EveryNth, Probability };

    FaultKind kind = FaultKind::Delay;
    int station = 0; // 0: every station
    int reg = 0;     // 0: every request; else only the writes that include this register
    When when = When::Always;
    int n = 1;
    double probability = 1.0;
    std::uint32_t seed = 1;
    int ms = 0;          // Delay: the wait; Split: the pause between parts
    int parts = 2;       // Split
    int bytes = 4;       // Garbage
    int address = 0;     // Readdress
    int values = 0;      // ValueCount: values added (> 0) or dropped (< 0)
    std::string command; // Echo: three upper-case letters
};

// What the faults decided for one reply.
struct FaultDecision {
    int delayMs = 0;
    bool pace = false;
    bool silent = false;
    bool foreign = false;
    bool badChecksum = false;
    bool refuse = false;
    int parts = 1;
    int pauseMs = 0;
    int garbageBytes = 0;
    bool noOk = false;
    bool twice = false;
    int address = -1; // >= 0: the address the reply carries
    int extraValues = 0;
    std::string echo; // not empty: the command the reply echoes
    bool operator==(const FaultDecision&) const = default;
};

class FaultPlan {
public:
    void add(const Fault& fault);
    void clear() { mEntries.clear(); }
    bool empty() const { return mEntries.empty(); }

    // Called once per request addressed to an existing station.
    FaultDecision decide(int station, Request::Kind kind, const std::vector<int>& registers = {});

    // Parses the text form above; on failure returns nothing and explains in *error.
    static std::optional<Fault> parse(std::string_view text, std::string* error = nullptr);

private:
    struct Entry {
        Fault fault;
        long matches = 0;
        std::uint32_t rng = 1;
    };
    std::vector<Entry> mEntries;
};

} // namespace kx5sim
