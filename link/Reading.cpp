#include "link/Reading.h"

#include "link/mdlKX5.h"

#include <algorithm>

const std::array<LampBit, size_t(StatusLamp::Count)> kLampBits = {{
    {StatusLamp::AL1, MonReg::ALMSTS, 0, "AL1", true},
    {StatusLamp::AL2, MonReg::ALMSTS, 1, "AL2", true},
    {StatusLamp::AL3, MonReg::ALMSTS, 2, "AL3", true},
    {StatusLamp::AT, MonReg::MODSTS, 0, "AT", false},
    {StatusLamp::JC, MonReg::MODSTS, 2, "JC", false},
    {StatusLamp::Minus, MonReg::MODSTS, 3, "-", false},
    {StatusLamp::Run, MonReg::MODSTS, 8, "RUN", false},
    {StatusLamp::Prog, MonReg::MODSTS, 9, "PROG", false},
    {StatusLamp::Wait, MonReg::MODSTS, 13, "WAIT", false},
    {StatusLamp::PvBout, MonReg::ERRSTS, 0, "PV BOUT", true},
    {StatusLamp::RjcErr, MonReg::ERRSTS, 1, "RJC ERR", true},
    {StatusLamp::PvPovr, MonReg::ERRSTS, 2, "PV POVR", true},
    {StatusLamp::PvMovr, MonReg::ERRSTS, 3, "PV MOVR", true},
    {StatusLamp::AtErr, MonReg::ERRSTS, 8, "AT ERR", true},
}};

Reading decode(const StationValues& v) {
    using namespace MonReg;
    Reading r;
    r.stored = v.storedAt.isValid();
    r.fresh = v.fresh;
    const auto& g = v.regs;
    const int inp = g[INP], unit = g[UNIT];
    if (inp >= 1 && inp <= 29)
        r.unit = unit == 0 ? QStringLiteral("℃") : unit == 1 ? QStringLiteral("℉") : QString();
    else
        r.unit = inp == 30 ? QStringLiteral("V") : QStringLiteral("㎷");
    r.decimals = DecimalPlaces(inp, unit, g[DPP]);
    // 0 to 3 decimals: a table rather than pow(), so that polling never pages in libm's pow
    // code and tables (the service's resident memory).
    static constexpr std::array<double, 4> kScale{1.0, 10.0, 100.0, 1000.0};
    const double scale = kScale[size_t(std::clamp(r.decimals, 0, 3))];
    r.pv = g[NPV] / scale;
    r.sv = g[NSV] / scale;
    r.mv = g[MVOUT] / 10.0;
    r.pidNo = g[PIDNO];
    r.svNo = g[SVNO];
    r.speed = g[SPD];
    for (size_t i = 0; i < kLampBits.size(); ++i)
        r.lamps[i] = (g[size_t(kLampBits[i].word)] >> kLampBits[i].bit & 1) != 0;
    for (size_t k = 0; k < r.keys.size(); ++k)
        r.keys[k] = g[PRINT + k] > 0;
    for (size_t k = 0; k < r.keyModes.size(); ++k)
        r.keyModes[k] = (g[MODSTS] >> (8 + k) & 1) != 0;
    return r;
}

QString Reading::pvText() const {
    return formatDecimals(pv, decimals);
}
QString Reading::svText() const {
    return formatDecimals(sv, decimals);
}
QString Reading::mvText() const {
    return formatDecimals(mv, 1);
}
