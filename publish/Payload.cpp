#include "publish/Payload.h"

namespace {

QByteArray quoted(const QString& s) {
    QByteArray out = "\"";
    for (const QChar c : s) {
        if (c == QLatin1Char('"') || c == QLatin1Char('\\')) {
            out += '\\';
            out += char(c.unicode());
        } else if (c.unicode() < 0x20) {
            out += QStringLiteral("\\u%1").arg(c.unicode(), 4, 16, QLatin1Char('0')).toLatin1();
        } else {
            out += QString(c).toUtf8();
        }
    }
    return out + '"';
}

QByteArray connText(ConnState c) {
    switch (c) {
    case ConnState::OK:
        return "\"OK\"";
    case ConnState::NG:
        return "\"NG\"";
    case ConnState::Unknown:
        break;
    }
    return "null";
}

} // namespace

QByteArray Payload::stationJson(int mcNo, const QString& model, ConnState conn,
                                const StationValues& v) {
    QByteArray j = "{\"mc\":" + QByteArray::number(mcNo) + ",\"model\":" + quoted(model) +
                   ",\"conn\":" + connText(conn) +
                   ",\"answering\":" + (v.fresh ? "true" : "false") + ",\"storedAt\":" +
                   (v.storedAt.isValid() ? quoted(v.storedAt.toUTC().toString(Qt::ISODateWithMs))
                                         : QByteArray("null"));
    if (v.fresh && v.storedAt.isValid()) {
        const Reading r = decode(v);
        j += ",\"pv\":" + r.pvText().toLatin1() + ",\"sv\":" + r.svText().toLatin1() +
             ",\"mv\":" + r.mvText().toLatin1() +
             ",\"decimals\":" + QByteArray::number(r.decimals) + ",\"unit\":" + quoted(r.unit) +
             ",\"lamps\":{";
        for (size_t i = 0; i < kLampBits.size(); ++i)
            j += (i ? "," : "") + quoted(QLatin1String(kLampBits[i].name)) + ':' +
                 (r.lamps[i] ? "true" : "false");
        j += '}';
    }
    return j + '}';
}
