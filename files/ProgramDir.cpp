#include "files/ProgramDir.h"

#include <QCoreApplication>

namespace {
// One per process, like the executable's own folder it stands in for.
QString& chosen() {
    static QString dir;
    return dir;
}
} // namespace

QString programDir() {
    const QString& dir = chosen();
    return dir.isEmpty() ? QCoreApplication::applicationDirPath() : dir;
}

void setProgramDir(const QString& dir) {
    chosen() = dir;
}

QString chosenProgramDir() {
    return chosen();
}
