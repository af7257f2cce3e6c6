// Reads a settings file back after it was saved, so a write that the file system silently cut
// short (a full disk can lose the last buffered bytes at commit) is reported, not trusted.
#pragma once

#include <QString>
#include <QStringList>

// True when the file at path holds exactly lines; otherwise *error names the file and why.
bool SavedAsWritten(const QString& path, const QStringList& lines, QString* error);
