// The parameter map's layout and rules, apart from any widget: which register sits in which
// cell, its name and access class, how a stored value is shown, and what a click on a cell
// does. The map window, the dialogs and the benchmarks share these.
#pragma once

#include "registers/ParamInfo.h"
#include "ui/Grid.h"

#include <QString>
#include <vector>

constexpr int kMapCols = 14;
constexpr int kMapRows = 38;
constexpr int kMapGroups = 7;

// Legend and cell colours of the three access classes.
constexpr Bgr kReadOnlyColor = rgb(255, 255, 0);
constexpr Bgr kReadWriteLegend = rgb(0, 255, 0);
constexpr Bgr kReadWriteColor = rgb(0, 255, 128);
constexpr Bgr kNotUsedColor = rgb(0, 0, 64);
constexpr Bgr kNotUsedText = rgb(255, 255, 0);

enum class MapAccess { ReadOnly, ReadWrite, NotUsed };

// Group name over columns 2g + 1 and 2g + 2 (header row 1) and its base register (row 2).
QString mapGroupName(int group);
// Name of the parameter in data row row of group group; empty for an unused row.
QString mapParamName(int group, int row);
// Access class of the value cell (col even) at data row row.
MapAccess mapAccess(int col, int row);

// Lays out a grid as the map: headers, spans, names and the colours of every cell.
void setupMapGrid(Grid& grid);

// The register of value cell (col even, data row row).
constexpr int mapRegister(int col, int row) {
    return 100 * (col / 2 - 1) + row - 1;
}
// Writes every value cell of display from a station's image (null: nothing read), through the
// register table; d is worked out once, before any cell. A register not read stays empty.
void refreshMapGrid(const ParamImage* image, Grid& display);
// What assistive technology says of value cell (col, row) showing text: its name, register,
// value and whether it can be written.
QString mapCellDescription(int col, int row, const QString& text);

// What a click on a cell of the map does: a message for lblMsg, or a dialog to open.
enum class MapDialog { None, Control, PID, SV, AT, ALM, OUT, IN, SetDT };
struct MapClick {
    QString message;
    MapDialog dialog = MapDialog::None;
};
MapClick mapClickAction(int col, int row);
// The registers the dialog writes, each of which it starts from as read from the station
// (none for the clock, which starts from a clock).
std::vector<int> mapDialogWrites(MapDialog which);
