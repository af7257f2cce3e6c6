// One simulated controller: registers 0 to 699 and a small heated process under PID control.
//
// The model knows no clock of its own. advanceTo() integrates it up to a process time (in
// seconds, any monotonic origin) and the clock registers are computed from the civil time the
// caller passes in, so tests drive both without sleeping. The line advances a station only
// when a request reaches it, which keeps idle stations free.
//
// What the registers do:
//   1 NPV      measured process value (with noise and BIAS), scaled like SV
//   2 NSV      the active set value: SV1..SV3 (301..303) chosen by SVNO (300)
//   3 NRSV, 4 S.SV follow NSV; 8 PIDNO is the PID set in use (= SVNO)
//   5 MVOUT    output in tenths of percent, within OL-L (608) and OL-H (607); 6 CH1OUT the same
//   9 ALMSTS   bit 0 / bit 1 follow alarm 1 / 2: type A1TY/A2TY (410/411), point AL-1/AL-2
//              (416/417), dead band A1DB/A2DB (413/414). Types: 1 deviation high, 2 deviation
//              low, 3 deviation high or low, 4 inside deviation band, 5 absolute high,
//              6 absolute low; every other type never alarms.
//   17 ERRSTS  bit 2 above range, bit 3 below range (PV more than 5 % outside FR-L..FR-H)
//   18 MODSTS  bit 0 while auto-tuning runs; bits 8, 9, 10 while PRINT, TEXT, LIST (501..503)
//              are non-zero
//   306 AT     non-zero starts auto-tuning: the output switches between its limits around SV
//              for kAutoTuneSeconds, then AT returns to 0 (the PID constants are kept)
//   520..525   calendar clock: host civil time plus an offset that a write of any of them sets
//   others     hold what was written. Registers 0 to 18 are read only.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace kx5sim {

class SimStation {
public:
    static constexpr double kAutoTuneSeconds = 120.0;
    static constexpr const char* kDefaultModel = "KX5-100033";

    explicit SimStation(int address);

    int address() const { return mAddress; }
    const std::string& model() const { return mModel; }
    void setModel(std::string model) { mModel = std::move(model); }

    void advanceTo(double processSeconds);
    double processTime() const { return mNow; }

    // civilNow: local wall-clock time as seconds since 1970-01-01 00:00 (no time zone).
    std::int16_t read(int reg, std::int64_t civilNow) const;
    void write(int reg, std::int16_t value, std::int64_t civilNow);
    // All writes of one request; the clock fields are applied together so that setting
    // 31 January on a day in February does not roll over through an impossible date.
    void write(const std::vector<std::pair<int, std::int16_t>>& writes, std::int64_t civilNow);
    static bool isWritable(int reg) { return reg > 18 && reg < 700; }

    // Temperature of the simulated process in display units (tests watch the model's direction).
    double processValue() const { return mTemp; }

private:
    struct Range {
        double factor; // 10^decimals
        double lo;
        double hi;
        double ambient;
        double gain; // process value reached at 100 % output above ambient
    };
    Range range() const;
    void step(double h, const Range& r);
    void updateStatus(const Range& r, double measured);
    int activeSet() const;
    std::int16_t& reg(int r) { return mRegs[static_cast<std::size_t>(r)]; }
    std::int16_t reg(int r) const { return mRegs[static_cast<std::size_t>(r)]; }
    double noise();

    int mAddress;
    std::string mModel = kDefaultModel;
    std::vector<std::int16_t> mRegs;
    double mNow = 0;
    double mTemp = 0;   // process
    double mHeater = 0; // heater power 0..1 after its lag
    double mIntegral = 0;
    double mPrevTemp = 0;
    bool mTuning = false;
    double mTuneStart = 0;
    std::int64_t mClockOffset = 0;
    std::uint32_t mRng;
};

} // namespace kx5sim
