// Records the line continuously: while switched on, every traced frame goes, with its time
// and direction, to <data folder>/<name>_Trace_YYYYMMDD.TXT, so an intermittent fault in the
// night can be read in the morning. Bounded: whole older days are removed once the recorded
// files together pass the user's limit. A file that cannot be written is said once per cause.
#pragma once

#include <QDateTime>
#include <QObject>
#include <QString>
#include <functional>

class EventLog;
class KX5Link;

class TraceRecorder : public QObject {
    Q_OBJECT
public:
    TraceRecorder(KX5Link* link, EventLog* events, QObject* parent = nullptr);

    bool isOn() const { return m_on; }
    void setOn(bool on);
    void setLimitMB(int mb) { m_limitBytes = qint64(qMax(1, mb)) << 20; }

    // The day's file.
    static QString filePath(const QDate& day);
    // Removes the oldest recorded days until the files together fit the limit; the file being
    // written is never removed.
    void prune();

    std::function<QDateTime()> clock = [] { return QDateTime::currentDateTime(); };

private:
    void record(int row);
    void noteResult(const QString& path, const QString& why);

    KX5Link* m_link;
    EventLog* m_events;
    bool m_on = false;
    qint64 m_limitBytes = qint64(100) << 20;
    QString m_file;    // the file written last; a new one starts a day
    QString m_failure; // why the last line could not be written; "" when it was
    qint64 m_sincePrune = 0;
};
