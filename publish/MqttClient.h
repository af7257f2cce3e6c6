// One connection to an MQTT broker through libmosquitto. Its network loop runs on a thread of
// its own, so neither the poll nor the windows ever wait on the broker: publish() only hands a
// message to the library, and what the network thread learns comes back as queued signals.
// It keeps trying to connect, waiting longer after each failure (1 s doubling up to 30 s).
#pragma once

#include "publish/PublishOptions.h"

#include <QByteArray>
#include <QObject>
#include <QString>
#include <atomic>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <thread>

struct mosquitto;

class MqttClient : public QObject {
    Q_OBJECT
public:
    static constexpr int kKeepAliveS = 30;
    static constexpr int kFirstRetryMs = 1000;
    static constexpr int kLastRetryMs = 30000;

    explicit MqttClient(QObject* parent = nullptr);
    ~MqttClient() override; // stop() without a last message

    // Sets the connection up and starts connecting; false (with *error) when the options
    // cannot be used at all (a certificate file that cannot be read, ...).
    // willTopic/willPayload: what the broker publishes, retained, if we vanish.
    bool start(const PublishOptions& options, const QByteArray& willTopic,
               const QByteArray& willPayload, QString* error);
    // Publishes lastTopic/lastPayload (retained) if connected, waits at most timeoutMs for it
    // to leave, disconnects and ends the network thread.
    void stop(const QByteArray& lastTopic = {}, const QByteArray& lastPayload = {},
              int timeoutMs = 2000);
    bool running() const { return m_thread.joinable(); }

    // Hands the message to the library; false when there is no connection to send it on.
    bool publish(const QByteArray& topic, const QByteArray& payload, int qos, bool retain);

    // Connects once with these options and says how it went, in words for the user (in their
    // language); waits at most timeoutMs with the event loop running.
    static QString test(const PublishOptions& options, int timeoutMs = 10000);

signals:
    void connected();
    // A connection attempt failed or the connection was lost; it is tried again. why is
    // English, as the event list keeps it, except within test().
    void failed(const QString& why);

private:
    void run();
    void report(const QString& why);
    bool waitRetry(int ms);
    QString lastTlsError();
    // A reason in English, as the event list and its file keep it, or translated for test().
    QString say(const char* source) const;

    mosquitto* m_mosq = nullptr;
    QString m_host;
    int m_port = 0;
    std::thread m_thread;
    std::atomic<bool> m_stop{false};
    std::atomic<bool> m_up{false};      // CONNACK accepted and not lost since
    std::atomic<bool> m_refused{false}; // the broker said no; the loss that follows is not news
    std::atomic<int> m_lastMid{-1};
    std::atomic<bool> m_lastSent{false};
    int m_stopTimeoutMs = 2000;
    std::mutex m_mutex; // guards m_tlsLog and the retry wait
    std::condition_variable m_wake;
    QString m_tlsLog; // the library's last TLS complaint, network thread and start()
    QByteArray m_lastTopic, m_lastPayload;
    bool m_translated = false; // reasons in the user's language (test()), else English
};
