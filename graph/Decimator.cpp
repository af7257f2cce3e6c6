#include "graph/Decimator.h"

#include "graph/DatFile.h"

#include <algorithm>
#include <cmath>

double columnEdge(double lo, double hi, int columns, int c) {
    return lo + (hi - lo) * c / columns;
}

namespace {

struct Extremes {
    qint64 loAt = -1, hiAt = -1;
    qint32 lo = 0, hi = 0;
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
    void push(std::vector<qint64>* out) const {
        if (loAt < 0) return;
        const qint64 a = std::min(loAt, hiAt), b = std::max(loAt, hiAt);
        out->push_back(a);
        if (b != a) out->push_back(b);
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

// The clock went back somewhere: records are assigned to columns one by one.
std::vector<qint64> decimateUnsorted(const DatSeries& d, int series, double lo, double hi,
                                     int columns) {
    std::vector<Extremes> col(static_cast<size_t>(columns));
    for (qint64 i = 0; i < d.size(); ++i) {
        const double t = static_cast<double>(d.time(i));
        if (t < lo || t > hi) continue;
        int c = hi > lo
                    ? std::clamp(static_cast<int>((t - lo) / (hi - lo) * columns), 0, columns - 1)
                    : 0;
        while (c > 0 && t < columnEdge(lo, hi, columns, c))
            --c;
        while (c < columns - 1 && t >= columnEdge(lo, hi, columns, c + 1))
            ++c;
        col[static_cast<size_t>(c)].take(d.value(series, i), i);
    }
    std::vector<qint64> out;
    for (const Extremes& e : col)
        e.push(&out);
    std::sort(out.begin(), out.end());
    return out;
}

} // namespace

std::vector<qint64> decimate(const DatSeries& d, int series, double lo, double hi, int columns) {
    std::vector<qint64> out;
    if (d.isEmpty() || columns < 1 || !(hi >= lo)) return out;
    if (hi == lo) columns = 1;
    if (!d.sorted()) return decimateUnsorted(d, series, lo, hi, columns);
    const qint64 a = d.lowerBound(lo);
    const qint64 b = d.upperBound(hi);
    if (a > 0) out.push_back(a - 1);
    if (b - a <= 2 * static_cast<qint64>(columns)) {
        for (qint64 i = a; i < b; ++i)
            out.push_back(i);
    } else {
        qint64 from = a;
        for (int c = 0; c < columns && from < b; ++c) {
            const qint64 to =
                c == columns - 1 ? b : d.lowerBound(columnEdge(lo, hi, columns, c + 1), from);
            extremes(d, series, from, std::min(to, b)).push(&out);
            from = to;
        }
    }
    if (b < d.size()) out.push_back(b);
    return out;
}
