#include "gateway/ModbusServer.h"

#include "gateway/LinkAdapter.h"
#include "gateway/ModbusClient.h"

#include <QDateTime>
#include <QHostAddress>
#include <QTcpServer>
#include <QTcpSocket>
#include <algorithm>

ModbusServer::ModbusServer(LinkAdapter* adapter, QObject* parent)
    : QObject(parent), m_adapter(adapter) {
    // A count is said within a minute of its span's end; refusals once a minute.
    m_countsDue.setInterval(kRefusalSpanMs);
    connect(&m_countsDue, &QTimer::timeout, this, [this] {
        sayCounts(false);
        sayRefusals();
    });
}

ModbusServer::~ModbusServer() {
    stop();
    // A read still on the line ends after us.
    for (auto& [unit, r] : m_imageReads)
        r.job->done = nullptr;
}

QString ModbusServer::clientName(const QHostAddress& address) {
    bool v4 = false;
    if (const quint32 four = address.toIPv4Address(&v4); v4) return QHostAddress(four).toString();
    return address.toString();
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
    m_counters = {};
    m_refused = 0;
    m_countsDue.start();
    emit countersChanged();
    return true;
}

void ModbusServer::stop() {
    if (!m_server) return;
    delete std::exchange(m_server, nullptr);
    m_countsDue.stop();
    sayCounts(true); // nothing counted is lost
    sayRefusals();
    m_refusalTold = false;
    const std::vector<ModbusClient*> all = std::exchange(m_clients, {});
    for (ModbusClient* c : all) {
        disconnect(c, nullptr, this, nullptr);
        c->close();
        c->deleteLater();
    }
    for (const auto& [client, counts] : m_counters.clients) {
        const FileNotice n = counts.text(true);
        say(0, QT_TRANSLATE_NOOP("Gateway", "Modbus TCP %1: %2"), {client, n.logged},
            {client, n.shown});
    }
    for (const auto& [unit, counts] : m_counters.units) {
        const FileNotice n = counts.text(false);
        say(unit >= 1 && unit <= 99 ? unit : 0,
            QT_TRANSLATE_NOOP("Gateway", "Modbus TCP unit %1: %2"),
            {QString::number(unit), n.logged}, {QString::number(unit), n.shown});
    }
    emit clientsChanged();
}

bool ModbusServer::running() const {
    return m_server != nullptr;
}

void ModbusServer::onNewConnection() {
    while (m_server && m_server->hasPendingConnections()) {
        QTcpSocket* s = m_server->nextPendingConnection();
        if (!m_options.trusts(s->peerAddress())) {
            refuseConnection(s, true);
            continue;
        }
        // Clients that left just before are not counted against the limit.
        if (clients() >= m_options.maxClients)
            for (ModbusClient* c : std::vector<ModbusClient*>(m_clients))
                c->probe();
        if (clients() >= m_options.maxClients) {
            refuseConnection(s, false);
            continue;
        }
        auto* c = new ModbusClient(s, this);
        connect(c, &ModbusClient::gone, this, &ModbusServer::onClientGone);
        m_clients.push_back(c);
        emit clientsChanged();
    }
}

void ModbusServer::refuseConnection(QTcpSocket* s, bool untrusted) {
    const QString client = clientName(s->peerAddress());
    ++m_refused;
    tally(client, 0, GatewayCounters::Tally::Refused);
    // A client that reconnects over and over must not flood the events: the first refusal is
    // said, the rest of the minute is one count.
    if (m_refusalTold) {
        ++m_refusalsUntold;
        if (!m_refusedFrom.contains(client)) m_refusedFrom << client;
    } else if (untrusted) {
        m_refusalTold = true;
        say(0,
            QT_TRANSLATE_NOOP("Gateway", "Modbus TCP gateway: connection from %1 refused: not a "
                                         "trusted client (%2 refused so far)"),
            {client, QString::number(m_refused)});
    } else {
        m_refusalTold = true;
        say(0,
            QT_TRANSLATE_NOOP("Gateway", "Modbus TCP gateway: connection from %1 refused, %2 "
                                         "clients connected already (%3 refused so far)"),
            {client, QString::number(m_options.maxClients), QString::number(m_refused)});
    }
    s->abort();
    s->deleteLater();
    emit clientsChanged();
}

void ModbusServer::sayRefusals() {
    if (m_refusalsUntold == 0) {
        m_refusalTold = false; // a quiet minute: the next refusal is said as it comes
        return;
    }
    say(0,
        QT_TRANSLATE_NOOP("Gateway", "Modbus TCP gateway: %1 more connections refused in the "
                                     "last minute, from %2 (%3 refused so far)"),
        {QString::number(m_refusalsUntold), m_refusedFrom.join(QStringLiteral(", ")),
         QString::number(m_refused)});
    m_refusalsUntold = 0;
    m_refusedFrom.clear();
}

void ModbusServer::onClientGone(ModbusClient* c) {
    const auto it = std::find(m_clients.begin(), m_clients.end(), c);
    if (it == m_clients.end()) return;
    m_clients.erase(it);
    c->deleteLater(); // it may be on the stack below us
    emit clientsChanged();
}

void ModbusServer::readImage(int unit, const std::vector<int>& blocks,
                             std::function<void(bool, bool)> then) {
    ImageRead& r = m_imageReads[unit];
    r.waiting.push_back(std::move(then));
    if (r.job) { // one read serves every client waiting for it; it reads what they need
        for (int b : blocks)
            if (std::find(r.job->blocks.begin(), r.job->blocks.end(), b) == r.job->blocks.end())
                r.job->blocks.push_back(b);
        return;
    }
    r.job = std::make_shared<LineJob>();
    r.job->blocks = blocks;
    r.job->kind = LineJob::Kind::ReadImage;
    r.job->mcNo = unit;
    r.job->done = [this, unit](bool ok, const FileNotice&) {
        auto node = m_imageReads.extract(unit);
        if (node.empty()) return;
        for (const auto& then : node.mapped().waiting)
            then(ok, node.mapped().job->refused);
    };
    m_adapter->submit(r.job);
}

void ModbusServer::writeEnded(const QString& client, int unit, const LineJob& job, bool ok,
                              const FileNotice& why, bool answered) {
    const QString group = writeGroup(client, unit, job.writes);
    if (ok) {
        tally(client, unit, GatewayCounters::Tally::Write);
        sayFolded(group, unit, ModbusClient::writeDone(client, job.writes, answered));
        return;
    }
    const FileNotice refused =
        fileNotice("Gateway", QT_TRANSLATE_NOOP("Gateway", "refused by the controller"), {});
    sayFolded(group, unit,
              ModbusClient::writeFailed(client, job.writes, job.next, job.refused ? refused : why,
                                        job.refused, job.unsent));
}

QString ModbusServer::writeGroup(const QString& client, int unit,
                                 const std::vector<std::pair<int, int>>& writes) {
    QStringList regs;
    for (const auto& w : writes)
        regs << QString::number(w.first);
    return QStringList{client, QString::number(unit), regs.join(',')}.join('|');
}

void ModbusServer::say(int mcNo, const char* source, const QStringList& args,
                       const QStringList& shownArgs) {
    emit event(mcNo, fileNotice("Gateway", source, args, shownArgs));
}

void ModbusServer::sayFolded(const QString& group, int mcNo, const FileNotice& text) {
    for (const RepeatFolder::Said& s :
         m_repeats.occur(group, mcNo, text, QDateTime::currentMSecsSinceEpoch()))
        emit event(s.mcNo, s.text);
}

void ModbusServer::sayCounts(bool all) {
    for (const RepeatFolder::Said& s : m_repeats.due(QDateTime::currentMSecsSinceEpoch(), all))
        emit event(s.mcNo, s.text);
}
