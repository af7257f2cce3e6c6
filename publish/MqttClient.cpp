#include "publish/MqttClient.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QTimer>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <condition_variable>
#include <cstdlib>
#include <cstring>
#include <mosquitto.h>
#include <mutex>
#include <openssl/ssl.h>
#include <openssl/x509.h>
#include <thread>
#include <unordered_map>

using Clock = std::chrono::steady_clock;

namespace {

void initLibrary() {
    static std::once_flag once;
    std::call_once(once, [] { mosquitto_lib_init(); });
}

QString where(const QString& host, int port) {
    return QStringLiteral("%1:%2").arg(host).arg(port);
}

// source (marked in "MqttClient") filled from args, in English and in the user's language.
FileNotice said(const char* source, const QStringList& args = {}) {
    return fileNotice("MqttClient", source, args);
}

// A reason as the network thread finds it, its words not yet looked up: that is done on the
// owner's thread, since the network thread may still run while the application goes. source
// (marked in "MqttClient") is filled from args, then from parts, reasons of their own; without
// a source, args[0] is the reason as the library gave it.
struct Reason {
    const char* source = nullptr;
    QStringList args;
    std::vector<Reason> parts;

    FileNotice worded() const {
        if (!source) return {args.value(0), args.value(0)};
        QStringList logged = args, shown = args;
        for (const Reason& p : parts) {
            const FileNotice w = p.worded();
            logged << w.logged;
            shown << w.shown;
        }
        return fileNotice("MqttClient", source, logged, shown);
    }
};

// Where OpenSSL looks for the system's CA certificates one per file (SSL_CERT_DIR, or its
// built-in folder).
QByteArray systemCaDir() {
    const char* env = std::getenv(X509_get_default_cert_dir_env());
    return env && *env ? QByteArray(env) : QByteArray(X509_get_default_cert_dir());
}

} // namespace

struct MqttClient::Session {
    mosquitto* mosq = nullptr;
    QString host;
    QByteArray hostUtf8;
    int port = 0;
    bool tls = false;
    std::atomic<bool> stop{false};
    std::atomic<bool> up{false};      // CONNACK accepted and not lost since
    std::atomic<bool> refused{false}; // the broker said no; the loss that follows is not news
    std::atomic<bool> finished{false};
    std::atomic<int> lastMid{-1};
    std::atomic<bool> lastSent{false};
    QByteArray lastTopic, lastPayload;
    int stopTimeoutMs = 2000;

    std::mutex mutex; // guards what follows and the waits
    std::condition_variable wake;
    QString tlsLog;                        // the library's last TLS complaint
    long verify = 0;                       // the certificate check's verdict at that complaint
    std::unordered_map<int, int> inFlight; // message id -> QoS
    int maxInFlight = kMaxInFlight;
    bool full = false; // publish() said no for the bound

    std::mutex ownerMutex;
    MqttClient* owner = nullptr; // null once the client has let go of this session

    static Reason say(const char* source, const QStringList& args = {},
                      std::vector<Reason> parts = {}) {
        return {source, args, std::move(parts)};
    }
    QString at() const { return where(host, port); }

    // Runs f on the owner's thread, if there still is an owner.
    template <class F> void post(F f) {
        std::lock_guard lock(ownerMutex);
        if (owner)
            QMetaObject::invokeMethod(
                owner, [o = owner, f] { f(o); }, Qt::QueuedConnection);
    }
    void report(const Reason& why) {
        post([why](MqttClient* c) {
            const FileNotice w = why.worded();
            emit c->failed(w.logged, w.shown);
        });
    }
    bool waitRetry(int ms) {
        std::unique_lock lock(mutex);
        return !wake.wait_for(lock, std::chrono::milliseconds(ms), [this] { return stop.load(); });
    }
    // QoS 0 messages still queued when the connection went are thrown away by the library at
    // the next attempt; QoS 1 ones are sent again.
    void forgetUnsent() {
        int n = 0;
        {
            std::lock_guard lock(mutex);
            for (auto it = inFlight.begin(); it != inFlight.end();)
                if (it->second == 0) {
                    it = inFlight.erase(it);
                    ++n;
                } else {
                    ++it;
                }
        }
        if (n) post([n](MqttClient* c) { emit c->lost(n); });
    }
    Reason tlsError();
    bool tlsComplained() {
        std::lock_guard lock(mutex);
        return !tlsLog.isEmpty();
    }
    Reason connectTimeout();
    void run();
};

MqttClient::MqttClient(QObject* parent) : QObject(parent) {}

MqttClient::~MqttClient() {
    stop();
}

bool MqttClient::start(const PublishOptions& o, const QByteArray& willTopic,
                       const QByteArray& willPayload, FileNotice* error) {
    stop();
    mosquitto* mosq = nullptr;
    auto fail = [&](const FileNotice& why) {
        if (error) *error = why;
        if (mosq) mosquitto_destroy(mosq);
        return false;
    };
    if (const FileNotice p = o.problem(); !p.isEmpty()) return fail(p);
    initLibrary();
    auto s = std::make_shared<Session>();
    s->host = o.host.trimmed();
    s->hostUtf8 = s->host.toUtf8();
    s->port = o.port;
    s->tls = o.tls;
    s->maxInFlight = m_maxInFlight;
    mosq = mosquitto_new(o.effectiveClientId().toUtf8().constData(), true, s.get());
    if (!mosq)
        return fail(
            said(QT_TRANSLATE_NOOP("MqttClient", "The MQTT library could not set up a client.")));
    mosquitto_threaded_set(mosq, true);
    // A reply's values should reach the broker now, not when Nagle's timer says so.
    mosquitto_int_option(mosq, MOSQ_OPT_TCP_NODELAY, 1);
    if (!o.user.isEmpty() &&
        mosquitto_username_pw_set(mosq, o.user.toUtf8().constData(),
                                  o.password.toUtf8().constData()) != MOSQ_ERR_SUCCESS)
        return fail(
            said(QT_TRANSLATE_NOOP("MqttClient", "The user name or password cannot be used.")));
    if (!willTopic.isEmpty() &&
        mosquitto_will_set(mosq, willTopic.constData(), int(willPayload.size()),
                           willPayload.constData(), 1, true) != MOSQ_ERR_SUCCESS)
        return fail(said(QT_TRANSLATE_NOOP("MqttClient", "The last-will topic %1 cannot be used."),
                         {QString::fromUtf8(willTopic)}));
    if (o.tls) {
        for (const auto& [file, what] :
             {std::pair{o.caFile,
                        QT_TRANSLATE_NOOP("MqttClient", "TLS: the CA file %1 cannot be read.")},
              std::pair{o.certFile,
                        QT_TRANSLATE_NOOP("MqttClient",
                                          "TLS: the client certificate %1 cannot be read.")},
              std::pair{o.keyFile, QT_TRANSLATE_NOOP("MqttClient",
                                                     "TLS: the client key %1 cannot be read.")}}) {
            if (file.isEmpty()) continue;
            if (QFileInfo(file).isDir())
                return fail(said(
                    QT_TRANSLATE_NOOP("MqttClient", "TLS: %1 is a folder; a file is needed here."),
                    {file}));
            if (!QFileInfo(file).isReadable()) return fail(said(what, {file}));
        }
        const QByteArray ca = QFile::encodeName(o.caFile), cert = QFile::encodeName(o.certFile),
                         key = QFile::encodeName(o.keyFile);
        int rc = MOSQ_ERR_SUCCESS;
        if (o.caFile.isEmpty()) {
            // No CA given: the certificate authorities the system trusts, its bundle
            // (SSL_CERT_FILE honoured) and its folder. The folder is also handed over as a CA
            // path: with neither path set, the library refuses every reconnect ("Invalid
            // function arguments provided").
            const QByteArray dir = systemCaDir();
            rc = mosquitto_int_option(mosq, MOSQ_OPT_TLS_USE_OS_CERTS, 1);
            if (rc == MOSQ_ERR_SUCCESS)
                rc = mosquitto_tls_set(mosq, nullptr, dir.constData(),
                                       cert.isEmpty() ? nullptr : cert.constData(),
                                       key.isEmpty() ? nullptr : key.constData(), nullptr);
        } else {
            rc = mosquitto_tls_set(mosq, ca.constData(), nullptr,
                                   cert.isEmpty() ? nullptr : cert.constData(),
                                   key.isEmpty() ? nullptr : key.constData(), nullptr);
        }
        if (rc != MOSQ_ERR_SUCCESS)
            return fail(said(
                QT_TRANSLATE_NOOP("MqttClient", "TLS: the certificate files cannot be used (%1)."),
                {QString::fromUtf8(mosquitto_strerror(rc))}));
    }

    // The callbacks run on the network thread: they touch only the session, and hand
    // everything else to this object's thread as queued calls.
    mosquitto_connect_callback_set(mosq, [](mosquitto*, void* obj, int rc) {
        auto* s = static_cast<Session*>(obj);
        if (rc == 0) {
            s->up = true;
            s->post([](MqttClient* c) { emit c->connected(); });
            return;
        }
        s->refused = true;
        QString said = QString::fromUtf8(mosquitto_connack_string(rc));
        if (said.endsWith(QLatin1Char('.'))) said.chop(1);
        if (rc == 4 || rc == 5)
            s->report(Session::say(QT_TRANSLATE_NOOP("MqttClient",
                                                     "Wrong user name or password: the broker at "
                                                     "%1 did not accept them (%2)"),
                                   {s->at(), said}));
        else
            s->report(Session::say(
                QT_TRANSLATE_NOOP("MqttClient", "The broker at %1 refused the connection: %2"),
                {s->at(), said}));
    });
    mosquitto_disconnect_callback_set(
        mosq, [](mosquitto*, void* obj, int) { static_cast<Session*>(obj)->up = false; });
    mosquitto_publish_callback_set(mosq, [](mosquitto*, void* obj, int mid) {
        auto* s = static_cast<Session*>(obj);
        if (mid == s->lastMid) s->lastSent = true;
        bool drained = false;
        {
            std::lock_guard lock(s->mutex);
            s->inFlight.erase(mid);
            if (s->full && int(s->inFlight.size()) <= s->maxInFlight / 2) {
                s->full = false;
                drained = true;
            }
        }
        if (drained) s->post([](MqttClient* c) { emit c->ready(); });
    });
    mosquitto_log_callback_set(mosq, [](mosquitto* m, void* obj, int level, const char* text) {
        if (!(level & MOSQ_LOG_ERR)) return;
        auto* s = static_cast<Session*>(obj);
        // The certificate check's verdict is only there while the failed handshake's
        // connection is, which is now.
        auto* ssl = static_cast<SSL*>(mosquitto_ssl_get(m));
        const long verify = ssl ? SSL_get_verify_result(ssl) : X509_V_OK;
        std::lock_guard lock(s->mutex);
        if (s->tlsLog.isEmpty() || !s->tlsLog.contains(QLatin1String("OpenSSL")))
            s->tlsLog = QString::fromUtf8(text);
        if (verify != X509_V_OK) s->verify = verify;
    });

    s->mosq = mosq;
    {
        std::lock_guard lock(s->ownerMutex);
        s->owner = this;
    }
    m_session = s;
    std::thread([s] { s->run(); }).detach();
    return true;
}

Reason MqttClient::Session::tlsError() {
    std::lock_guard lock(mutex);
    switch (verify) {
    case X509_V_OK:
        break;
    // The library's own host-name check fails a chain OpenSSL found good as "unspecified".
    case X509_V_ERR_HOSTNAME_MISMATCH:
    case X509_V_ERR_UNSPECIFIED:
        return say(QT_TRANSLATE_NOOP("MqttClient",
                                     "the broker's certificate is not made out to the host name "
                                     "%1 (give the name the certificate holds)"),
                   {host});
    case X509_V_ERR_UNABLE_TO_GET_ISSUER_CERT_LOCALLY:
    case X509_V_ERR_UNABLE_TO_VERIFY_LEAF_SIGNATURE:
    case X509_V_ERR_SELF_SIGNED_CERT_IN_CHAIN:
    case X509_V_ERR_DEPTH_ZERO_SELF_SIGNED_CERT:
    case X509_V_ERR_CERT_UNTRUSTED:
        return say(QT_TRANSLATE_NOOP(
            "MqttClient",
            "the broker's certificate is not signed by a trusted CA (certificate verify failed)"));
    case X509_V_ERR_CERT_HAS_EXPIRED:
    case X509_V_ERR_CERT_NOT_YET_VALID:
        return say(QT_TRANSLATE_NOOP("MqttClient",
                                     "the broker's certificate is out of date, or this "
                                     "computer's clock is wrong"));
    default:
        return say(QT_TRANSLATE_NOOP("MqttClient", "the broker's certificate was not accepted: %1"),
                   {QString::fromUtf8(X509_verify_cert_error_string(verify))});
    }
    const QString text = tlsLog;
    if (text.contains(QLatin1String("certificate required")) ||
        text.contains(QLatin1String("handshake failure")))
        return say(QT_TRANSLATE_NOOP("MqttClient",
                                     "the broker wants a client certificate (give one and its "
                                     "key)"));
    if (text.contains(QLatin1String("unknown ca")) ||
        text.contains(QLatin1String("bad certificate")) ||
        text.contains(QLatin1String("certificate unknown")))
        return say(
            QT_TRANSLATE_NOOP("MqttClient", "the broker did not accept our client certificate"));
    if (text.contains(QLatin1String("wrong version number")) ||
        text.contains(QLatin1String("packet length too long")) ||
        text.contains(QLatin1String("unexpected eof")))
        return say(QT_TRANSLATE_NOOP("MqttClient",
                                     "the port does not answer in TLS (is it a plain MQTT port?)"));
    return text.isEmpty() ? say(QT_TRANSLATE_NOOP("MqttClient", "the handshake failed"))
                          : Reason{nullptr, {text}, {}};
}

Reason MqttClient::Session::connectTimeout() {
    const QStringList args = {at(), QString::number(kConnectTimeoutS)};
    // What is still waiting to be written tells how far the attempt got: the connection
    // request itself (or the TLS handshake), or only the broker's answer.
    if (mosquitto_want_write(mosq))
        return say(tls ? QT_TRANSLATE_NOOP("MqttClient",
                                           "No answer from %1 within %2 s: the host is switched "
                                           "off or a firewall drops the connection, or the TLS "
                                           "handshake did not finish")
                       : QT_TRANSLATE_NOOP("MqttClient",
                                           "No answer from %1 within %2 s: the host is switched "
                                           "off or a firewall drops the connection"),
                   args);
    return say(QT_TRANSLATE_NOOP("MqttClient",
                                 "The broker at %1 took the connection but did not answer within "
                                 "%2 s (stalled or overloaded)"),
               args);
}

void MqttClient::Session::run() {
    int delay = kFirstRetryMs;
    bool haveSocket = false;
    Clock::time_point attemptAt, upAt;
    bool wasUp = false;
    int shortLived = 0; // connections closed by the broker right after it accepted them
    auto retry = [&] {
        haveSocket = false;
        up = false;
        if (!waitRetry(delay)) return false;
        delay = std::min(delay * 2, kLastRetryMs);
        return true;
    };
    while (!stop) {
        if (!haveSocket) {
            {
                std::lock_guard lock(mutex);
                tlsLog.clear();
                verify = 0;
            }
            forgetUnsent();
            refused = false;
            wasUp = false;
            errno = 0;
            // The name lookup blocks here; the TCP connect and the TLS handshake do not, they
            // go on in the loop below.
            const int rc = mosquitto_connect_async(mosq, hostUtf8.constData(), port, kKeepAliveS);
            const int err = errno;
            attemptAt = Clock::now();
            if (rc == MOSQ_ERR_SUCCESS) {
                haveSocket = true;
                continue;
            }
            if (rc == MOSQ_ERR_EAI)
                report(say(
                    QT_TRANSLATE_NOOP("MqttClient", "Unknown host: the name %1 cannot be resolved"),
                    {host}));
            else if (rc == MOSQ_ERR_TLS)
                report(say(QT_TRANSLATE_NOOP("MqttClient", "TLS failure with %1: %2"), {at()},
                           {tlsError()}));
            else if (rc == MOSQ_ERR_ERRNO || rc == MOSQ_ERR_CONN_REFUSED)
                report(err == ECONNREFUSED || rc == MOSQ_ERR_CONN_REFUSED
                           ? say(QT_TRANSLATE_NOOP("MqttClient",
                                                   "Refused: nothing accepts connections at %1"),
                                 {at()})
                           : say(QT_TRANSLATE_NOOP("MqttClient", "Cannot connect to %1: %2"),
                                 {at(), QString::fromLocal8Bit(std::strerror(err))}));
            else
                report(say(QT_TRANSLATE_NOOP("MqttClient", "Cannot connect to %1: %2"),
                           {at(), QString::fromUtf8(mosquitto_strerror(rc))}));
            if (!retry()) break;
            continue;
        }
        errno = 0;
        const int rc = mosquitto_loop(mosq, 100, 1);
        const int err = errno;
        if (up && !wasUp) {
            wasUp = true;
            upAt = Clock::now();
            delay = kFirstRetryMs;
        }
        if (rc == MOSQ_ERR_SUCCESS) {
            if (!up && !refused &&
                Clock::now() - attemptAt > std::chrono::seconds(kConnectTimeoutS)) {
                report(connectTimeout());
                if (!retry()) break;
            }
            continue;
        }
        // The connection is gone: a refusal was said already, anything else is said now. An
        // alert read after the TLS handshake (a TLS 1.3 broker turning down a client without a
        // certificate) comes as EPROTO, not as a TLS error.
        const bool tlsAlert = tls && rc == MOSQ_ERR_ERRNO && err == EPROTO;
        if (refused) {
        } else if (wasUp) {
            const bool early = Clock::now() - upAt < std::chrono::milliseconds(kShortLivedMs);
            shortLived = early && rc == MOSQ_ERR_CONN_LOST ? shortLived + 1 : 0;
            if (shortLived >= 2)
                report(say(QT_TRANSLATE_NOOP("MqttClient",
                                             "The broker at %1 keeps closing our connection "
                                             "right after accepting it: another program is "
                                             "probably connected with the same client id"),
                           {at()}));
            else if (rc == MOSQ_ERR_KEEPALIVE)
                report(say(QT_TRANSLATE_NOOP("MqttClient",
                                             "The broker at %1 stopped answering (nothing "
                                             "within %2 s)"),
                           {at(), QString::number(kKeepAliveS * 3 / 2)}));
            else
                report(say(QT_TRANSLATE_NOOP("MqttClient", "Connection to %1 lost: %2"),
                           {at(), QString::fromUtf8(mosquitto_strerror(rc))}));
        } else if (rc == MOSQ_ERR_TLS || (tlsAlert && tlsComplained())) {
            report(say(QT_TRANSLATE_NOOP("MqttClient", "TLS failure with %1: %2"), {at()},
                       {tlsError()}));
        } else if (err == ECONNREFUSED || rc == MOSQ_ERR_CONN_REFUSED) {
            report(
                say(QT_TRANSLATE_NOOP("MqttClient", "Refused: nothing accepts connections at %1"),
                    {at()}));
        } else if (rc == MOSQ_ERR_ERRNO && err != 0 && !tlsAlert) {
            report(say(QT_TRANSLATE_NOOP("MqttClient", "Cannot connect to %1: %2"),
                       {at(), QString::fromLocal8Bit(std::strerror(err))}));
        } else if (tls) {
            // A TLS 1.3 broker checks our certificate after the handshake, and hangs up.
            report(say(QT_TRANSLATE_NOOP("MqttClient",
                                         "The broker at %1 closed the TLS connection before "
                                         "answering: it may want a client certificate, or "
                                         "not accept ours"),
                       {at()}));
        } else {
            report(
                say(QT_TRANSLATE_NOOP("MqttClient", "The broker at %1 closed the connection before "
                                                    "answering: is it a TLS port? (tick TLS)"),
                    {at()}));
        }
        if (!retry()) break;
    }
    if (haveSocket && up) {
        // The last word (the program going offline) is sent and acknowledged before the
        // clean disconnect, which tells the broker to drop the will.
        if (!lastTopic.isEmpty()) {
            int mid = 0;
            lastSent = false;
            if (mosquitto_publish(mosq, &mid, lastTopic.constData(), int(lastPayload.size()),
                                  lastPayload.constData(), 1, true) == MOSQ_ERR_SUCCESS) {
                lastMid = mid;
                const auto until = Clock::now() + std::chrono::milliseconds(stopTimeoutMs);
                while (!lastSent && Clock::now() < until &&
                       mosquitto_loop(mosq, 50, 1) == MOSQ_ERR_SUCCESS) {
                }
            }
        }
        mosquitto_disconnect(mosq);
        mosquitto_loop(mosq, 50, 1);
    }
    up = false;
    mosquitto_destroy(mosq);
    mosq = nullptr;
    {
        std::lock_guard lock(mutex);
        finished = true;
    }
    wake.notify_all();
}

void MqttClient::stop(const QByteArray& lastTopic, const QByteArray& lastPayload, int timeoutMs) {
    if (!m_session) return;
    const std::shared_ptr<Session> s = std::move(m_session);
    {
        std::lock_guard lock(s->mutex);
        s->lastTopic = lastTopic;
        s->lastPayload = lastPayload;
        s->stopTimeoutMs = timeoutMs;
        s->stop = true;
    }
    s->wake.notify_all();
    {
        // The thread ends within timeoutMs unless a name lookup holds it; then it is left to
        // end by itself, and says nothing more.
        std::unique_lock lock(s->mutex);
        s->wake.wait_for(lock, std::chrono::milliseconds(timeoutMs + 500),
                         [&] { return s->finished.load(); });
    }
    std::lock_guard lock(s->ownerMutex);
    s->owner = nullptr;
}

int MqttClient::inFlight() const {
    if (!m_session) return 0;
    std::lock_guard lock(m_session->mutex);
    return int(m_session->inFlight.size());
}

bool MqttClient::publish(const QByteArray& topic, const QByteArray& payload, int qos, bool retain,
                         bool bounded) {
    Session* s = m_session.get();
    if (!s || !s->up) return false;
    // Held across the hand-over, so that the network thread's "sent" cannot come before the
    // message is counted.
    std::lock_guard lock(s->mutex);
    if (bounded && int(s->inFlight.size()) >= s->maxInFlight) {
        s->full = true;
        return false;
    }
    int mid = 0;
    if (mosquitto_publish(s->mosq, &mid, topic.constData(), int(payload.size()),
                          payload.constData(), qos, retain) != MOSQ_ERR_SUCCESS)
        return false;
    s->inFlight.emplace(mid, qos);
    return true;
}

QString MqttClient::test(const PublishOptions& options, int timeoutMs) {
    PublishOptions o = options;
    // Its own client id, so that a test never pushes the running publisher off the broker.
    o.clientId = o.effectiveClientId() + QStringLiteral("-test");
    MqttClient client;
    QString outcome;
    QEventLoop loop;
    connect(&client, &MqttClient::connected, &loop, [&] {
        outcome = (o.tls ? tr("Connected to %1 over TLS: the broker accepted us.")
                         : tr("Connected to %1: the broker accepted us."))
                      .arg(where(o.host.trimmed(), o.port));
        loop.quit();
    });
    connect(&client, &MqttClient::failed, &loop, [&](const QString&, const QString& shown) {
        outcome = shown + QLatin1Char('.');
        loop.quit();
    });
    FileNotice error;
    if (!client.start(o, {}, {}, &error)) return error.shown;
    QTimer::singleShot(timeoutMs, &loop, &QEventLoop::quit);
    loop.exec();
    client.stop();
    if (outcome.isEmpty())
        outcome = tr("No answer from %1 within %2 s.")
                      .arg(where(o.host.trimmed(), o.port))
                      .arg(timeoutMs / 1000);
    return outcome;
}
