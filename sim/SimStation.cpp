#include "sim/SimStation.h"

#include <algorithm>
#include <cmath>

namespace kx5sim {

namespace {

constexpr double kProcessLag = 300.0;  // s, the load's time constant
constexpr double kHeaterLag = 30.0;    // s, the heater's own lag
constexpr double kStep = 0.25;         // s, integration step when requests come often
constexpr int kMaxSteps = 1200;        // per advance; longer gaps take coarser steps (up to 3 s)
constexpr double kMaxCatchUp = 3600.0; // beyond this the process has long settled

// Days since 1970-01-01 of a proleptic Gregorian date (H. Hinnant's algorithm).
std::int64_t daysFromCivil(std::int64_t y, unsigned m, unsigned d) {
    y -= m <= 2;
    const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
    const auto yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<std::int64_t>(doe) - 719468;
}

struct Civil {
    std::int64_t year;
    int month, day, hour, minute, second;
};

Civil civilFromSeconds(std::int64_t t) {
    std::int64_t days = t / 86400;
    std::int64_t secs = t % 86400;
    if (secs < 0) {
        secs += 86400;
        --days;
    }
    days += 719468;
    const std::int64_t era = (days >= 0 ? days : days - 146096) / 146097;
    const auto doe = static_cast<unsigned>(days - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    const auto d = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    const auto m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    const std::int64_t y = static_cast<std::int64_t>(yoe) + era * 400 + (m <= 2);
    return {y,
            m,
            d,
            static_cast<int>(secs / 3600),
            static_cast<int>(secs / 60 % 60),
            static_cast<int>(secs % 60)};
}

std::int64_t secondsFromCivil(const Civil& c) {
    return daysFromCivil(c.year, static_cast<unsigned>(c.month), static_cast<unsigned>(c.day)) *
               86400 +
           c.hour * 3600 + c.minute * 60 + c.second;
}

// The controller's decimals for temperature-like values, from INP, UNIT and DP-P.
int decimals(int inp, int unit, int dpp) {
    if (inp >= 30) return std::clamp(dpp, 0, 3);
    if (unit == 0) {
        switch (inp) {
        case 2:
        case 3:
        case 4:
        case 5:
        case 9:
        case 11:
        case 20:
        case 21:
            return 1;
        default:
            return 0;
        }
    }
    return inp == 20 ? 1 : 0;
}

std::int16_t clamp16(double v) {
    return static_cast<std::int16_t>(std::clamp(std::lround(v), -32768L, 32767L));
}

} // namespace

SimStation::SimStation(int address)
    : mAddress(address), mRegs(700, 0), mRng(0x9E3779B9u ^ static_cast<std::uint32_t>(address)) {
    // Plausible factory settings: K thermocouple -199.9 to 999.9 degC, SV1 100.0.
    const std::pair<int, int> defaults[] = {
        {300, 1},    {301, 1000},  {302, 2000}, {303, 500},     {305, 0},    {306, 0},
        {310, 50},   {311, 240},   {312, 40},   {313, 0},       {314, 50},   {315, 240},
        {316, 40},   {317, 0},     {318, 0},    {320, 50},      {321, 240},  {322, 40},
        {324, 50},   {325, 240},   {326, 40},   {330, 50},      {331, 240},  {332, 40},
        {334, 50},   {335, 240},   {336, 40},   {104, 100},     {410, 1},    {411, 2},
        {413, 5},    {414, 5},     {416, 50},   {417, 100},     {506, 100},  {510, 0},
        {511, 4},    {513, 1},     {514, 8},    {515, address}, {600, 0},    {602, 20},
        {603, 20},   {604, 5},     {607, 1000}, {608, 0},       {610, 2},    {611, 0},
        {612, 9999}, {613, -1999}, {614, 1},    {615, 9999},    {616, -1999}};
    for (auto [r, v] : defaults)
        reg(r) = static_cast<std::int16_t>(v);
    const Range r = range();
    mTemp = mPrevTemp = r.ambient;
    updateStatus(r, mTemp);
}

SimStation::Range SimStation::range() const {
    const int inp = reg(610);
    const int unit = reg(611);
    const double f = std::pow(10.0, decimals(inp, unit, reg(614)));
    const bool linear = inp >= 30;
    double lo = (linear ? reg(616) : reg(613)) / f;
    double hi = (linear ? reg(615) : reg(612)) / f;
    if (hi <= lo) hi = lo + 100.0;
    double ambient = linear ? lo + 0.05 * (hi - lo) : (unit == 1 ? 77.0 : 25.0);
    ambient = std::clamp(ambient, lo, hi);
    double gain = 0.8 * (hi - ambient);
    if (gain < 1.0) gain = hi - lo;
    return {f, lo, hi, ambient, gain};
}

int SimStation::activeSet() const {
    return std::clamp<int>(reg(300), 1, 3);
}

double SimStation::noise() {
    // xorshift32: cheap, and the same sequence for the same station on every run.
    mRng ^= mRng << 13;
    mRng ^= mRng >> 17;
    mRng ^= mRng << 5;
    return (mRng / 4294967296.0) - 0.5;
}

void SimStation::advanceTo(double t) {
    if (!(t > mNow)) return;
    double dt = t - mNow;
    if (dt > kMaxCatchUp) dt = kMaxCatchUp;
    const int n = std::clamp(static_cast<int>(std::ceil(dt / kStep)), 1, kMaxSteps);
    const double h = dt / n;
    const Range r = range();
    mNow = t - dt;
    for (int i = 0; i < n; ++i) {
        mNow += h;
        step(h, r);
    }
    mNow = t;
}

void SimStation::step(double h, const Range& r) {
    const int set = activeSet();
    const double sv = reg(300 + set) / r.factor;
    const double span = r.hi - r.lo;
    const double resolution = 1.0 / r.factor;
    const double measured =
        mTemp + reg(618) / r.factor + noise() * std::max(2 * resolution, 0.0004 * span);
    const double olh = std::clamp(reg(607) / 10.0, 0.0, 100.0);
    const double oll = std::clamp(reg(608) / 10.0, 0.0, olh);

    double mv;
    if (mTuning && mNow - mTuneStart >= kAutoTuneSeconds) {
        mTuning = false;
        reg(306) = 0;
    }
    if (mTuning) {
        mv = measured < sv ? olh : oll; // relay test around SV
    } else {
        const int base = 300 + 10 * set;
        const double band = reg(base) / 10.0; // proportional band, % of span
        const double ti = reg(base + 1);      // s
        const double td = reg(base + 2);      // s
        const double e = sv - measured;
        if (band <= 0) {
            const double hys = reg(604) / r.factor;
            const double last = reg(5) / 10.0;
            mv = e > hys / 2 ? olh : (e < -hys / 2 ? oll : last);
        } else {
            const double kp = 100.0 / (band / 100.0 * span);
            // Derivative on the process (not the noisy reading), so SV steps do not kick.
            const double deriv = (mTemp - mPrevTemp) / h;
            double integral = ti > 0 ? mIntegral + kp * e * h / ti : reg(base + 3) / 10.0;
            const double u = kp * e + integral - kp * td * deriv;
            // Integrate only while the output is free to move: no wind-up at the limits.
            if ((u > olh && e > 0) || (u < oll && e < 0)) integral = mIntegral;
            mIntegral = std::clamp(integral, oll - 100.0, olh + 100.0);
            mv = std::clamp(kp * e + mIntegral - kp * td * deriv, oll, olh);
        }
    }
    mPrevTemp = mTemp;
    mHeater += h / kHeaterLag * (mv / 100.0 - mHeater);
    mTemp += h / kProcessLag * (r.ambient + r.gain * mHeater - mTemp);

    reg(5) = clamp16(mv * 10.0);
    reg(6) = reg(5);
    reg(12) = mv > 0 ? 1 : 0;
    updateStatus(r, measured);
}

void SimStation::updateStatus(const Range& r, double measured) {
    const double margin = 0.05 * (r.hi - r.lo);
    std::int16_t err = 0;
    if (measured > r.hi + margin) err |= 4;
    if (measured < r.lo - margin) err |= 8;
    reg(17) = err;
    // The output always lies within its limits, also right after they were changed.
    const int olh = std::clamp<int>(reg(607), 0, 1000);
    reg(5) =
        static_cast<std::int16_t>(std::clamp<int>(reg(5), std::clamp<int>(reg(608), 0, olh), olh));
    reg(6) = reg(5);
    const double shown = std::clamp(measured, r.lo - margin, r.hi + margin);
    reg(1) = clamp16(shown * r.factor);
    const int set = activeSet();
    reg(2) = reg(3) = reg(4) = reg(300 + set);
    reg(8) = static_cast<std::int16_t>(set);

    const int pv = reg(1);
    const int sv = reg(2);
    int alarms = reg(9);
    for (int a = 0; a < 2; ++a) {
        const int type = reg(410 + a);
        const int point = reg(416 + a);
        const int band = std::max<int>(reg(413 + a), 0);
        const int dev = pv - sv;
        long depth; // > 0 inside the alarm region
        switch (type) {
        case 1:
            depth = dev - point;
            break;
        case 2:
            depth = -dev - point;
            break;
        case 3:
            depth = std::abs(dev) - point;
            break;
        case 4:
            depth = point - std::abs(dev);
            break;
        case 5:
            depth = pv - point;
            break;
        case 6:
            depth = point - pv;
            break;
        default:
            depth = -1L - band;
            break;
        }
        const bool was = alarms & (1 << a);
        const bool on = was ? depth >= -band : depth > 0; // clears only past the dead band
        alarms = on ? (alarms | (1 << a)) : (alarms & ~(1 << a));
    }
    reg(9) = static_cast<std::int16_t>(alarms);

    int mode = mTuning ? 1 : 0;
    for (int k = 0; k < 3; ++k)
        if (reg(501 + k) != 0) mode |= 1 << (8 + k);
    reg(18) = static_cast<std::int16_t>(mode);
}

std::int16_t SimStation::read(int r, std::int64_t civilNow) const {
    if (r < 0 || r >= 700) return 0;
    if (r >= 520 && r <= 525) {
        const Civil c = civilFromSeconds(civilNow + mClockOffset);
        const std::int64_t fields[] = {c.year, c.month, c.day, c.hour, c.minute, c.second};
        return static_cast<std::int16_t>(fields[r - 520]);
    }
    return reg(r);
}

void SimStation::write(int r, std::int16_t value, std::int64_t civilNow) {
    write(std::vector<std::pair<int, std::int16_t>>{{r, value}}, civilNow);
}

void SimStation::write(const std::vector<std::pair<int, std::int16_t>>& writes,
                       std::int64_t civilNow) {
    Civil clock = civilFromSeconds(civilNow + mClockOffset);
    bool clockSet = false;
    for (auto [r, v] : writes) {
        if (!isWritable(r)) continue;
        if (r >= 520 && r <= 525) {
            clockSet = true;
            switch (r) {
            case 520:
                clock.year = std::clamp<int>(v, 1970, 2100);
                break;
            case 521:
                clock.month = std::clamp<int>(v, 1, 12);
                break;
            case 522:
                clock.day = std::clamp<int>(v, 1, 31);
                break;
            case 523:
                clock.hour = std::clamp<int>(v, 0, 23);
                break;
            case 524:
                clock.minute = std::clamp<int>(v, 0, 59);
                break;
            default:
                clock.second = std::clamp<int>(v, 0, 59);
                break;
            }
            continue;
        }
        if (r == 306) {
            if (v != 0 && !mTuning) mTuneStart = mNow;
            mTuning = v != 0;
        }
        reg(r) = v;
    }
    if (clockSet) mClockOffset = secondsFromCivil(clock) - civilNow;
    updateStatus(range(), reg(1) / range().factor);
}

} // namespace kx5sim
