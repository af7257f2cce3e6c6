// Station-list helpers shared by the stations window and the main window.
#pragma once

#include <QStringList>

class Grid;

// The SetEnv lines of a stations grid: for each row, the "Use" text, TAB, the description.
QStringList stationLines(const Grid& list);
// Fills the stations grid from SetEnv lines, one row per line, up to the grid's rows. A line
// without TAB is a mark with an empty description, as the start-up reader treats it.
void fillStationGrid(Grid& list, const QStringList& lines);
// True when at least one line is marked exactly "O".
bool anyStationInUse(const QStringList& lines);
