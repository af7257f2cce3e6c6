// The objects that run the line, made and joined in one place for the window, the headless run
// and the tests: the link over its port, the events, the data log, the trace recorder,
// publishing and the Modbus TCP gateway, whose words become events.
#pragma once

#include "services/LineParts.h"

#include <memory>

class Gateway;
class SerialPort;

class LineServices {
public:
    // Without a port the real serial port is used.
    explicit LineServices(std::unique_ptr<SerialPort> port = nullptr);
    // Publishing says "offline" and the gateway closes before the link they read is gone.
    ~LineServices();
    LineServices(const LineServices&) = delete;
    LineServices& operator=(const LineServices&) = delete;

    LineParts parts() const;
    KX5Link* link() const { return m_link.get(); }
    EventLog* events() const { return m_events.get(); }
    DataLogger* logger() const { return m_logger.get(); }
    TraceRecorder* recorder() const { return m_recorder.get(); }
    Publisher* publisher() const { return m_publisher.get(); }
    Gateway* gateway() const { return m_gateway.get(); }
    AlarmBook* alarms() const { return m_alarms.get(); }
    LineStatus* status() const { return m_status.get(); }

private:
    // Declared in the order of making; destroyed the other way round.
    std::unique_ptr<KX5Link> m_link;
    std::unique_ptr<LineStatus> m_status;
    std::unique_ptr<EventLog> m_events;
    std::unique_ptr<AlarmBook> m_alarms;
    std::unique_ptr<DataLogger> m_logger;
    std::unique_ptr<TraceRecorder> m_recorder;
    std::unique_ptr<Publisher> m_publisher;
    std::unique_ptr<Gateway> m_gateway;
};
