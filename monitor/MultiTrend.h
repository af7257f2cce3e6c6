// The points of several stations' trends: up to eight stations picked from those in use, each
// with its SV, PV and MV sampled on one shared tick from its own readings. A station whose
// reading is not current at a tick gets a gap, never an old value. Independent of the station
// selected in the main window, so switching stations clears nothing.
#pragma once

#include <QDateTime>
#include <vector>

class LineModel;

class MultiTrend {
public:
    static constexpr int kMaxStations = 8;
    static constexpr int kMaxPoints = 86400; // a day at one sample a second
    static constexpr int kDropChunk = 3600;  // the oldest hour goes once the day is full

    struct Series {
        int mcNo = 0;
        int first = 0;                  // index into times() of its first point
        std::vector<double> sv, pv, mv; // NaN: a gap
        QString unit;
        int decimals = 0;
    };

    explicit MultiTrend(const LineModel& line);

    // False when eight are picked already or mcNo is not in use. Unpicking forgets its points.
    bool pick(int mcNo, bool on);
    bool picked(int mcNo) const;
    const std::vector<Series>& series() const { return m_series; }
    // Seconds since the epoch of each tick, shared by every series.
    const std::vector<double>& times() const { return m_times; }
    // A station taken out of use leaves the trend.
    void keepStationsInUse();

    // One tick at `now`. Returns how many oldest points were dropped (0 until the day is full).
    int sample(const QDateTime& now);

private:
    const LineModel& m_line;
    std::vector<Series> m_series;
    std::vector<double> m_times;
};
