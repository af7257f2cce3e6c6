// A real Mosquitto broker for tests and benchmarks: its own config file in a folder of the
// caller's, a free port on the loopback address, started, killed and restarted on demand;
// and a subscriber on the same client library that keeps every message it receives.
#pragma once

#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTcpServer>
#include <QTest>
#include <csignal>
#include <map>
#include <mosquitto.h>
#include <mutex>
#include <string>
#include <vector>

class MqttBroker {
public:
    // dir: where the config file goes; extra: more config lines (listeners, passwords, TLS).
    explicit MqttBroker(QString dir, QStringList extra = {})
        : m_dir(std::move(dir)), m_extra(std::move(extra)) {
        port = freePort();
    }
    ~MqttBroker() { kill(); }

    static QString binary() {
        const QString found = QStandardPaths::findExecutable(QStringLiteral("mosquitto"));
        if (!found.isEmpty()) return found;
        return QStandardPaths::findExecutable(
            QStringLiteral("mosquitto"),
            {QStringLiteral("/usr/sbin"), QStringLiteral("/usr/local/sbin")});
    }
    static int freePort() {
        QTcpServer s;
        return s.listen(QHostAddress::LocalHost) ? s.serverPort() : 0;
    }

    // Starts it and waits until it says it runs; *error gets its output otherwise.
    bool start(QString* error = nullptr) {
        QFile conf(m_dir + QStringLiteral("/mosquitto.conf"));
        QStringList lines = {QStringLiteral("persistence false"), QStringLiteral("log_dest stderr"),
                             QStringLiteral("log_type error"),
                             QStringLiteral("log_type information"),
                             // Run as root, it would switch to a user that cannot read the
                             // test's folder; as anyone else this line does nothing.
                             QStringLiteral("user root")};
        if (m_extra.isEmpty())
            lines << QStringLiteral("listener %1 127.0.0.1").arg(port)
                  << QStringLiteral("allow_anonymous true");
        lines += m_extra;
        if (!conf.open(QIODevice::WriteOnly) || conf.write(lines.join('\n').toUtf8() + '\n') < 0)
            return false;
        conf.close();
        m_proc.setProcessChannelMode(QProcess::MergedChannels);
        m_proc.start(binary(), {QStringLiteral("-c"), conf.fileName()});
        m_log.clear();
        const bool up = QTest::qWaitFor(
            [&] {
                m_log += m_proc.readAll();
                return m_log.contains(" running") || m_proc.state() == QProcess::NotRunning;
            },
            15000);
        if (up && m_proc.state() == QProcess::Running) return true;
        if (error) *error = QString::fromUtf8(m_log);
        kill();
        return false;
    }
    // A broker that stalls: SIGSTOP, and SIGCONT to go on. Its connections stay open.
    void pause(bool stalled) {
        if (m_proc.state() == QProcess::Running)
            ::kill(pid_t(m_proc.processId()), stalled ? SIGSTOP : SIGCONT);
    }
    void kill() {
        if (m_proc.state() == QProcess::NotRunning) return;
        m_proc.kill();
        m_proc.waitForFinished(5000);
    }

    int port = 0;

private:
    QString m_dir;
    QStringList m_extra;
    QProcess m_proc;
    QByteArray m_log;
};

// Subscribes to a topic filter and keeps what arrives, on libmosquitto's own thread; it
// subscribes again after each reconnect.
class MqttSubscriber {
public:
    struct Message {
        std::string topic;
        QByteArray payload;
        bool retained;
    };
    MqttSubscriber(int port, std::string filter) : m_filter(std::move(filter)) {
        mosquitto_lib_init();
        m_mosq = mosquitto_new(nullptr, true, this);
        mosquitto_int_option(m_mosq, MOSQ_OPT_TCP_NODELAY, 1);
        mosquitto_connect_callback_set(m_mosq, [](mosquitto* m, void* obj, int rc) {
            if (rc == 0)
                mosquitto_subscribe(m, nullptr, static_cast<MqttSubscriber*>(obj)->m_filter.c_str(),
                                    1);
        });
        mosquitto_subscribe_callback_set(m_mosq, [](mosquitto*, void* obj, int, int, const int*) {
            auto* self = static_cast<MqttSubscriber*>(obj);
            std::lock_guard lock(self->m_mutex);
            ++self->m_subscribed;
        });
        mosquitto_message_callback_set(m_mosq, [](mosquitto*, void* obj,
                                                  const mosquitto_message* m) {
            auto* self = static_cast<MqttSubscriber*>(obj);
            Message msg{m->topic, QByteArray(static_cast<const char*>(m->payload), m->payloadlen),
                        m->retain};
            if (self->onMessage) self->onMessage(msg);
            std::lock_guard lock(self->m_mutex);
            self->m_messages.push_back(std::move(msg));
        });
        mosquitto_reconnect_delay_set(m_mosq, 1, 2, false);
        mosquitto_connect_async(m_mosq, "127.0.0.1", port, 30);
        mosquitto_loop_start(m_mosq);
    }
    ~MqttSubscriber() {
        mosquitto_disconnect(m_mosq);
        mosquitto_loop_stop(m_mosq, false);
        mosquitto_destroy(m_mosq);
    }
    bool waitSubscribed(int times = 1, int ms = 15000) {
        return QTest::qWaitFor(
            [&] {
                std::lock_guard lock(m_mutex);
                return m_subscribed >= times;
            },
            ms);
    }
    std::vector<Message> messages() const {
        std::lock_guard lock(m_mutex);
        return m_messages;
    }
    // The payloads that arrived on one topic, in order.
    std::vector<QByteArray> on(const std::string& topic) const {
        std::vector<QByteArray> out;
        for (const Message& m : messages())
            if (m.topic == topic) out.push_back(m.payload);
        return out;
    }
    // The last payload on a topic; `none` when nothing came.
    QByteArray last(const std::string& topic, const QByteArray& none = "(nothing)") const {
        const auto all = on(topic);
        return all.empty() ? none : all.back();
    }
    // Publishes on this client's own connection, so after everything it was sent before.
    bool publish(const std::string& topic, const QByteArray& payload, int qos) {
        return mosquitto_publish(m_mosq, nullptr, topic.c_str(), int(payload.size()),
                                 payload.constData(), qos, false) == MOSQ_ERR_SUCCESS;
    }
    void clear() {
        std::lock_guard lock(m_mutex);
        m_messages.clear();
    }
    // Called on the network thread for each message (set before messages flow).
    std::function<void(const Message&)> onMessage;

private:
    mosquitto* m_mosq;
    std::string m_filter;
    mutable std::mutex m_mutex;
    std::vector<Message> m_messages;
    int m_subscribed = 0;
};
