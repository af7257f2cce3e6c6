// Records of one or more files within a time range as CSV that any spreadsheet or CSV reader
// opens without options: the header is the first line, station and file are columns, plain
// UTF-8 without a byte-order mark, CR LF, values scaled by each file's decimals.
#pragma once

#include <QByteArray>
#include <QString>
#include <vector>

class DatSeries;
class QIODevice;

struct CsvMeta {
    QString station; // "03"
    QString fileName;
    int decimals = 1; // of SV and PV
    QString unit;     // of SV and PV, may be empty
};

struct CsvPart {
    const DatSeries* data = nullptr;
    CsvMeta meta;
};

// v divided by 10 to the power `decimals`, written exactly ("-0.5", "250.0", "12").
QByteArray scaledText(qint64 v, int decimals);
// The unit as the Unit column spells it: ASCII, so no reader has to guess the encoding.
QByteArray csvUnit(const QString& unit);

// The records of each part whose time is within [from, to], part after part.
QByteArray csvBytes(const std::vector<CsvPart>& parts, qint64 from, qint64 to);
// Writes the same bytes to path, in pieces (a year of records is over a gigabyte of text);
// on failure *error names the file and the cause, and nothing is left at path.
bool writeCsv(const QString& path, const std::vector<CsvPart>& parts, qint64 from, qint64 to,
              QString* error);
