// Decimation and holes: every column's minimum and maximum survive, against a brute-force scan
// of random data (sorted with repeated seconds and holes, and with the clock set back), the line
// breaks at every hole and nowhere else, and holes judged as records come equal the rule applied
// to the file so far. What a window draws of holes, and its exports, are in test_window.
#include "graph/DatFile.h"
#include "graph/Decimator.h"

#include <algorithm>
#include <cstdint>
#include <gtest/gtest.h>
#include <iterator>
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
            // Now and then nothing is logged for a while.
            t += uniform(0, 2000) ? uniform(sorted ? 0 : -1, sorted ? 3 : 2) : uniform(10, 5000);
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
        const std::vector<qint64>& gaps = d.gaps().all();
        for (int s = 0; s < DatSeries::kSeries; ++s) {
            const std::vector<qint64> out = decimate(d, s, lo, hi, columns);
            std::vector<qint64> idx;
            std::copy_if(out.begin(), out.end(), std::back_inserter(idx),
                         [](qint64 i) { return i != kBreak; });
            ASSERT_TRUE(idx.empty() || (out.front() != kBreak && out.back() != kBreak));
            ASSERT_TRUE(std::all_of(idx.begin(), idx.end(),
                                    [&](qint64 i) { return i >= 0 && i < d.size(); }));
            // In the order of their times; when the file is, strictly ascending.
            for (size_t j = 1; j < idx.size(); ++j)
                ASSERT_TRUE(sorted ? idx[j - 1] < idx[j] : d.time(idx[j - 1]) <= d.time(idx[j]));
            qint64 outside = 0, ignored = 0;
            ASSERT_EQ(perColumn(d, s, lo, hi, drawn, idx, &outside),
                      perColumn(d, s, lo, hi, drawn, all, &ignored));
            EXPECT_LE(outside, d.sorted() ? 2 : 0);
            // Two records a column and a side of each hole in it at most, one neighbour on each
            // side of the range; a break only between records.
            const auto breaks = qint64(out.size() - idx.size());
            EXPECT_LE(qint64(idx.size()), 2 * (drawn + qint64(gaps.size())) + 2);
            ASSERT_TRUE(std::adjacent_find(out.begin(), out.end(), [](qint64 a, qint64 b) {
                            return a == kBreak && b == kBreak;
                        }) == out.end());
            if (!sorted) {
                EXPECT_LE(breaks, drawn);
                continue;
            }
            // A break exactly where a hole lies between two records drawn one after the other.
            for (size_t j = 1; j < out.size(); ++j) {
                if (out[j] == kBreak) continue;
                const qint64 p = out[j - 1] == kBreak ? out[j - 2] : out[j - 1];
                const bool hole = std::upper_bound(gaps.begin(), gaps.end(), p) !=
                                  std::upper_bound(gaps.begin(), gaps.end(), out[j]);
                ASSERT_EQ(out[j - 1] == kBreak, hole) << p << " to " << out[j];
            }
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
    // A hole of 50 s after record 99 (usual 10 s): the line stops at 1990 and goes on at 2040.
    for (int i = 0; i < 10; ++i)
        d.append(2040 + 10 * i, i, -i, 2 * i);
    EXPECT_EQ(decimate(d, DatSeries::PV, 1975, 2045, 50),
              (std::vector<qint64>{97, 98, 99, kBreak, 100, 101}));
    // One instant: the record there and its neighbours.
    EXPECT_EQ(decimate(d, DatSeries::PV, 1200, 1200, 50), (std::vector<qint64>{19, 20, 21}));
    EXPECT_TRUE(decimate(DatSeries(), DatSeries::SV, 0, 10, 5).empty());
    EXPECT_TRUE(decimate(d, DatSeries::SV, 10, 0, 5).empty());
}

TEST(Holes, JudgedAsTheRecordsComeTheSameAsOnTheWholeFileSoFar) {
    // The rule on its own: a step back, or a spacing more than twice (plus a second) the usual
    // one, the usual one being the larger median of the (up to) nine spacings on either side;
    // steps back take no part in the medians.
    const auto holes = [](const std::vector<qint64>& s) {
        const auto median = [&](size_t from, size_t to, bool back) {
            std::vector<qint64> v;
            for (size_t k = from; k != to && v.size() < 9; back ? --k : ++k)
                if (k < s.size() && s[k] >= 0) v.push_back(s[k]);
            std::sort(v.begin(), v.end());
            return v.empty() ? qint64(-1) : v[v.size() / 2];
        };
        std::vector<qint64> out;
        for (size_t j = 1; j < s.size(); ++j) {
            const qint64 usual =
                std::max(median(j - 1, 0, true), median(j + 1, std::min(j + 10, s.size()), false));
            if (s[j] < 0 || (usual >= 0 && s[j] > 2 * std::max<qint64>(usual, 1) + 1))
                out.push_back(qint64(j));
        }
        return out;
    };
    std::mt19937 rng(33);
    const qint64 kinds[] = {1, 1, 1, 2, 3, 4, 60, 60, 61, 600, -5};
    for (int round = 0; round < 40; ++round) {
        DatSeries d;
        std::vector<qint64> spacing{0}; // s[j] leads to record j
        qint64 t = 1'700'000'000;
        qint64 kind = 1;
        for (int i = 0; i < 300; ++i) {
            if (rng() % 12 == 0) kind = kinds[rng() % std::size(kinds)]; // runs of a kind
            const qint64 s = i == 0 ? 0 : rng() % 4 ? kind : kinds[rng() % std::size(kinds)];
            if (i > 0) spacing.push_back(s);
            d.append(t += s, 0, 0, 0);
            ASSERT_EQ(d.gaps().all(), holes(spacing)) << "round " << round << " record " << i;
        }
    }
}
