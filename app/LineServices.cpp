#include "app/LineServices.h"

#include "files/FileChecks.h"
#include "gateway/Gateway.h"
#include "gateway/LinkAdapter.h"
#include "link/KX5Link.h"
#include "link/QtSerialPort.h"
#include "publish/Publisher.h"
#include "services/AlarmBook.h"
#include "services/DataLogger.h"
#include "services/EventLog.h"
#include "services/LineStatus.h"
#include "services/TraceRecorder.h"

LineServices::LineServices(std::unique_ptr<SerialPort> port) {
    if (!port) port = std::make_unique<QtSerialPort>();
    m_link = std::make_unique<KX5Link>(std::move(port));
    // The status bar hears the link before the events do.
    m_status = std::make_unique<LineStatus>(m_link.get());
    m_events = std::make_unique<EventLog>(m_link.get());
    m_events->setStatus(m_status.get());
    m_alarms = std::make_unique<AlarmBook>(m_link->line(), m_events.get());
    m_logger = std::make_unique<DataLogger>(m_link.get(), m_events.get());
    m_recorder = std::make_unique<TraceRecorder>(m_link.get(), m_events.get());
    m_logger->setStatus(m_status.get());
    m_recorder->setStatus(m_status.get());
    m_publisher = std::make_unique<Publisher>(m_link.get());
    m_gateway = std::make_unique<Gateway>(m_link.get());
    EventLog* events = m_events.get();
    QObject::connect(m_publisher.get(), &Publisher::event, events,
                     [events](const FileNotice& said) { events->add(0, said); });
    Publisher* publisher = m_publisher.get();
    AlarmBook* alarms = m_alarms.get();
    QObject::connect(alarms, &AlarmBook::stationChanged, publisher, [publisher, alarms](int mc) {
        publisher->publishAlarms(mc, alarms->json(mc));
    });
    m_gateway->adapter()->setAlarmCounts([alarms](int mc) {
        const AlarmBook::Counts c = alarms->counts(mc);
        return AlarmCounts{c.active, c.unacknowledged};
    });
    QObject::connect(m_gateway.get(), &Gateway::event, events,
                     [events](int mc, const FileNotice& said) { events->add(mc, said); });
}

LineServices::~LineServices() {
    m_gateway.reset();
    m_publisher.reset();
}

LineParts LineServices::parts() const {
    return {m_link.get(),      m_events.get(), m_logger.get(), m_recorder.get(),
            m_publisher.get(), m_alarms.get(), m_status.get()};
}
