// Controller replies as they arrive on the line, for the tests and the fuzz targets.
#pragma once

#include "link/mdlKX5.h"

#include <QByteArray>

inline QByteArray mc2(int mc) {
    return QByteArray::number(mc).rightJustified(2, '0');
}

// STX, body, checksum in SUM mode, CR LF.
inline QByteArray wrap(const QByteArray& body) {
    QByteArray f = QByteArray(1, STX) + body + (gSumLen > 0 ? ".." : "") + "\r\n";
    if (gSumLen > 0) PutFrameSum(f);
    return f;
}
