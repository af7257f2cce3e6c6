#include "publish/Payload.h"

namespace {

QByteArray quoted(const QString& s) {
    return jsonString(s);
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
             ",\"decimals\":" + QByteArray::number(r.decimals) +
             ",\"unit\":" + quoted(plainUnit(r.unit)) + ",\"mvUnit\":\"%\"" + ",\"lamps\":{";
        for (size_t i = 0; i < kLampBits.size(); ++i)
            j += (i ? "," : "") + quoted(lampKey(kLampBits[i].name)) + ':' +
                 (r.lamps[i] ? "true" : "false");
        j += '}';
    }
    return j + '}';
}
