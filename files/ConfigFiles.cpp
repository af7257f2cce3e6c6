#include "files/ConfigFiles.h"

#include "files/PortList.h"

#include "files/DSaveInterval.h"
#include "files/FileChecks.h"
#include "link/mdlKX5.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>

QString chooseProgramDir(const QString& exeDir, const QString& userDir, bool* usedUser,
                         bool* created) {
    *usedUser = false;
    *created = false;
    const QFileInfo exe(exeDir);
    if (exe.isDir() && exe.isWritable()) return exeDir;
    const bool existed = QFileInfo(userDir).isDir();
    if (!QDir().mkpath(userDir)) return exeDir;
    *usedUser = true;
    *created = !existed;
    linkCompanions(exeDir, userDir);
    return userDir;
}

int linkCompanions(const QString& exeDir, const QString& programFolder) {
    int made = 0;
    for (const char* name : {"KX5_Graph", "KX5_Graph.exe", "KX5.pdf", "Help"}) {
        const QString from = exeDir + QLatin1Char('/') + QLatin1String(name);
        const QString to = programFolder + QLatin1Char('/') + QLatin1String(name);
        // What the user put there, or a link of an earlier run, stays.
        if (!QFileInfo::exists(from) || QFileInfo(to).isSymLink() || QFileInfo::exists(to))
            continue;
        if (QFile::link(QFileInfo(from).absoluteFilePath(), to)) ++made;
    }
    return made;
}

QString userProgramDir() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
           QStringLiteral("/kx5comm");
}

QString commCfgPath() {
    return programDir() + QStringLiteral("/Comm.CFG");
}
QString cfgDir() {
    return programDir() + QStringLiteral("/CFG");
}
QString setEnvPath() {
    return cfgDir() + QStringLiteral("/SetEnv.INI");
}
QString saveDataPath() {
    return cfgDir() + QStringLiteral("/SaveData.INI");
}

bool writeLinesAtomic(const QString& path, const QStringList& lines, QString* error,
                      QFileDevice::Permissions permissions) {
    FileNotice why;
    if (writeLinesAtomic(path, lines, &why, permissions)) return true;
    if (error) *error = why.shown;
    return false;
}

bool writeLinesAtomic(const QString& path, const QStringList& lines, FileNotice* error,
                      QFileDevice::Permissions permissions) {
    QByteArray data;
    for (const QString& l : lines)
        data += l.toUtf8() + "\r\n";
    QSaveFile f(path);
    const QString file = QDir::toNativeSeparators(path);
    const char* const cannot = QT_TRANSLATE_NOOP("ConfigFiles", "Cannot write %1: %2");
    // Our own reason (marked in "ConfigFiles"); the system's stays as it comes.
    auto fail = [&](const char* ours) {
        if (error)
            *error = fileNotice("ConfigFiles", cannot, {file, QString::fromUtf8(ours)},
                                {file, QCoreApplication::translate("ConfigFiles", ours)});
        f.cancelWriting();
        return false;
    };
    auto failed = [&] {
        if (error) *error = fileNotice("ConfigFiles", cannot, {file, f.errorString()});
        f.cancelWriting();
        return false;
    };
    // A link in the settings folder (planted by someone who may write there) is replaced
    // there, never written through to what it points at.
    if (QFileInfo(path).isSymLink() && !QFile::remove(path))
        return fail(QT_TRANSLATE_NOOP("ConfigFiles", "a link in its place cannot be removed"));
    // Replacing a folder, or writing to a device or FIFO, is never meant.
    const QFileInfo target(path);
    if (target.isDir())
        return fail(QT_TRANSLATE_NOOP("ConfigFiles", "a folder of that name is in the way"));
    if (target.exists() && !target.isFile())
        return fail(QT_TRANSLATE_NOOP("ConfigFiles", "it is not a regular file"));
    if (!f.open(QIODevice::WriteOnly)) return failed();
    // Narrowed while it is still the temporary file, so there is no moment at which others
    // could read it.
    if (permissions && !f.setPermissions(permissions))
        return fail(QT_TRANSLATE_NOOP("ConfigFiles", "its permissions cannot be set"));
    if (f.write(data) != data.size()) return failed();
    // commit() can report success although its last buffered write failed (a full disk).
    if (!f.flush()) return failed();
    if (!f.commit()) return failed();
    return true;
}

// ---------------- reading ----------------

namespace {

// Reads a settings file of at least `needed` lines; when it is there but cannot be used, a
// notice naming it, why, and what is used instead goes to *notes.
bool readSettings(const QString& path, int needed, const char* instead, QStringList* lines,
                  QList<FileNotice>* notes) {
    QString why;
    FileNotice reason;
    if (readLines(path, lines, &why)) {
        if (lines->size() >= needed) return true;
        reason =
            fileNotice("ConfigFiles", QT_TRANSLATE_NOOP("ConfigFiles", "it has %1 of its %2 lines"),
                       {QString::number(lines->size()), QString::number(needed)});
    } else if (why.isEmpty()) {
        return false; // missing: the defaults of a first start
    } else {
        reason = {why, shownReason(why)};
    }
    if (notes) {
        const QString file = QDir::toNativeSeparators(path);
        const char* text = QT_TRANSLATE_NOOP("ConfigFiles", "%1 cannot be used (%2), so %3");
        notes->append(
            {QString::fromUtf8(text).arg(file, reason.logged, QString::fromUtf8(instead)),
             QCoreApplication::translate("ConfigFiles", text)
                 .arg(file, reason.shown, QCoreApplication::translate("ConfigFiles", instead))});
    }
    return false;
}

} // namespace

// ---------------- Comm.CFG ----------------

PortSettings LoadCommCfg(QList<FileNotice>* notes, bool* read) {
    QStringList l;
    const bool ok =
        readSettings(commCfgPath(), 6,
                     QT_TRANSLATE_NOOP("ConfigFiles", "the built-in port settings are used: "
                                                      "COM1, 9600,N,8,1, STD"),
                     &l, notes);
    if (read) *read = ok;
    if (!ok) {
        PortSettings defaults;
        // Never set up: the likeliest real port, not COM1 (an alias most machines lack); a
        // file that cannot be used keeps the built-in settings its note names.
        if (!QFileInfo::exists(commCfgPath())) defaults.port = PortList::firstReal(defaults.port);
        return defaults;
    }
    const PortSettings cfg{l[0], l[1], l[2], l[3], l[4], l[5]};
    // Kept as they stand, as the window shows them, but each value no port takes is named: a
    // line that can never open must not look like a port that is missing.
    static const char* const why[] = {
        QT_TRANSLATE_NOOP("ConfigFiles", "the baud rate must be a whole number above 0, so the "
                                         "port cannot be opened"),
        QT_TRANSLATE_NOOP("ConfigFiles",
                          "the parity must be N, E, O, M or S, so the port cannot be opened"),
        QT_TRANSLATE_NOOP("ConfigFiles",
                          "the data bits must be 5 to 8, so the port cannot be opened"),
        QT_TRANSLATE_NOOP("ConfigFiles",
                          "the stop bits must be 1, 1.5 or 2, so the port cannot be opened"),
        QT_TRANSLATE_NOOP("ConfigFiles", "the protocol must be STD or SUM, so frames carry a "
                                         "checksum (SUM)")};
    if (notes)
        for (int line : cfg.unusableLines())
            notes->append(lineProblem(commCfgPath(), line, l[line - 1],
                                      fileNotice("ConfigFiles", why[line - 2], {})));
    return cfg;
}

bool SaveCommCfg(const PortSettings& c, QString* error) {
    return writeLinesAtomic(commCfgPath(),
                            {c.port, c.baud, c.parity, c.dataBits, c.stopBits, c.protocol}, error);
}

// ---------------- SaveData.INI ----------------

DataSaveSettings LoadSaveDataCfg(QList<FileNotice>* notes) {
    QDir().mkpath(cfgDir());
    QStringList l;
    if (!readSettings(saveDataPath(), 5,
                      QT_TRANSLATE_NOOP("ConfigFiles", "data saving is off until it is set up in "
                                                       "Data Save Setting"),
                      &l, notes)) {
        DataSaveSettings defaults;
        defaults.folder = programDir();
        return defaults;
    }
    // The data-save window keeps the interval within 1 to 60; an edited file is corrected
    // the same way, and told.
    const int interval = cInt(correctInterval(l[1]));
    if (notes && interval != cInt(l[1]))
        notes->append(fileNotice(
            "ConfigFiles",
            QT_TRANSLATE_NOOP("ConfigFiles", "%1: the interval %2 is out of range (1 to "
                                             "60), so %3 is used"),
            {QDir::toNativeSeparators(saveDataPath()), l[1].trimmed(), QString::number(interval)}));
    // Words the window never writes are named, with what they count as.
    const auto wrong = [&](int line, const char* why) {
        if (notes)
            notes->append(
                lineProblem(saveDataPath(), line, l[line - 1], fileNotice("ConfigFiles", why, {})));
    };
    if (l[0] != QLatin1String("Yes") && l[0] != QLatin1String("No"))
        wrong(1, QT_TRANSLATE_NOOP("ConfigFiles",
                                   "\"Yes\" or \"No\" is expected, so data saving is not enabled"));
    if (l[2] != QLatin1String("sec") && l[2] != QLatin1String("min") &&
        l[2] != QStringLiteral("분"))
        wrong(3, QT_TRANSLATE_NOOP("ConfigFiles",
                                   "\"sec\" or \"min\" is expected, so the interval counts "
                                   "in seconds"));
    QString name = l[4];
    if (!DataSaveSettings::nameStaysInFolder(name)) {
        wrong(5, QT_TRANSLATE_NOOP("ConfigFiles", "a file name without a folder is expected, so "
                                                  "the files are named KX5"));
        name = DataSaveSettings{}.name;
    }
    return DataSaveSettings::fromWords(l[0], interval, l[2], l[3].isEmpty() ? programDir() : l[3],
                                       name);
}

bool saveSaveData(const QStringList& lines, QString* error) {
    QDir().mkpath(cfgDir());
    return writeLinesAtomic(saveDataPath(), lines, error);
}

// ---------------- SetEnv.INI ----------------

StationList buildStations(const QStringList& lines) {
    StationList out;
    // Only lines 1 to 99 can address a station: MC Nos travel as two digits.
    for (int n = 1; n <= lines.size() && n <= 99; ++n) {
        const QStringList fields = lines[n - 1].split(QLatin1Char('\t'));
        if (fields[0] != QLatin1String("O")) continue;
        // An "O" line without a description is still a station in use, with an empty name.
        out.push_back({n, fields.size() > 1 ? fields[1] : QString()});
    }
    return out;
}

StationList LoadStations(QList<FileNotice>* notes) {
    QDir().mkpath(cfgDir());
    QStringList lines;
    if (!readSettings(setEnvPath(), 0,
                      QT_TRANSLATE_NOOP("ConfigFiles", "only MC 1 is in use until the stations "
                                                       "are set in Use MC Setting"),
                      &lines, notes))
        return {{1, QString()}};
    // Lines that are neither "O" nor "X" with a TAB before the description are said; what
    // they count as is buildStations' rule. A file wrong throughout is said by its first few.
    constexpr int kSaid = 5;
    int wrong = 0;
    if (notes)
        for (int n = 1; n <= lines.size() && n <= 99; ++n) {
            const QString first = lines[n - 1].section(QLatin1Char('\t'), 0, 0);
            if ((first == QLatin1String("O") || first == QLatin1String("X")) &&
                lines[n - 1].contains(QLatin1Char('\t')))
                continue;
            if (++wrong > kSaid) continue;
            notes->append(lineProblem(
                setEnvPath(), n, lines[n - 1],
                fileNotice("ConfigFiles",
                           first == QLatin1String("O")
                               ? QT_TRANSLATE_NOOP("ConfigFiles",
                                                   "a TAB is expected before the description; "
                                                   "MC %1 is in use without one")
                               : QT_TRANSLATE_NOOP("ConfigFiles",
                                                   "\"O\" (in use) or \"X\", then a TAB and the "
                                                   "description, is expected; MC %1 is not in use"),
                           {QString::number(n)})));
        }
    if (wrong > kSaid)
        notes->append(fileNotice(
            "ConfigFiles", QT_TRANSLATE_NOOP("ConfigFiles", "%1: %2 more lines like these"),
            {QDir::toNativeSeparators(setEnvPath()), QString::number(wrong - kSaid)}));
    return buildStations(lines);
}

bool saveSetEnv(const QStringList& lines, QString* error) {
    QDir().mkpath(cfgDir());
    return writeLinesAtomic(setEnvPath(), lines, error);
}
