// Saving the communication trace: one line per traced frame, its time, its direction and its
// bytes as the trace shows them.
#pragma once

#include <QString>

class TraceLog;

// Row i as a line: its time, its direction and its bytes, control bytes spelled out in <>.
QString traceLine(const TraceLog& trace, int i);
bool saveTrace(const TraceLog& trace, const QString& path, QString* error);
