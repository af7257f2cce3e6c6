#include "publish/MqttClient.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QTimer>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <mosquitto.h>

namespace {

void initLibrary() {
    static std::once_flag once;
    std::call_once(once, [] { mosquitto_lib_init(); });
}

QString where(const QString& host, int port) {
    return QStringLiteral("%1:%2").arg(host).arg(port);
}

} // namespace

MqttClient::MqttClient(QObject* parent) : QObject(parent) {}

QString MqttClient::say(const char* source) const {
    return m_translated ? QCoreApplication::translate("MqttClient", source)
                        : QString::fromUtf8(source);
}

MqttClient::~MqttClient() {
    stop();
}

bool MqttClient::start(const PublishOptions& o, const QByteArray& willTopic,
                       const QByteArray& willPayload, QString* error) {
    stop();
    auto fail = [&](const QString& why) {
        if (error) *error = why;
        if (m_mosq) mosquitto_destroy(m_mosq);
        m_mosq = nullptr;
        return false;
    };
    if (const QString p = o.problem(m_translated); !p.isEmpty()) return fail(p);
    initLibrary();
    m_host = o.host.trimmed();
    m_port = o.port;
    m_mosq = mosquitto_new(o.effectiveClientId().toUtf8().constData(), true, this);
    if (!m_mosq)
        return fail(
            say(QT_TRANSLATE_NOOP("MqttClient", "The MQTT library could not set up a client.")));
    mosquitto_threaded_set(m_mosq, true);
    // A reply's values should reach the broker now, not when Nagle's timer says so.
    mosquitto_int_option(m_mosq, MOSQ_OPT_TCP_NODELAY, 1);
    if (!o.user.isEmpty() &&
        mosquitto_username_pw_set(m_mosq, o.user.toUtf8().constData(),
                                  o.password.toUtf8().constData()) != MOSQ_ERR_SUCCESS)
        return fail(
            say(QT_TRANSLATE_NOOP("MqttClient", "The user name or password cannot be used.")));
    if (!willTopic.isEmpty() &&
        mosquitto_will_set(m_mosq, willTopic.constData(), int(willPayload.size()),
                           willPayload.constData(), 1, true) != MOSQ_ERR_SUCCESS)
        return fail(say(QT_TRANSLATE_NOOP("MqttClient", "The last-will topic %1 cannot be used."))
                        .arg(QString::fromUtf8(willTopic)));
    if (o.tls) {
        for (const auto& [file, what] :
             {std::pair{o.caFile,
                        QT_TRANSLATE_NOOP("MqttClient", "TLS: the CA file %1 cannot be read.")},
              std::pair{o.certFile,
                        QT_TRANSLATE_NOOP("MqttClient",
                                          "TLS: the client certificate %1 cannot be read.")},
              std::pair{o.keyFile, QT_TRANSLATE_NOOP("MqttClient",
                                                     "TLS: the client key %1 cannot be read.")}}) {
            if (!file.isEmpty() && !QFileInfo(file).isReadable()) return fail(say(what).arg(file));
        }
        const QByteArray ca = QFile::encodeName(o.caFile), cert = QFile::encodeName(o.certFile),
                         key = QFile::encodeName(o.keyFile);
        int rc = MOSQ_ERR_SUCCESS;
        if (o.caFile.isEmpty()) {
            // No CA given: the certificate authorities the system trusts.
            rc = mosquitto_int_option(m_mosq, MOSQ_OPT_TLS_USE_OS_CERTS, 1);
            if (rc == MOSQ_ERR_SUCCESS && !o.certFile.isEmpty())
                rc = mosquitto_tls_set(m_mosq, nullptr, "/etc/ssl/certs", cert.constData(),
                                       key.constData(), nullptr);
        } else {
            rc = mosquitto_tls_set(m_mosq, ca.constData(), nullptr,
                                   cert.isEmpty() ? nullptr : cert.constData(),
                                   key.isEmpty() ? nullptr : key.constData(), nullptr);
        }
        if (rc != MOSQ_ERR_SUCCESS)
            return fail(say(QT_TRANSLATE_NOOP("MqttClient",
                                              "TLS: the certificate files cannot be used (%1)."))
                            .arg(QString::fromUtf8(mosquitto_strerror(rc))));
    }

    // The callbacks run on the network thread: they touch only atomics and the mutex-guarded
    // log, and hand everything else to this object's thread as queued calls.
    mosquitto_connect_callback_set(m_mosq, [](mosquitto*, void* obj, int rc) {
        auto* self = static_cast<MqttClient*>(obj);
        if (rc == 0) {
            self->m_up = true;
            QMetaObject::invokeMethod(
                self, [self] { emit self->connected(); }, Qt::QueuedConnection);
            return;
        }
        self->m_refused = true;
        const QString at = where(self->m_host, self->m_port);
        QString said = QString::fromUtf8(mosquitto_connack_string(rc));
        if (said.endsWith(QLatin1Char('.'))) said.chop(1);
        QString why;
        if (rc == 4 || rc == 5)
            why = self
                      ->say(QT_TRANSLATE_NOOP(
                          "MqttClient",
                          "Wrong user name or password: the broker at %1 did not accept them (%2)"))
                      .arg(at, said);
        else
            why = self->say(QT_TRANSLATE_NOOP("MqttClient",
                                              "The broker at %1 refused the connection: %2"))
                      .arg(at, said);
        self->report(why);
    });
    mosquitto_disconnect_callback_set(
        m_mosq, [](mosquitto*, void* obj, int) { static_cast<MqttClient*>(obj)->m_up = false; });
    mosquitto_publish_callback_set(m_mosq, [](mosquitto*, void* obj, int mid) {
        auto* self = static_cast<MqttClient*>(obj);
        if (mid == self->m_lastMid) self->m_lastSent = true;
    });
    mosquitto_log_callback_set(m_mosq, [](mosquitto*, void* obj, int level, const char* text) {
        if (!(level & MOSQ_LOG_ERR)) return;
        auto* self = static_cast<MqttClient*>(obj);
        std::lock_guard lock(self->m_mutex);
        self->m_tlsLog = QString::fromUtf8(text);
    });

    m_stop = false;
    m_thread = std::thread([this] { run(); });
    return true;
}

void MqttClient::report(const QString& why) {
    QMetaObject::invokeMethod(
        this, [this, why] { emit failed(why); }, Qt::QueuedConnection);
}

bool MqttClient::waitRetry(int ms) {
    std::unique_lock lock(m_mutex);
    return !m_wake.wait_for(lock, std::chrono::milliseconds(ms), [this] { return m_stop.load(); });
}

QString MqttClient::lastTlsError() {
    std::lock_guard lock(m_mutex);
    const QString text = m_tlsLog;
    if (text.contains(QLatin1String("certificate verify failed")))
        return say(QT_TRANSLATE_NOOP(
            "MqttClient",
            "the broker's certificate is not signed by a trusted CA (certificate verify failed)"));
    return text.isEmpty() ? say(QT_TRANSLATE_NOOP("MqttClient", "the handshake failed")) : text;
}

void MqttClient::run() {
    const QByteArray host = m_host.toUtf8();
    const QString at = where(m_host, m_port);
    int delay = kFirstRetryMs;
    bool haveSocket = false;
    while (!m_stop) {
        if (!haveSocket) {
            {
                std::lock_guard lock(m_mutex);
                m_tlsLog.clear();
            }
            m_refused = false;
            errno = 0;
            // Blocking, but on this thread: the name lookup, the TCP connect, the TLS handshake.
            const int rc = mosquitto_connect(m_mosq, host.constData(), m_port, kKeepAliveS);
            const int err = errno;
            if (rc == MOSQ_ERR_SUCCESS) {
                haveSocket = true;
                continue;
            }
            if (rc == MOSQ_ERR_EAI)
                report(say(QT_TRANSLATE_NOOP("MqttClient",
                                             "Unknown host: the name %1 cannot be resolved"))
                           .arg(m_host));
            else if (rc == MOSQ_ERR_TLS)
                report(say(QT_TRANSLATE_NOOP("MqttClient", "TLS failure with %1: %2"))
                           .arg(at, lastTlsError()));
            else if (rc == MOSQ_ERR_ERRNO && err == ECONNREFUSED)
                report(say(QT_TRANSLATE_NOOP("MqttClient",
                                             "Refused: nothing accepts connections at %1"))
                           .arg(at));
            else if (rc == MOSQ_ERR_ERRNO)
                report(say(QT_TRANSLATE_NOOP("MqttClient", "Cannot connect to %1: %2"))
                           .arg(at, QString::fromLocal8Bit(std::strerror(err))));
            else
                report(say(QT_TRANSLATE_NOOP("MqttClient", "Cannot connect to %1: %2"))
                           .arg(at, QString::fromUtf8(mosquitto_strerror(rc))));
            if (!waitRetry(delay)) break;
            delay = std::min(delay * 2, kLastRetryMs);
            continue;
        }
        const int rc = mosquitto_loop(m_mosq, 100, 1);
        if (rc == MOSQ_ERR_SUCCESS) {
            if (m_up) delay = kFirstRetryMs;
            continue;
        }
        // The connection is gone: a refusal was said already, anything else is said now.
        haveSocket = false;
        m_up = false;
        mosquitto_disconnect(m_mosq);
        if (!m_refused) {
            // A TLS handshake fails here, in the loop, not in the connect.
            if (rc == MOSQ_ERR_TLS)
                report(say(QT_TRANSLATE_NOOP("MqttClient", "TLS failure with %1: %2"))
                           .arg(at, lastTlsError()));
            else
                report(say(QT_TRANSLATE_NOOP("MqttClient", "Connection to %1 lost: %2"))
                           .arg(at, QString::fromUtf8(mosquitto_strerror(rc))));
        }
        if (!waitRetry(delay)) break;
        delay = std::min(delay * 2, kLastRetryMs);
    }
    if (haveSocket && m_up) {
        // The last word (the program going offline) is sent and acknowledged before the
        // clean disconnect, which tells the broker to drop the will.
        if (!m_lastTopic.isEmpty()) {
            int mid = 0;
            m_lastSent = false;
            if (mosquitto_publish(m_mosq, &mid, m_lastTopic.constData(), int(m_lastPayload.size()),
                                  m_lastPayload.constData(), 1, true) == MOSQ_ERR_SUCCESS) {
                m_lastMid = mid;
                const auto until =
                    std::chrono::steady_clock::now() + std::chrono::milliseconds(m_stopTimeoutMs);
                while (!m_lastSent && std::chrono::steady_clock::now() < until &&
                       mosquitto_loop(m_mosq, 50, 1) == MOSQ_ERR_SUCCESS) {
                }
            }
        }
        mosquitto_disconnect(m_mosq);
        mosquitto_loop(m_mosq, 50, 1);
    }
    m_up = false;
}

void MqttClient::stop(const QByteArray& lastTopic, const QByteArray& lastPayload, int timeoutMs) {
    if (m_thread.joinable()) {
        m_lastTopic = lastTopic;
        m_lastPayload = lastPayload;
        m_stopTimeoutMs = timeoutMs;
        {
            std::lock_guard lock(m_mutex);
            m_stop = true;
        }
        m_wake.notify_all();
        m_thread.join();
    }
    if (m_mosq) mosquitto_destroy(m_mosq);
    m_mosq = nullptr;
}

bool MqttClient::publish(const QByteArray& topic, const QByteArray& payload, int qos, bool retain) {
    if (!m_mosq || !m_up) return false;
    return mosquitto_publish(m_mosq, nullptr, topic.constData(), int(payload.size()),
                             payload.constData(), qos, retain) == MOSQ_ERR_SUCCESS;
}

QString MqttClient::test(const PublishOptions& options, int timeoutMs) {
    PublishOptions o = options;
    // Its own client id, so that a test never pushes the running publisher off the broker.
    o.clientId = o.effectiveClientId() + QStringLiteral("-test");
    MqttClient client;
    client.m_translated = true; // for the user's eyes, not for the event list
    QString outcome;
    QEventLoop loop;
    connect(&client, &MqttClient::connected, &loop, [&] {
        outcome = (o.tls ? tr("Connected to %1 over TLS: the broker accepted us.")
                         : tr("Connected to %1: the broker accepted us."))
                      .arg(where(o.host.trimmed(), o.port));
        loop.quit();
    });
    connect(&client, &MqttClient::failed, &loop, [&](const QString& why) {
        outcome = why + QLatin1Char('.');
        loop.quit();
    });
    QString error;
    if (!client.start(o, {}, {}, &error)) return error;
    QTimer::singleShot(timeoutMs, &loop, &QEventLoop::quit);
    loop.exec();
    client.stop();
    if (outcome.isEmpty())
        outcome = tr("No answer from %1 within %2 s.")
                      .arg(where(o.host.trimmed(), o.port))
                      .arg(timeoutMs / 1000);
    return outcome;
}
