#include "gateway/Gateway.h"

#include "gateway/LinkAdapter.h"
#include "gateway/ModbusServer.h"

#include <QCoreApplication>

Gateway::Gateway(KX5Link* link, QObject* parent)
    : QObject(parent), m_adapter(new LinkAdapter(link, this)),
      m_server(std::make_unique<ModbusServer>(m_adapter)) {
    connect(m_server.get(), &ModbusServer::event, this, &Gateway::event);
    connect(m_server.get(), &ModbusServer::clientsChanged, this, &Gateway::statusChanged);
    connect(m_server.get(), &ModbusServer::countersChanged, this, &Gateway::countersChanged);
    m_retry.setInterval(kRetryMs);
    connect(&m_retry, &QTimer::timeout, this, &Gateway::retry);
}

Gateway::~Gateway() {
    stop();
}

void Gateway::apply(const GatewayOptions& options) {
    stop();
    m_options = options;
    m_error = {};
    // The file's own lines, as the file and the settings window word them.
    for (const FileNotice& e : options.fileErrors + options.fileNotes)
        emit event(0, e);
    if (!options.enabled) return;
    if (const QString p = options.problem(); !p.isEmpty()) {
        m_error = FileNotice{p, options.problem(true)};
    } else if (!options.fileErrors.isEmpty()) {
        m_error = fileNotice("Gateway", QT_TR_NOOP("its settings file has errors"), {});
    } else if (!m_server->start(options, &m_error)) {
        // Said once; the tries that follow are silent until one succeeds.
        const QString every = QString::number(kRetryMs / 1000);
        say(QT_TR_NOOP("Modbus TCP gateway is not listening: %1; trying again every %2 s"),
            {m_error.logged, every}, {m_error.shown, every});
        m_retry.start();
    } else {
        sayListening();
    }
    if (!m_error.isEmpty() && !m_retry.isActive())
        say(QT_TR_NOOP("Modbus TCP gateway is off: %1"), {m_error.logged}, {m_error.shown});
    emit statusChanged();
}

void Gateway::sayListening() {
    m_adapter->setServing(true);
    m_adapter->setImageMaxAgeMs(m_options.imageMaxAgeSeconds * 1000);
    m_adapter->setSerialTimeoutMs(m_options.serialTimeoutMs);
    const GatewayOptions& o = m_options;
    const QStringList args = {o.address, QString::number(o.port), QString::number(o.maxClients)};
    const FileNotice writes =
        o.writes ? fileNotice("Gateway", QT_TR_NOOP("allowed to %1"), {o.allowListText()})
                 : fileNotice("Gateway", QT_TR_NOOP("off"), {});
    say(QT_TR_NOOP("Modbus TCP gateway listening on %1 port %2 (at most %3 clients; writes %4)"),
        args + QStringList{writes.logged}, args + QStringList{writes.shown});
}

void Gateway::retry() {
    FileNotice error;
    if (!m_server->start(m_options, &error)) return;
    m_retry.stop();
    m_error = {};
    sayListening();
    emit statusChanged();
}

void Gateway::stop() {
    m_retry.stop();
    const bool failed = !m_error.isEmpty();
    m_error = {};
    if (!m_server->running()) {
        if (failed) emit statusChanged();
        return;
    }
    // The clients first, so that none of them asks for more line work.
    const quint64 refused = m_server->refused();
    m_server->stop();
    m_adapter->dropJobs();
    m_adapter->setServing(false);
    say(QT_TR_NOOP("Modbus TCP gateway stopped (%1 connections refused)"),
        {QString::number(refused)});
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

const GatewayCounters& Gateway::counters() const {
    return m_server->counters();
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

void Gateway::say(const char* source, const QStringList& args, const QStringList& shownArgs) {
    emit event(0, fileNotice("Gateway", source, args, shownArgs));
}
