#include "publish/ChangeFilter.h"

#include <cmath>

bool ChangeFilter::due(int idx, const Reading& r, bool answering, qint64 nowMs) const {
    if (idx < 0 || size_t(idx) >= m_last.size() || !m_last[size_t(idx)].said) return true;
    const Last& l = m_last[size_t(idx)];
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

void ChangeFilter::published(int idx, const Reading& r, bool answering, qint64 nowMs) {
    if (idx < 0) return;
    if (m_last.size() <= size_t(idx)) m_last.resize(size_t(idx) + 1);
    m_last[size_t(idx)] = {true, answering, r, nowMs};
}
