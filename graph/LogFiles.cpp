#include "graph/LogFiles.h"

#include "files/FileChecks.h"
#include "files/TextLines.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <algorithm>
#include <filesystem>

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
    // A folder name that is not UTF-8 in the settings is given back, so the viewer names it
    // instead of silently finding nothing.
    if (!nameNotUtf8(folder).isEmpty()) return {folder};
    QStringList files;
    const QDir dir(folder);
    // Qt's own listing leaves out names that are not UTF-8; the standard library's keeps them,
    // so such a log is listed (its bytes shown as U+FFFD) and named when it cannot be opened.
    std::error_code ec, typeEc;
    for (std::filesystem::directory_iterator it(dir.filesystemPath(), ec), end; !ec && it != end;
         it.increment(ec)) {
        const QString f = QFileInfo(it->path()).fileName();
        const auto m = stationPattern().match(f);
        if (m.hasMatch() && m.captured(1) == name && it->is_regular_file(typeEc))
            files << dir.filePath(f);
    }
    files.sort(Qt::CaseInsensitive); // the listing's order is the file system's
    std::stable_sort(files.begin(), files.end(), [](const QString& a, const QString& b) {
        return stationOf(a).toInt() < stationOf(b).toInt();
    });
    return files;
}

QString stationDescription(const QString& path, const QString& programFolder) {
    const int mc = stationOf(path).toInt();
    if (mc < 1 || mc > 99) return {};
    QStringList folders;
    if (!programFolder.isEmpty()) folders << programFolder;
    QDir dir = QFileInfo(path).absoluteDir();
    folders << dir.path();
    if (dir.cdUp()) folders << dir.path();
    for (const QString& folder : folders) {
        QStringList lines;
        if (!readLines(folder + QStringLiteral("/CFG/SetEnv.INI"), &lines)) continue;
        // A station taken out of use since keeps its description: its data is still its own.
        return mc <= lines.size() ? lines[mc - 1].section(QLatin1Char('\t'), 1).trimmed()
                                  : QString();
    }
    return {};
}
