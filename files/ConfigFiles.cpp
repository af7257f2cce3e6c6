#include "files/ConfigFiles.h"

#include "files/PortList.h"

#include "files/DSaveInterval.h"
#include "files/FileChecks.h"
#include "files/OptionTable.h"
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

// ---------------- the three files as tables ----------------

namespace {

constexpr OptionWords words(const char* text) {
    return {"ConfigFiles", text};
}

// Comm.CFG: the six values as the window shows and writes them. A value no port takes is
// named at its line and kept as it stands: the window shows it, and a line that can never open
// must not look like a port that is missing.
const LineTable<PortSettings>& commTable() {
    using P = PortSettings;
    const auto line = [](const char* key, int at, const char* why) {
        return Option<P>{key,
                         [at](const P& p) { return p.text(at); },
                         [at](P& p, const QString& v, QString*) {
                             p.setText(at, v);
                             return true;
                         },
                         {},
                         [at](const P& p) { return !p.unusableLines().contains(at); },
                         words(why),
                         [](P&) {}};
    };
    static const LineTable<P> table{
        commCfgPath,
        6,
        words(QT_TRANSLATE_NOOP("ConfigFiles", "the built-in port settings are used: "
                                               "COM1, 9600,N,8,1, STD")),
        {textOption("Port", &P::port),
         line("Baud", P::kBaud,
              QT_TRANSLATE_NOOP("ConfigFiles", "the baud rate must be a whole number above 0, so "
                                               "the port cannot be opened")),
         line(
             "Parity", P::kParity,
             QT_TRANSLATE_NOOP("ConfigFiles",
                               "the parity must be N, E, O, M or S, so the port cannot be opened")),
         line("DataBits", P::kDataBits,
              QT_TRANSLATE_NOOP("ConfigFiles",
                                "the data bits must be 5 to 8, so the port cannot be opened")),
         line("StopBits", P::kStopBits,
              QT_TRANSLATE_NOOP("ConfigFiles",
                                "the stop bits must be 1, 1.5 or 2, so the port cannot be opened")),
         line("Protocol", P::kProtocol,
              QT_TRANSLATE_NOOP("ConfigFiles", "the protocol must be STD or SUM, so frames carry a "
                                               "checksum (SUM)"))}};
    return table;
}

// SaveData.INI as the data-save window stores it: words ("Yes", "10", "min", ...), which
// DataSaveSettings gives their meaning.
struct SaveDataWords {
    QString enable = QStringLiteral("No"), interval = QStringLiteral("1"),
            unit = QStringLiteral("분"), folder, name = QStringLiteral("KX5");
};

const LineTable<SaveDataWords>& saveDataTable() {
    using W = SaveDataWords;
    const auto oneOf = [](QString W::*field, QStringList choices) {
        return [field, choices](const W& w) { return choices.contains(w.*field); };
    };
    static const LineTable<W> table{
        saveDataPath,
        5,
        words(QT_TRANSLATE_NOOP("ConfigFiles",
                                "data saving is off until it is set up in Data Save Setting")),
        // Words the window never writes are named, with what they count as, and kept.
        {textOption<W>("Save", &W::enable, oneOf(&W::enable, {"Yes", "No"}),
                       words(QT_TRANSLATE_NOOP("ConfigFiles", "\"Yes\" or \"No\" is expected, so "
                                                              "data saving is not enabled")))
             .keptAsWritten(),
         // The data-save window keeps the interval within 1 to 60; an edited file is corrected
         // the same way, and told.
         {"Interval",
          [](const W& w) { return w.interval; },
          [](W& w, const QString& v, QString*) {
              w.interval = v;
              return true;
          },
          {},
          [](const W& w) { return cInt(correctInterval(w.interval)) == cInt(w.interval); },
          words(QT_TRANSLATE_NOOP("ConfigFiles", "1 to 60 is expected, so %1 is used")),
          [](W& w) { w.interval = correctInterval(w.interval); }},
         textOption<W>("Unit", &W::unit, oneOf(&W::unit, {"sec", "min", QStringLiteral("분")}),
                       words(QT_TRANSLATE_NOOP("ConfigFiles", "\"sec\" or \"min\" is expected, so "
                                                              "the interval counts in seconds")))
             .keptAsWritten(),
         textOption("Folder", &W::folder),
         textOption<W>(
             "Name", &W::name,
             [](const W& w) { return DataSaveSettings::nameStaysInFolder(w.name); },
             words(QT_TRANSLATE_NOOP("ConfigFiles", "a file name without a folder is expected, so "
                                                    "the files are named KX5")))}};
    return table;
}

// SetEnv.INI: line k is MC k's use mark, a TAB and its description. Only lines 1 to 99 can
// address a station: MC Nos travel as two digits. A line of another form is named and kept;
// what it counts as is buildStations' rule.
const LineTable<QStringList>& setEnvTable() {
    static const LineTable<QStringList> table = [] {
        LineTable<QStringList> t{
            setEnvPath,
            0,
            words(QT_TRANSLATE_NOOP("ConfigFiles", "only MC 1 is in use until the stations are "
                                                   "set in Use MC Setting")),
            {}};
        for (int k = 1; k <= 99; ++k)
            t.options.push_back(
                {"Station",
                 [k](const QStringList& l) { return l.value(k - 1); },
                 [k](QStringList& l, const QString& v, QString*) {
                     while (l.size() < k)
                         l << QString();
                     l[k - 1] = v;
                     return true;
                 },
                 {},
                 [k](const QStringList& l) {
                     const QString first = l.value(k - 1).section(QLatin1Char('\t'), 0, 0);
                     return l.size() < k ||
                            ((first == QLatin1String("O") || first == QLatin1String("X")) &&
                             l[k - 1].contains(QLatin1Char('\t')));
                 },
                 words(QT_TRANSLATE_NOOP("ConfigFiles",
                                         "\"O\" (in use) or \"X\", then a TAB and the "
                                         "description, is expected")),
                 [](QStringList&) {}});
        return t;
    }();
    return table;
}

} // namespace

// ---------------- Comm.CFG ----------------

PortSettings LoadCommCfg(QList<FileNotice>* notes, bool* read) {
    PortSettings cfg;
    QList<FileNotice> said;
    const LineFile how = readLineOptions(commTable(), &cfg, &said);
    if (notes) *notes << said;
    if (read) *read = how == LineFile::Read;
    // Never set up: the likeliest real port, not COM1 (an alias most machines lack); a file
    // that cannot be used keeps the built-in settings its note names.
    if (how == LineFile::Missing) cfg.port = PortList::firstReal(cfg.port);
    return cfg;
}

bool SaveCommCfg(const PortSettings& c, QString* error) {
    return writeLineOptions(commTable(), c, error);
}

// ---------------- SaveData.INI ----------------

DataSaveSettings LoadSaveDataCfg(QList<FileNotice>* notes) {
    QDir().mkpath(cfgDir());
    SaveDataWords w;
    QList<FileNotice> said;
    readLineOptions(saveDataTable(), &w, &said);
    if (notes) *notes << said;
    return DataSaveSettings::fromWords(w.enable, cInt(w.interval), w.unit,
                                       w.folder.isEmpty() ? programDir() : w.folder, w.name);
}

bool saveSaveData(const QStringList& lines, QString* error) {
    const SaveDataWords w{lines.value(0), lines.value(1), lines.value(2), lines.value(3),
                          lines.value(4)};
    return writeLineOptions(saveDataTable(), w, error);
}

// ---------------- SetEnv.INI ----------------

StationList buildStations(const QStringList& lines) {
    StationList out;
    for (int n = 1; n <= lines.size() && n <= 99; ++n) {
        const QStringList fields = lines[n - 1].split(QLatin1Char('\t'));
        if (fields[0] != QLatin1String("O")) continue;
        // An "O" line without a description is still a station in use, with an empty name.
        out.push_back({n, fields.size() > 1 ? fields[1] : QString()});
    }
    return out;
}

bool readSetEnv(QStringList* lines, QList<FileNotice>* notes) {
    QDir().mkpath(cfgDir());
    QList<FileNotice> said;
    const LineFile how = readLineOptions(setEnvTable(), lines, &said);
    if (notes) *notes << said;
    return how == LineFile::Read;
}

StationList LoadStations(QList<FileNotice>* notes) {
    QStringList lines;
    if (!readSetEnv(&lines, notes)) return {{1, QString()}};
    return buildStations(lines);
}

bool saveSetEnv(const QStringList& lines, QString* error) {
    return writeLineOptions(setEnvTable(), lines, error);
}
