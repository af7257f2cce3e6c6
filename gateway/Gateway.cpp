#include "gateway/Gateway.h"

#include "gateway/LinkAdapter.h"
#include "gateway/ModbusServer.h"

#include <QCoreApplication>

Gateway::Gateway(KX5Link* link, QObject* parent)
    : QObject(parent), m_adapter(new LinkAdapter(link, this)),
      m_server(std::make_unique<ModbusServer>(m_adapter)) {
    connect(m_server.get(), &ModbusServer::event, this, &Gateway::event);
    connect(m_server.get(), &ModbusServer::clientsChanged, this, &Gateway::statusChanged);
}

Gateway::~Gateway() {
    stop();
}

void Gateway::apply(const GatewayOptions& options) {
    stop();
    m_options = options;
    m_error.clear();
    for (const QString& e : options.fileErrors)
        emit event(0, e);
    for (const QString& n : options.fileNotes)
        emit event(0, n);
    if (!options.enabled) return;
    if (!options.fileErrors.isEmpty() || !options.problem().isEmpty()) {
        const QString p = options.problem();
        m_error = p.isEmpty() ? QStringLiteral("its settings file has errors") : p;
    } else if (!m_server->start(options, &m_error)) {
        // m_error says why
    } else {
        emit event(0, QStringLiteral("Modbus TCP gateway listening on %1 port %2 (at most %3 "
                                     "clients; writes %4)")
                          .arg(options.address)
                          .arg(options.port)
                          .arg(options.maxClients)
                          .arg(options.writes
                                   ? QStringLiteral("allowed to %1").arg(options.allowListText())
                                   : QStringLiteral("off")));
    }
    if (!m_error.isEmpty())
        emit event(0, QStringLiteral("Modbus TCP gateway is off: %1").arg(m_error));
    emit statusChanged();
}

void Gateway::stop() {
    const bool failed = !m_error.isEmpty();
    m_error.clear();
    if (!m_server->running()) {
        if (failed) emit statusChanged();
        return;
    }
    // The clients first, so that none of them asks for more line work.
    const quint64 refused = m_server->refused();
    m_server->stop();
    m_adapter->dropJobs(QStringLiteral("the gateway stopped"));
    emit event(0,
               QStringLiteral("Modbus TCP gateway stopped (%1 connections refused)").arg(refused));
    emit statusChanged();
}

bool Gateway::listening() const {
    return m_server->running();
}

int Gateway::clients() const {
    return m_server->clients();
}

quint64 Gateway::refused() const {
    return m_server->refused();
}

QString Gateway::statusText() const {
    const QString where = QStringLiteral("%1:%2").arg(m_options.address).arg(m_options.port);
    if (!m_server->running())
        return m_error.isEmpty()
                   ? QString()
                   : QCoreApplication::translate("Gateway", "Modbus TCP %1 not listening")
                         .arg(where);
    const QString text = QCoreApplication::translate("Gateway", "Modbus TCP %1, %2 clients")
                             .arg(where)
                             .arg(m_server->clients());
    if (m_server->refused() == 0) return text;
    return QCoreApplication::translate("Gateway", "%1, %2 refused")
        .arg(text)
        .arg(m_server->refused());
}
