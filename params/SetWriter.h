// Copies a parameter set to stations through the link's requests: first reads every chosen
// station and notes what differs from the set, then, once the user has confirmed those
// differences, writes them register by register, reads each station back and reports how it
// ended. No window in here, so the whole run is tested headless against the simulator.
#pragma once

#include "link/Request.h"
#include "params/ParamSet.h"

#include <QObject>
#include <map>
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
        // Registers that differ but that a set does not copy: said, never written.
        std::vector<ParamDiff> notCopied;
        std::map<int, int> image; // as read by compare
        int written = 0;          // registers confirmed written
        bool attempted = false;   // its writing began
        QString report;           // how it ended, in words
    };

    SetWriter(KX5Link* link, ParamSet set, std::vector<int> mcNos, QObject* parent = nullptr);

    // Reads every chosen station. Refused, with the reason, before anything is sent when a
    // station is of another model than the set.
    bool compare(QString* error);
    // Writes the differences found by compare to the stations that differ.
    void write();
    // Stops between requests; the request on the line is let end first.
    void cancel();
    // Whether write sends every register the set copies, not only those that differ. Takes
    // effect on the stations compared, whose lists show it at once.
    void setWriteAll(bool all);
    bool writeAll() const { return m_writeAll; }

    bool busy() const { return m_busy; }
    const std::vector<Station>& stations() const { return m_stations; }
    const ParamSet& set() const { return m_set; }
    // Registers confirmed written, over all stations.
    int writtenCount() const;
    // How the run ended, counted over the stations: after a compare what there is to write,
    // after a write the stations verified, failed and not reached.
    QString summary() const;
    // Whether a station's end needs the user's eye: it may hold part of the set.
    static bool failed(const Station& st);
    static QString stateWord(State s);

signals:
    void stationChanged(int i);
    void finished();

private:
    enum class Wait { None, Read, Ack };
    void next();
    void startStation();
    void sendNext();
    void readNow();
    void onEnded(const Request& r, RequestOutcome outcome, const QString& text);
    void onRead(int mcNo);
    void assess(int i);
    void endStation(State s, const QString& report);
    void finishAll(State s, const QString& report);
    std::vector<Request> plan(const Station& st) const;
    int refusals(int mcNo) const;

    KX5Link* m_link;
    ParamSet m_set;
    std::vector<Station> m_stations;
    bool m_writing = false; // the second pass
    bool m_writeAll = false;
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
