// Station-list helpers shared by the stations window and the main window.
#pragma once

#include <QStringList>

class Grid;

// Makes a selected gMC_No name a station in use: unchanged when gMC_List holds it, otherwise
// the first station in use. gMC_SelIdx follows as the index of gMC_No in gMC_List. gMC_No 0
// (no station selected yet) and an empty list leave gMC_No alone, with gMC_SelIdx 0.
void KeepSelectedStation();

// The SetEnv lines of a stations grid: for each row, the "Use" text, TAB, the description.
QStringList stationLines(const Grid& list);
// Fills the stations grid from SetEnv lines, one row per line, up to the grid's rows. A line
// without TAB is a mark with an empty description, as the start-up reader treats it.
void fillStationGrid(Grid& list, const QStringList& lines);
// True when at least one line is marked exactly "O".
bool anyStationInUse(const QStringList& lines);
