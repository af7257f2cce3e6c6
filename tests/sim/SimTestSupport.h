// Helpers shared by the simulator tests: an independent checksum and frame envelope, so that
// the expected bytes do not come from the code under test.
#pragma once

#include <QByteArray>
#include <cstdio>
#include <string>
#include <string_view>

namespace simtest {

inline const std::string kStx(1, '\x02');

inline std::string bytes(const QByteArray& a) {
    return a.toStdString();
}

// Two upper-case hex digits of the byte sum modulo 256.
inline std::string sumOf(std::string_view body) {
    unsigned s = 0;
    for (unsigned char c : body)
        s += c;
    char out[3];
    std::snprintf(out, sizeof out, "%02X", s % 256);
    return out;
}

// STX body [sum] CR LF.
inline std::string frame(std::string_view body, bool withSum) {
    return "\x02" + std::string(body) + (withSum ? sumOf(body) : "") + "\r\n";
}

// True when a SUM-mode frame carries the checksum of the bytes between STX and the checksum.
inline bool sumMatches(const std::string& f) {
    if (f.size() < 5 || f.front() != '\x02') return false;
    const std::string_view body(f.data() + 1, f.size() - 5);
    return f.compare(f.size() - 4, 2, sumOf(body)) == 0;
}

} // namespace simtest
