// The alarms of the line: every alarm and error lamp of every station in use, with its life as
// operator panels keep it (raised, acknowledged, cleared; gone once cleared and acknowledged).
// It follows the line model by itself, with windows or without, and says each change in the
// events.
#pragma once

#include "link/Reading.h"

#include <QDateTime>
#include <QObject>
#include <array>
#include <bitset>
#include <functional>
#include <vector>

class EventLog;
class LineModel;

class AlarmBook : public QObject {
    Q_OBJECT
public:
    enum class State { ActiveUnacknowledged, ActiveAcknowledged, ClearedUnacknowledged };

    struct Alarm {
        quint64 id = 0; // stays with the alarm while it is listed
        int mcNo = 0;
        StatusLamp lamp = StatusLamp::AL1;
        QDateTime raisedAt;
        QString pv, unit; // the station's PV when raised, as the display shows it
        QString value() const { return pv + unit; }
        QDateTime ackedAt;
        QString ackedBy;
        QDateTime clearedAt; // invalid while the lamp is on

        bool active() const { return !clearedAt.isValid(); }
        bool acknowledged() const { return ackedAt.isValid(); }
        State state() const;
    };

    // Without events the changes are only listed (tests, benchmarks).
    explicit AlarmBook(LineModel& line, EventLog* events = nullptr, QObject* parent = nullptr);

    std::function<QDateTime()> clock = [] { return QDateTime::currentDateTime(); };
    // Who acknowledges: the user signed on at this PC.
    std::function<QString()> user = &AlarmBook::loginName;
    static QString loginName();

    // One per station and lamp at most, in the order they were first raised.
    const std::vector<Alarm>& alarms() const { return m_alarms; }
    int unacknowledged() const;
    struct Counts {
        int active = 0, unacknowledged = 0;
    };
    // Station mcNo's alarms: how many have their lamp on, how many wait for acknowledgement.
    Counts counts(int mcNo) const;
    // False when no such alarm is listed or it was acknowledged already.
    bool acknowledge(quint64 id);
    // How many were acknowledged.
    int acknowledgeAll();

    // A new alarm sounds at the PC unless the user turned it off; kept for the session.
    bool sound() const { return m_sound; }
    void setSound(bool on) { m_sound = on; }

    // Compares station mcNo's fresh lamps with its active alarms. A stale reading changes
    // nothing: an alarm neither clears nor starts on values that are no longer read.
    void checkStation(int mcNo);

    // Station mcNo's alarms for publishing: {"mc":4,"unacknowledged":1,"alarms":[{"alarm":
    // "AL1","state":"active_unacknowledged","raisedAt":"...Z","pv":123.4,"unit":"°C",
    // "acknowledgedAt":null,"acknowledgedBy":null,"clearedAt":null}]}; empty for a station not
    // in use.
    QByteArray json(int mcNo) const;

signals:
    void raised(const AlarmBook::Alarm& alarm);
    // Any change of the list: raised, acknowledged, cleared, gone.
    void changed();
    // The same, for each station whose alarms changed.
    void stationChanged(int mcNo);

private:
    using Lamps = std::bitset<size_t(StatusLamp::Count)>;
    void raise(int mcNo, StatusLamp lamp, const StationValues& values);
    void clear(int mcNo, StatusLamp lamp);
    void doAcknowledge(Alarm& a);
    void removeGone();
    void forgetStationsOutOfUse();
    std::vector<Alarm>::iterator find(int mcNo, StatusLamp lamp);
    void say(int mcNo, const char* source, const QStringList& args);

    LineModel& m_line;
    EventLog* m_events;
    std::vector<Alarm> m_alarms;
    std::array<Lamps, 100> m_active{}; // by MC No: the lamps whose alarm is active
    quint64 m_nextId = 1;
    bool m_sound = true;
};
