#include "link/Request.h"

#include "link/Steps.h"

Request Request::readAll(int mcNo) {
    return {kStepReadAll1, mcNo, {}, {}, {}};
}

Request Request::groupWrite(int step, int mcNo, std::vector<int> values) {
    return {step, mcNo, {}, std::move(values), {}};
}

Request Request::inputWrite(int mcNo, std::vector<int> first, std::vector<int> second) {
    return {kStepWriteInput1, mcNo, {}, std::move(first), std::move(second)};
}

Request Request::writeOne(int mcNo, int reg, int value) {
    return {kStepWriteOne, mcNo, {reg}, {value}, {}};
}

Request Request::writeOneOf(int mcNo, int reg, int value) {
    return {kStepWriteOnePolled, mcNo, {reg}, {value}, {}};
}

Request Request::clock(int mcNo, std::vector<int> values) {
    return {kStepWriteClock, mcNo, {520, 521, 522, 523, 524, 525}, std::move(values), {}};
}

bool Request::isWrite() const {
    const StepRow* row = findStep(step);
    return row && row->kind == StepRow::Kind::Write;
}

QString Request::what() const {
    static const char* const kKeys[] = {"PRINT key", "TEXT key", "LIST key",
                                        "FEED key",  "ZOOM key", "print speed"};
    switch (step) {
    case kStepReadAll1:
    case kStepReadAll2:
    case kStepReadAll3:
    case kStepReadAll4:
        return QStringLiteral("parameter read");
    case kStepWriteAlarm:
        return QStringLiteral("alarm group");
    case kStepWriteAT:
        return QStringLiteral("auto-tuning group");
    case kStepWriteControl:
        return QStringLiteral("control group");
    case kStepWriteInput1:
        return QStringLiteral("input group");
    case kStepWriteInput2:
        return QStringLiteral("input group (612-619)");
    case kStepWriteOutput:
        return QStringLiteral("output group");
    case kStepWritePID:
        return QStringLiteral("PID group");
    case kStepWriteSV:
        return QStringLiteral("SV group");
    case kStepWriteClock:
        return QStringLiteral("clock");
    case kStepWriteOne:
    case kStepWriteOnePolled:
        if (!regs.empty() && regs[0] >= 501 && regs[0] <= 506) return kKeys[regs[0] - 501];
        return QStringLiteral("register %1").arg(regs.empty() ? 0 : regs[0]);
    default:
        return QStringLiteral("step %1").arg(step);
    }
}
