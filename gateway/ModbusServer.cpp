#include "gateway/ModbusServer.h"

#include "gateway/ModbusClient.h"

#include <QHostAddress>
#include <QTcpServer>
#include <QTcpSocket>
#include <algorithm>

ModbusServer::ModbusServer(LinkAdapter* adapter, QObject* parent)
    : QObject(parent), m_adapter(adapter) {}

ModbusServer::~ModbusServer() {
    stop();
}

bool ModbusServer::start(const GatewayOptions& options, QString* error) {
    stop();
    m_options = options;
    m_server = new QTcpServer(this);
    connect(m_server, &QTcpServer::newConnection, this, &ModbusServer::onNewConnection);
    if (!m_server->listen(QHostAddress(options.address), quint16(options.port))) {
        *error = QStringLiteral("cannot listen on %1 port %2: %3")
                     .arg(options.address)
                     .arg(options.port)
                     .arg(m_server->errorString());
        delete std::exchange(m_server, nullptr);
        return false;
    }
    return true;
}

void ModbusServer::stop() {
    if (!m_server) return;
    delete std::exchange(m_server, nullptr);
    const std::vector<ModbusClient*> all = std::exchange(m_clients, {});
    for (ModbusClient* c : all) {
        disconnect(c, nullptr, this, nullptr);
        c->close();
        c->deleteLater();
    }
    emit clientsChanged();
}

bool ModbusServer::running() const {
    return m_server != nullptr;
}

void ModbusServer::onNewConnection() {
    while (m_server && m_server->hasPendingConnections()) {
        QTcpSocket* s = m_server->nextPendingConnection();
        // Clients that left just before are not counted against the limit.
        if (clients() >= m_options.maxClients)
            for (ModbusClient* c : std::vector<ModbusClient*>(m_clients))
                c->probe();
        if (clients() >= m_options.maxClients) {
            const QHostAddress a = s->peerAddress();
            ++m_refused;
            emit event(0, QStringLiteral("Modbus TCP gateway: connection from %1:%2 refused, %3 "
                                         "clients connected already (%4 refused so far)")
                              .arg(a.toString())
                              .arg(s->peerPort())
                              .arg(m_options.maxClients)
                              .arg(m_refused));
            s->abort();
            s->deleteLater();
            emit clientsChanged();
            continue;
        }
        auto* c = new ModbusClient(s, this);
        connect(c, &ModbusClient::gone, this, &ModbusServer::onClientGone);
        m_clients.push_back(c);
        emit clientsChanged();
    }
}

void ModbusServer::onClientGone(ModbusClient* c) {
    const auto it = std::find(m_clients.begin(), m_clients.end(), c);
    if (it == m_clients.end()) return;
    m_clients.erase(it);
    c->deleteLater(); // it may be on the stack below us
    emit clientsChanged();
}
