// Saving the communication trace: one line per traced frame, its time, its direction and its
// bytes as the trace shows them.
#pragma once

#include <QString>

class TraceLog;

bool saveTrace(const TraceLog& trace, const QString& path, QString* error);
