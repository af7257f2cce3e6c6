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

// Registers of a scheduler step in frame order (steps 11 to 110); empty for other steps.
std::vector<int> stepRegisters(int step);
// True for the steps that write ("DWR").
bool isWriteStep(int step);

// Build with gSumLen, trace on gCommGrid, set the receive threshold of gComm, and, when the
// port is open, (re)start the watchdog gTmrRecvErr and write.
void SendReadReq(int mcNo, int count, const std::vector<int>& regs);
void SendWriteReq(int mcNo, int count, const std::vector<int>& regs, const std::vector<int>& vals);
void SendModelReq(int mcNo);

// Appends one row to the trace grid (wrapping to row 1 after 500 rows): label in column 0,
// one byte per cell from column 1, STX/CR/LF spelled out.
void CommTrace(Grid* grid, const QByteArray& bytes, const QString& label);
void CommTrace(const QByteArray& bytes, const QString& label); // on gCommGrid
