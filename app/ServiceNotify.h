// Tells systemd how a service run stands (the sd_notify protocol, without libsystemd): one
// datagram to the socket in $NOTIFY_SOCKET for "ready", "stopping" and the watchdog's
// keep-alive, sent from the event loop every half of $WATCHDOG_USEC, so a run whose loop
// hangs is restarted. Does nothing when not started by systemd.
#pragma once

#include <QByteArray>
#include <QObject>
#include <QTimer>

class ServiceNotify : public QObject {
    Q_OBJECT
public:
    explicit ServiceNotify(QObject* parent = nullptr);

    bool active() const { return !m_socket.isEmpty(); }
    void ready();    // READY=1, and the keep-alives start
    void stopping(); // STOPPING=1, and they end
    // STATUS=text, what "systemctl status" shows; sent only when it changes.
    void status(const QString& text);

private:
    bool send(const QByteArray& state) const;

    QByteArray m_socket; // the socket's path; "@..." for the abstract namespace
    QTimer m_watchdog;
    QString m_status;
    bool m_ready = false;
};
