#include "graph/LogFiles.h"

#include "settings/TextLines.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <algorithm>

namespace {

const QRegularExpression& stationPattern() {
    static const QRegularExpression re(QStringLiteral("^(.*)_(\\d+)\\.DAT$"),
                                       QRegularExpression::CaseInsensitiveOption);
    return re;
}

} // namespace

QString stationOf(const QString& path) {
    const auto m = stationPattern().match(QFileInfo(path).fileName());
    return m.hasMatch() ? m.captured(2) : QString();
}

QStringList dataFilesOf(const QString& programFolder) {
    QString folder = programFolder, name = QStringLiteral("KX5");
    QStringList l; // the program's own guards: a FIFO or a device counts as missing
    if (readLines(programFolder + QStringLiteral("/CFG/SaveData.INI"), &l) && l.size() >= 5) {
        if (!l[3].isEmpty()) folder = l[3];
        name = l[4];
    }
    QStringList files;
    const QDir dir(folder);
    for (const QString& f : dir.entryList({name + QStringLiteral("_*.DAT")}, QDir::Files)) {
        const auto m = stationPattern().match(f);
        if (m.hasMatch() && m.captured(1) == name) files << dir.filePath(f);
    }
    std::sort(files.begin(), files.end(), [](const QString& a, const QString& b) {
        return stationOf(a).toInt() < stationOf(b).toInt();
    });
    return files;
}
