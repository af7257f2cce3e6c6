// Publishing on change: whether a station's new reading is worth a message. It is when nothing
// was published for the station yet, when it started or stopped answering, when a lamp, the
// unit or the decimals changed, when PV, SV or MV moved by more than the dead band from what was
// last published (so a slow drift is published once it adds up), or when the heartbeat is due.
#pragma once

#include "link/Reading.h"

#include <QtGlobal>
#include <map>

class ChangeFilter {
public:
    ChangeFilter(double deadBand, int heartbeatMs) : m_band(deadBand), m_heartbeatMs(heartbeatMs) {}

    // Whether station mcNo's reading r (answering or not) at nowMs (any steady clock) should be
    // published; nothing is recorded.
    bool due(int mcNo, const Reading& r, bool answering, qint64 nowMs) const;
    // That it was published at nowMs: the next decisions compare with it.
    void published(int mcNo, const Reading& r, bool answering, qint64 nowMs);
    // Forgets the stations for which kept(mcNo) is false: one that comes back starts afresh.
    template <class Kept> void keepOnly(Kept kept) {
        std::erase_if(m_last, [&kept](const auto& e) { return !kept(e.first); });
    }

private:
    struct Last {
        bool answering = false;
        Reading reading;
        qint64 atMs = 0;
    };
    double m_band;
    qint64 m_heartbeatMs;
    std::map<int, Last> m_last; // by MC No
};
