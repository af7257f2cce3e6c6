// The settings files as values described by one table each: an option's key, its type, its
// range and the words said when it cannot be used; its default is the options value's own.
// Two layouts share the tables: "key=value" files (CFG/LinkOptions.INI, Publishing.INI,
// Gateway.INI) and files of one value a line in a fixed order (Comm.CFG, SaveData.INI,
// SetEnv.INI). One line reader, one validator and one writer serve both, with one error
// policy: a line that cannot be used is named by file and line, and its option keeps its
// default (or what the option mends it to); a line that is no option is named and ignored; the
// writer keeps every line it does not write, so nothing the user wrote is lost. Qt Core only:
// this belongs with the core's files.
#pragma once

#include "files/FileChecks.h"

#include <QList>
#include <QLocale>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>
#include <vector>

// Words for the user, marked with QT_TRANSLATE_NOOP in their context.
struct OptionWords {
    const char* context = nullptr;
    const char* text = nullptr;
};

template <class T> struct Option {
    const char* key;
    // The value as the file writes it.
    std::function<QString(const T&)> write;
    // Takes the file's text; false when it is not of the option's kind, with *bad the item
    // that is not (%1 of notKind).
    std::function<bool(T&, const QString&, QString* bad)> read;
    OptionWords notKind;
    // Whether the value held can be used, and why not; none: any value of its kind.
    std::function<bool(const T&)> usable;
    OptionWords unusable;
    // What a value that cannot be used becomes; none: the option's default. Its new value is
    // %1 of unusable.
    std::function<void(T&)> mend = nullptr;

    // The same option, checked only while when() holds (a setting of a mode not chosen).
    Option onlyWhen(std::function<bool(const T&)> when) const {
        Option o = *this;
        if (usable) o.usable = [when, u = usable](const T& v) { return !when(v) || u(v); };
        return o;
    }
    // The same option, a value that cannot be used kept as it stands (named all the same).
    Option keptAsWritten() const {
        Option o = *this;
        o.mend = [](T&) {};
        return o;
    }
};

// The words the kinds themselves say when a value is not of them.
namespace OptionKind {
extern const OptionWords kFlag, kWhole, kNumber;
}

template <class T> Option<T> flagOption(const char* key, bool T::*field) {
    return {key,
            [field](const T& o) { return QString(QLatin1Char(o.*field ? '1' : '0')); },
            [field](T& o, const QString& v, QString*) {
                if (v != QLatin1String("1") && v != QLatin1String("0")) return false;
                o.*field = v == QLatin1String("1");
                return true;
            },
            OptionKind::kFlag,
            nullptr,
            {}};
}

// A whole number lo to hi, or also the one value `also` (0 for "never" or "automatic").
template <class T>
Option<T> wholeOption(const char* key, int T::*field, int lo, int hi, OptionWords unusable,
                      std::optional<int> also = std::nullopt) {
    return {key,
            [field](const T& o) { return QString::number(o.*field); },
            [field](T& o, const QString& v, QString*) {
                bool ok = false;
                const int n = v.toInt(&ok);
                if (ok) o.*field = n;
                return ok;
            },
            OptionKind::kWhole,
            [field, lo, hi, also](const T& o) {
                return (o.*field >= lo && o.*field <= hi) || (also && o.*field == *also);
            },
            unusable};
}

// A number with decimals, written with a point in every language.
template <class T>
Option<T> numberOption(const char* key, double T::*field, double lo, double hi,
                       OptionWords unusable) {
    return {key,
            [field](const T& o) { return QLocale::c().toString(o.*field); },
            [field](T& o, const QString& v, QString*) {
                bool ok = false;
                const double d = QLocale::c().toDouble(v, &ok);
                if (ok) o.*field = d;
                return ok;
            },
            OptionKind::kNumber,
            [field, lo, hi](const T& o) { return o.*field >= lo && o.*field <= hi; },
            unusable};
}

template <class T>
Option<T> textOption(const char* key, QString T::*field,
                     std::function<bool(const T&)> usable = nullptr, OptionWords unusable = {}) {
    return {key,
            [field](const T& o) { return o.*field; },
            [field](T& o, const QString& v, QString*) {
                o.*field = v;
                return true;
            },
            {},
            std::move(usable),
            unusable};
}

// One file's table: where it is, the context of its words and what it says of a line that is
// no option of it.
template <class T> struct OptionTable {
    std::function<QString()> path;
    OptionWords notAnOption;
    std::vector<Option<T>> options;
};

// What the file says, as (line number, key, value) of each line that is not blank or a comment;
// false when the file is there and cannot be read (*error says why) or is missing.
struct OptionLine {
    int number;
    QString key, value, text;
};
bool readOptionLines(const QString& path, std::vector<OptionLine>* lines,
                     QList<FileNotice>* errors);
// A line's trouble worded, with bad the item that is wrong (%1 of why).
FileNotice optionProblem(const QString& path, const OptionLine& line, const OptionWords& why,
                         const QString& bad = {});
// The file's new lines: the previous ones with each option's line replaced by its value (a
// repeated key once), the lines of no option kept, and the options the file lacked after them.
QStringList optionFileLines(const QStringList& previous, const std::vector<QString>& keys,
                            const QStringList& values);
bool writeOptionLines(const QString& path, const std::vector<QString>& keys,
                      const QStringList& values, QString* error);

// Every value of o that cannot be used, in the table's order: its key and why.
template <class T>
std::vector<std::pair<const char*, FileNotice>> optionProblems(const OptionTable<T>& table,
                                                               const T& o) {
    std::vector<std::pair<const char*, FileNotice>> out;
    for (const Option<T>& opt : table.options)
        if (opt.usable && !opt.usable(o))
            out.emplace_back(opt.key, fileNotice(opt.unusable.context, opt.unusable.text, {}));
    return out;
}

// One line's value into o; a value not of the option's kind goes to *errors and the option
// keeps what it held.
template <class T>
void readOption(const Option<T>& opt, T* o, const QString& path, const OptionLine& line,
                QList<FileNotice>* errors) {
    if (QString bad; !opt.read(*o, line.value, &bad))
        *errors << optionProblem(path, line, opt.notKind, bad.isEmpty() ? line.value : bad);
}

// The validator: each option whose value, read from lineOf[i], cannot be used is named with
// that line and mended (by default to its default). A default is always usable, so a value
// that is not came from a line of the file.
template <class T>
void checkOptions(const std::vector<Option<T>>& options, T* o, const QString& path,
                  const std::vector<const OptionLine*>& lineOf, QList<FileNotice>* errors) {
    const T defaults{};
    for (size_t i = 0; i < options.size(); ++i) {
        const Option<T>& opt = options[i];
        if (!opt.usable || opt.usable(*o) || !lineOf[i]) continue;
        if (opt.mend) {
            opt.mend(*o);
        } else {
            QString unused;
            opt.read(*o, opt.write(defaults), &unused);
        }
        *errors << optionProblem(path, *lineOf[i], opt.unusable, opt.write(*o));
    }
}

// The file into o: each line read in order (the last of a key wins), then each value checked.
// A line not of its option's kind, and a value that cannot be used, go to *errors; a line of
// no option goes to *notes.
template <class T>
void readOptions(const OptionTable<T>& table, T* o, QList<FileNotice>* errors,
                 QList<FileNotice>* notes) {
    const QString path = table.path();
    std::vector<OptionLine> lines;
    if (!readOptionLines(path, &lines, errors)) return;
    std::vector<const OptionLine*> lastOf(table.options.size(), nullptr);
    for (const OptionLine& line : lines) {
        size_t i = 0;
        while (i < table.options.size() && line.key != QLatin1String(table.options[i].key))
            ++i;
        if (i == table.options.size()) {
            *notes << optionProblem(path, line, table.notAnOption);
            continue;
        }
        lastOf[i] = &line;
        readOption(table.options[i], o, path, line, errors);
    }
    checkOptions(table.options, o, path, lastOf, errors);
}

// A file of one value a line in a fixed order: line k holds options[k - 1] (its key only names
// it here), and lines past the last option are not read. One with fewer than `needed` lines
// cannot be used as a whole: every option keeps its default.
template <class T> struct LineTable {
    std::function<QString()> path;
    int needed;
    // What is used when the file cannot be used ("the built-in port settings are used").
    OptionWords instead;
    std::vector<Option<T>> options;
};

enum class LineFile { Read, Missing, Unusable };
// The file's lines as options' lines; a file that is there and cannot be used (unreadable,
// short) is named in *errors with why and what is used instead. A missing file is a first
// start and said by no one.
LineFile readPositionalLines(const QString& path, int needed, const OptionWords& instead,
                             std::vector<OptionLine>* lines, QList<FileNotice>* errors);
// Past the first few notices of one file, the rest counted in one: a file wrong throughout.
void sayAtMost(const QString& path, qsizetype from, QList<FileNotice>* errors);

// The positional file into o, with the same line reader and validator as a "key=value" file;
// o keeps its defaults unless the file is Read.
template <class T>
LineFile readLineOptions(const LineTable<T>& table, T* o, QList<FileNotice>* errors) {
    const QString path = table.path();
    const qsizetype from = errors->size();
    std::vector<OptionLine> lines;
    const LineFile how = readPositionalLines(path, table.needed, table.instead, &lines, errors);
    if (how != LineFile::Read) return how;
    std::vector<const OptionLine*> lineOf(table.options.size(), nullptr);
    for (size_t i = 0; i < lines.size() && i < table.options.size(); ++i) {
        lineOf[i] = &lines[i];
        readOption(table.options[i], o, path, lines[i], errors);
    }
    checkOptions(table.options, o, path, lineOf, errors);
    sayAtMost(path, from, errors);
    return how;
}

// o into the positional file, one line per option in the table's order, atomically; on
// failure *error names the file and the cause.
bool writePositionalLines(const QString& path, const QStringList& values, QString* error);
template <class T> bool writeLineOptions(const LineTable<T>& table, const T& o, QString* error) {
    QStringList values;
    for (const Option<T>& opt : table.options)
        values << opt.write(o);
    return writePositionalLines(table.path(), values, error);
}

// o into the file, atomically; on failure *error names the file and the cause.
template <class T> bool writeOptions(const OptionTable<T>& table, const T& o, QString* error) {
    std::vector<QString> keys;
    QStringList values;
    for (const Option<T>& opt : table.options) {
        keys.push_back(QLatin1String(opt.key));
        values << opt.write(o);
    }
    return writeOptionLines(table.path(), keys, values, error);
}
