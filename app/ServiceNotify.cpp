#include "app/ServiceNotify.h"

#include <QCoreApplication>

#ifdef Q_OS_UNIX
#include <cstring>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>
#endif

ServiceNotify::ServiceNotify(QObject* parent) : QObject(parent) {
    m_socket = qgetenv("NOTIFY_SOCKET");
    // The keep-alive is asked of this process only (WATCHDOG_PID names another when a wrapper
    // started it).
    const qint64 usec = qgetenv("WATCHDOG_USEC").toLongLong();
    const QByteArray pid = qgetenv("WATCHDOG_PID");
    if (usec <= 0 || (!pid.isEmpty() && pid.toLongLong() != QCoreApplication::applicationPid()))
        return;
    m_watchdog.setInterval(int(qBound<qint64>(1, usec / 2000, qint64(3600) * 1000)));
    connect(&m_watchdog, &QTimer::timeout, this, [this] { send("WATCHDOG=1"); });
}

void ServiceNotify::ready() {
    if (!active()) return;
    // What the start-up already said (a port that cannot be opened) stays the status.
    if (m_status.isEmpty()) m_status = QStringLiteral("Running");
    m_ready = true;
    send("READY=1\nSTATUS=" + m_status.toUtf8());
    if (m_watchdog.interval() > 0) m_watchdog.start();
}

void ServiceNotify::status(const QString& text) {
    if (!active() || text == m_status) return;
    m_status = text;
    if (m_ready) send("STATUS=" + text.toUtf8()); // before, READY=1 carries it
}

void ServiceNotify::stopping() {
    if (!active()) return;
    m_watchdog.stop();
    send("STOPPING=1");
}

bool ServiceNotify::send(const QByteArray& state) const {
#ifdef Q_OS_UNIX
    sockaddr_un addr{};
    addr.sun_family = AF_UNIX;
    if (m_socket.size() >= qsizetype(sizeof(addr.sun_path))) return false;
    std::memcpy(addr.sun_path, m_socket.constData(), size_t(m_socket.size()));
    if (addr.sun_path[0] == '@') addr.sun_path[0] = '\0'; // the abstract namespace
    const int fd = ::socket(AF_UNIX, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    if (fd < 0) return false;
    const auto len = socklen_t(offsetof(sockaddr_un, sun_path) + size_t(m_socket.size()));
    // Never waits: a manager that reads slowly loses a status, the event loop loses nothing.
    const bool sent =
        ::sendto(fd, state.constData(), size_t(state.size()), MSG_NOSIGNAL | MSG_DONTWAIT,
                 reinterpret_cast<const sockaddr*>(&addr), len) == state.size();
    ::close(fd);
    return sent;
#else
    Q_UNUSED(state);
    return false;
#endif
}
