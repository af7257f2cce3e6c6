#include "monitor/MultiTrend.h"

#include "link/LineModel.h"

#include <algorithm>
#include <limits>

MultiTrend::MultiTrend(const LineModel& line) : m_line(line) {}

bool MultiTrend::picked(int mcNo) const {
    return std::any_of(m_series.begin(), m_series.end(),
                       [mcNo](const Series& s) { return s.mcNo == mcNo; });
}

bool MultiTrend::pick(int mcNo, bool on) {
    if (!on) {
        std::erase_if(m_series, [mcNo](const Series& s) { return s.mcNo == mcNo; });
        return true;
    }
    if (picked(mcNo)) return true;
    if (int(m_series.size()) >= kMaxStations || m_line.indexOf(mcNo) < 0) return false;
    Series s;
    s.mcNo = mcNo;
    s.first = int(m_times.size());
    m_series.push_back(std::move(s));
    return true;
}

void MultiTrend::keepStationsInUse() {
    std::erase_if(m_series, [this](const Series& s) { return m_line.indexOf(s.mcNo) < 0; });
}

int MultiTrend::sample(const QDateTime& now) {
    constexpr double gap = std::numeric_limits<double>::quiet_NaN();
    m_times.push_back(double(now.toMSecsSinceEpoch()) / 1000.0);
    for (Series& s : m_series) {
        const LineModel::Station* st = m_line.station(s.mcNo);
        const Reading r = st ? decode(st->values) : Reading();
        const bool current = r.stored && r.fresh;
        s.sv.push_back(current ? r.sv : gap);
        s.pv.push_back(current ? r.pv : gap);
        s.mv.push_back(current ? r.mv : gap);
        if (current && !r.unit.isEmpty()) s.unit = r.unit;
        if (current) s.decimals = r.decimals;
    }
    if (int(m_times.size()) <= kMaxPoints) return 0;
    m_times.erase(m_times.begin(), m_times.begin() + kDropChunk);
    for (Series& s : m_series) {
        const int drop = std::max(0, kDropChunk - s.first);
        s.first = std::max(0, s.first - kDropChunk);
        for (auto* v : {&s.sv, &s.pv, &s.mv})
            v->erase(v->begin(), v->begin() + std::min<size_t>(size_t(drop), v->size()));
    }
    return kDropChunk;
}
