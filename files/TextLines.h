// The one bounded reader of small text files, for the program's settings and the graph viewer
// alike: only a regular file of at most 64 KiB is read, so a FIFO cannot block start-up and a
// device such as /dev/zero cannot fill the memory.
#pragma once

#include <QString>
#include <QStringList>

class QFile;

// Opens file (named already) for reading when it is a regular file, never waiting on a FIFO
// put in its place; otherwise false with *why (English; shownReason() gives the user's words).
bool openRegularFile(QFile* file, QString* why = nullptr);
// Lines of a text file without their CR/LF; false when it cannot be read, or is not a regular
// file (a FIFO, a device), or is larger than 64 KiB, or holds control characters: all of these
// count as a missing file, and *why (English) says which it was; "" when it is missing.
// UTF-8 and UTF-16 with a byte-order mark, UTF-8 without one, and a file that is not UTF-8 as
// CP949, the code page a Korean Windows PC writes its settings in.
bool readLines(const QString& path, QStringList* lines, QString* why = nullptr);
