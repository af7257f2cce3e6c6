#include "services/TraceFile.h"

#include "files/ConfigFiles.h"
#include "link/TraceLog.h"

QString traceLine(const TraceLog& trace, int r) {
    QString line = trace.timeText(r) + QLatin1Char('\t') + trace.label(r) + QLatin1Char('\t');
    for (int c = 0; c < TraceLog::kCols; ++c) {
        const QString cell = trace.cell(r, c);
        if (cell.isEmpty()) break;
        // Spelled-out control bytes stand apart from the text around them.
        line += cell.size() > 1 ? QLatin1Char('<') + cell + QLatin1Char('>') : cell;
    }
    return line;
}

bool saveTrace(const TraceLog& trace, const QString& path, QString* error) {
    QStringList lines;
    for (int r = 0; r < trace.rows(); ++r)
        lines << traceLine(trace, r);
    return writeLinesAtomic(path, lines, error);
}
