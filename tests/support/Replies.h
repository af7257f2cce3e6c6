// Controller replies as they arrive on the line, for the tests and the fuzz targets.
#pragma once

#include "link/mdlKX5.h"

#include <QByteArray>
#include <vector>

inline QByteArray mc2(int mc) {
    return QByteArray::number(mc).rightJustified(2, '0');
}

// STX, body, checksum in SUM mode, CR LF.
inline QByteArray wrap(const QByteArray& body) {
    QByteArray f = QByteArray(1, STX) + body + (gSumLen > 0 ? ".." : "") + "\r\n";
    if (gSumLen > 0) PutFrameSum(f);
    return f;
}

inline QByteArray whoReply(int mc) {
    return wrap(mc2(mc) + "WHO,OK,KX5-100033");
}

inline QByteArray drrReply(int mc, const std::vector<int>& vals) {
    QByteArray b = mc2(mc) + "DRR,OK";
    for (int v : vals)
        b += "," + HexPad(v, 4).toLatin1();
    return wrap(b);
}

inline QByteArray ackReply(int mc) {
    return wrap(mc2(mc) + "DWR,OK");
}

// What a station answers to a request frame: a KX5-105 model, zeros for a read, OK for a write.
inline QByteArray answerTo(const QByteArray& request) {
    const int mc = request.mid(1, 2).toInt();
    const QByteArray command = request.mid(3, 3);
    if (command == "WHO") return whoReply(mc);
    if (command == "DWR") return ackReply(mc);
    return drrReply(mc, std::vector<int>(static_cast<size_t>(request.mid(7, 2).toInt()), 0));
}
