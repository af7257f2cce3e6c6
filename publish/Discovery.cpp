#include "publish/Discovery.h"

#include "files/Version.h"
#include "publish/Payload.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>

namespace {

// Node and object ids in a discovery topic take letters, digits, '_' and '-' only.
QString idText(const QString& s) {
    static const QRegularExpression other(QStringLiteral("[^A-Za-z0-9_-]"));
    return QString(s).replace(other, QStringLiteral("_"));
}

struct Entity {
    const char* component; // "sensor" or "binary_sensor"
    QString key;           // the object id after "mcNN_"
    QString name;
    int lamp; // index in kLampBits, or -1 for a figure
};

std::vector<Entity> entities() {
    std::vector<Entity> out = {{"sensor", QStringLiteral("pv"), QStringLiteral("PV"), -1},
                               {"sensor", QStringLiteral("sv"), QStringLiteral("SV"), -1},
                               {"sensor", QStringLiteral("mv"), QStringLiteral("MV"), -1}};
    for (size_t i = 0; i < kLampBits.size(); ++i) {
        const QString key = lampKey(kLampBits[i].name);
        out.push_back({"binary_sensor", key.toLower(), key, int(i)});
    }
    return out;
}

QString nodeId(const PublishOptions& o) {
    return idText(o.prefix + QLatin1Char('_') + o.line);
}

QString objectId(int mcNo, const Entity& e) {
    return QStringLiteral("mc%1_%2").arg(mcNo, 2, 10, QLatin1Char('0')).arg(e.key);
}

QByteArray topicOf(const PublishOptions& o, int mcNo, const Entity& e) {
    return (o.discoveryPrefix + QLatin1Char('/') + QLatin1String(e.component) + QLatin1Char('/') +
            nodeId(o) + QLatin1Char('/') + objectId(mcNo, e) + QStringLiteral("/config"))
        .toUtf8();
}

} // namespace

std::vector<QByteArray> Discovery::topics(const PublishOptions& o, int mcNo) {
    std::vector<QByteArray> out;
    for (const Entity& e : entities())
        out.push_back(topicOf(o, mcNo, e));
    return out;
}

std::vector<Discovery::Message> Discovery::configs(const PublishOptions& o, int mcNo,
                                                   const QString& name, const QString& model,
                                                   const Reading& r) {
    const QString station = o.baseTopic() + QLatin1Char('/') + QString::number(mcNo);
    const QString node = nodeId(o);
    // Alive while the program is (its last will says otherwise) and the station answers.
    QJsonArray availability;
    for (const QString& t :
         {o.baseTopic() + QStringLiteral("/status"), station + QStringLiteral("/availability")})
        availability.append(QJsonObject{{QStringLiteral("topic"), t},
                                        {QStringLiteral("payload_available"), "online"},
                                        {QStringLiteral("payload_not_available"), "offline"}});
    QJsonObject device{
        {QStringLiteral("identifiers"),
         QJsonArray{QStringLiteral("%1_mc%2").arg(node).arg(mcNo, 2, 10, QLatin1Char('0'))}},
        {QStringLiteral("name"),
         name.isEmpty() ? QStringLiteral("%1 MC %2").arg(o.line).arg(mcNo)
                        : QStringLiteral("%1 MC %2 %3").arg(o.line).arg(mcNo).arg(name)}};
    if (!model.isEmpty()) device.insert(QStringLiteral("model"), model);
    const QJsonObject origin{{QStringLiteral("name"), QStringLiteral("KX5 Link")},
                             {QStringLiteral("sw_version"), QLatin1String(kVersion)}};
    const QString unit = plainUnit(r.unit);
    const QString unitClass =
        unit == QStringLiteral("°C") || unit == QStringLiteral("°F") ? QStringLiteral("temperature")
        : unit == QLatin1String("V") || unit == QLatin1String("mV")  ? QStringLiteral("voltage")
                                                                     : QString();

    std::vector<Message> out;
    for (const Entity& e : entities()) {
        QJsonObject c{{QStringLiteral("name"), e.name},
                      {QStringLiteral("unique_id"), node + QLatin1Char('_') + objectId(mcNo, e)},
                      {QStringLiteral("availability"), availability},
                      {QStringLiteral("availability_mode"), QStringLiteral("all")},
                      {QStringLiteral("device"), device},
                      {QStringLiteral("origin"), origin},
                      {QStringLiteral("qos"), o.qos}};
        if (e.lamp < 0) {
            // The figure alone is the state; while the station does not answer it is empty,
            // which Home Assistant leaves aside.
            c.insert(QStringLiteral("state_topic"), station + QLatin1Char('/') + e.key);
            c.insert(QStringLiteral("state_class"), QStringLiteral("measurement"));
            const bool mv = e.key == QLatin1String("mv");
            if (mv) {
                c.insert(QStringLiteral("unit_of_measurement"), QStringLiteral("%"));
                c.insert(QStringLiteral("suggested_display_precision"), 1);
            } else {
                if (!unit.isEmpty()) c.insert(QStringLiteral("unit_of_measurement"), unit);
                if (!unitClass.isEmpty()) c.insert(QStringLiteral("device_class"), unitClass);
                c.insert(QStringLiteral("suggested_display_precision"), r.decimals);
            }
        } else {
            // From the station's JSON; empty (left aside) when it carries no lamps.
            c.insert(QStringLiteral("state_topic"), station);
            c.insert(QStringLiteral("value_template"),
                     QStringLiteral("{{ ('ON' if value_json.lamps.%1 else 'OFF') if "
                                    "value_json.lamps is defined else '' }}")
                         .arg(e.name));
            c.insert(QStringLiteral("payload_on"), QStringLiteral("ON"));
            c.insert(QStringLiteral("payload_off"), QStringLiteral("OFF"));
            // Alarms and input errors are trouble; the mode lamps are not.
            if (kLampBits[size_t(e.lamp)].logged)
                c.insert(QStringLiteral("device_class"), QStringLiteral("problem"));
        }
        out.push_back({topicOf(o, mcNo, e), QJsonDocument(c).toJson(QJsonDocument::Compact)});
    }
    return out;
}
