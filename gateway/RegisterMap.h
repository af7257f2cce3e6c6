// What a Modbus client sees of one station: register r is the controller's register r, a
// signed 16-bit value. The live values come from the monitor poll, the rest from the station's
// parameter image. Pure decisions over a view of a station, so they are tested without sockets or a
// line.
#pragma once

#include "link/Reading.h"

#include <array>
#include <map>
#include <optional>
#include <vector>

struct GatewayOptions;

// Modbus exception codes the gateway answers with.
namespace ModbusException {
enum : int {
    None = 0,
    // Writes are off: the answer of a read-only device, which a master neither takes for a
    // wrong address nor for a failed station to retry.
    IllegalFunction = 0x01,
    IllegalAddress = 0x02, // a register no block covers, or one not on the allow-list
    IllegalValue = 0x03,   // a value outside the register's range, or a bad count
    // The controller answered and refused (NG): the station is there, so not 0B, which a
    // SCADA engineer reads as wiring.
    ServerFailure = 0x04,
    PathUnavailable = 0x0A, // the unit (MC No) is not in use
    TargetFailed = 0x0B     // not answering, not fresh, or a write given up
};
}

// A station's alarms as the alarm list counts them.
struct AlarmCounts {
    int active = 0;         // lamps on now, acknowledged or not
    int unacknowledged = 0; // waiting for the operator, lamp on or already off
};

// One station as the line model has it at this moment: a view over the model's own values and
// parameter image, nothing copied. Valid until the event loop runs again; a client's request is
// answered within one turn of it.
struct StationView {
    bool inUse = false;
    bool answering = false;                    // its last exchange went well: values are current
    const StationValues* values = nullptr;     // the monitor read; set whenever inUse
    const std::map<int, int>* image = nullptr; // parameter registers as last reported; with values
    // Age of each parameter block (1 to 4) in ms; -1: not read (since it came back).
    std::array<qint64, 4> imageAgeMs{-1, -1, -1, -1};
    int imageMaxAgeMs = 10000; // older blocks are read again before they are served
    AlarmCounts alarms;
};

struct RegisterRead {
    int exception = ModbusException::None;
    // Parameter blocks not held, or too old: read them, then ask again.
    bool needImage = false;
    std::vector<int> blocks;
    std::vector<int> values;
};

namespace RegisterMap {
constexpr int kRegisters = 700; // the controller's, 0 to 699
// The gateway's own, read-only, after the controller's: the station's alarm counts, so a
// SCADA sees what waits for acknowledgement without polling every status word.
constexpr int kAlarmsActive = 700, kAlarmsUnacknowledged = 701;
constexpr int kMapSize = 702; // every register a client can address
// A clock register read this long ago is read again.
constexpr int kClockAgeMs = 500;
// The parameter block (1 to 4) that holds reg; 0 for none.
int blockOf(int reg);
// Whether a read of the station's parameter blocks or its monitor read holds register reg.
bool covered(int reg);
// reg's position in the monitor read, if it is one of its registers.
std::optional<int> monitorPosition(int reg);
// Registers first to first + count - 1 of the station.
RegisterRead read(const StationView& s, int first, int count);
// Whether value may be written to reg of the station: an exception code, or None.
int checkWrite(const StationView& s, const GatewayOptions& o, int reg, int value);
} // namespace RegisterMap
