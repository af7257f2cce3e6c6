#include "services/DataLog.h"

#include "files/ConfigFiles.h"
#include "files/FileChecks.h"
#include "link/Reading.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>

QString dataFilePath(const QString& folder, const QString& name, int mcNo) {
    return folder + QLatin1Char('/') + name + QLatin1Char('_') +
           QStringLiteral("%1").arg(mcNo, 2, 10, QLatin1Char('0')) + QStringLiteral(".DAT");
}

QByteArray dataRecord(const QDateTime& now, const QString& nsv, const QString& npv,
                      const QString& mvout) {
    // One clock reading for both fields, so a record written at midnight cannot pair
    // one day's date with the next day's time.
    QByteArray r = now.date().toString(QStringLiteral("yyyy-MM-dd")).toLatin1();
    r += '\t';
    r += now.time().toString(QStringLiteral("HH:mm:ss")).toLatin1();
    r += '\t' + nsv.toUtf8() + '\t' + npv.toUtf8() + '\t' + mvout.toUtf8() + "\r\n";
    return r;
}

bool appendWhole(const QString& path, const QByteArray& bytes, QString* error) {
    // In a shared data folder a link planted as a station's file would have the records
    // appended to whatever it points at: only a regular file, never through a link.
    // Nor one another user made there first (root's is trusted), nor one whose name was lost
    // in decoding, which would write somewhere else.
    const QFileInfo info(path);
    QString refused = nameNotUtf8(path);
    if (refused.isEmpty())
        refused =
            info.isSymLink()
                ? QStringLiteral(QT_TRANSLATE_NOOP("DataLog", "a symbolic link, not followed"))
            : info.exists() && !info.isFile()
                ? QStringLiteral(QT_TRANSLATE_NOOP("DataLog", "not a regular file"))
                : foreignOwner(info);
    if (!refused.isEmpty()) {
        if (error) *error = refused;
        return false;
    }
    // Unbuffered: the record goes out in one write, not in buffer-sized pieces.
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Unbuffered)) {
        if (error) *error = f.errorString();
        return false;
    }
    const qint64 before = f.size();
    const qint64 written = f.write(bytes);
    if (written == bytes.size()) return true;
    // A write that took part of the record reports no error; the rest, tried once more, says
    // why (a full disk, a file-size limit).
    if (written > 0 && f.write(bytes.mid(written)) == bytes.size() - written) return true;
    if (error)
        *error = f.error() == QFileDevice::ResourceError
                     ? QStringLiteral(QT_TRANSLATE_NOOP("DataLog", "disk full"))
                     : f.errorString();
    // A full disk or a file-size limit took part of it: cut the part off again, so the
    // next record does not start in the middle of this one.
    f.resize(before);
    return false;
}

QString shownWriteError(const QString& error) {
    return QCoreApplication::translate("DataLog", error.toUtf8().constData());
}

bool AppendDataRecord(const QString& path, const StationValues& v, const QDateTime& now,
                      QString* error) {
    // Before a station's first monitor reply there are no values: a record without them is no
    // record.
    if (!v.storedAt.isValid()) return false;
    // The stored values as the controller sent them, not scaled as the display shows them.
    const auto number = [&v](int reg) { return QString::number(v.regs[size_t(reg)]); };
    return appendWhole(
        path, dataRecord(now, number(MonReg::NSV), number(MonReg::NPV), number(MonReg::MVOUT)),
        error);
}

bool logIntervalPassed(const QDateTime& last, const QDateTime& now, qint64 intervalSec,
                       int tickMs) {
    if (!last.isValid()) return true;
    const qint64 elapsed = last.msecsTo(now);
    if (elapsed < 0) return true; // the clock was set back: an hour's wait would lose an hour
    // The elapsed time in whole graph ticks, so a tick that comes a little early or late
    // falls on the same side of the interval every time.
    const qint64 tick = qMax(1, tickMs);
    const qint64 ticks = (elapsed + tick / 2) / tick;
    return ticks * tick > intervalSec * 1000;
}
