#include "SaveCheck.h"

#include "ConfigFiles.h"

#include <QDir>

bool SavedAsWritten(const QString& path, const QStringList& lines, QString* error) {
    QStringList back;
    if (ReadLines(path, &back) && back == lines) return true;
    if (error)
        *error = QStringLiteral("Cannot write %1: the file was not written completely (is the "
                                "disk full?)")
                     .arg(QDir::toNativeSeparators(path));
    return false;
}
