// Named cells of the value grids, so no window spells a column number or a map cell out.
#pragma once

// Columns of the monitor table (sprdMonitoring), one row per station in use.
namespace MonitorCol {
enum : int {
    INP = 1,
    UNIT = 2,
    DPP = 3,
    NPV = 4,
    NSV = 5,
    NRSV = 6,
    SSV = 7,
    MVOUT = 8,
    PIDNO = 9,
    ALMSTS = 10,
    ERRSTS = 11,
    MODSTS = 12,
    COMSTS = 13, // "OK" / "NG", not a register
    SVNO = 14,   // register 300
    PRINT = 15,  // registers 501 to 506: the recorder keys and the print speed
    TEXT = 16,
    LIST = 17,
    FEED = 18,
    ZOOM = 19,
    SPD = 20,
    Count = 20
};
} // namespace MonitorCol

// Columns of the station table (sprdStatus).
namespace StatusCol {
enum : int { MC_No = 1, Model = 2, ConnState = 3 };
}

// A register's cell in the parameter map.
struct MapCell {
    int col;
    int row;
    friend constexpr bool operator==(MapCell, MapCell) = default;
};

// Register r sits in group g = r / 100: its value in column 2g + 2, its mnemonic in
// column 2g + 1, both at row r % 100 + 1.
constexpr MapCell mapCell(int reg) {
    return {2 * (reg / 100) + 2, reg % 100 + 1};
}
constexpr MapCell mapLabelCell(int reg) {
    return {2 * (reg / 100) + 1, reg % 100 + 1};
}
