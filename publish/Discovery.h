// Home Assistant MQTT discovery: what announces a station to Home Assistant so that its PV,
// SV and MV (sensors with their unit) and its lamps (binary sensors) appear without hand-written
// configuration. One device per station; every entity is available only while the program's
// status and the station's availability both say "online". The ids are made of the topic
// prefix, the line name and the MC No, so they stay the same across restarts.
#pragma once

#include "files/PublishOptions.h"
#include "link/Reading.h"

#include <QByteArray>
#include <QString>
#include <vector>

namespace Discovery {

struct Message {
    QByteArray topic, payload;
};

// The config topics of station mcNo, whatever it reads: what is removed when it leaves.
std::vector<QByteArray> topics(const PublishOptions& o, int mcNo);
// Its config messages, with the unit and decimals of reading r. name: the station's
// description in the station list; model: its model as it answered.
std::vector<Message> configs(const PublishOptions& o, int mcNo, const QString& name,
                             const QString& model, const Reading& r);

} // namespace Discovery
