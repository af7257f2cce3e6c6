// The poll scheduler's steps: one row per step says what it sends, to which station, with
// which values, and where an acknowledged reply leads. The send tick and the reply handler
// look rows up here instead of spelling step numbers out.
#pragma once

#include <vector>

// Step numbers as the controllers' documentation counts them (gSendStep).
constexpr int kStepModel = 1;     // "WHO", one station after the other
constexpr int kStepMonitor = 11;  // live values of the connected stations
constexpr int kStepReadAll1 = 21; // read-all blocks 1 to 4 of the selected station
constexpr int kStepReadAll2 = 22;
constexpr int kStepReadAll3 = 23;
constexpr int kStepReadAll4 = 24;
constexpr int kStepWriteAlarm = 101;     // alarm group
constexpr int kStepWriteAT = 102;        // auto-tuning group
constexpr int kStepWriteControl = 103;   // control group
constexpr int kStepWriteInput1 = 105;    // input group, first half (610, 611)
constexpr int kStepWriteOutput = 106;    // output group
constexpr int kStepWritePID = 107;       // PID group
constexpr int kStepWriteSV = 109;        // set-value group
constexpr int kStepWriteInput2 = 110;    // input group, second half (612 to 619)
constexpr int kStepWriteOne = 120;       // one register of the selected station
constexpr int kStepWriteClock = 121;     // the six clock registers
constexpr int kStepWriteOnePolled = 220; // one register, from the multi-monitoring window
constexpr int kStepReadBack = 230;       // our own: the registers a write wrote, read back

struct StepRow {
    enum class Kind { Model, Read, Write };
    enum class Target { Polled, Selected };
    enum class Values { None, RegVal, RegVal2 };

    int step;
    Kind kind;
    Target target;
    // Registers in frame order; empty when the request names them.
    std::vector<int> regs;
    // For a write whose request names the registers: how many it sends.
    int count;
    Values values;
    // Step after an accepted reply; 0 when the handler decides (model sweep, monitoring,
    // the end of the read-all, the pause after the first input half).
    int next;
};

// The row of a step, or nullptr for a number the scheduler does not know.
const StepRow* findStep(int step);
// Every row, in step order.
const std::vector<StepRow>& stepTable();
