#include "graph/DatFile.h"

#include "files/FileChecks.h"
#include "files/TextLines.h"

#include <QCoreApplication>
#include <QFile>
#include <algorithm>
#include <cstring>
#include <limits>

void DatSeries::clear() {
    *this = DatSeries();
}

void DatSeries::reserve(qint64 records) {
    const auto n = static_cast<size_t>(records);
    m_time.reserve(n);
    for (int s = 0; s < kSeries; ++s) {
        m_value[s].reserve(n);
        m_blocks[s].reserve(n / kBlock + 1);
    }
}

void DatSeries::append(qint64 time, qint32 sv, qint32 pv, qint32 mv) {
    const qint64 i = size();
    if (i > 0) {
        const qint64 spacing = time - m_time.back();
        if (spacing < 0) m_sorted = false;
        m_gaps.take(i, spacing);
    }
    const quint16 at = static_cast<quint16>(i % kBlock);
    m_time.push_back(time);
    const qint32 v[kSeries] = {sv, pv, mv};
    for (int s = 0; s < kSeries; ++s) {
        m_value[s].push_back(v[s]);
        if (at == 0) {
            m_blocks[s].push_back({v[s], v[s], 0, 0});
            continue;
        }
        DatBlock& b = m_blocks[s].back();
        if (v[s] < b.lo) {
            b.lo = v[s];
            b.loAt = at;
        }
        if (v[s] > b.hi) {
            b.hi = v[s];
            b.hiAt = at;
        }
    }
}

qint64 DatSeries::bytes() const {
    qint64 n = static_cast<qint64>(m_time.bytes());
    for (int s = 0; s < kSeries; ++s)
        n += static_cast<qint64>(m_value[s].bytes() + m_blocks[s].capacity() * sizeof(DatBlock));
    return n;
}

namespace {

// The first index in [lo, size) whose time does not pass `before`; times are sorted.
template <typename Before> qint64 firstNotBefore(const DatSeries& d, qint64 lo, Before before) {
    qint64 hi = d.size();
    while (lo < hi) {
        const qint64 mid = lo + (hi - lo) / 2;
        if (before(static_cast<double>(d.time(mid))))
            lo = mid + 1;
        else
            hi = mid;
    }
    return lo;
}

} // namespace

qint64 DatSeries::lowerBound(double t, qint64 from) const {
    return firstNotBefore(*this, from, [t](double x) { return x < t; });
}

qint64 DatSeries::upperBound(double t) const {
    return firstNotBefore(*this, 0, [t](double x) { return x <= t; });
}

std::pair<qint64, qint64> DatSeries::timeRange() const {
    if (m_sorted) return {time(0), time(size() - 1)};
    qint64 a = time(0), b = a;
    for (qint64 i = 1; i < size(); ++i) {
        a = std::min(a, time(i));
        b = std::max(b, time(i));
    }
    return {a, b};
}

// ---------------- dates ----------------

qint64 daysFromCivil(int year, int month, int day) {
    const qint64 y = year - (month <= 2 ? 1 : 0);
    const qint64 era = (y >= 0 ? y : y - 399) / 400;
    const qint64 yoe = y - era * 400;
    const qint64 doy = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    const qint64 doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

void civilFromDays(qint64 days, int* year, int* month, int* day) {
    days += 719468;
    const qint64 era = (days >= 0 ? days : days - 146096) / 146097;
    const qint64 doe = days - era * 146097;
    const qint64 yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const qint64 doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const qint64 mp = (5 * doy + 2) / 153;
    *day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    *month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    *year = static_cast<int>(yoe + era * 400 + (*month <= 2 ? 1 : 0));
}

namespace {

qint64 floorDiv(qint64 a, qint64 b) {
    return a / b - ((a % b != 0 && (a < 0) != (b < 0)) ? 1 : 0);
}

QString twoDigits(int v) {
    return QStringLiteral("%1").arg(v, 2, 10, QLatin1Char('0'));
}

bool isLeap(int y) {
    return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
}

int daysInMonth(int y, int m) {
    static const int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return m == 2 && isLeap(y) ? 29 : kDays[m - 1];
}

// n digits at p as a number, or -1.
int digits(const char* p, int n) {
    int v = 0;
    for (int k = 0; k < n; ++k) {
        if (p[k] < '0' || p[k] > '9') return -1;
        v = v * 10 + (p[k] - '0');
    }
    return v;
}

// A whole number up to the next tab or `end`; p is left after it.
bool wholeNumber(const char*& p, const char* end, qint32* out) {
    bool negative = false;
    if (p < end && *p == '-') {
        negative = true;
        ++p;
    }
    const char* first = p;
    qint64 v = 0;
    while (p < end && *p >= '0' && *p <= '9') {
        v = v * 10 + (*p - '0');
        if (v > qint64(1) << 31) return false;
        ++p;
    }
    if (p == first) return false;
    if (negative) v = -v;
    if (v > std::numeric_limits<qint32>::max() || v < std::numeric_limits<qint32>::min())
        return false;
    *out = static_cast<qint32>(v);
    return true;
}

} // namespace

QString datDateText(qint64 time) {
    int y = 0, m = 0, d = 0;
    civilFromDays(floorDiv(time, 86400), &y, &m, &d);
    return QStringLiteral("%1-%2-%3")
        .arg(y, 4, 10, QLatin1Char('0'))
        .arg(twoDigits(m), twoDigits(d));
}

QString datTimeText(qint64 time) {
    const qint64 s = time - floorDiv(time, 86400) * 86400;
    return QStringLiteral("%1:%2:%3")
        .arg(twoDigits(static_cast<int>(s / 3600)), twoDigits(static_cast<int>(s / 60 % 60)),
             twoDigits(static_cast<int>(s % 60)));
}

bool parseDatRecord(const char* begin, const char* end, qint64* time, qint32 values[3]) {
    // "YYYY-MM-DD\tHH:MM:SS\t" is 20 characters, then at least "0\t0\t0".
    if (end - begin < 25) return false;
    const char* p = begin;
    if (p[4] != '-' || p[7] != '-' || p[10] != '\t' || p[13] != ':' || p[16] != ':' ||
        p[19] != '\t')
        return false;
    const int y = digits(p, 4), mo = digits(p + 5, 2), d = digits(p + 8, 2);
    const int h = digits(p + 11, 2), mi = digits(p + 14, 2), s = digits(p + 17, 2);
    if (y < 0 || mo < 1 || mo > 12 || d < 1 || d > daysInMonth(y, mo) || h < 0 || h > 23 ||
        mi < 0 || mi > 59 || s < 0 || s > 59)
        return false;
    p += 20;
    for (int k = 0; k < 3; ++k) {
        if (!wholeNumber(p, end, &values[k])) return false;
        if (k < 2) {
            if (p == end || *p != '\t') return false;
            ++p;
        }
    }
    if (p != end) return false;
    *time = daysFromCivil(y, mo, d) * 86400 + h * 3600 + mi * 60 + s;
    return true;
}

// ---------------- reader ----------------

void DatReader::reset() {
    m_data.clear();
    m_head.clear();
    m_offset = 0;
    m_skipped = 0;
    m_pending = 0;
    m_inLongLine = false;
}

bool DatReader::update(const std::function<bool(qint64 done, qint64 total)>& progress) {
    m_cancelled = false;
    QFile f(m_path);
    // Never waits on a FIFO put in a followed file's place.
    if (QString why; !openRegularFile(&f, &why)) {
        m_error = QCoreApplication::translate("GraphWindow", "Cannot open %1: %2")
                      .arg(m_path, shownReason(why));
        return false;
    }
    const qint64 size = f.size();
    // Another file put in this one's place: shorter, or starting otherwise than what was read.
    const QByteArray head = f.read(kHeadBytes);
    if (size < m_offset + m_pending || (m_offset > 0 && !head.startsWith(m_head))) reset();
    if (m_offset == 0) m_head = head;
    // The shortest record is 26 bytes with its line end: never more records than that.
    if (m_data.isEmpty() && m_offset == 0) m_data.reserve(size / 26 + 1);
    if (!f.seek(m_offset)) {
        m_error = QCoreApplication::translate("GraphWindow", "Cannot read %1: %2")
                      .arg(m_path, f.errorString());
        return false;
    }
    // Pieces of at most 4 MiB, and no bigger than what the file gained (plus some, as it may
    // still grow): Follow reads a few lines a second without clearing megabytes for them.
    constexpr qint64 kMaxChunk = 4 << 20;
    const qint64 chunk = std::clamp<qint64>(size - m_offset - m_pending + 1, 64 << 10, kMaxChunk);
    std::vector<char> buf;
    buf.reserve(static_cast<size_t>(chunk + kMaxLine + 2));
    qint64 t = 0;
    qint32 v[3] = {};
    for (;;) {
        const size_t carry = buf.size();
        buf.resize(carry + static_cast<size_t>(chunk));
        const qint64 got = f.read(buf.data() + carry, chunk);
        if (got < 0) {
            m_error = QCoreApplication::translate("GraphWindow", "Cannot read %1: %2")
                          .arg(m_path, f.errorString());
            m_pending = static_cast<qint64>(carry);
            return false;
        }
        buf.resize(carry + static_cast<size_t>(got));
        if (got == 0) break;
        const char* start = buf.data();
        const char* const end = buf.data() + buf.size();
        while (const char* nl = static_cast<const char*>(
                   std::memchr(start, '\n', static_cast<size_t>(end - start)))) {
            const char* lineEnd = nl > start && nl[-1] == '\r' ? nl - 1 : nl;
            if (m_inLongLine) {
                m_inLongLine = false;
                ++m_skipped;
            } else if (parseDatRecord(start, lineEnd, &t, v)) {
                m_data.append(t, v[0], v[1], v[2]);
            } else {
                ++m_skipped;
            }
            start = nl + 1;
        }
        m_offset += start - buf.data();
        qint64 rest = end - start;
        if (rest > kMaxLine) {
            // A line this long is no record: pass over it up to its end.
            m_inLongLine = true;
            m_offset += rest;
            rest = 0;
        }
        std::memmove(buf.data(), start, static_cast<size_t>(rest));
        buf.resize(static_cast<size_t>(rest));
        if (progress && !progress(m_offset + rest, size)) {
            m_cancelled = true;
            m_error =
                QCoreApplication::translate("GraphWindow", "Reading %1 was cancelled").arg(m_path);
            m_pending = rest;
            return false;
        }
    }
    m_pending = static_cast<qint64>(buf.size());
    m_error.clear();
    return true;
}
