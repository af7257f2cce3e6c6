#include "files/OptionTable.h"

#include "files/ConfigFiles.h"
#include "files/TextLines.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <algorithm>
#include <utility>

namespace OptionKind {
const OptionWords kFlag{"OptionTable",
                        QT_TRANSLATE_NOOP("OptionTable", "1 (on) or 0 (off) is expected")};
const OptionWords kWhole{"OptionTable",
                         QT_TRANSLATE_NOOP("OptionTable", "a whole number is expected")};
const OptionWords kNumber{"OptionTable",
                          QT_TRANSLATE_NOOP("OptionTable", "a number is expected (0.5, not 0,5)")};
} // namespace OptionKind

namespace {

QString keyOf(const QString& line) {
    return line.section(QLatin1Char('='), 0, 0).trimmed();
}

bool isOption(const QString& line) {
    const QString t = line.trimmed();
    return !t.isEmpty() && !t.startsWith(QLatin1Char('#'));
}

} // namespace

bool readOptionLines(const QString& path, std::vector<OptionLine>* lines,
                     QList<FileNotice>* errors) {
    QStringList text;
    QString why;
    if (!readLines(path, &text, &why)) {
        // There but unreadable: said, rather than looking like a file nobody wrote.
        if (!why.isEmpty()) *errors << unreadableFile(path, why);
        return false;
    }
    for (int i = 0; i < text.size(); ++i)
        if (isOption(text[i]))
            lines->push_back({i + 1, keyOf(text[i]), text[i].section(QLatin1Char('='), 1).trimmed(),
                              text[i].trimmed()});
    return true;
}

FileNotice optionProblem(const QString& path, const OptionLine& line, const OptionWords& why,
                         const QString& bad) {
    const bool named = QByteArray(why.text).contains("%1");
    return lineProblem(path, line.number, line.text,
                       fileNotice(why.context, why.text, named ? QStringList{bad} : QStringList{}));
}

QStringList optionFileLines(const QStringList& previous, const std::vector<QString>& keys,
                            const QStringList& values) {
    QStringList out;
    std::vector<char> written(keys.size(), 0);
    for (const QString& line : previous) {
        const auto at = std::find(keys.begin(), keys.end(), keyOf(line));
        if (!isOption(line) || at == keys.end()) {
            out << line;
            continue;
        }
        const size_t i = size_t(at - keys.begin());
        if (!std::exchange(written[i], char(1))) out << keys[i] + QLatin1Char('=') + values[int(i)];
    }
    for (size_t i = 0; i < keys.size(); ++i)
        if (!written[i]) out << keys[i] + QLatin1Char('=') + values[int(i)];
    return out;
}

bool writeOptionLines(const QString& path, const std::vector<QString>& keys,
                      const QStringList& values, QString* error) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QStringList previous;
    readLines(path, &previous); // none, or one that cannot be read: written anew
    return writeLinesAtomic(path, optionFileLines(previous, keys, values), error);
}

LineFile readPositionalLines(const QString& path, int needed, const OptionWords& instead,
                             std::vector<OptionLine>* lines, QList<FileNotice>* errors) {
    QStringList text;
    QString why;
    FileNotice reason;
    if (readLines(path, &text, &why)) {
        if (text.size() >= needed) {
            // As they stand: a positional file's values are not trimmed.
            for (int i = 0; i < text.size(); ++i)
                lines->push_back({i + 1, QString(), text[i], text[i]});
            return LineFile::Read;
        }
        reason =
            fileNotice("ConfigFiles", QT_TRANSLATE_NOOP("ConfigFiles", "it has %1 of its %2 lines"),
                       {QString::number(text.size()), QString::number(needed)});
    } else if (why.isEmpty()) {
        return LineFile::Missing;
    } else {
        reason = {why, shownReason(why)};
    }
    const QString file = QDir::toNativeSeparators(path);
    const char* said = QT_TRANSLATE_NOOP("ConfigFiles", "%1 cannot be used (%2), so %3");
    errors->append(
        {QString::fromUtf8(said).arg(file, reason.logged, QString::fromUtf8(instead.text)),
         QCoreApplication::translate("ConfigFiles", said)
             .arg(file, reason.shown, QCoreApplication::translate(instead.context, instead.text))});
    return LineFile::Unusable;
}

void sayAtMost(const QString& path, qsizetype from, QList<FileNotice>* errors) {
    constexpr qsizetype kSaid = 5;
    const qsizetype more = errors->size() - from - kSaid;
    if (more <= 0) return;
    errors->remove(from + kSaid, more);
    errors->append(fileNotice("ConfigFiles",
                              QT_TRANSLATE_NOOP("ConfigFiles", "%1: %2 more lines like these"),
                              {QDir::toNativeSeparators(path), QString::number(more)}));
}

bool writePositionalLines(const QString& path, const QStringList& values, QString* error) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    return writeLinesAtomic(path, values, error);
}
