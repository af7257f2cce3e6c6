#include "publish/Payload.h"

QByteArray Payload::jsonString(const QString& s) {
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

namespace {

QByteArray quoted(const QString& s) {
    return Payload::jsonString(s);
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

// Home Assistant's signs, not the display's single characters.
QString Payload::plainUnit(const QString& unit) {
    if (unit == QStringLiteral("℃")) return QStringLiteral("°C");
    if (unit == QStringLiteral("℉")) return QStringLiteral("°F");
    if (unit == QStringLiteral("㎷")) return QStringLiteral("mV");
    return unit;
}

// Keys a template can use: no spaces, no bare "-".
QString Payload::lampKey(const char* name) {
    const QString n = QLatin1String(name);
    return n == QLatin1String("-") ? QStringLiteral("MINUS") : QString(n).replace(' ', '_');
}

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
             ",\"decimals\":" + QByteArray::number(r.decimals) +
             ",\"unit\":" + quoted(plainUnit(r.unit)) + ",\"mvUnit\":\"%\"" + ",\"lamps\":{";
        for (size_t i = 0; i < kLampBits.size(); ++i)
            j += (i ? "," : "") + quoted(lampKey(kLampBits[i].name)) + ':' +
                 (r.lamps[i] ? "true" : "false");
        j += '}';
    }
    return j + '}';
}
