#include "gateway/RegisterMap.h"

#include "files/GatewayOptions.h"
#include "link/LineModel.h"
#include "link/Steps.h"
#include "link/mdlKX5.h"
#include "registers/ParamInfo.h"

#include <algorithm>
#include <array>

namespace {

// Built once from the step table, so the map follows the link's reads.
struct Coverage {
    std::array<bool, RegisterMap::kRegisters> covered{};
    std::array<int, RegisterMap::kRegisters> monitor;
    Coverage() {
        monitor.fill(-1);
        for (int step : {kStepMonitor, kStepReadAll1, kStepReadAll2, kStepReadAll3, kStepReadAll4})
            for (int reg : findStep(step)->regs)
                if (reg >= 0 && reg < RegisterMap::kRegisters) covered[size_t(reg)] = true;
        const std::vector<int>& mon = findStep(kStepMonitor)->regs;
        for (size_t i = 0; i < mon.size(); ++i)
            monitor[size_t(mon[i])] = int(i);
    }
};

const Coverage& coverage() {
    static const Coverage c;
    return c;
}

// Registers the controller's own keys set: a key is on or off, the speed 24 to 900.
struct KeyRange {
    int reg, lo, hi;
};
constexpr KeyRange kKeys[] = {{501, 0, 1}, {502, 0, 1}, {503, 0, 1},
                              {504, 0, 1}, {505, 0, 1}, {506, 24, 900}};

} // namespace

namespace RegisterMap {

int blockOf(int reg) {
    return LineModel::blockOf(reg);
}

bool covered(int reg) {
    if (reg == kAlarmsActive || reg == kAlarmsUnacknowledged) return true;
    return reg >= 0 && reg < kRegisters && coverage().covered[size_t(reg)];
}

std::optional<int> monitorPosition(int reg) {
    if (reg < 0 || reg >= kRegisters || coverage().monitor[size_t(reg)] < 0) return std::nullopt;
    return coverage().monitor[size_t(reg)];
}

RegisterRead read(const StationView& s, int first, int count) {
    RegisterRead r;
    if (!s.inUse || !s.values || !s.image) {
        r.exception = ModbusException::PathUnavailable;
        return r;
    }
    for (int reg = first; reg < first + count; ++reg)
        if (!covered(reg)) {
            r.exception = ModbusException::IllegalAddress;
            return r;
        }
    if (!s.answering || !s.values->fresh) {
        r.exception = ModbusException::TargetFailed;
        return r;
    }
    for (int reg = first; reg < first + count; ++reg) {
        if (reg >= kRegisters) {
            r.values.push_back(reg == kAlarmsActive ? s.alarms.active : s.alarms.unacknowledged);
            continue;
        }
        if (const auto pos = monitorPosition(reg)) {
            r.values.push_back(s.values->regs[size_t(*pos)]);
            continue;
        }
        const int b = blockOf(reg);
        const qint64 age = b > 0 ? s.imageAgeMs[size_t(b - 1)] : -1;
        // The clock runs: its registers are read again for every request.
        const qint64 maxAge = reg >= 520 && reg <= 525 ? kClockAgeMs : s.imageMaxAgeMs;
        const auto it = s.image->find(reg);
        if (it == s.image->end() || age < 0 || age > maxAge) {
            if (b > 0 && std::find(r.blocks.begin(), r.blocks.end(), b) == r.blocks.end())
                r.blocks.push_back(b);
            r.needImage = true;
            continue;
        }
        r.values.push_back(it->second);
    }
    if (r.needImage) r.values.clear();
    return r;
}

int checkWrite(const StationView& s, const GatewayOptions& o, int reg, int value) {
    if (!o.writes) return ModbusException::IllegalFunction;
    if (!s.inUse || !s.values) return ModbusException::PathUnavailable;
    if (!covered(reg) || reg >= kRegisters || !o.allows(reg))
        return ModbusException::IllegalAddress;
    for (const KeyRange& k : kKeys)
        if (k.reg == reg && (value < k.lo || value > k.hi)) return ModbusException::IllegalValue;
    if (!s.answering || !s.values->fresh) return ModbusException::TargetFailed;
    // A parameter's range may hang on the input type the station has now.
    if (const ParamInfo* p = paramInfo(reg)) {
        const auto& g = s.values->regs;
        const int inp = g[MonReg::INP], unit = g[MonReg::UNIT];
        if (!paramRefusal(*p, value, inp, unit, DecimalPlaces(inp, unit, g[MonReg::DPP])).isEmpty())
            return ModbusException::IllegalValue;
    }
    return ModbusException::None;
}

} // namespace RegisterMap
