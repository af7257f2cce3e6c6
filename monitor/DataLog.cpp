#include "monitor/DataLog.h"

#include "link/Grid.h"

#include <QFile>

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

bool AppendDataRecord(const QString& path, const Grid& monitoring, int row, const QDateTime& now) {
    if (row < 1 || row > monitoring.maxRows()) return false;
    const QByteArray rec =
        dataRecord(now, monitoring.text(5, row), monitoring.text(4, row), monitoring.text(8, row));
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Append)) return false;
    const bool ok = f.write(rec) == rec.size();
    f.close();
    return ok && f.error() == QFileDevice::NoError;
}

qint64 LogIntervalSeconds(qint64 count, const QString& unit) {
    return unit == QLatin1String("min") ? count * 60 : count;
}

bool logIntervalPassed(const QDateTime& last, const QDateTime& now, qint64 intervalSec) {
    if (!last.isValid()) return true;
    const double elapsed = static_cast<double>(last.msecsTo(now)) / 1000.0;
    return elapsed > static_cast<double>(intervalSec);
}
