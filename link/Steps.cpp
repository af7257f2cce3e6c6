#include "link/Steps.h"

#include <algorithm>

namespace {

std::vector<int> range(int from, int to) {
    std::vector<int> v;
    for (int r = from; r <= to; ++r)
        v.push_back(r);
    return v;
}

std::vector<int> join(std::initializer_list<std::vector<int>> parts) {
    std::vector<int> v;
    for (const auto& p : parts)
        v.insert(v.end(), p.begin(), p.end());
    return v;
}

using K = StepRow::Kind;
using T = StepRow::Target;
using V = StepRow::Values;

const std::vector<StepRow> kTable = {
    {kStepModel, K::Model, T::Polled, {}, 0, V::None, 0},
    {kStepMonitor, K::Read, T::Polled,
     join({{610, 611, 614}, {1, 2, 3, 4, 5, 8, 9, 17, 18, 300}, range(501, 506)}), 0, V::None, 0},
    {kStepReadAll1, K::Read, T::Selected,
     join({range(1, 18), range(100, 104), {106, 108, 109, 110}}), 0, V::None, kStepReadAll2},
    {kStepReadAll2, K::Read, T::Selected,
     join({range(300, 303), {305, 306}, range(310, 318), range(320, 328), range(330, 337)}), 0,
     V::None, kStepReadAll3},
    {kStepReadAll3, K::Read, T::Selected,
     join({range(400, 402), range(410, 418), range(501, 506), range(510, 516), range(520, 525)}), 0,
     V::None, kStepReadAll4},
    {kStepReadAll4, K::Read, T::Selected, join({range(600, 608), range(610, 619)}), 0, V::None, 0},
    {kStepWriteAlarm,
     K::Write,
     T::Selected,
     {410, 411, 413, 414, 416, 417},
     0,
     V::RegVal,
     kStepReadAll1},
    {kStepWriteAT, K::Write, T::Selected, {305, 306}, 0, V::RegVal, kStepReadAll1},
    {kStepWriteControl,
     K::Write,
     T::Selected,
     {102, 103, 106, 108, 109, 110},
     0,
     V::RegVal,
     kStepReadAll1},
    {kStepWriteInput1, K::Write, T::Selected, {610, 611}, 0, V::RegVal, 0},
    {kStepWriteOutput, K::Write, T::Selected, range(600, 608), 0, V::RegVal, kStepReadAll1},
    {kStepWritePID, K::Write, T::Selected,
     join({range(310, 318), range(320, 328), range(330, 337)}), 0, V::RegVal, kStepReadAll1},
    {kStepWriteSV, K::Write, T::Selected, range(300, 303), 0, V::RegVal, kStepReadAll1},
    {kStepWriteInput2, K::Write, T::Selected, range(612, 619), 0, V::RegVal2, kStepReadAll1},
    {kStepWriteOne, K::Write, T::Selected, {}, 1, V::RegVal, kStepReadAll3},
    {kStepWriteClock, K::Write, T::Selected, {}, 6, V::RegVal, kStepReadAll3},
    {kStepWriteOnePolled, K::Write, T::Polled, {}, 1, V::RegVal, kStepReadAll3},
    {kStepReadBack, K::Read, T::Selected, {}, 0, V::None, 0},
};

} // namespace

const StepRow* findStep(int step) {
    const auto it = std::find_if(kTable.begin(), kTable.end(),
                                 [step](const StepRow& r) { return r.step == step; });
    return it == kTable.end() ? nullptr : &*it;
}

const std::vector<StepRow>& stepTable() {
    return kTable;
}
