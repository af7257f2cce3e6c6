// Which records to draw for one series over a time range on a given number of pixel columns:
// the minimum and the maximum of every column, so a one-record spike survives any zoom, plus
// the records just outside the range so the lines run to the edges. A range with few records
// gives all of them. Where records are missing (DatGaps) a break comes between the records on
// either side, so no line is drawn across a time in which nothing was logged; a column with a
// hole inside gives the minimum and maximum of each side of it.
#pragma once

#include <QtGlobal>
#include <vector>

class DatSeries;

// The time where column c (0 .. columns) of [lo, hi] begins; column columns-1 ends at hi
// inclusive.
double columnEdge(double lo, double hi, int columns, int c);

// In decimate()'s answer: no line from the record before to the record after.
constexpr qint64 kBreak = -1;

// Indices of the records to draw in the order of their times (ascending indices when the
// times never go back), with kBreak between two that a hole separates; never kBreak first,
// last or twice in a row.
std::vector<qint64> decimate(const DatSeries& data, int series, double lo, double hi, int columns);
