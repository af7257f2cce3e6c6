// Publishes every station's values as the link stores them: per station its JSON payload on
// <prefix>/<line>/<MC No>, the single figures on .../pv, .../sv and .../mv, and on
// .../availability "online" while it answers; its alarms (retained) on .../alarms;
// <prefix>/<line>/status says "online" (birth) and "offline" (said on a clean stop, and by the
// broker as our last will when we vanish). A station is alive only while both say "online"; a clean
// stop also marks every station not answering. Read-only: nothing is subscribed to, so nothing from
// the broker can reach a controller.
//
// On change, a station is published when its reading moved beyond the dead band or its lamps or
// state changed, and at least every heartbeat. With discovery on, each station in use is
// announced to Home Assistant (retained) once it has answered with its unit, again after each
// connect and when its unit changes; a station that left the list, and every station when
// discovery is turned off, is removed (an empty retained message). What is announced is kept
// in CFG/Discovery.LST, so that the removal also happens after a restart.
//
// While the broker is away or not taking messages, they wait in a bounded queue, oldest
// dropped first; what is handed to the client library is bounded too. The drops are counted,
// shown in the status text and said in the event list.
#pragma once

#include "files/FileChecks.h"
#include "files/PublishOptions.h"
#include "publish/ChangeFilter.h"
#include "publish/MqttClient.h"

#include <QElapsedTimer>
#include <QObject>
#include <QSet>
#include <QTimer>
#include <deque>
#include <map>
#include <memory>
#include <vector>

class KX5Link;

class Publisher : public QObject {
    Q_OBJECT
public:
    // About a minute of a full line's replies.
    static constexpr int kMaxQueued = 20000;

    explicit Publisher(KX5Link* link, QObject* parent = nullptr);
    ~Publisher() override;

    // Stops what runs and, when the options are enabled, publishes with them from now on.
    void apply(const PublishOptions& options);
    const PublishOptions& options() const { return m_options; } // as last applied
    // Says "offline", closes the connection and forgets the queue.
    void stop();

    bool active() const { return m_client != nullptr; }
    bool brokerUp() const { return m_up; }
    int queued() const { return int(m_queue.size()); }
    quint64 dropped() const { return m_dropped; }
    void setMaxQueued(int n) { m_max = std::max(1, n); }
    // Messages handed to the client library and not yet sent or acknowledged.
    int inFlight() const { return m_client ? m_client->inFlight() : 0; }
    void setMaxInFlight(int n) { m_maxInFlight = n; }
    // For the status bar: "" while publishing is off.
    QString statusText() const;
    QByteArray statusTopic() const;
    // Station mcNo's alarms as JSON, retained on <prefix>/<line>/<MC No>/alarms; kept, and
    // published again at each connect.
    void publishAlarms(int mcNo, const QByteArray& json);

signals:
    void statusChanged();
    // Something the event list should say: in English for the events file, in the user's
    // language for the list.
    void event(const FileNotice& said);

private:
    // An event from source (QT_TR_NOOP) and args, its shown text filled from shownArgs if given.
    void say(const char* source, const QStringList& args = {}, const QStringList& shownArgs = {});
    // Station mcNo now: its values when fresh, else that it is not answering.
    void publishStation(int mcNo);
    void onStored(int mcNo);
    void onStale(int mcNo);
    void onConnected();
    void onFailed(const QString& why, const QString& shown);
    void onLost(int count);
    void onStationFailed(int mcNo);
    void publishAll();
    void flush(); // the queue to the broker, while it is there
    void send(const QByteArray& topic, const QByteArray& payload, int qos, bool retain);
    QByteArray stationTopic(int mc) const;
    void announce(int mcNo, const Reading& r);
    // What is kept per station goes for those that left the list.
    void forgetLeft();
    // Removes what is announced and no longer wanted with `options`; direct: straight to the
    // library (the connection is about to go), else through the queue.
    void removeUnwanted(const PublishOptions& options, bool direct);
    void saveAnnounced();

    struct Message {
        QByteArray topic, payload;
        int qos;
        bool retain;
    };
    KX5Link* m_link;
    PublishOptions m_options;
    std::unique_ptr<MqttClient> m_client;
    QTimer m_every; // the "every N seconds" schedule
    std::deque<Message> m_queue;
    int m_max = kMaxQueued;
    int m_maxInFlight = MqttClient::kMaxInFlight;
    quint64 m_dropped = 0;     // since publishing started
    quint64 m_droppedSaid = 0; // as far as the event list has been told
    bool m_up = false;
    QString m_failureSaid; // the last failure said in the event list; "" once connected
    // By MC No: what was last published, so that "not answering" is said once.
    enum class Said : char { Nothing, Answering, NotAnswering };
    std::map<int, Said> m_said;
    ChangeFilter m_filter{0, 0};
    QElapsedTimer m_clock; // for the heartbeat
    // Discovery: per MC No what its announcement was made of (none: not announced on this
    // connection); the config topics the broker holds from us; the stations in use when that
    // was last compared.
    std::map<int, QString> m_announcedAs;
    QSet<QByteArray> m_announced;
    std::vector<int> m_stationsSeen;
    std::map<int, QByteArray> m_alarms; // by MC No, the last alarms payload
    std::vector<int> stationsInUse() const;
};
