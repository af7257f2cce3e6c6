#include "settings/ConfigFiles.h"

#include "settings/PortList.h"

#include "link/mdlKX5.h"
#include "settings/DSaveInterval.h"
#include "settings/FileChecks.h"
#include "ui/TestSeams.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>

QString programDir() {
    const QString& dir = testSeams().programDir;
    return dir.isEmpty() ? QCoreApplication::applicationDirPath() : dir;
}

void setProgramDir(const QString& dir) {
    testSeams().programDir = dir;
}
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
    return {l[0], l[1], l[2], l[3], l[4], l[5]};
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
    return DataSaveSettings::fromWords(l[0], interval, l[2], l[3].isEmpty() ? programDir() : l[3],
                                       l[4]);
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
    return buildStations(lines);
}

bool saveSetEnv(const QStringList& lines, QString* error) {
    QDir().mkpath(cfgDir());
    return writeLinesAtomic(setEnvPath(), lines, error);
}
