// Which records to draw for one series over a time range on a given number of pixel columns:
// the minimum and the maximum of every column, so a one-record spike survives any zoom, plus
// the records just outside the range so the lines run to the edges. A range with few records
// gives all of them.
#pragma once

#include <QtGlobal>
#include <vector>

class DatSeries;

// The time where column c (0 .. columns) of [lo, hi] begins; column columns-1 ends at hi
// inclusive.
double columnEdge(double lo, double hi, int columns, int c);

// Indices of the records to draw, in ascending order.
std::vector<qint64> decimate(const DatSeries& data, int series, double lo, double hi, int columns);
