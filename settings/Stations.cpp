#include "settings/Stations.h"

#include "link/mdlKX5.h"
#include "ui/Grid.h"

#include <algorithm>

QStringList stationLines(const Grid& list) {
    QStringList lines;
    lines.reserve(list.maxRows());
    for (int r = 1; r <= list.maxRows(); ++r)
        lines.append(list.text(1, r) + QLatin1Char('\t') + list.text(2, r));
    return lines;
}

void fillStationGrid(Grid& list, const QStringList& lines) {
    const int rows = std::min<int>(list.maxRows(), static_cast<int>(lines.size()));
    for (int r = 1; r <= rows; ++r) {
        const QString& line = lines[r - 1];
        // Fields as the start-up reader splits them, so the window shows what the program uses.
        const QStringList fields = line.split(QLatin1Char('\t'));
        list.setText(1, r, fields[0]);
        list.setText(2, r, fields.size() > 1 ? fields[1] : QString());
    }
}

bool anyStationInUse(const QStringList& lines) {
    return std::any_of(lines.begin(), lines.end(), [](const QString& l) {
        return l.section(QLatin1Char('\t'), 0, 0) == QLatin1String("O");
    });
}
