// The program without windows (kx5service, or kx5comm --headless): the same link, data log, event list,
// publishing and Modbus TCP gateway as the main window runs, on a QCoreApplication, so it needs no
// display. Events also go to standard error, where a service manager's journal picks them up.
#pragma once

#include "link/KX5Link.h"

#include <QDateTime>
#include <QObject>
#include <QTimer>

class DataLogger;
class EventLog;
class LineStatus;
class Gateway;
class LineServices;
class Publisher;
class ServiceNotify;
class ServiceOutput;
class TraceRecorder;
struct StartOptions;

class Headless : public QObject, public LinkHost {
    Q_OBJECT
public:
    // Runs `line`; events and what the window's panel 4 would show go to `out`. Both outlive it.
    Headless(LineServices* line, ServiceOutput* out, QObject* parent = nullptr);
    ~Headless() override;

    // Loads the settings of the program folder and does what the options ask; returns what
    // could not be done, or "".
    QString start(const StartOptions& options);
    // A clean end: the gateway closes its connections, publishing says "offline", the port is
    // closed, data saving ends.
    void stop();

    KX5Link* link() const { return m_link; }
    EventLog* eventLog() const { return m_events; }
    Gateway* gateway() const { return m_gateway; }

signals:
    // Asked to open the port, the link has given up on it: a port lost with "Reopen a lost
    // port" off (status 1), or line settings no port takes (status 2). Nobody is there to open
    // it again, so the run ends and a service manager decides.
    void portGivenUp(int status);

public:
    // ---- LinkHost: nothing to show ----
    void SetOnlineState(bool) override {}
    void showSelectedMcNo(const QString&) override {}

private:
    void tick();
    void checkGivenUp();

    KX5Link* m_link;
    LineStatus* m_status;
    EventLog* m_events;
    TraceRecorder* m_recorder;
    DataLogger* m_logger;
    Publisher* m_publisher;
    Gateway* m_gateway;
    ServiceOutput* m_out;
    ServiceNotify* m_notify; // systemd: ready, stopping, and the watchdog's keep-alive
    QTimer m_tick;           // the data log's schedule, as the main window's graph tick
    bool m_running = false;
    bool m_openAsked = false; // --open: the port is meant to stay open
    QDateTime m_lastProgress; // when saving's progress was last said; invalid while not saving
};
