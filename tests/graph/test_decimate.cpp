// Decimation: every column's minimum and maximum survive, against a brute-force scan of random
// data (sorted with repeated seconds, and with the clock set back). The reader and export are
// tested elsewhere.
#include "graph/DatFile.h"
#include "graph/Decimator.h"

#include <gtest/gtest.h>
#include <limits>
#include <random>

namespace {

struct Column {
    bool any = false;
    qint32 lo = 0, hi = 0;
};

// Which column a time falls in, by the same edges, one record at a time.
int columnOf(double t, double lo, double hi, int columns) {
    if (t < lo || t > hi) return -1;
    if (hi == lo) return 0;
    int c = 0;
    while (c < columns - 1 && t >= columnEdge(lo, hi, columns, c + 1))
        ++c;
    return c;
}

std::vector<Column> bruteForce(const DatSeries& d, int s, double lo, double hi, int columns) {
    std::vector<Column> out(static_cast<size_t>(columns));
    for (qint64 i = 0; i < d.size(); ++i) {
        const int c = columnOf(static_cast<double>(d.time(i)), lo, hi, columns);
        if (c < 0) continue;
        Column& col = out[static_cast<size_t>(c)];
        const qint32 v = d.value(s, i);
        col.lo = col.any ? std::min(col.lo, v) : v;
        col.hi = col.any ? std::max(col.hi, v) : v;
        col.any = true;
    }
    return out;
}

DatSeries randomSeries(std::mt19937& rng, qint64 n, bool sorted) {
    DatSeries d;
    std::uniform_int_distribution<int> step(0, 3), value(-2000, 2000), spike(0, 200);
    qint64 t = 1'700'000'000;
    for (qint64 i = 0; i < n; ++i) {
        t += sorted ? step(rng) : step(rng) - 1;
        // Rare spikes far outside the noise: the ones a plain subsample would hide.
        const qint32 sv = spike(rng) == 0 ? 30000 : value(rng);
        const qint32 pv = spike(rng) == 0 ? -30000 : value(rng);
        d.append(t, sv, pv, value(rng));
    }
    return d;
}

} // namespace

TEST(Decimate, KeepsEveryColumnsMinimumAndMaximum) {
    std::mt19937 rng(14);
    for (int round = 0; round < 60; ++round) {
        const bool sorted = round % 3 != 0;
        const qint64 n = std::uniform_int_distribution<qint64>(1, 20000)(rng);
        const DatSeries d = randomSeries(rng, n, sorted);
        double first = d.time(0), last = d.time(0);
        for (qint64 t : d.times()) {
            first = std::min(first, double(t));
            last = std::max(last, double(t));
        }
        std::uniform_real_distribution<double> at(first - 50, last + 50);
        double lo = at(rng), hi = at(rng);
        if (lo > hi) std::swap(lo, hi);
        if (round % 10 == 0) hi = lo; // a range of one instant
        const int columns = std::uniform_int_distribution<int>(1, 900)(rng);
        SCOPED_TRACE(testing::Message() << "round " << round << " n " << n << " columns " << columns
                                        << " [" << lo << ", " << hi << "]");
        for (int s = 0; s < DatSeries::kSeries; ++s) {
            const std::vector<qint64> idx = decimate(d, s, lo, hi, columns);
            const std::vector<Column> want = bruteForce(d, s, lo, hi, hi == lo ? 1 : columns);
            std::vector<Column> got(want.size());
            qint64 outside = 0;
            for (size_t j = 0; j < idx.size(); ++j) {
                ASSERT_GE(idx[j], 0);
                ASSERT_LT(idx[j], d.size());
                if (j > 0) {
                    ASSERT_LT(idx[j - 1], idx[j]);
                }
                const int c = columnOf(double(d.time(idx[j])), lo, hi, int(want.size()));
                if (c < 0) {
                    ++outside;
                    continue;
                }
                Column& col = got[static_cast<size_t>(c)];
                const qint32 v = d.value(s, idx[j]);
                col.lo = col.any ? std::min(col.lo, v) : v;
                col.hi = col.any ? std::max(col.hi, v) : v;
                col.any = true;
            }
            for (size_t c = 0; c < want.size(); ++c) {
                ASSERT_EQ(got[c].any, want[c].any) << "column " << c;
                if (!want[c].any) continue;
                ASSERT_EQ(got[c].lo, want[c].lo) << "column " << c;
                ASSERT_EQ(got[c].hi, want[c].hi) << "column " << c;
            }
            // Two records a column at most, and one neighbour on each side of the range.
            EXPECT_LE(static_cast<qint64>(idx.size()), 2 * qint64(want.size()) + 2);
            EXPECT_LE(outside, d.sorted() ? 2 : 0);
        }
    }
}

TEST(Decimate, SparseRangeGivesEveryRecordAndItsNeighbours) {
    DatSeries d;
    for (int i = 0; i < 100; ++i)
        d.append(1000 + 10 * i, i, -i, 2 * i);
    // 10 records in [1200, 1290] on 50 columns: all drawn, plus 1190 and 1300 for the edges.
    const std::vector<qint64> idx = decimate(d, DatSeries::PV, 1200, 1295, 50);
    std::vector<qint64> want{19};
    for (qint64 i = 20; i <= 29; ++i)
        want.push_back(i);
    want.push_back(30);
    EXPECT_EQ(idx, want);
    EXPECT_TRUE(decimate(DatSeries(), DatSeries::SV, 0, 10, 5).empty());
    EXPECT_TRUE(decimate(d, DatSeries::SV, 10, 0, 5).empty());
}
