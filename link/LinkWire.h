// What the link's own files share about the wire: the fields and address of a reply, the
// lengths a request and its answer must have.
#pragma once

#include "link/KX5Link.h"
#include "link/mdlKX5.h"

#include <QByteArray>
#include <vector>

namespace LinkWire {
// A read reply carries value i at offsets 10 + 5(i-1) .. 13 + 5(i-1).
inline bool hasFields(const QByteArray& frame, int n) {
    return frame.size() >= 9 + 5 * n;
}

inline QByteArray field(const QByteArray& frame, int i) {
    return frame.mid(10 + 5 * (i - 1), 4);
}

// Value i of a read reply whose fields answers() has checked with valueField().
inline int fieldValue(const QByteArray& frame, int i) {
    return valueField(field(frame, i)).value_or(0);
}

// The address digits right after STX name the station that answered.
inline bool isFrom(const QByteArray& frame, int mcNo) {
    return frame.size() >= 3 && frame[0] == STX && frame[1] == '0' + mcNo / 10 % 10 &&
           frame[2] == '0' + mcNo % 10;
}

// The station a frame names, or 0 when its address is not two digits.
inline int addressOf(const QByteArray& frame) {
    if (frame.size() < 3 || frame[0] != STX) return 0;
    const char t = frame[1], u = frame[2];
    if (t < '0' || t > '9' || u < '0' || u > '9') return 0;
    return (t - '0') * 10 + (u - '0');
}

// The first n value fields of a read reply as numbers.
inline std::vector<int> fieldValues(const QByteArray& frame, int n) {
    std::vector<int> out(static_cast<size_t>(n), 0);
    for (int i = 1; i <= n; ++i)
        out[size_t(i - 1)] = fieldValue(frame, i);
    return out;
}

inline int count(const std::vector<int>& v) {
    return static_cast<int>(v.size());
}

// Lengths on the wire of the answers requests must get.
constexpr int modelReplyLen(int sumLen) {
    return 22 + sumLen; // ",OK," and a ten-character model
}
constexpr int readLen(int n, int sumLen) {
    return 11 + 5 * n + sumLen;
}
constexpr int ackLen(int sumLen) {
    return 11 + sumLen;
}
// A refusal is known by its fifth byte (STX, address, "NG"), an acknowledgement is longer:
// waiting for the whole acknowledgement would never see a refusal, which is shorter.
inline constexpr int kWriteThreshold = 5;

} // namespace LinkWire
