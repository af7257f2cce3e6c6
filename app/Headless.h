// The program without windows (kx5comm --headless): the same link, data log, event list,
// publishing and Modbus TCP gateway as the main window runs, on a QCoreApplication, so it needs no
// display. Events also go to standard error, where a service manager's journal picks them up.
#pragma once

#include "link/KX5Link.h"

#include <QDateTime>
#include <QObject>
#include <QTimer>

class DataLogger;
class EventLog;
class Gateway;
class LineServices;
class Publisher;
class ServiceNotify;
class TraceRecorder;
struct StartOptions;

class Headless : public QObject, public LinkHost {
    Q_OBJECT
public:
    // Runs `line`, which outlives it.
    explicit Headless(LineServices* line, QObject* parent = nullptr);
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

    // ---- LinkHost: nothing to show ----
    void SetOnlineState(bool) override {}
    void showSelectedMcNo(const QString&) override {}

private:
    void tick();

    KX5Link* m_link;
    EventLog* m_events;
    TraceRecorder* m_recorder;
    DataLogger* m_logger;
    Publisher* m_publisher;
    Gateway* m_gateway;
    ServiceNotify* m_notify; // systemd: ready, stopping, and the watchdog's keep-alive
    QTimer m_tick;           // the data log's schedule, as the main window's graph tick
    bool m_running = false;
    QDateTime m_lastProgress; // when saving's progress was last said; invalid while not saving
};
