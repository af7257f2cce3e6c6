// A .DAT file held in memory: the time and the three raw values of each record in parallel
// arrays (10 bytes a record while the values fit 16 bits, not strings), with a min/max summary
// per block of records so a zoomed-out repaint never walks every record. The reader takes up
// complete lines from where it stopped, so a file that is still being written is read without
// disturbing its writer.
#pragma once

#include "graph/DatGaps.h"

#include <QString>
#include <QtGlobal>
#include <algorithm>
#include <functional>
#include <limits>
#include <utility>
#include <vector>

// Whole numbers kept narrow, as differences from a base, while every one fits, so a year of
// records at one a second stays near 300 MB; the first that does not fit widens the column.
template <typename Wide, typename Narrow> class PackedInts {
public:
    // The base is 0, or with baseOnFirst the first number stored (times sit far from 0).
    explicit PackedInts(bool baseOnFirst = false) : m_baseOnFirst(baseOnFirst) {}

    size_t size() const { return m_isWide ? m_wide.size() : m_narrow.size(); }
    bool empty() const { return size() == 0; }
    Wide operator[](size_t i) const {
        return m_isWide ? m_wide[i] : static_cast<Wide>(m_base + m_narrow[i]);
    }
    Wide back() const { return (*this)[size() - 1]; }
    size_t bytes() const {
        return m_narrow.capacity() * sizeof(Narrow) + m_wide.capacity() * sizeof(Wide);
    }
    void reserve(size_t n) { m_isWide ? m_wide.reserve(n) : m_narrow.reserve(n); }
    void push_back(Wide v) {
        if (!m_isWide) {
            if (m_narrow.empty() && m_baseOnFirst) m_base = v;
            const qint64 d = qint64(v) - qint64(m_base);
            if (d >= std::numeric_limits<Narrow>::min() &&
                d <= std::numeric_limits<Narrow>::max()) {
                m_narrow.push_back(static_cast<Narrow>(d));
                return;
            }
            widen();
        }
        m_wide.push_back(v);
    }

private:
    void widen() {
        m_wide.reserve(std::max(m_narrow.capacity(), m_narrow.size() + 1));
        for (Narrow n : m_narrow)
            m_wide.push_back(static_cast<Wide>(m_base + n));
        std::vector<Narrow>().swap(m_narrow);
        m_isWide = true;
    }

    std::vector<Narrow> m_narrow;
    std::vector<Wide> m_wide;
    Wide m_base = 0;
    bool m_baseOnFirst = false;
    bool m_isWide = false;
};

// Minimum and maximum of one series over one block, with where in the block they first occur.
struct DatBlock {
    qint32 lo = 0, hi = 0;
    quint16 loAt = 0, hiAt = 0;
};

class DatSeries {
public:
    enum Series { SV = 0, PV = 1, MV = 2 };
    static constexpr int kSeries = 3;
    static constexpr qint64 kBlock = 256;

    void clear();
    void reserve(qint64 records);
    void append(qint64 time, qint32 sv, qint32 pv, qint32 mv);

    qint64 size() const { return static_cast<qint64>(m_time.size()); }
    bool isEmpty() const { return m_time.empty(); }
    // Seconds since 1970-01-01 00:00:00 of the wall-clock date and time written in the file
    // (no time zone: the file has none).
    qint64 time(qint64 i) const { return m_time[static_cast<size_t>(i)]; }
    qint32 value(int series, qint64 i) const { return m_value[series][static_cast<size_t>(i)]; }
    // The first record at or after `from` whose time is not below t, or size(); and the first
    // after t. Both need sorted().
    qint64 lowerBound(double t, qint64 from = 0) const;
    qint64 upperBound(double t) const;
    // Earliest and latest time, sorted or not; the records must not be empty.
    std::pair<qint64, qint64> timeRange() const;
    const DatBlock& block(int series, qint64 b) const {
        return m_blocks[series][static_cast<size_t>(b)];
    }
    // Times never go back (the PC clock was not set back while logging).
    bool sorted() const { return m_sorted; }
    // The holes between records in file order, where nothing was logged.
    const DatGaps& gaps() const { return m_gaps; }
    // Bytes held by the arrays, reserve included.
    qint64 bytes() const;

private:
    PackedInts<qint64, qint32> m_time{true};
    PackedInts<qint32, qint16> m_value[kSeries];
    std::vector<DatBlock> m_blocks[kSeries];
    DatGaps m_gaps;
    bool m_sorted = true;
};

// One record line without its line end: "YYYY-MM-DD" TAB "HH:MM:SS" TAB SV TAB PV TAB MV.
// False for anything else (an impossible date, a value that does not fit 32 bits, extra fields).
bool parseDatRecord(const char* begin, const char* end, qint64* time, qint32 values[3]);

// Days since 1970-01-01 of a proleptic Gregorian date, and back.
qint64 daysFromCivil(int year, int month, int day);
void civilFromDays(qint64 days, int* year, int* month, int* day);
// "YYYY-MM-DD" and "HH:MM:SS" of a record time.
QString datDateText(qint64 time);
QString datTimeText(qint64 time);

class DatReader {
public:
    explicit DatReader(const QString& path) : m_path(path) {}

    // Reads the lines completed since the last call. The file is opened read-only and closed
    // again each time. A file that became shorter (replaced, cut) is read again from the
    // start, and so is one whose first bytes changed (another file put in its place). False
    // with error() set when the file cannot be read; what was read stays.
    // `progress`, if given, hears the bytes read so far of the file's size after each piece
    // read; returning false stops the read there (cancelled() tells), and the next call goes
    // on from where it stopped.
    bool update(const std::function<bool(qint64 done, qint64 total)>& progress = {});
    bool cancelled() const { return m_cancelled; }

    const QString& path() const { return m_path; }
    const DatSeries& data() const { return m_data; }
    // Lines that are not records, skipped.
    qint64 skipped() const { return m_skipped; }
    // Bytes of a last line without its line end yet: taken up once the writer ends it.
    qint64 pendingBytes() const { return m_pending; }
    // Where the next update starts reading.
    qint64 offset() const { return m_offset; }
    const QString& error() const { return m_error; }

    static constexpr qint64 kMaxLine = 1024;
    // The first bytes that tell one file from another put in its place (the first record).
    static constexpr qint64 kHeadBytes = 64;

private:
    void reset();

    QString m_path;
    DatSeries m_data;
    qint64 m_offset = 0;
    QByteArray m_head; // the file's first bytes as read from its start
    qint64 m_skipped = 0;
    qint64 m_pending = 0;
    bool m_inLongLine = false; // skipping a line longer than kMaxLine
    bool m_cancelled = false;
    QString m_error;
};
