// What is published for a station: one JSON object per station for dashboards, and the single
// figures as plain text for simple subscribers. Figures carry the station's own decimals, as
// the main window shows them.
#pragma once

#include "link/JsonText.h"
#include "link/Reading.h"

#include <QByteArray>
#include <QString>

namespace Payload {

// {"mc":1,"model":"KX5-100033","conn":"OK","answering":true,"storedAt":"...Z","pv":25.3,...,
//  "unit":"°C","mvUnit":"%","lamps":{"AL1":false,...,"MINUS":false,...,"PV_BOUT":false,...}}
// A station whose values are not fresh gets no figures at all: "answering":false and the time
// its last values were stored, so nothing old is ever read as current.
QByteArray stationJson(int mcNo, const QString& model, ConnState conn, const StationValues& v);

inline QByteArray online(bool on) {
    return on ? QByteArrayLiteral("online") : QByteArrayLiteral("offline");
}

} // namespace Payload
