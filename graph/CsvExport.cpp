#include "graph/CsvExport.h"

#include "graph/DatFile.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QDir>
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

QByteArray csvUnit(const QString& unit) {
    if (unit == QStringLiteral("℃")) return "degC";
    if (unit == QStringLiteral("℉")) return "degF";
    return unit.toUtf8();
}

namespace {

constexpr qint64 kChunk = 1 << 20;

// A field in quotes when it holds a separator, a quote or a line end.
QByteArray field(const QByteArray& text) {
    if (!text.contains(',') && !text.contains('"') && !text.contains('\n') && !text.contains('\r'))
        return text;
    QByteArray b = text;
    return '"' + b.replace("\"", "\"\"") + '"';
}

bool writeTo(QIODevice* out, const std::vector<CsvPart>& parts, qint64 from, qint64 to) {
    QByteArray buf("Station,File,Date,Time,Unit,SV,PV,MV (%)\r\n");
    for (const CsvPart& part : parts) {
        const DatSeries& d = *part.data;
        const QByteArray lead =
            field(part.meta.station.toUtf8()) + ',' + field(part.meta.fileName.toUtf8()) + ',';
        const QByteArray unit = ',' + field(csvUnit(part.meta.unit)) + ',';
        for (qint64 i = 0; i < d.size(); ++i) {
            const qint64 t = d.time(i);
            if (t < from || t > to) continue;
            buf += lead + datDateText(t).toLatin1() + ',' + datTimeText(t).toLatin1() + unit +
                   scaledText(d.value(DatSeries::SV, i), part.meta.decimals) + ',' +
                   scaledText(d.value(DatSeries::PV, i), part.meta.decimals) + ',' +
                   scaledText(d.value(DatSeries::MV, i), 1) + "\r\n";
            if (buf.size() >= kChunk) {
                if (out->write(buf) < 0) return false;
                buf.clear();
            }
        }
    }
    return out->write(buf) >= 0;
}

} // namespace

QByteArray csvBytes(const std::vector<CsvPart>& parts, qint64 from, qint64 to) {
    QByteArray out;
    QBuffer buffer(&out);
    buffer.open(QIODevice::WriteOnly);
    writeTo(&buffer, parts, from, to);
    return out;
}

bool writeCsv(const QString& path, const std::vector<CsvPart>& parts, qint64 from, qint64 to,
              QString* error) {
    QSaveFile f(path);
    if (!f.open(QIODevice::WriteOnly) || !writeTo(&f, parts, from, to) || !f.commit()) {
        if (error)
            *error = QCoreApplication::translate("GraphWindow", "Cannot write %1: %2")
                         .arg(QDir::toNativeSeparators(path), f.errorString());
        return false;
    }
    return true;
}
