#include "graph/DatGaps.h"

#include <algorithm>

qint64 DatGaps::recentMedian(int last) const {
    last = static_cast<int>(std::min<qint64>({last, m_pushed, kWindow}));
    if (last <= 0) return -1;
    std::array<qint64, kWindow> v{};
    for (int k = 0; k < last; ++k)
        v[static_cast<size_t>(k)] =
            m_ring[static_cast<size_t>((m_slot + 2 * kWindow - 1 - k) % kWindow)];
    std::nth_element(v.begin(), v.begin() + last / 2, v.begin() + last);
    return v[static_cast<size_t>(last / 2)];
}

void DatGaps::push(qint64 spacing) {
    m_ring[static_cast<size_t>(m_slot)] = spacing;
    m_slot = m_slot + 1 == kWindow ? 0 : m_slot + 1;
    ++m_pushed;
    m_ringMedian = -1; // worked out again when it is needed
    ++m_histogram[static_cast<size_t>(std::min(spacing, kHistogram))];
    ++m_spacings;
}

qint64 DatGaps::ringMedian() {
    if (m_ringMedian < 0) m_ringMedian = recentMedian(kWindow);
    return m_ringMedian;
}

bool DatGaps::isGap(const Candidate& c, qint64 afterUsual) {
    if (c.spacing < 0) return true;
    const qint64 usual = std::max(c.beforeUsual, afterUsual);
    return usual >= 0 && c.spacing > threshold(usual);
}

void DatGaps::take(qint64 j, qint64 spacing) {
    if (m_gaps.size() != m_judged) m_gaps.resize(m_judged);
    // A spacing within what came just before is no hole, whatever follows: only the rare
    // others wait for the spacings after them. Up to threshold(1) none is, whatever came
    // before, so a file logged every second or two needs no median.
    if (spacing < 0 || m_pushed == 0 ||
        (spacing > threshold(1) && spacing > threshold(ringMedian())))
        m_pending.push_back(
            {j, spacing, spacing < 0 ? -1 : ringMedian(), m_pushed + (spacing >= 0 ? 1 : 0)});
    if (spacing >= 0) push(spacing);
    // Judged for good once kWindow records have followed, in order; the others for now, on
    // the spacings that have come so far.
    size_t final = 0;
    while (final < m_pending.size() && j - m_pending[final].at >= kWindow)
        ++final;
    for (size_t k = 0; k < m_pending.size(); ++k) {
        const Candidate& c = m_pending[k];
        if (isGap(c, recentMedian(static_cast<int>(m_pushed - c.pushedAt)))) m_gaps.push_back(c.at);
        if (k + 1 == final) m_judged = m_gaps.size();
    }
    m_pending.erase(m_pending.begin(), m_pending.begin() + static_cast<std::ptrdiff_t>(final));
}

bool DatGaps::before(qint64 j) const {
    return std::binary_search(m_gaps.begin(), m_gaps.end(), j);
}

qint64 DatGaps::next(qint64 from) const {
    const auto it = std::lower_bound(m_gaps.begin(), m_gaps.end(), from);
    return it == m_gaps.end() ? kNone : *it;
}

qint64 DatGaps::usual() const {
    qint64 seen = 0;
    for (qint64 s = 0; s <= kHistogram; ++s) {
        seen += m_histogram[static_cast<size_t>(s)];
        if (2 * seen > m_spacings) return s;
    }
    return 0;
}
