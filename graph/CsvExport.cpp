#include "graph/CsvExport.h"

#include "graph/DatFile.h"

#include <QSaveFile>

QByteArray scaledText(qint64 v, int decimals) {
    if (decimals <= 0) return QByteArray::number(v);
    qint64 p = 1;
    for (int k = 0; k < decimals; ++k)
        p *= 10;
    const qint64 a = v < 0 ? -v : v;
    QByteArray frac = QByteArray::number(a % p);
    frac.prepend(QByteArray(decimals - frac.size(), '0'));
    return (v < 0 ? QByteArray("-") : QByteArray()) + QByteArray::number(a / p) + '.' + frac;
}

namespace {

// A header field in quotes when it holds a separator or a quote.
QByteArray field(const QString& text) {
    QByteArray b = text.toUtf8();
    if (!b.contains(',') && !b.contains('"') && !b.contains('\n') && !b.contains('\r')) return b;
    return '"' + b.replace("\"", "\"\"") + '"';
}

} // namespace

QByteArray csvBytes(const DatSeries& d, const CsvMeta& meta, qint64 from, qint64 to) {
    QByteArray out("\xEF\xBB\xBF");
    out += "Station," + field(meta.station) + ",File," + field(meta.fileName) + "\r\n";
    const QString unit = meta.unit.isEmpty() ? QString() : QStringLiteral(" (%1)").arg(meta.unit);
    out += "Date,Time," + field(QStringLiteral("SV") + unit) + ',' +
           field(QStringLiteral("PV") + unit) + ",MV (%)\r\n";
    for (qint64 i = 0; i < d.size(); ++i) {
        const qint64 t = d.time(i);
        if (t < from || t > to) continue;
        out += datDateText(t).toLatin1() + ',' + datTimeText(t).toLatin1() + ',' +
               scaledText(d.value(DatSeries::SV, i), meta.decimals) + ',' +
               scaledText(d.value(DatSeries::PV, i), meta.decimals) + ',' +
               scaledText(d.value(DatSeries::MV, i), 1) + "\r\n";
    }
    return out;
}

bool writeCsv(const QString& path, const DatSeries& d, const CsvMeta& meta, qint64 from, qint64 to,
              QString* error) {
    QSaveFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(csvBytes(d, meta, from, to)) < 0 || !f.commit()) {
        if (error) *error = QStringLiteral("Cannot write %1: %2").arg(path, f.errorString());
        return false;
    }
    return true;
}
