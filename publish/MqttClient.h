// One connection to an MQTT broker through libmosquitto. Its network loop runs on a thread of
// its own, and nothing on it blocks for long: the TCP connect and the TLS handshake are
// non-blocking and bounded by kConnectTimeoutS, so a host that drops connection requests is
// given up and tried again. Only the name lookup blocks, on that thread; stop() waits for it at
// most a moment and then leaves the thread to end by itself. publish() only hands a message to
// the library, and what the network thread learns comes back as queued signals.
// It keeps trying to connect, waiting longer after each failure (1 s doubling up to 30 s).
#pragma once

#include "files/FileChecks.h"
#include "files/PublishOptions.h"

#include <QByteArray>
#include <QObject>
#include <QString>
#include <memory>

class MqttClient : public QObject {
    Q_OBJECT
public:
    static constexpr int kKeepAliveS = 30;
    // From the start of an attempt to the broker's answer: TCP, TLS and the MQTT CONNACK.
    static constexpr int kConnectTimeoutS = 10;
    static constexpr int kFirstRetryMs = 1000;
    static constexpr int kLastRetryMs = 30000;
    // Messages handed to the library and not yet written (QoS 0) or acknowledged (QoS 1).
    static constexpr int kMaxInFlight = 1000;
    // A connection the broker closes this soon after accepting it, twice running, is taken
    // over by another client with our id.
    static constexpr int kShortLivedMs = 5000;

    explicit MqttClient(QObject* parent = nullptr);
    ~MqttClient() override; // stop() without a last message

    // Sets the connection up and starts connecting; false (with *error, in English and in the
    // user's language) when the options cannot be used at all (a certificate file that cannot
    // be read, ...).
    // willTopic/willPayload: what the broker publishes, retained, if we vanish.
    bool start(const PublishOptions& options, const QByteArray& willTopic,
               const QByteArray& willPayload, FileNotice* error);
    // Publishes lastTopic/lastPayload (retained, QoS 1) if connected, waits at most timeoutMs
    // for it to be acknowledged (so everything handed over before it has left), disconnects
    // and ends the network thread. Returns within about timeoutMs whatever the broker does.
    void stop(const QByteArray& lastTopic = {}, const QByteArray& lastPayload = {},
              int timeoutMs = 2000);
    bool running() const { return m_session != nullptr; }

    // Hands the message to the library; false when there is no connection to send it on, or
    // (bounded) when maxInFlight() messages are still on their way: ready() says when to
    // go on.
    bool publish(const QByteArray& topic, const QByteArray& payload, int qos, bool retain,
                 bool bounded = true);
    int inFlight() const;
    int maxInFlight() const { return m_maxInFlight; }
    void setMaxInFlight(int n) { m_maxInFlight = n < 1 ? 1 : n; }

    // Connects once with these options and says how it went, in words for the user (in their
    // language); waits at most timeoutMs with the event loop running.
    static QString test(const PublishOptions& options,
                        int timeoutMs = (kConnectTimeoutS + 2) * 1000);

    struct Session; // what the network thread shares with this object; outlives it if need be

signals:
    void connected();
    // A connection attempt failed or the connection was lost; it is tried again. why is
    // English, as the events file keeps it; shown is the same in the user's language.
    void failed(const QString& why, const QString& shown);
    // Messages handed over that went with a lost connection and were never sent.
    void lost(int count);
    // After publish() said no for the bound, half of what was on its way has left.
    void ready();

private:
    std::shared_ptr<Session> m_session;
    int m_maxInFlight = kMaxInFlight;
};
