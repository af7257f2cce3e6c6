// The data log's schedule and its failures: on each graph tick, once the log interval has
// passed, a record of every station whose values are live goes to its .DAT file. A record that
// cannot be written is said once per cause, in panel 4 and the event list, and again when
// that station's records can be written again.
#pragma once

#include <QCoreApplication>
#include <QDateTime>
#include <QString>
#include <map>

class EventLog;
class KX5Link;

class DataLogger {
    Q_DECLARE_TR_FUNCTIONS(DataLogger)

public:
    DataLogger(KX5Link* link, EventLog* events) : m_link(link), m_events(events) {}

    // One graph tick at `now`, ticks tickMs apart.
    void tick(const QDateTime& now, int tickMs);

    // Switches saving on or off, each switch a line in the event list (and, while saving runs,
    // in the events file: the stop goes there before saving ends).
    void setRunning(bool on);
    // Saving is switched on and allowed by the data-save settings: records are being made.
    static bool running();
    // Where the records go: <folder>/<name>_NN.DAT in the system's own separators.
    static QString filesPattern();

    QDateTime mLastSave; // never set: the first eligible tick writes at once

private:
    void noteResult(int mc, const QString& path, const QString& why);
    // Panel 4's words for a station's failed record.
    static QString shownFailure(int mc, const QString& path, const QString& why);

    KX5Link* m_link;
    EventLog* m_events;
    std::map<int, QString> m_failure; // MC No -> why its last record was not written
};
