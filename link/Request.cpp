#include "link/Request.h"

#include "link/Steps.h"

#include <QCoreApplication>

Request Request::readAll(int mcNo) {
    return {kStepReadAll1, mcNo, {}, {}, {}};
}

Request Request::readBlock(int mcNo, int block) {
    Request r{kStepReadAll1 + block - 1, mcNo, {}, {}, {}};
    r.block = block;
    return r;
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

namespace {
// The words for what a request does: English for the events file, translated for windows.
QString said(const char* source, bool shown) {
    return shown ? QCoreApplication::translate("Request", source) : QString::fromUtf8(source);
}
} // namespace

QString Request::what() const {
    return describe(false);
}

QString Request::shownWhat() const {
    return describe(true);
}

QString Request::describe(bool shown) const {
    static const char* const kKeys[] = {
        QT_TRANSLATE_NOOP("Request", "PRINT key"), QT_TRANSLATE_NOOP("Request", "TEXT key"),
        QT_TRANSLATE_NOOP("Request", "LIST key"),  QT_TRANSLATE_NOOP("Request", "FEED key"),
        QT_TRANSLATE_NOOP("Request", "ZOOM key"),  QT_TRANSLATE_NOOP("Request", "print speed")};
    switch (step) {
    case kStepReadAll1:
    case kStepReadAll2:
    case kStepReadAll3:
    case kStepReadAll4:
        return said(QT_TRANSLATE_NOOP("Request", "parameter read"), shown);
    case kStepWriteAlarm:
        return said(QT_TRANSLATE_NOOP("Request", "alarm group"), shown);
    case kStepWriteAT:
        return said(QT_TRANSLATE_NOOP("Request", "auto-tuning group"), shown);
    case kStepWriteControl:
        return said(QT_TRANSLATE_NOOP("Request", "control group"), shown);
    case kStepWriteInput1:
        return said(QT_TRANSLATE_NOOP("Request", "input group"), shown);
    case kStepWriteInput2:
        return said(QT_TRANSLATE_NOOP("Request", "input group (612-619)"), shown);
    case kStepWriteOutput:
        return said(QT_TRANSLATE_NOOP("Request", "output group"), shown);
    case kStepWritePID:
        return said(QT_TRANSLATE_NOOP("Request", "PID group"), shown);
    case kStepWriteSV:
        return said(QT_TRANSLATE_NOOP("Request", "SV group"), shown);
    case kStepWriteClock:
        return said(QT_TRANSLATE_NOOP("Request", "clock"), shown);
    case kStepWriteOne:
    case kStepWriteOnePolled:
        if (!regs.empty() && regs[0] >= 501 && regs[0] <= 506)
            return said(kKeys[regs[0] - 501], shown);
        return said(QT_TRANSLATE_NOOP("Request", "register %1"), shown)
            .arg(regs.empty() ? 0 : regs[0]);
    default:
        return said(QT_TRANSLATE_NOOP("Request", "step %1"), shown).arg(step);
    }
}
