// How each station on the line is doing: counted by the link as it polls, shown by the
// statistics window. Cheap enough to count on every exchange.
#pragma once

#include <QDateTime>
#include <map>

struct StationStats {
    qint64 requests = 0;
    qint64 good = 0;      // accepted replies
    qint64 timeouts = 0;  // reply waits that ran out
    qint64 refusals = 0;  // "NG"
    qint64 badSums = 0;   // wrong checksum
    qint64 noOk = 0;      // well formed, but without "OK"
    qint64 unmatched = 0; // frames that answer no outstanding request (late, other station,
                          // other command or length): never stored
    QDateTime lastGood;
    double totalMs = 0; // response times of the accepted replies, from the last send
    double worstMs = 0;
    double meanMs() const { return good > 0 ? totalMs / double(good) : 0; }
};

// Keyed by MC No.
using LineStats = std::map<int, StationStats>;
