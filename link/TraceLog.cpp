#include "link/TraceLog.h"

#include "link/mdlKX5.h"

#include <QDateTime>

void TraceLog::add(const QByteArray& bytes, bool sent) {
    if (rows() >= m_maxRows) clear();
    // A serial port's readAll() leaves its 16 KB read chunk behind a few bytes: kept as they
    // come, the rows would hold megabytes.
    QByteArray kept = bytes;
    kept.squeeze();
    // The UTC clock: the local one consults the time-zone files on every call.
    m_rows.push_back({QDateTime::currentMSecsSinceEpoch(), sent, std::move(kept)});
    emit rowAdded(rows() - 1);
}

void TraceLog::clear() {
    if (m_rows.empty()) return;
    m_rows.clear();
    emit cleared();
}

QString TraceLog::label(int i) const {
    return row(i).sent ? QStringLiteral("Send") : QStringLiteral("Recv");
}

QString TraceLog::timeText(int i) const {
    return QDateTime::fromMSecsSinceEpoch(row(i).atMs)
        .toString(QStringLiteral("yyyy-MM-dd hh:mm:ss.zzz"));
}

QString TraceLog::cell(int i, int c) const {
    const QByteArray& b = row(i).bytes;
    const bool cut = b.size() > kCols;
    if (cut && c == kCols - 1) return QStringLiteral("(+%1 bytes)").arg(b.size() - (kCols - 1));
    if (c < 0 || c >= b.size()) return {};
    switch (b[c]) {
    case STX:
        return QStringLiteral("STX");
    case CR:
        return QStringLiteral("CR");
    case LF:
        return QStringLiteral("LF");
    default:
        return QString(QChar(static_cast<unsigned char>(b[c])));
    }
}
