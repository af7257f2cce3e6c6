// Checks made before the program or the viewer writes or opens a file it was given by name:
// the name must still be the file's own, and a file written must belong to the user or root.
// Qt only, no system calls, so they hold wherever Qt runs.
#pragma once

#include <QFileInfo>
#include <QString>

// Why path cannot be used, or "" when it can. Qt decodes file names as UTF-8 and turns bytes
// that are not UTF-8 into U+FFFD; such a name, given back to the file system, names another
// file. A name that really holds U+FFFD exists under it and passes.
QString nameNotUtf8(const QString& path);
// A reason given above, in the user's language for a window; the English one is what logs keep.
QString shownReason(const QString& why);

// What the user is told about a file: in English for the events file and standard error, and
// in the user's language for a window.
struct FileNotice {
    QString logged, shown;
    bool isEmpty() const { return logged.isEmpty(); }
    bool operator==(const FileNotice&) const = default;
};
// source (marked with QT_TRANSLATE_NOOP in context) with %1, %2, ... filled in from args, in
// English and in the user's language; the shown text from shownArgs when they are given (reasons
// that have words of their own in the user's language).
FileNotice fileNotice(const char* context, const char* source, const QStringList& args,
                      const QStringList& shownArgs = {});

// The one way a settings file's trouble is worded, whichever reader finds it: a file that is
// there but cannot be read (why in English, as readLines() gives it), and a line that cannot
// be used as it stands, with its number, its text as it is (a TAB shown as "<TAB>") and why.
FileNotice unreadableFile(const QString& path, const QString& why);
FileNotice lineProblem(const QString& path, int line, const QString& text, const FileNotice& why);

// The user the program runs as, learnt from a file it creates itself; ownerless systems give
// QFileInfo's "no owner" value, as they do for every file.
uint currentUserId();
// A file of owner may be written by user me: its own, root's, or when either has no owner.
bool ownerAllowed(uint owner, uint me);
// Why an existing file is not to be written because another user owns it, or "".
QString foreignOwner(const QFileInfo& info, uint me = currentUserId());
