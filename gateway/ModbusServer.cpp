#include "gateway/ModbusServer.h"

#include "gateway/ModbusClient.h"

#include <QDateTime>
#include <QHostAddress>
#include <QTcpServer>
#include <QTcpSocket>
#include <algorithm>

ModbusServer::ModbusServer(LinkAdapter* adapter, QObject* parent)
    : QObject(parent), m_adapter(adapter) {
    // A count is said within a minute of its span's end.
    m_countsDue.setInterval(60000);
    connect(&m_countsDue, &QTimer::timeout, this, [this] { sayCounts(false); });
}

ModbusServer::~ModbusServer() {
    stop();
}

bool ModbusServer::start(const GatewayOptions& options, FileNotice* error) {
    stop();
    m_options = options;
    m_server = new QTcpServer(this);
    connect(m_server, &QTcpServer::newConnection, this, &ModbusServer::onNewConnection);
    if (!m_server->listen(QHostAddress(options.address), quint16(options.port))) {
        // The system's own words stay as they come.
        *error =
            fileNotice("Gateway", QT_TRANSLATE_NOOP("Gateway", "cannot listen on %1 port %2: %3"),
                       {options.address, QString::number(options.port), m_server->errorString()});
        delete std::exchange(m_server, nullptr);
        return false;
    }
    m_countsDue.start();
    return true;
}

void ModbusServer::stop() {
    if (!m_server) return;
    delete std::exchange(m_server, nullptr);
    m_countsDue.stop();
    sayCounts(true); // nothing counted is lost
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
            say(0,
                QT_TRANSLATE_NOOP("Gateway", "Modbus TCP gateway: connection from %1:%2 refused, "
                                             "%3 clients connected already (%4 refused so far)"),
                {a.toString(), QString::number(s->peerPort()),
                 QString::number(m_options.maxClients), QString::number(m_refused)});
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

void ModbusServer::say(int mcNo, const char* source, const QStringList& args,
                       const QStringList& shownArgs) {
    emit event(mcNo, fileNotice("Gateway", source, args, shownArgs));
}

void ModbusServer::sayFolded(const QString& group, int mcNo, const char* source,
                             const QStringList& args, const QStringList& shownArgs) {
    for (const RepeatFolder::Said& s :
         m_repeats.occur(group, mcNo, fileNotice("Gateway", source, args, shownArgs),
                         QDateTime::currentMSecsSinceEpoch()))
        emit event(s.mcNo, s.text);
}

void ModbusServer::sayCounts(bool all) {
    for (const RepeatFolder::Said& s : m_repeats.due(QDateTime::currentMSecsSinceEpoch(), all))
        emit event(s.mcNo, s.text);
}
