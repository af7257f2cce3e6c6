// The "key=value" settings files (CFG/LinkOptions.INI, Publishing.INI, Gateway.INI) as typed
// values described by one table each: an option's key, its type, its range and the words said
// when it cannot be used; its default is the options value's own. One reader, one writer and one
// validator serve every such table, with one error policy: a line that cannot be used is named
// by file and line, and its option keeps its default; a line that is no option is named and
// ignored; the writer keeps every line it does not write (comments, keys it does not know), so
// nothing the user wrote is lost. Qt Core only: this belongs with the core's files.
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

    // The same option, checked only while when() holds (a setting of a mode not chosen).
    Option onlyWhen(std::function<bool(const T&)> when) const {
        Option o = *this;
        if (usable) o.usable = [when, u = usable](const T& v) { return !when(v) || u(v); };
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

// The file into o: each line read in order (the last of a key wins), then each value checked.
// A line not of its option's kind, and a value that cannot be used, go to *errors and the
// option keeps its default; a line of no option goes to *notes.
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
        const Option<T>& opt = table.options[i];
        lastOf[i] = &line;
        if (QString bad; !opt.read(*o, line.value, &bad))
            *errors << optionProblem(path, line, opt.notKind, bad.isEmpty() ? line.value : bad);
    }
    // A default is always usable, so a value that is not came from a line of the file.
    const T defaults{};
    for (size_t i = 0; i < table.options.size(); ++i) {
        const Option<T>& opt = table.options[i];
        if (!opt.usable || opt.usable(*o) || !lastOf[i]) continue;
        *errors << optionProblem(path, *lastOf[i], opt.unusable);
        QString unused;
        opt.read(*o, opt.write(defaults), &unused);
    }
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
