// Where a .DAT file has no records: the holes between neighbouring records that are well
// beyond the usual interval there (the program was closed, the port was shut, logging was
// stopped), and every step back in time (the clock was set back). The usual interval is judged
// on each side of a hole from the spacings next to it, so a file logged every second and then
// every minute is not cut at every record of the minute part, while a ten-second hole in a
// one-second stretch is. Records are taken up in file order, one spacing at a time, in
// constant time; the last few holes may be judged again as the records after them come in.
#pragma once

#include <QtGlobal>
#include <array>
#include <limits>
#include <vector>

class DatGaps {
public:
    // Spacings on each side of a hole that tell the usual interval there (their median).
    static constexpr int kWindow = 9;
    static constexpr qint64 kNone = std::numeric_limits<qint64>::max();

    // More than twice the usual interval, and a second more for times written in whole seconds
    // (records a second apart are now and then written two seconds apart): at least one
    // record is missing there.
    static qint64 threshold(qint64 usual) { return 2 * std::max<qint64>(usual, 1) + 1; }

    // Record j (from 1) came `spacing` seconds after record j - 1.
    void take(qint64 j, qint64 spacing);

    // Records j - 1 and j have a hole between them.
    bool before(qint64 j) const;
    // The first j >= from with a hole before it, or kNone.
    qint64 next(qint64 from) const;
    // Every j with a hole before it, ascending.
    const std::vector<qint64>& all() const { return m_gaps; }
    // The median spacing of the whole file, in seconds (0 before two records).
    qint64 usual() const;

private:
    struct Candidate {
        qint64 at;          // the record after the hole
        qint64 spacing;     // the hole, negative for a step back
        qint64 beforeUsual; // median before it, or -1
        qint64 pushedAt;    // spacings taken up to and including it
    };
    static bool isGap(const Candidate& c, qint64 afterUsual);
    // The median of the last `last` spacings taken (at most kWindow), or -1.
    qint64 recentMedian(int last) const;
    qint64 ringMedian();
    void push(qint64 spacing);

    std::array<qint64, kWindow> m_ring{}; // the latest spacings that are not steps back
    int m_slot = 0;                       // where the next goes
    qint64 m_pushed = 0;
    qint64 m_ringMedian = -1;         // of the whole ring, -1 until asked for again
    std::vector<Candidate> m_pending; // holes whose after side is not complete yet
    std::vector<qint64> m_gaps;       // judged holes, then the pending ones judged so far
    size_t m_judged = 0;              // how many of m_gaps are final
    static constexpr qint64 kHistogram = 3600;
    std::array<qint64, kHistogram + 1> m_histogram{}; // spacings of 0 .. 3600 s and longer
    qint64 m_spacings = 0;
};
