// Records the line continuously: while switched on, every traced frame goes, with its time
// and direction, to <data folder>/<name>_Trace_YYYYMMDD.TXT, so an intermittent fault in the
// night can be read in the morning. Bounded: the day's file is set aside as
// <name>_Trace_YYYYMMDD-HHMMSSmmm.TXT whenever it reaches a quarter of the user's limit, and
// the oldest files are removed so that all of them together stay within it. A file that
// cannot be written is said once per cause.
#pragma once

#include "files/DataSaveSettings.h"

#include <QDateTime>
#include <QObject>
#include <QString>
#include <functional>

class EventLog;
class KX5Link;
class LineStatus;

class TraceRecorder : public QObject {
    Q_OBJECT
public:
    TraceRecorder(KX5Link* link, EventLog* events, QObject* parent = nullptr);
    // Where its trouble is said for the status bar (none: not said there).
    void setStatus(LineStatus* status) { m_status = status; }

    bool isOn() const { return m_on; }
    void setOn(bool on);
    void setLimitMB(int mb) { m_limitBytes = qint64(qMax(1, mb)) << 20; }

    // The files go beside the data files, named after them.
    void setFiles(const DataSaveSettings& files) { m_files = files; }
    // The day's file, and a piece of it set aside at `end`.
    QString filePath(const QDate& day) const;
    QString piecePath(const QDateTime& end) const;
    // Removes the oldest recorded files until they fit the limit with room for the file being
    // written to reach its share; that file is never removed.
    void prune();

    std::function<QDateTime()> clock = [] { return QDateTime::currentDateTime(); };

private:
    void record(int row);
    void noteResult(const QString& path, const QString& why);
    qint64 pieceBytes() const { return m_limitBytes / 4; }

    KX5Link* m_link;
    LineStatus* m_status = nullptr;
    EventLog* m_events;
    DataSaveSettings m_files;
    bool m_on = false;
    qint64 m_limitBytes = qint64(100) << 20;
    QString m_file;    // the file written last; a new one starts a day
    QString m_failure; // why the last line could not be written; "" when it was
    qint64 m_sincePrune = 0;
};
