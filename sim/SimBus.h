// The controllers on one line: decides the reply to each request frame, faults included.
// Pure apart from its state; the caller passes the times in and performs the output.
#pragma once

#include "sim/FaultPlan.h"
#include "sim/SimProtocol.h"
#include "sim/SimStation.h"

#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace kx5sim {

// How to put one reply on the line.
struct ReplyPlan {
    int address = -1;    // -1 when the frame names no readable address
    bool answer = false; // false: stay silent (unknown station, or a silent fault)
    std::string garbage; // sent before the reply
    std::string reply;
    int delayMs = 0;
    bool pace = false;
    int parts = 1;   // write the reply in this many pieces ...
    int pauseMs = 0; // ... with this pause between them
};

class SimBus {
public:
    // Model text answered by the foreign-model fault.
    static constexpr const char* kForeignModel = "TZ4-100033";

    SimBus(Mode mode, const std::vector<int>& addresses);

    Mode mode() const { return mMode; }
    void setMode(Mode mode) { mMode = mode; }
    std::vector<int> addresses() const;
    SimStation* station(int address);
    FaultPlan& faults() { return mFaults; }

    ReplyPlan handle(std::string_view frame, double processSeconds, std::int64_t civilNow);

private:
    Mode mMode;
    std::map<int, SimStation> mStations;
    FaultPlan mFaults;
};

} // namespace kx5sim
