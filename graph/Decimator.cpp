#include "graph/Decimator.h"

#include "graph/DatFile.h"

#include <algorithm>
#include <cmath>

double columnEdge(double lo, double hi, int columns, int c) {
    return lo + (hi - lo) * c / columns;
}

namespace {

// The answer as it grows: a break goes in before a record that a hole parts from the last one.
class Drawn {
public:
    explicit Drawn(const DatSeries& d) : m_data(d) {}
    void add(qint64 i) {
        // Holes in file order part records only where the file order is the order of times.
        if (m_last >= 0 && m_data.sorted() && m_data.gaps().next(m_last + 1) <= i)
            m_out.push_back(kBreak);
        m_out.push_back(i);
        m_last = i;
    }
    void breakHere() {
        if (!m_out.empty() && m_out.back() != kBreak) m_out.push_back(kBreak);
    }
    std::vector<qint64> take() { return std::move(m_out); }

private:
    const DatSeries& m_data;
    std::vector<qint64> m_out;
    qint64 m_last = -1;
};

struct Extremes {
    qint64 loAt = -1, hiAt = -1;
    qint32 lo = 0, hi = 0;
    qint64 first = 0, last = 0; // earliest and latest time taken
    void take(qint32 v, qint64 at) {
        if (loAt < 0 || v < lo) {
            lo = v;
            loAt = at;
        }
        if (hiAt < 0 || v > hi) {
            hi = v;
            hiAt = at;
        }
    }
    // The two records in the order of their times.
    void push(const DatSeries& d, Drawn* out) const {
        if (loAt < 0) return;
        qint64 a = loAt, b = hiAt;
        if (std::pair(d.time(b), b) < std::pair(d.time(a), a)) std::swap(a, b);
        out->add(a);
        if (b != a) out->add(b);
    }
};

// Extremes of records [a, b): whole blocks from their summary, the ends record by record.
Extremes extremes(const DatSeries& d, int series, qint64 a, qint64 b) {
    Extremes e;
    qint64 i = a;
    while (i < b) {
        if (i % DatSeries::kBlock == 0 && i + DatSeries::kBlock <= b) {
            const DatBlock& blk = d.block(series, i / DatSeries::kBlock);
            e.take(blk.lo, i + blk.loAt);
            e.take(blk.hi, i + blk.hiAt);
            i += DatSeries::kBlock;
        } else {
            e.take(d.value(series, i), i);
            ++i;
        }
    }
    return e;
}

// The clock went back somewhere: records are assigned to columns one by one, and a break
// parts two columns between which the records leave a hole, in time.
std::vector<qint64> decimateUnsorted(const DatSeries& d, int series, double lo, double hi,
                                     int columns) {
    std::vector<Extremes> col(static_cast<size_t>(columns));
    for (qint64 i = 0; i < d.size(); ++i) {
        const qint64 time = d.time(i);
        const double t = static_cast<double>(time);
        if (t < lo || t > hi) continue;
        int c = hi > lo
                    ? std::clamp(static_cast<int>((t - lo) / (hi - lo) * columns), 0, columns - 1)
                    : 0;
        while (c > 0 && t < columnEdge(lo, hi, columns, c))
            --c;
        while (c < columns - 1 && t >= columnEdge(lo, hi, columns, c + 1))
            ++c;
        Extremes& e = col[static_cast<size_t>(c)];
        if (e.loAt < 0 || time < e.first) e.first = time;
        if (e.loAt < 0 || time > e.last) e.last = time;
        e.take(d.value(series, i), i);
    }
    const qint64 hole = DatGaps::threshold(d.gaps().usual());
    Drawn out(d);
    const Extremes* before = nullptr;
    for (const Extremes& e : col) {
        if (e.loAt < 0) continue;
        if (before && e.first - before->last > hole) out.breakHere();
        e.push(d, &out);
        before = &e;
    }
    return out.take();
}

} // namespace

std::vector<qint64> decimate(const DatSeries& d, int series, double lo, double hi, int columns) {
    if (d.isEmpty() || columns < 1 || !(hi >= lo)) return {};
    if (hi == lo) columns = 1;
    if (!d.sorted()) return decimateUnsorted(d, series, lo, hi, columns);
    const qint64 a = d.lowerBound(lo);
    const qint64 b = d.upperBound(hi);
    Drawn out(d);
    if (a > 0) out.add(a - 1);
    if (b - a <= 2 * static_cast<qint64>(columns)) {
        for (qint64 i = a; i < b; ++i)
            out.add(i);
    } else {
        const DatGaps& gaps = d.gaps();
        qint64 from = a;
        for (int c = 0; c < columns && from < b; ++c) {
            const qint64 to = std::min(
                b, c == columns - 1 ? b : d.lowerBound(columnEdge(lo, hi, columns, c + 1), from));
            // Each side of a hole inside the column on its own.
            for (qint64 g = gaps.next(from + 1); g < to; g = gaps.next(g + 1)) {
                extremes(d, series, from, g).push(d, &out);
                from = g;
            }
            extremes(d, series, from, to).push(d, &out);
            from = to;
        }
    }
    if (b < d.size()) out.add(b);
    return out.take();
}
