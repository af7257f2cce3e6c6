// Request frames: pure builders (bytes out, no I/O) and the send routines that trace the
// frame, arm the port for the reply and write it.
#pragma once

#include <QByteArray>
#include <QString>
#include <vector>

// sumLen 0 (STD) or 2 (SUM).
QByteArray buildReadReq(int mcNo, const std::vector<int>& regs, int sumLen);
QByteArray buildWriteReq(int mcNo, const std::vector<int>& regs, const std::vector<int>& vals,
                         int sumLen);
QByteArray buildModelReq(int mcNo, int sumLen);
