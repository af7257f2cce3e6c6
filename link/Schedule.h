// The poll scheduler's state as one value: what the link is doing and everything that decides
// what it does next (step, polled station, a close asked for, attempts of the exchange).
#pragma once

#include "link/Steps.h"

// What the link is doing; every decision of the scheduler starts from here.
enum class LinkPhase {
    Closed,
    Sweeping,   // the model query of every station in use, after the port opened
    ReadingAll, // the four parameter blocks of one station
    Monitoring, // the live values of the connected stations, in turn
    Writing,    // a requested write and its confirmation
    InputPause, // the controller takes in a new input type before 612 to 619 follow
    Closing,    // the user asked to close; the next tick or reply closes
    Reopening,  // the port failed and is being reopened
    SweepPause  // unattended, a sweep heard nobody: the next one follows a pause
};

struct Schedule {
    LinkPhase phase = LinkPhase::Closed;
    int gSendStep = 0;          // the step being worked (Steps.h)
    int gMC_Idx = 0;            // index of the station being polled
    int gMC_NextIdx = 0;        // index to poll next; > 0 replaces gMC_Idx at the next tick
    bool gPortCloseReq = false; // the user asked to close: the next tick or reply closes
    int mRecvErrCnt = 0;        // reply time-outs of the polled station since its last third
    int stepMcNo = 0;           // station of a requested step and its re-read; 0: the row's rule
    int stepTimeouts = 0;       // reply waits run out for the requested step being worked
    int stepRefusals = 0;       // and its refusals

    // Works `step` from the next tick. The phase follows the step, except for the states that
    // are not steps (closed, the input pause, reopening), set where they begin, and a close
    // asked for, which no later step undoes.
    void enter(int step) {
        gSendStep = step;
        if (gPortCloseReq) return;
        const StepRow* row = findStep(step);
        if (step == kStepModel)
            phase = LinkPhase::Sweeping;
        else if (step == kStepMonitor)
            phase = LinkPhase::Monitoring;
        else if (row && row->kind == StepRow::Kind::Read)
            phase = LinkPhase::ReadingAll;
        else if (row && row->kind == StepRow::Kind::Write)
            phase = LinkPhase::Writing;
    }
    // A step a window asked for (a parameter read or a write), as against the sweep and poll.
    bool requested() const { return gSendStep != kStepModel && gSendStep != kStepMonitor; }
    // Nothing goes out: the port is down, or the controller or the line is given time.
    bool holdsSending() const {
        return phase == LinkPhase::Closed || phase == LinkPhase::InputPause ||
               phase == LinkPhase::Reopening || phase == LinkPhase::SweepPause;
    }
    // A requested step begins, ends or is given up: its attempts count from nothing.
    void startStep(int mcNo) {
        stepMcNo = mcNo;
        stepTimeouts = stepRefusals = 0;
    }
    // The polled indices stay inside a line of `count` stations.
    void clamp(int count) {
        if (gMC_Idx < 0 || gMC_Idx >= count) gMC_Idx = 0;
        if (gMC_NextIdx < 0 || gMC_NextIdx >= count) gMC_NextIdx = 0;
    }
    // The index after the polled one, 0 past the last.
    int nextIdx(int count) const { return gMC_Idx + 1 >= count ? 0 : gMC_Idx + 1; }
};
