#include "publish/ChangeFilter.h"

#include <cmath>

bool ChangeFilter::due(int mcNo, const Reading& r, bool answering, qint64 nowMs) const {
    const auto it = m_last.find(mcNo);
    if (it == m_last.end()) return true;
    const Last& l = it->second;
    if (l.answering != answering || nowMs - l.atMs >= m_heartbeatMs) return true;
    if (!answering) return false; // no figures to compare
    const Reading& p = l.reading;
    // The figures have at most a few decimals: a step of exactly the band, which in binary can
    // come out a hair above it, is not more than the band.
    const auto moved = [this](double now, double then) {
        return std::abs(now - then) > m_band + 1e-6;
    };
    return p.lamps != r.lamps || p.unit != r.unit || p.decimals != r.decimals ||
           moved(r.pv, p.pv) || moved(r.sv, p.sv) || moved(r.mv, p.mv);
}

void ChangeFilter::published(int mcNo, const Reading& r, bool answering, qint64 nowMs) {
    m_last[mcNo] = {answering, r, nowMs};
}
