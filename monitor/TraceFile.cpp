#include "monitor/TraceFile.h"

#include "link/Grid.h"
#include "settings/ConfigFiles.h"

bool saveTrace(const Grid& trace, const QString& path, QString* error) {
    QStringList lines;
    for (int r = 1; r <= trace.maxRows(); ++r) {
        QString line = trace.hint(0, r) + QLatin1Char('\t') + trace.text(0, r) + QLatin1Char('\t');
        for (int c = 1; c <= trace.maxCols(); ++c) {
            const QString cell = trace.text(c, r);
            if (cell.isEmpty()) break;
            // Spelled-out control bytes stand apart from the text around them.
            line += cell.size() > 1 ? QLatin1Char('<') + cell + QLatin1Char('>') : cell;
        }
        lines << line;
    }
    return writeLinesAtomic(path, lines, error);
}
