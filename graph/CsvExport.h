// The records of one file within a time range as CSV for a spreadsheet: UTF-8 with a byte-order
// mark (so a spreadsheet on Windows reads "℃" right), CR LF, a header naming the station, the
// file, the columns and their units, and values scaled by the file's decimals.
#pragma once

#include <QByteArray>
#include <QString>

class DatSeries;

struct CsvMeta {
    QString station; // "03"
    QString fileName;
    int decimals = 1; // of SV and PV
    QString unit;     // of SV and PV, may be empty
};

// v divided by 10 to the power `decimals`, written exactly ("-0.5", "250.0", "12").
QByteArray scaledText(qint64 v, int decimals);

QByteArray csvBytes(const DatSeries& data, const CsvMeta& meta, qint64 from, qint64 to);
// Writes csvBytes to path; on failure *error names the file and the cause.
bool writeCsv(const QString& path, const DatSeries& data, const CsvMeta& meta, qint64 from,
              qint64 to, QString* error);
