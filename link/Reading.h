// A station's live values as numbers, and the one decoder every view takes them from: the
// main display, Multi-Monitoring, the event list, the trend graph and the data log all ask
// decode() rather than each knowing which register holds what and which bit lights which lamp.
#pragma once

#include <QDateTime>
#include <QString>
#include <array>
#include <bitset>

// Positions in the monitor read: registers 610, 611, 614, 1, 2, 3, 4, 5, 8, 9, 17, 18, 300
// and 501 to 506.
namespace MonReg {
enum : int {
    INP,
    UNIT,
    DPP,
    NPV,
    NSV,
    NRSV,
    SSV,
    MVOUT,
    PIDNO,
    ALMSTS,
    ERRSTS,
    MODSTS,
    SVNO,
    PRINT, // 501 to 506: PRINT, TEXT, LIST, FEED, ZOOM, SPD
    SPD = PRINT + 5,
    Count
};
}

// A station's last monitor reply as numbers, with the time it was stored. It is fresh until an
// exchange with the station fails or it grows older than the line model allows (LineModel
// decides both, in one place); a failure never changes the values themselves.
struct StationValues {
    static constexpr int kCount = MonReg::Count;
    std::array<int, kCount> regs{};
    QDateTime storedAt;  // invalid: nothing stored yet
    qint64 readAtMs = 0; // the line model's steady clock when it was stored
    bool fresh = false;
};

// The station table's connection state of a station.
enum class ConnState { Unknown, OK, NG };

// Why an exchange with a station failed, as the events name it.
enum class LineFault {
    Silent,      // no answer within the reply wait
    Refused,     // answered NG
    BadChecksum, // a reply whose checksum is wrong
    NoOk,        // a reply without "OK"
    Unmatched,   // replies that are not the answer to the request
    NotKX5       // answers the model query, but not as a KX5
};

// The lamps a status word lights.
enum class StatusLamp {
    AL1,
    AL2,
    AL3,
    AT,
    JC,
    Minus,
    Run,
    Prog,
    Wait,
    PvBout,
    RjcErr,
    PvPovr,
    PvMovr,
    AtErr,
    Count
};

struct LampBit {
    StatusLamp lamp;
    int word; // MonReg::ALMSTS, ERRSTS or MODSTS
    int bit;
    const char* name;
    bool logged; // its switching on and off goes to the event list
};
extern const std::array<LampBit, size_t(StatusLamp::Count)> kLampBits;

struct Reading {
    bool stored = false; // false: no reply yet, every figure zero
    bool fresh = false;
    int decimals = 0;
    double pv = 0, sv = 0, mv = 0;
    // "℃", "℉", "V" or "㎷"; empty for a temperature input whose unit code is neither 0 nor 1,
    // which leaves the unit shown as it was.
    QString unit;
    int pidNo = 0;
    int svNo = 0;  // register 300: 1 to 3
    int speed = 0; // register 506
    std::bitset<size_t(StatusLamp::Count)> lamps;
    std::array<bool, 5> keys{};     // registers 501 to 505 above 0
    std::array<bool, 3> keyModes{}; // PRINT, TEXT and LIST as MODSTS bits 8 to 10 report them

    bool lit(StatusLamp l) const { return lamps[size_t(l)]; }
    bool out() const { return mv > 0; }
    QString pvText() const;
    QString svText() const;
    QString mvText() const;
};

Reading decode(const StationValues& v);

// What a view reads of the stations; the link is one.
class StationSource {
public:
    virtual ~StationSource() = default;
    // Null for an index outside the station tables.
    virtual const StationValues* values(int idx) const = 0;
    virtual ConnState connState(int idx) const = 0;
};
