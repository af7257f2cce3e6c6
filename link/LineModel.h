// One model of the line: per MC No whether it is in use and its name, its model, how its
// exchanges go and since when, its last monitor reading as numbers, its parameter image and its
// statistics. The link writes it; every view reads it and follows stationChanged.
#pragma once

#include "link/ControllerModel.h"
#include "link/LineStats.h"
#include "link/Reading.h"
#include "link/StationList.h"

#include <QDateTime>
#include <QObject>
#include <QTimer>
#include <array>
#include <functional>
#include <map>
#include <optional>
#include <vector>

class LineModel : public QObject, public StationSource {
    Q_OBJECT
public:
    // What changed of a station; List: the stations in use themselves (mcNo 0).
    enum Change : unsigned {
        List = 1,
        Model = 2,
        Conn = 4,       // connection state, its fault and its time
        Values = 8,     // a monitor reading was stored
        Freshness = 16, // the reading became stale
        Keys = 32,      // the recorder keys and print speed, read back after a write
        Image = 64,     // the parameter image
        Stats = 128,
        Written = 256 // a write's read-back put into the parameter image (with Image)
    };
    Q_DECLARE_FLAGS(Changes, Change)

    static constexpr int kMaxMcNo = 99;

    struct Station {
        int mcNo = 0;
        bool inUse = false;
        QString name;
        ControllerModel model = ControllerModel::Unknown;
        // Answered the model query as a KX5: it is polled.
        bool answered = false;
        ConnState conn = ConnState::Unknown;
        QDateTime connSince; // when conn last changed; invalid while Unknown
        // Why the last exchange failed; empty while it answers or nothing is known.
        std::optional<LineFault> fault;
        StationValues values;
        std::map<int, int> image; // register -> value, from the last read of all
        // When each of the four parameter blocks was last read, on the steady clock; 0: never,
        // or not since the station came back from silence (what it holds may have changed).
        std::array<qint64, 4> imageAtMs{};
    };

    explicit LineModel(QObject* parent = nullptr);

    // ---- the stations in use, in the order given; index i is row i + 1 of the tables ----
    // What was learnt of a station that stays in use is kept.
    void setStations(const StationList& list);
    StationList stations() const;
    int count() const { return static_cast<int>(m_order.size()); }
    int mcNoAt(int idx) const;
    // Index of station mcNo among those in use; -1 when not in use.
    int indexOf(int mcNo) const;
    const Station* at(int idx) const;
    // Any MC No 1 to 99, in use or not; null outside.
    const Station* station(int mcNo) const;
    // The first index from start on (from 0 when start is beyond the last) of a station that
    // answered the model query; -1 when there is none.
    int findAnswered(int start) const;
    bool anyUnanswered() const;

    // ---- StationSource, by index ----
    const StationValues* values(int idx) const override;
    ConnState connState(int idx) const override;
    bool isFresh(int idx) const;

    // ---- age: one rule for every consumer ----
    // A monitor reading is current for this long after it was read; past it the station is
    // stale everywhere at once (Freshness), whatever the link is doing. The link sets it from
    // the poll's pace.
    void setCurrentFor(int ms);
    int currentForMs() const { return m_currentForMs; }
    // The steady clock readings and images are timed by (ms); tests hand in their own.
    void setClock(std::function<qint64()> nowMs);
    qint64 nowMs() const { return m_now(); }
    // Marks every reading past its age stale; runs by itself when the next one falls due.
    void checkAges();
    // Station mcNo is in use, answered the model query, its last exchange went well and its
    // reading is current: what the windows, the log, the publisher and the gateway call
    // "answering".
    bool answering(int mcNo) const;
    // Age in ms of the parameter block holding reg in mcNo's image; -1 when never read (or not
    // since the station came back) or reg is in no block.
    qint64 imageAgeMs(int mcNo, int reg) const;
    // The block (1 to 4) a parameter register is read in; 0 for none.
    static int blockOf(int reg);

    // ---- what the link learns ----
    // The station's answer to the model query: a KX5 is polled from now on.
    void setModel(int mcNo, ControllerModel m);
    // It did not answer a model query: not polled, its last known model kept.
    void setUnanswered(int mcNo);
    void setConn(int mcNo, ConnState c, std::optional<LineFault> fault = std::nullopt);
    // The last exchange failed (a refusal, a bad reply) while the station still counts as
    // answering; a later setConn says how it goes on.
    void noteFault(int mcNo, LineFault fault);
    // Forgets every connection state: a line that is not open says nothing of its stations.
    void clearConn();
    // A closed line: no station keeps an "OK"; one that failed keeps its "NG".
    void clearAnswering();
    void storeValues(int mcNo, const std::array<int, StationValues::kCount>& regs,
                     const QDateTime& at);
    // Registers 501 to 506 read back after a write (the rest of the reading stays).
    void storeKeys(int mcNo, const std::array<int, 6>& keys);
    void markStale(int mcNo);
    void markAllStale();
    // A read block (1 to 4) of the image, or (block 0) registers read back after a write:
    // what the controller reports, into the image and, for the live registers, the reading.
    void storeImage(int mcNo, const std::vector<int>& regs, const std::vector<int>& vals,
                    int block = 0);
    // The image may no longer be what the controller holds (it was silent): read it again
    // before it is served.
    void expireImage(int mcNo);
    // Register reg of mcNo's image.
    std::optional<int> imageValue(int mcNo, int reg) const;
    const std::map<int, int>* image(int mcNo) const;

    // ---- line statistics, by MC No (0: frames whose station could not be told) ----
    const LineStats& stats() const { return m_stats; }
    StationStats& statsOf(int mcNo) { return m_stats[mcNo]; }
    void statsCounted(int mcNo) { emit stationChanged(mcNo, Stats); }
    void resetStats();

signals:
    void stationChanged(int mcNo, LineModel::Changes what);

private:
    Station* find(int mcNo);
    void scheduleAgeCheck();

    std::array<Station, kMaxMcNo + 1> m_all; // by MC No; 0 unused
    std::vector<int> m_order;                // MC Nos in use, in table order
    std::array<int, kMaxMcNo + 1> m_index;   // MC No -> index, -1 when not in use
    LineStats m_stats;
    std::function<qint64()> m_now;
    int m_currentForMs = 2000;
    QTimer m_ageTimer;
};

Q_DECLARE_OPERATORS_FOR_FLAGS(LineModel::Changes)
