// The data log: one .DAT file per station, a tab-separated record of date, time, NSV, NPV and
// MVOUT appended per interval. Files are opened, appended and closed for every record, so a
// crash or a pulled disk loses at most the record being written.
#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>

struct StationValues;

// <folder>/<name>_NN.DAT, the MC No with at least two digits.
QString dataFilePath(const QString& folder, const QString& name, int mcNo);
// "YYYY-MM-DD" TAB "HH:MM:SS" TAB NSV TAB NPV TAB MVOUT CR LF.
QByteArray dataRecord(const QDateTime& now, const QString& nsv, const QString& npv,
                      const QString& mvout);
// Appends bytes in one write, or nothing: a short write is cut back to the old length. A link,
// a file that is not regular, another user's file or a name that is not UTF-8 is refused. On
// failure *error (when given) says why.
bool appendWhole(const QString& path, const QByteArray& bytes, QString* error = nullptr);
// An error of appendWhole() (English, as the events file keeps it) in the user's language.
QString shownWriteError(const QString& error);
// Appends a station's record: NSV, NPV and MVOUT as stored, not as the display scales them.
// False when the station has no values yet or the file could not be opened or written; the
// caller skips it. *error says why a write failed (empty: no values yet).
bool AppendDataRecord(const QString& path, const StationValues& values, const QDateTime& now,
                      QString* error = nullptr);
// More than intervalSec seconds have passed since `last`, counted in whole graph ticks of
// tickMs: records come (intervalSec div tick + 1) ticks apart whatever the timer's jitter.
// A never-set `last` is long past, and so is one the clock has since been set back past: the
// interval starts afresh from now.
bool logIntervalPassed(const QDateTime& last, const QDateTime& now, qint64 intervalSec, int tickMs);
