#include "publish/Publisher.h"

#include "files/ConfigFiles.h"
#include "files/FileChecks.h"
#include "files/TextLines.h"
#include "link/KX5Link.h"
#include "publish/Discovery.h"
#include "publish/Payload.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <algorithm>

namespace {

// The config topics that should stay announced with these options.
QSet<QByteArray> wantedTopics(const PublishOptions& o, const std::vector<int>& stations) {
    QSet<QByteArray> out;
    if (!o.discovery) return out;
    for (const int mc : stations)
        for (const QByteArray& t : Discovery::topics(o, mc))
            out.insert(t);
    return out;
}

} // namespace

Publisher::Publisher(KX5Link* link, QObject* parent) : QObject(parent), m_link(link) {
    connect(&link->line(), &LineModel::stationChanged, this,
            [this](int mcNo, LineModel::Changes what) {
                if (what & LineModel::List) forgetLeft();
                if (what & LineModel::Values) onStored(mcNo);
                if (what & LineModel::Freshness) onStale(mcNo);
            });
    connect(link, &KX5Link::stationFailed, this, [this](int mcNo) { onStationFailed(mcNo); });
    connect(&m_every, &QTimer::timeout, this, &Publisher::publishAll);
    m_clock.start();
}

Publisher::~Publisher() {
    stop();
}

QByteArray Publisher::statusTopic() const {
    return (m_options.baseTopic() + QStringLiteral("/status")).toUtf8();
}

QByteArray Publisher::stationTopic(int mc) const {
    return (m_options.baseTopic() + QLatin1Char('/') + QString::number(mc)).toUtf8();
}

void Publisher::apply(const PublishOptions& options) {
    // What the new settings no longer announce goes while the connection is still there.
    if (m_client && m_up && options.enabled) removeUnwanted(options, true);
    stop();
    m_options = options;
    m_dropped = m_droppedSaid = 0;
    m_failureSaid.clear();
    m_said.clear();
    m_filter = ChangeFilter(options.deadBand, options.heartbeatSeconds * 1000);
    m_announcedAs.clear();
    m_stationsSeen.clear();
    m_announced.clear();
    QStringList announced;
    readLines(discoveryListPath(), &announced);
    for (const QString& t : announced)
        if (!t.isEmpty()) m_announced.insert(t.toUtf8());
    // A hand-edited file is said wrong where it is wrong, and publishes nothing until put right.
    for (const FileNotice& note : options.fileNotes)
        say(QT_TR_NOOP("Publishing settings: %1"), {note.logged}, {note.shown});
    QList<FileNotice> wrong = options.fileErrors;
    if (wrong.isEmpty())
        for (const PublishOptions::Problem& p : options.problems())
            wrong << p.text;
    for (const FileNotice& w : wrong)
        say(QT_TR_NOOP("Publishing is off: %1"), {w.logged}, {w.shown});
    if (options.enabled && wrong.isEmpty()) {
        m_client = std::make_unique<MqttClient>();
        m_client->setMaxInFlight(m_maxInFlight);
        connect(m_client.get(), &MqttClient::connected, this, &Publisher::onConnected);
        connect(m_client.get(), &MqttClient::failed, this, &Publisher::onFailed);
        connect(m_client.get(), &MqttClient::lost, this, &Publisher::onLost);
        connect(m_client.get(), &MqttClient::ready, this, &Publisher::flush);
        FileNotice error;
        if (!m_client->start(options, statusTopic(), Payload::online(false), &error)) {
            m_client.reset();
            say(QT_TR_NOOP("Publishing not started: %1"), {error.logged}, {error.shown});
        } else if (options.when == PublishOptions::When::EveryNSeconds) {
            m_every.start(options.everySeconds * 1000);
        }
    }
    emit statusChanged();
}

void Publisher::say(const char* source, const QStringList& args, const QStringList& shownArgs) {
    emit event(fileNotice("Publisher", source, args, shownArgs));
}

void Publisher::stop() {
    m_every.stop();
    if (m_client && m_up) {
        // Nobody polls from now on: no station is left looking alive. These go straight to
        // the library, ahead of the "offline" whose acknowledgement the stop waits for.
        const LineModel& line = m_link->line();
        for (const auto& [mc, said] : m_said) {
            const LineModel::Station* st = line.station(mc);
            if (said != Said::Answering || !st || !st->inUse) continue;
            StationValues v = st->values;
            v.fresh = false;
            const QByteArray topic = stationTopic(mc);
            m_client->publish(topic, Payload::stationJson(mc, modelText(st->model), st->conn, v),
                              m_options.qos, m_options.retain, false);
            for (const char* leaf : {"/pv", "/sv", "/mv"})
                m_client->publish(topic + leaf, {}, m_options.qos, m_options.retain, false);
            m_client->publish(topic + "/availability", Payload::online(false), 1, true, false);
        }
    }
    if (m_client) m_client->stop(statusTopic(), Payload::online(false));
    m_client.reset();
    m_queue.clear();
    if (m_up) {
        m_up = false;
        emit statusChanged();
    }
}

QString Publisher::statusText() const {
    if (!m_client) return {};
    if (m_up && !m_queue.empty())
        return m_dropped ? tr("MQTT: broker slow, %1 queued, %2 dropped")
                               .arg(m_queue.size())
                               .arg(m_dropped)
                         : tr("MQTT: broker slow, %1 queued").arg(m_queue.size());
    if (m_up)
        return m_dropped ? tr("MQTT: connected, %1 dropped").arg(m_dropped) : tr("MQTT: connected");
    return m_dropped
               ? tr("MQTT: broker away, %1 queued, %2 dropped").arg(m_queue.size()).arg(m_dropped)
               : tr("MQTT: broker away, %1 queued").arg(m_queue.size());
}

void Publisher::onStored(int mcNo) {
    if (m_options.when == PublishOptions::When::EveryReply) {
        publishStation(mcNo);
    } else if (m_options.when == PublishOptions::When::OnChange && m_client) {
        const LineModel::Station* st = m_link->line().station(mcNo);
        if (!st) return;
        const StationValues& v = st->values;
        if (m_filter.due(mcNo, decode(v), v.fresh && v.storedAt.isValid(), m_clock.elapsed()))
            publishStation(mcNo);
    }
}

void Publisher::onStale(int mcNo) {
    // Said once when it stops answering; its figures are not published again until it answers.
    const auto it = m_said.find(mcNo);
    if (it != m_said.end() && it->second == Said::NotAnswering) return;
    publishStation(mcNo);
}

void Publisher::onStationFailed(int mcNo) {
    // A station in use that never answered is said not to answer, as one that stopped.
    const auto it = m_said.find(mcNo);
    if (it == m_said.end() || it->second == Said::Nothing) publishStation(mcNo);
}

void Publisher::forgetLeft() {
    const LineModel& line = m_link->line();
    const auto kept = [&line](int mc) { return line.indexOf(mc) >= 0; };
    const auto left = [&kept](const auto& e) { return !kept(e.first); };
    // A station taken off the list is polled no more: its retained messages go, and it is
    // said offline, so that nothing at the broker still shows it alive.
    if (m_client)
        for (const auto& [mc, said] : m_said) {
            if (kept(mc) || said == Said::Nothing) continue;
            const QByteArray topic = stationTopic(mc);
            for (const char* leaf : {"", "/pv", "/sv", "/mv"})
                send(topic + leaf, {}, m_options.qos, m_options.retain);
            send(topic + "/availability", Payload::online(false), 1, true);
        }
    std::erase_if(m_said, left);
    std::erase_if(m_announcedAs, left);
    m_filter.keepOnly(kept);
}

void Publisher::publishAlarms(int mcNo, const QByteArray& json) {
    // Empty: a station no longer in use, whose retained alarms go.
    if (json.isEmpty())
        m_alarms.erase(mcNo);
    else
        m_alarms[mcNo] = json;
    if (m_client) send(stationTopic(mcNo) + "/alarms", json, m_options.qos, true);
}

std::vector<int> Publisher::stationsInUse() const {
    std::vector<int> out;
    for (const StationEntry& e : m_link->line().stations())
        out.push_back(e.mcNo);
    return out;
}

void Publisher::publishAll() {
    for (const int mc : stationsInUse())
        publishStation(mc);
}

void Publisher::publishStation(int mc) {
    const LineModel::Station* st = m_link->line().station(mc);
    if (!m_client || !st || !st->inUse) return;
    const StationValues* v = &st->values;
    const bool answering = m_link->line().answering(mc);
    const Said said = answering ? Said::Answering : Said::NotAnswering;
    Said& before = m_said[mc];
    const bool changed = before != said;
    before = said;

    const Reading r = answering ? decode(*v) : Reading{};
    m_filter.published(mc, r, answering, m_clock.elapsed());
    if (m_options.discovery && answering) announce(mc, r);

    const QByteArray topic = stationTopic(mc);
    send(topic, Payload::stationJson(mc, modelText(st->model), st->conn, *v), m_options.qos,
         m_options.retain);
    // The single figures: the current ones, or empty ones (which also clear a retained value)
    // while the station does not answer.
    const std::pair<const char*, QString> figures[] = {
        {"/pv", r.pvText()}, {"/sv", r.svText()}, {"/mv", r.mvText()}};
    for (const auto& [leaf, text] : figures)
        send(topic + leaf, answering ? text.toLatin1() : QByteArray(), m_options.qos,
             m_options.retain);
    if (changed) send(topic + "/availability", Payload::online(answering), 1, true);
}

void Publisher::announce(int mc, const Reading& r) {
    // A station list changed meanwhile: who left is removed.
    if (m_stationsSeen != stationsInUse()) {
        m_stationsSeen = stationsInUse();
        removeUnwanted(m_options, false);
    }
    const LineModel::Station* st = m_link->line().station(mc);
    if (!st) return;
    const QString model = modelText(st->model);
    const QString name = st->name;
    const QString as = QStringList{model, r.unit, QString::number(r.decimals), name}.join('\n');
    const auto [it, first] = m_announcedAs.try_emplace(mc, as);
    if (!first && it->second == as) return;
    it->second = as;
    bool added = false;
    for (const Discovery::Message& m : Discovery::configs(m_options, mc, name, model, r)) {
        send(m.topic, m.payload, 1, true);
        if (!m_announced.contains(m.topic)) {
            m_announced.insert(m.topic);
            added = true;
        }
    }
    if (added) saveAnnounced();
}

void Publisher::removeUnwanted(const PublishOptions& options, bool direct) {
    const QSet<QByteArray> wanted = wantedTopics(options, stationsInUse());
    int removed = 0;
    for (auto it = m_announced.begin(); it != m_announced.end();) {
        if (wanted.contains(*it)) {
            ++it;
            continue;
        }
        if (direct)
            m_client->publish(*it, {}, 1, true, false);
        else
            send(*it, {}, 1, true);
        it = m_announced.erase(it);
        ++removed;
    }
    if (!removed) return;
    saveAnnounced();
    say(QT_TR_NOOP("Publishing: %1 Home Assistant entities removed (stations no longer in use, "
                   "or discovery off)"),
        {QString::number(removed)});
}

void Publisher::saveAnnounced() {
    if (m_announced.isEmpty()) {
        QFile::remove(discoveryListPath());
        return;
    }
    QStringList lines;
    for (const QByteArray& t : m_announced)
        lines << QString::fromUtf8(t);
    lines.sort();
    QDir().mkpath(QFileInfo(discoveryListPath()).path());
    FileNotice error;
    if (!writeLinesAtomic(discoveryListPath(), lines, &error))
        say(QT_TR_NOOP("Publishing: %1"), {error.logged}, {error.shown});
}

void Publisher::flush() {
    while (m_up && !m_queue.empty()) {
        const Message& m = m_queue.front();
        // No: the connection is gone, or the library holds as many as it may.
        if (!m_client->publish(m.topic, m.payload, m.qos, m.retain)) break;
        m_queue.pop_front();
    }
    // All that waited is out: the broker takes messages again.
    if (m_up && m_queue.empty() && m_dropped > m_droppedSaid) {
        say(QT_TR_NOOP("Publishing: %1 messages were dropped while the broker was away or slow "
                       "(%2 in all)"),
            {QString::number(m_dropped - m_droppedSaid), QString::number(m_dropped)});
        m_droppedSaid = m_dropped;
        emit statusChanged();
    }
}

void Publisher::send(const QByteArray& topic, const QByteArray& payload, int qos, bool retain) {
    // Whatever waits goes first, so that the order is kept.
    flush();
    if (m_up && m_queue.empty() && m_client->publish(topic, payload, qos, retain)) return;
    if (int(m_queue.size()) >= m_max) {
        m_queue.pop_front();
        if (m_dropped++ == m_droppedSaid)
            say(QT_TR_NOOP("Publishing: the queue is full (%1 messages); the oldest are "
                           "dropped until the broker takes them again"),
                {QString::number(m_max)});
    }
    m_queue.push_back({topic, payload, qos, retain});
}

void Publisher::onLost(int count) {
    // Handed over, but gone with the connection before they were sent.
    m_dropped += quint64(count);
    emit statusChanged();
}

void Publisher::onConnected() {
    if (!m_client) return;
    m_up = true;
    m_failureSaid.clear();
    say(QT_TR_NOOP("Publishing: connected to %1:%2"),
        {m_options.host, QString::number(m_options.port)});
    m_client->publish(statusTopic(), Payload::online(true), 1, true, false);
    flush();
    // A broker may have lost what was announced: each station again at its next publication;
    // and what should no longer be announced goes.
    m_announcedAs.clear();
    m_stationsSeen = stationsInUse();
    removeUnwanted(m_options, false);
    for (const auto& [mc, json] : m_alarms)
        send(stationTopic(mc) + "/alarms", json, m_options.qos, true);
    // Each station's availability again, for a broker that lost its retained messages; after
    // what waited, so that it is the last word.
    for (const auto& [mc, said] : m_said)
        if (said != Said::Nothing)
            send(stationTopic(mc) + "/availability", Payload::online(said == Said::Answering), 1,
                 true);
    emit statusChanged();
}

void Publisher::onFailed(const QString& why, const QString& shown) {
    if (!m_client) return;
    m_up = false;
    // Retries fail the same way every time; the list hears each new cause once.
    if (why != m_failureSaid) {
        m_failureSaid = why;
        say(QT_TR_NOOP("Publishing: %1"), {why}, {shown});
    }
    emit statusChanged();
}
