// Decimation: every column's minimum and maximum survive, against a brute-force scan of random
// data (sorted with repeated seconds, and with the clock set back). The reader and export are
// tested elsewhere.
#include "graph/DatFile.h"
#include "graph/Decimator.h"

#include <algorithm>
#include <cstdint>
#include <functional>
#include <gtest/gtest.h>
#include <random>

namespace {

// Each column's minimum and maximum (INT32_MAX, INT32_MIN when empty) over the given records, found
// one record at a time by the same edges; records outside [lo, hi] are counted in *outside.
std::vector<std::pair<qint32, qint32>> perColumn(const DatSeries& d, int s, double lo, double hi,
                                                 int columns, const std::vector<qint64>& idx,
                                                 qint64* outside) {
    std::vector<std::pair<qint32, qint32>> col(size_t(columns), {INT32_MAX, INT32_MIN});
    for (qint64 i : idx) {
        const double t = double(d.time(i));
        int c = 0;
        while (c < columns - 1 && t >= columnEdge(lo, hi, columns, c + 1))
            ++c;
        auto& [a, b] = col[size_t(c)];
        if (t < lo || t > hi)
            ++*outside;
        else
            a = std::min(a, d.value(s, i)), b = std::max(b, d.value(s, i));
    }
    return col;
}

} // namespace

TEST(Decimate, KeepsEveryColumnsMinimumAndMaximum) {
    std::mt19937 rng(14);
    auto uniform = [&](qint64 a, qint64 b) {
        return std::uniform_int_distribution<qint64>(a, b)(rng);
    };
    for (int round = 0; round < 60; ++round) {
        // Every third round the clock goes back now and then; rare spikes far outside the noise
        // are what a plain subsample would hide.
        const bool sorted = round % 3 != 0;
        DatSeries d;
        qint64 t = 1'700'000'000;
        std::vector<qint64> all;
        for (qint64 i = 0, n = uniform(1, 20000); i < n; ++i) {
            t += uniform(sorted ? 0 : -1, sorted ? 3 : 2);
            d.append(t, uniform(0, 200) ? qint32(uniform(-2000, 2000)) : 30000,
                     uniform(0, 200) ? qint32(uniform(-2000, 2000)) : -30000,
                     qint32(uniform(-2000, 2000)));
            all.push_back(i);
        }
        const auto [first, last] = d.timeRange();
        std::uniform_real_distribution<double> at(double(first) - 50, double(last) + 50);
        double lo = at(rng), hi = round % 10 == 0 ? lo : at(rng); // now and then one instant
        if (lo > hi) std::swap(lo, hi);
        // Every other round few columns, so whole blocks of the summary stand for their records.
        const int columns = int(uniform(1, round % 2 ? 900 : 12)), drawn = hi == lo ? 1 : columns;
        SCOPED_TRACE(testing::Message() << "round " << round << " n " << d.size() << " columns "
                                        << columns << " [" << lo << ", " << hi << "]");
        for (int s = 0; s < DatSeries::kSeries; ++s) {
            const std::vector<qint64> idx = decimate(d, s, lo, hi, columns);
            ASSERT_TRUE(std::adjacent_find(idx.begin(), idx.end(), std::greater_equal<>()) ==
                        idx.end()); // strictly ascending, and so within the records:
            ASSERT_TRUE(idx.empty() || (idx.front() >= 0 && idx.back() < d.size()));
            qint64 outside = 0, ignored = 0;
            ASSERT_EQ(perColumn(d, s, lo, hi, drawn, idx, &outside),
                      perColumn(d, s, lo, hi, drawn, all, &ignored));
            // Two records a column at most, and one neighbour on each side of the range.
            EXPECT_LE(qint64(idx.size()), 2 * drawn + 2);
            EXPECT_LE(outside, d.sorted() ? 2 : 0);
        }
    }
}

TEST(Decimate, SparseRangeGivesEveryRecordAndItsNeighbours) {
    DatSeries d;
    for (int i = 0; i < 100; ++i)
        d.append(1000 + 10 * i, i, -i, 2 * i);
    // 10 records in [1200, 1290] on 50 columns: all drawn, plus 1190 and 1300 for the edges.
    EXPECT_EQ(decimate(d, DatSeries::PV, 1200, 1295, 50),
              (std::vector<qint64>{19, 20, 21, 22, 23, 24, 25, 26, 27, 28, 29, 30}));
    EXPECT_TRUE(decimate(DatSeries(), DatSeries::SV, 0, 10, 5).empty());
    EXPECT_TRUE(decimate(d, DatSeries::SV, 10, 0, 5).empty());
}
