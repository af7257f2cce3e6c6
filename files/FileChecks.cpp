#include "files/FileChecks.h"

#include <QCoreApplication>
#include <QDir>
#include <QTemporaryFile>

namespace {
constexpr uint kNoOwner = uint(-2); // QFileInfo::ownerId() where files have no owner
constexpr uint kRoot = 0;
// English wherever it is logged; a window shows it through shownReason().
const char* const kNotUtf8 = QT_TRANSLATE_NOOP(
    "FileChecks", "the name is not valid UTF-8 (the bytes shown as \uFFFD), so it cannot be used");
} // namespace

QString nameNotUtf8(const QString& path) {
    const qsizetype bad = path.lastIndexOf(QChar::ReplacementCharacter);
    if (bad < 0) return {};
    // Up to the end of the last name holding U+FFFD: if that exists, the character is real.
    const qsizetype end = path.indexOf(QLatin1Char('/'), bad);
    const QString named = end < 0 ? path : path.left(end);
    const QFileInfo info(named);
    if (info.exists() || info.isSymLink()) return {};
    return QString::fromUtf8(kNotUtf8);
}

QString shownReason(const QString& why) {
    const QByteArray source = why.toUtf8();
    return QCoreApplication::translate("FileChecks", source.constData());
}

FileNotice fileNotice(const char* context, const char* source, const QStringList& args,
                      const QStringList& shownArgs) {
    FileNotice n{QString::fromUtf8(source), QCoreApplication::translate(context, source)};
    for (const QString& a : args)
        n.logged = n.logged.arg(a);
    for (const QString& a : shownArgs.isEmpty() ? args : shownArgs)
        n.shown = n.shown.arg(a);
    return n;
}

FileNotice unreadableFile(const QString& path, const QString& why) {
    const QString file = QDir::toNativeSeparators(path);
    return fileNotice("FileChecks", QT_TRANSLATE_NOOP("FileChecks", "%1 cannot be read: %2"),
                      {file, why}, {file, shownReason(why)});
}

FileNotice lineProblem(const QString& path, int line, const QString& text, const FileNotice& why) {
    // A TAB would split the events file's columns; it is shown, not kept.
    QString shown = text;
    shown.replace(QLatin1Char('\t'), QStringLiteral("<TAB>"));
    const QStringList at = {QDir::toNativeSeparators(path), QString::number(line), shown};
    return fileNotice("FileChecks", QT_TRANSLATE_NOOP("FileChecks", "%1 line %2 (%3): %4"),
                      at + QStringList{why.logged}, at + QStringList{why.shown});
}

uint currentUserId() {
    static const uint id = [] {
        QTemporaryFile own;
        return own.open() ? QFileInfo(own.fileName()).ownerId() : kNoOwner;
    }();
    return id;
}

bool ownerAllowed(uint owner, uint me) {
    return owner == me || owner == kRoot || owner == kNoOwner || me == kNoOwner;
}

QString foreignOwner(const QFileInfo& info, uint me) {
    if (!info.exists() || ownerAllowed(info.ownerId(), me)) return {};
    const QString name = info.owner();
    return QStringLiteral("owned by another user (%1uid %2), not written")
        .arg(name.isEmpty() ? QString() : name + QStringLiteral(", "))
        .arg(info.ownerId());
}
