// Copies a parameter set to stations through the link's requests: first reads every chosen
// station and notes what differs from the set, then, once the user has confirmed those
// differences, writes them register by register, reads each station back and reports how it
// ended. No window in here, so the whole run is tested headless against the simulator.
#pragma once

#include "link/Request.h"
#include "params/ParamSet.h"

#include <QObject>
#include <optional>
#include <vector>

class KX5Link;

class SetWriter : public QObject {
    Q_OBJECT
public:
    enum class State {
        Waiting,      // not read yet
        Reading,      // its parameters are being read
        NotAnswering, // a read or write went unanswered
        Equal,        // holds the set already: left unchanged
        Differs,      // read; the differences wait for the confirmation
        Writing,
        Verified,     // written and read back equal to the set
        Refused,      // the controller answered NG to a write
        NotConfirmed, // written, but the read-back differs
        Stopped       // cancelled, or the port closed, before it was done
    };
    struct Station {
        int mcNo = 0;
        State state = State::Waiting;
        // Before writing: what will be written (set-copied registers that differ, and after
        // an input type change the whole input group). After: what still differs.
        std::vector<ParamDiff> diffs;
        int written = 0; // registers confirmed written
        QString report;  // how it ended, in words
    };

    SetWriter(KX5Link* link, ParamSet set, std::vector<int> mcNos, QObject* parent = nullptr);

    // Reads every chosen station. Refused, with the reason, before anything is sent when a
    // station is of another model than the set.
    bool compare(QString* error);
    // Writes the differences found by compare to the stations that differ.
    void write();
    // Stops between requests; the request on the line is let end first.
    void cancel();

    bool busy() const { return m_busy; }
    const std::vector<Station>& stations() const { return m_stations; }
    const ParamSet& set() const { return m_set; }
    // Registers confirmed written, over all stations.
    int writtenCount() const;
    static QString stateWord(State s);

signals:
    void stationChanged(int i);
    void finished();

private:
    enum class Wait { None, Read, Ack, ReadBack };
    void next();
    void startStation();
    void sendNext();
    void readNow();
    void onEnded(const Request& r, RequestOutcome outcome, const QString& text);
    void onRead(int mcNo);
    void endStation(State s, const QString& report);
    void finishAll(State s, const QString& report);
    std::vector<Request> plan(const Station& st) const;
    int refusals(int mcNo) const;

    KX5Link* m_link;
    ParamSet m_set;
    std::vector<Station> m_stations;
    bool m_writing = false; // the second pass
    bool m_busy = false;
    bool m_cancel = false;
    int m_at = -1; // the station being worked
    Wait m_wait = Wait::None;
    std::optional<Request> m_request;
    std::vector<Request> m_writes; // still to send to the current station
    int m_refusalsBefore = 0;
    bool m_finalRead = false; // the read after the last write, or after a refusal
    QString m_finalNote;      // said with the read-back's result
};
