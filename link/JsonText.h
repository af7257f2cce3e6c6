// The line's facts as machine-readable text: JSON strings, units in plain signs and lamp keys,
// for whatever publishes them (the station payload, the alarm book's list, discovery).
#pragma once

#include <QByteArray>
#include <QString>

// A JSON string: s quoted, with its quotes, backslashes and control characters escaped.
QByteArray jsonString(const QString& s);

// The unit in the plain signs dashboards expect: "°C", "°F", "mV" for the display's single
// characters; "V" and "" as they are.
QString plainUnit(const QString& unit);
// A lamp's key in JSON: "PV BOUT" as PV_BOUT, the minus lamp as MINUS.
QString lampKey(const char* name);
