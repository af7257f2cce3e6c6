// .DAT files for the graph viewer's tests: generated records and a file written into a folder.
#pragma once

#include "graph/DatFile.h"
#include "tests/support/TestFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

// Record i of a file at time t: SV 2500, PV 2490 + i % 20 (or pv), MV 400 + i % 100.
inline QByteArray record(qint64 t, int i, int pv = -1) {
    return datDateText(t).toLatin1() + '\t' + datTimeText(t).toLatin1() + "\t2500\t" +
           QByteArray::number(pv >= 0 ? pv : 2490 + i % 20) + '\t' +
           QByteArray::number(400 + i % 100) + "\r\n";
}

// n records a second apart from `from`, with PV 30000 at spikeAt.
inline QByteArray records(qint64 from, int n, int spikeAt = -1) {
    QByteArray out;
    for (int i = 0; i < n; ++i)
        out += record(from + i, i, i == spikeAt ? 30000 : -1);
    return out;
}

// Appends bytes to dir/name (or writes it anew) the way the logger does: open, write, close.
inline QString writeFile(const QTemporaryDir& dir, const QString& name, const QByteArray& bytes,
                         bool replace = false) {
    QFile f(dir.filePath(name));
    QDir().mkpath(QFileInfo(f).path());
    f.open(replace ? QIODevice::WriteOnly | QIODevice::Truncate
                   : QIODevice::WriteOnly | QIODevice::Append);
    f.write(bytes);
    return f.fileName();
}
