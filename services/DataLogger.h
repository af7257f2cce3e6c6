// The data log's schedule and its failures: on each graph tick, once the log interval has
// passed, a record of every station whose values are live goes to its .DAT file. A record that
// cannot be written is said once per cause, in panel 4 and the event list, and again when
// that station's records can be written again.
#pragma once

#include "files/DataSaveSettings.h"
#include "files/FileChecks.h"

#include <QDateTime>
#include <QObject>
#include <QString>
#include <map>
#include <vector>

class EventLog;
class KX5Link;
class LineStatus;

class DataLogger : public QObject {
    Q_OBJECT
public:
    DataLogger(KX5Link* link, EventLog* events, QObject* parent = nullptr);
    // Where its trouble is said for the status bar (none: not said there).
    void setStatus(LineStatus* status) { m_status = status; }

    // One graph tick at `now`, ticks tickMs apart.
    void tick(const QDateTime& now, int tickMs);

    // The settings in use, from the next tick on; the events file follows them too.
    void setSettings(const DataSaveSettings& settings);
    const DataSaveSettings& settings() const { return m_settings; }
    // Switches saving on or off, each switch a line in the event list (and, while saving runs,
    // in the events file: the stop goes there before saving ends).
    void setRunning(bool on);
    bool switchedOn() const { return m_on; }
    // Saving is switched on and allowed by the data-save settings: records are being made.
    bool running() const { return m_on && m_settings.enabled; }

    QDateTime mLastSave; // never set: the first eligible tick writes at once

    // What saving has done, for the status bar and the unattended run's hourly line.
    struct Progress {
        QDateTime now;
        QDateTime since; // the first tick of this run of saving; invalid while not saving
        int today = 0;   // records written on now's day
        struct Station {
            int mcNo;
            QDateTime last; // its last record; invalid: none since the program started
            bool late;      // no record for more than two record spacings while saving
        };
        std::vector<Station> stations; // those in use, in table order
        bool anyLate() const;
    };
    Progress progress(const QDateTime& now) const;
    // The progress in one line: English for standard error, the user's language for the panel.
    static FileNotice progressText(const Progress& p);
    // hh:mm:ss on now's day, with the date before.
    static QString timeText(const QDateTime& t, const QDateTime& now);

signals:
    // Switched on or off, or given new settings.
    void stateChanged();
    // A graph tick while saving runs: the progress may have moved, or a station fallen late.
    void ticked(const QDateTime& now);

private:
    void write(const QDateTime& now, int tickMs);
    void tellEvents();
    void noteResult(int mc, const QString& path, const QString& why);
    // Panel 4's words for a station's failed record.
    static QString shownFailure(int mc, const QString& path, const QString& why);

    KX5Link* m_link;
    LineStatus* m_status = nullptr;
    EventLog* m_events;
    std::map<int, QString> m_failure; // MC No -> why its last record was not written
    DataSaveSettings m_settings;
    bool m_on = false; // switched on by the user; records need the settings' leave too
    QDateTime m_since;
    QDate m_countDay;
    int m_today = 0;
    int m_tickMs = 1000;
    std::map<int, QDateTime> m_last; // MC No -> its last record
};
