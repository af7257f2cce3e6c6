// Controller replies as they arrive on the line, for the tests and the fuzz targets.
#pragma once

#include "link/mdlKX5.h"

#include <QByteArray>
#include <vector>

inline QByteArray mc2(int mc) {
    return QByteArray::number(mc).rightJustified(2, '0');
}

// STX, body, the checksum when sumLen is 2 (SUM), CR LF.
inline QByteArray wrap(const QByteArray& body, int sumLen = 0) {
    QByteArray f = QByteArray(1, STX) + body + (sumLen > 0 ? ".." : "") + "\r\n";
    if (sumLen > 0) PutFrameSum(f);
    return f;
}

inline QByteArray whoReply(int mc, int sumLen = 0) {
    return wrap(mc2(mc) + "WHO,OK,KX5-100033", sumLen);
}

inline QByteArray drrReply(int mc, const std::vector<int>& vals, int sumLen = 0) {
    QByteArray b = mc2(mc) + "DRR,OK";
    for (int v : vals)
        b += "," + HexPad(v, 4).toLatin1();
    return wrap(b, sumLen);
}

inline QByteArray ackReply(int mc, int sumLen = 0) {
    return wrap(mc2(mc) + "DWR,OK", sumLen);
}

// What a station answers to a request frame: a KX5-105 model, zeros for a read, OK for a write.
inline QByteArray answerTo(const QByteArray& request, int sumLen = 0) {
    const int mc = request.mid(1, 2).toInt();
    const QByteArray command = request.mid(3, 3);
    if (command == "WHO") return whoReply(mc, sumLen);
    if (command == "DWR") return ackReply(mc, sumLen);
    const auto n = static_cast<size_t>(request.mid(7, 2).toInt());
    return drrReply(mc, std::vector<int>(n, 0), sumLen);
}
