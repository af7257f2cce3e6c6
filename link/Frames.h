// Request frames: pure builders (bytes out, no I/O) and the send routines that trace the
// frame, arm the port for the reply and write it.
#pragma once

#include <QByteArray>
#include <QString>
#include <vector>

class Grid;

// sumLen 0 (STD) or 2 (SUM).
QByteArray buildReadReq(int mcNo, const std::vector<int>& regs, int sumLen);
QByteArray buildWriteReq(int mcNo, const std::vector<int>& regs, const std::vector<int>& vals,
                         int sumLen);
QByteArray buildModelReq(int mcNo, int sumLen);

// The trace: at most kTraceRows rows, then it restarts in row 1. A normal read (two monitor
// replies are 212 bytes) shows whole; a longer one is cut, with a note of the bytes left out.
constexpr int kTraceRows = 500;
constexpr int kTraceCols = 400;

// Appends one row to the trace grid: label in column 0, one byte per cell from column 1,
// STX/CR/LF spelled out.
void CommTrace(Grid* grid, const QByteArray& bytes, const QString& label);
