#include "link/Request.h"

#include "link/Steps.h"

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
