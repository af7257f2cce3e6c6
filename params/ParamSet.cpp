#include "params/ParamSet.h"

#include "files/TextLines.h"
#include "files/Version.h"
#include "link/Cells.h"
#include "link/Steps.h"
#include "link/mdlKX5.h"
#include "params/ParamMap.h"
#include "registers/ParamInfo.h"
#include "ui/Grid.h"

#include <QCoreApplication>
#include <algorithm>
#include <cmath>
#include <map>
#include <optional>

namespace {

// The file's own words stay English; what is wrong with it is said in the map window's words.
QString say(const char* text) {
    return QCoreApplication::translate("frmKX5_Parameter", text);
}

const QString kMagic = QStringLiteral("KX5 parameter set");
const QString kColumns = QStringLiteral("Name,Register,Value,Raw,Access");

// The registers the map reads, in the order of its four blocks.
std::vector<int> setRegisters() {
    std::vector<int> regs;
    for (int step = kStepReadAll1; step <= kStepReadAll4; ++step)
        for (int reg : findStep(step)->regs)
            regs.push_back(reg);
    return regs;
}

// A field needs quotes only when it holds a comma or a quote.
QString csvField(const QString& s) {
    if (!s.contains(QLatin1Char(',')) && !s.contains(QLatin1Char('"'))) return s;
    return QLatin1Char('"') + QString(s).replace(QLatin1Char('"'), QStringLiteral("\"\"")) +
           QLatin1Char('"');
}

QStringList csvSplit(const QString& line) {
    QStringList out;
    QString cur;
    bool quoted = false;
    for (qsizetype i = 0; i < line.size(); ++i) {
        const QChar c = line[i];
        if (quoted) {
            if (c == QLatin1Char('"') && i + 1 < line.size() && line[i + 1] == QLatin1Char('"'))
                cur += c, ++i;
            else if (c == QLatin1Char('"'))
                quoted = false;
            else
                cur += c;
        } else if (c == QLatin1Char('"')) {
            quoted = true;
        } else if (c == QLatin1Char(',')) {
            out << cur;
            cur.clear();
        } else {
            cur += c;
        }
    }
    out << cur;
    return out;
}

// What the Access column says: copied by a set, read only, or written from its own window.
QString accessWord(int reg) {
    if (setWritable(reg)) return QStringLiteral("read/write");
    const MapCell c = mapCell(reg);
    return mapAccess(c.col, c.row) == MapAccess::ReadWrite ? QStringLiteral("not copied")
                                                           : QStringLiteral("read only");
}

// Whether a value text says the same as the text the raw value is shown as: the same words, or
// the same number however many zeros it is written with.
bool sameValue(const QString& value, const QString& shown) {
    if (value.trimmed() == shown) return true;
    bool a = false, b = false;
    const double x = value.trimmed().toDouble(&a), y = shown.toDouble(&b);
    return a && b && std::abs(x - y) < 1e-9;
}

} // namespace

bool setCompared(int reg) {
    const MapCell c = mapCell(reg);
    if (mapAccess(c.col, c.row) != MapAccess::ReadWrite) return false;
    // The recorder keys, the station's own address and its clock differ from station to
    // station by nature.
    return !(reg >= 501 && reg <= 505) && reg != 515 && !(reg >= 520 && reg <= 525);
}

bool setWritable(int reg) {
    for (const StepRow& row : stepTable())
        if (row.kind == StepRow::Kind::Write && row.step <= kStepWriteInput2 &&
            std::find(row.regs.begin(), row.regs.end(), reg) != row.regs.end())
            return true;
    return false;
}

ParamSet paramSetFromImage(const ParamImage& image, ControllerModel model, int mcNo,
                           const QDateTime& at) {
    ParamSet set{model, mcNo, at, QStringLiteral("%1 %2").arg(kProgramName, kVersion), {}};
    const int d = imageDecimals(image);
    for (int reg : setRegisters()) {
        // The value is the reading of the raw one, even where nothing was read yet.
        const int raw = imageValue(image, reg).value_or(0);
        set.entries.push_back({mapParamName(reg / 100, mapCell(reg).row), reg,
                               paramText(reg, raw, d, true), raw, setWritable(reg)});
    }
    return set;
}

QStringList paramSetLines(const ParamSet& set) {
    QStringList lines = {kMagic,
                         QStringLiteral("Model,") + csvField(modelText(set.model)),
                         QStringLiteral("MC No,%1").arg(set.mcNo),
                         QStringLiteral("Date,") +
                             set.taken.toString(QStringLiteral("yyyy-MM-dd hh:mm:ss")),
                         QStringLiteral("Program,") + csvField(set.program),
                         kColumns};
    for (const ParamSetEntry& e : set.entries)
        lines << QStringList({csvField(e.name), QString::number(e.reg), csvField(e.shown),
                              QString::number(e.raw), accessWord(e.reg)})
                     .join(QLatin1Char(','));
    return lines;
}

bool readParamSet(const QString& path, ParamSet* set, QString* error) {
    QStringList lines;
    if (!readLines(path, &lines)) {
        *error = say(QT_TRANSLATE_NOOP("frmKX5_Parameter", "%1 cannot be read")).arg(path);
        return false;
    }
    const auto fail = [&](int line, const QString& why) {
        *error = say(QT_TRANSLATE_NOOP("frmKX5_Parameter", "%1, line %2: %3"))
                     .arg(path)
                     .arg(line)
                     .arg(why);
        return false;
    };
    const auto header = [&](int i, const char* key) {
        const QStringList f = i < lines.size() ? csvSplit(lines[i]) : QStringList();
        return f.size() == 2 && f[0] == QLatin1String(key) ? f[1] : QString();
    };
    if (lines.isEmpty() || lines[0] != kMagic)
        return fail(1, say(QT_TRANSLATE_NOOP("frmKX5_Parameter", "not a parameter set")));
    ParamSet s;
    const QString model = header(1, "Model");
    s.model = modelFromText(model);
    bool ok = false;
    s.mcNo = header(2, "MC No").toInt(&ok);
    if (model.isEmpty()) return fail(2, say(QT_TRANSLATE_NOOP("frmKX5_Parameter", "no model")));
    if (!isKX5(s.model))
        return fail(2,
                    say(QT_TRANSLATE_NOOP("frmKX5_Parameter", "%1 is not a KX5 model")).arg(model));
    if (!ok) return fail(3, say(QT_TRANSLATE_NOOP("frmKX5_Parameter", "no MC No")));
    s.taken = QDateTime::fromString(header(3, "Date"), QStringLiteral("yyyy-MM-dd hh:mm:ss"));
    s.program = header(4, "Program");
    if (lines.size() < 6 || lines[5] != kColumns)
        return fail(6, say(QT_TRANSLATE_NOOP("frmKX5_Parameter", "the column names are missing")));
    std::map<int, bool> expected;
    std::map<int, int> lineOf; // register -> its line
    for (int reg : setRegisters())
        expected[reg] = false;
    for (int i = 6; i < lines.size(); ++i) {
        if (lines[i].trimmed().isEmpty()) continue;
        const QStringList f = csvSplit(lines[i]);
        bool regOk = false, rawOk = false;
        const int reg = f.size() == 5 ? f[1].toInt(&regOk) : 0;
        const int raw = f.size() == 5 ? f[3].toInt(&rawOk) : 0;
        if (!regOk || !rawOk)
            return fail(i + 1, say(QT_TRANSLATE_NOOP("frmKX5_Parameter",
                                                     "not name, register, value, raw")));
        const auto it = expected.find(reg);
        if (it == expected.end())
            return fail(i + 1,
                        say(QT_TRANSLATE_NOOP("frmKX5_Parameter", "register %1 is not a parameter"))
                            .arg(reg));
        if (it->second)
            return fail(i + 1,
                        say(QT_TRANSLATE_NOOP("frmKX5_Parameter", "register %1 twice")).arg(reg));
        // What the controller holds and reads back as itself.
        if (raw < -4096 || raw > 32767)
            return fail(
                i + 1,
                say(QT_TRANSLATE_NOOP("frmKX5_Parameter", "value %1 out of range")).arg(raw));
        it->second = true;
        lineOf[reg] = i + 1;
        s.entries.push_back({f[0], reg, f[2], raw, setWritable(reg)});
    }
    for (const auto& [reg, seen] : expected)
        if (!seen)
            return fail(
                int(lines.size()),
                say(QT_TRANSLATE_NOOP("frmKX5_Parameter", "register %1 is missing")).arg(reg));
    // Raw is what is written. The value beside it must say what Raw means under the set's
    // own input type, unit and decimal point, so the list and the confirmation show what goes
    // out; and a written register must hold a value the controller takes.
    std::map<int, int> raw;
    for (const ParamSetEntry& e : s.entries)
        raw[e.reg] = e.raw;
    for (int reg : {610, 611}) {
        const QString why = paramRefusal(*paramInfo(reg), raw[reg], 0, 0, 0);
        if (!why.isEmpty()) return fail(lineOf[reg], why);
    }
    const int d = DecimalPlaces(raw[610], raw[611], raw[614]);
    for (ParamSetEntry& e : s.entries) {
        const QString shown = paramText(e.reg, e.raw, d, true);
        if (!sameValue(e.shown, shown))
            return fail(lineOf[e.reg],
                        say(QT_TRANSLATE_NOOP("frmKX5_Parameter",
                                              "%1: the value %2 and the raw %3 disagree (raw %3 "
                                              "is %4)"))
                            .arg(e.name, e.shown, QString::number(e.raw), shown));
        e.shown = shown;
        const ParamInfo* p = e.writable ? paramInfo(e.reg) : nullptr;
        const QString why = p ? paramRefusal(*p, e.raw, raw[610], raw[611], d) : QString();
        if (!why.isEmpty()) return fail(lineOf[e.reg], why);
    }
    *set = s;
    return true;
}

std::vector<ParamDiff> compareParamImage(const ParamSet& set, const ParamImage& image) {
    const int d = imageDecimals(image);
    std::vector<ParamDiff> diffs;
    for (const ParamSetEntry& e : set.entries) {
        const std::optional<int> v = imageValue(image, e.reg);
        if (v == e.raw || !setCompared(e.reg)) continue;
        const QString shown = v ? paramText(e.reg, *v, d, true) : QStringLiteral("?");
        diffs.push_back({e.name, e.reg, shown, e.shown, v.value_or(0), e.raw, e.writable});
    }
    return diffs;
}
