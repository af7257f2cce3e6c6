#include "gateway/ModbusClient.h"

#include "gateway/LinkAdapter.h"
#include "gateway/ModbusServer.h"
#include "gateway/RegisterMap.h"
#include "registers/ParamInfo.h"

#include <QCoreApplication>
#include <QHostAddress>
#include <QPointer>
#include <QStringList>
#include <QTcpSocket>
#include <algorithm>
#include <modbus/modbus.h>

namespace {

constexpr int kHeader = 7; // transaction, protocol, length, unit

// "SV1 (301)": a register as the event list names it, in English or in the user's language.
QString regName(int reg, bool shown) {
    static const char* const keys[] = {"PRINT", "TEXT", "LIST", "FEED", "ZOOM", "SPD"};
    if (reg >= 501 && reg <= 506) return QStringLiteral("%1 (%2)").arg(keys[reg - 501]).arg(reg);
    if (const ParamInfo* p = paramInfo(reg))
        return QStringLiteral("%1 (%2)").arg(QLatin1String(p->name)).arg(reg);
    const char* source = QT_TRANSLATE_NOOP("Gateway", "register %1");
    return (shown ? QCoreApplication::translate("Gateway", source) : QString::fromUtf8(source))
        .arg(reg);
}

QString writesText(const std::vector<std::pair<int, int>>& writes, bool shown = false) {
    QStringList parts;
    for (const auto& [reg, value] : writes)
        parts << QStringLiteral("%1 = %2").arg(regName(reg, shown)).arg(value);
    return parts.join(QStringLiteral(", "));
}

const char* exceptionText(int code) {
    switch (code) {
    case ModbusException::IllegalFunction:
        return QT_TRANSLATE_NOOP("Gateway", "writes are off");
    case ModbusException::IllegalAddress:
        return QT_TRANSLATE_NOOP("Gateway", "not a register clients may write");
    case ModbusException::IllegalValue:
        return QT_TRANSLATE_NOOP("Gateway", "outside the register's range");
    case ModbusException::PathUnavailable:
        return QT_TRANSLATE_NOOP("Gateway", "the station is not in use");
    case ModbusException::ServerFailure:
        return QT_TRANSLATE_NOOP("Gateway", "refused by the controller");
    default:
        return QT_TRANSLATE_NOOP("Gateway", "the station is not answering");
    }
}

const unsigned char* bytes(const QByteArray& b) {
    return reinterpret_cast<const unsigned char*>(b.constData());
}

} // namespace

ModbusClient::ModbusClient(QTcpSocket* socket, ModbusServer* server)
    : QObject(server), m_server(server), m_socket(socket) {
    m_socket->setParent(this);
    // Bytes a waiting client sends stay with the system, which slows the sender down.
    m_socket->setReadBufferSize(4 * MODBUS_TCP_MAX_ADU_LENGTH);
    const QHostAddress a = m_socket->peerAddress();
    m_client = ModbusServer::clientName(a);
    m_peer =
        (m_client.contains(QLatin1Char(':')) ? QStringLiteral("[%1]:%2") : QStringLiteral("%1:%2"))
            .arg(m_client)
            .arg(m_socket->peerPort());
    // libmodbus builds every answer and sends it on this socket; the bytes in are ours to cut.
    m_ctx = modbus_new_tcp("127.0.0.1", 0);
    m_map = modbus_mapping_new_start_address(0, 0, 0, 0, 0, RegisterMap::kMapSize, 0,
                                             RegisterMap::kMapSize);
    if (m_ctx) modbus_set_socket(m_ctx, int(m_socket->socketDescriptor()));

    m_idle.setSingleShot(true);
    m_idle.setInterval(m_server->options().idleSeconds * 1000);
    m_byte.setSingleShot(true);
    m_byte.setInterval(ModbusServer::kByteMs);
    m_waitTimer.setSingleShot(true);
    connect(&m_idle, &QTimer::timeout, this, &ModbusClient::close);
    connect(&m_byte, &QTimer::timeout, this, &ModbusClient::close);
    connect(&m_waitTimer, &QTimer::timeout, this, &ModbusClient::onWaitTimedOut);
    connect(m_socket, &QTcpSocket::readyRead, this, [this] {
        restartIdle();
        serve();
    });
    connect(m_socket, &QTcpSocket::disconnected, this, &ModbusClient::close);
    // A look at the socket that finds nothing is not an error of the connection.
    connect(m_socket, &QTcpSocket::errorOccurred, this, [this](QAbstractSocket::SocketError e) {
        if (e != QAbstractSocket::SocketTimeoutError) close();
    });
    restartIdle();
    if (!m_ctx || !m_map)
        QMetaObject::invokeMethod(this, &ModbusClient::close, Qt::QueuedConnection);
}

ModbusClient::~ModbusClient() {
    // A write on the line ends without us, and the server says it.
    if (m_waiting && m_waiting->job) m_waiting->job->cancelled = true;
    if (m_map) modbus_mapping_free(m_map);
    if (m_ctx) modbus_free(m_ctx); // the socket is Qt's to close
}

void ModbusClient::restartIdle() {
    if (m_server->options().idleSeconds > 0) m_idle.start();
}

void ModbusClient::close() {
    if (m_closed) return;
    m_closed = true;
    // What it waits for is not sent once it is gone; what is on the line ends as it will.
    if (m_waiting && m_waiting->job) m_waiting->job->cancelled = true;
    m_idle.stop();
    m_byte.stop();
    m_waitTimer.stop();
    m_socket->abort();
    emit gone(this);
}

void ModbusClient::probe() {
    if (!m_closed && m_socket->state() == QAbstractSocket::ConnectedState)
        m_socket->waitForReadyRead(0);
}

void ModbusClient::serve() {
    for (int served = 0; !m_closed && !m_waiting; ++served) {
        if (served == ModbusServer::kBurst) { // the others' turn; the rest after them
            QMetaObject::invokeMethod(this, &ModbusClient::serve, Qt::QueuedConnection);
            return;
        }
        const qint64 have = m_socket->bytesAvailable();
        const QByteArray head = m_socket->peek(kHeader);
        // The library builds answers from any 7 bytes; a protocol id other than 0 or a length
        // no request has is someone speaking another protocol.
        const int length = head.size() >= 6 ? (quint8(head[4]) << 8) | quint8(head[5]) : 0;
        if (head.size() >= 6 && (head[2] != 0 || head[3] != 0 || length < 2 ||
                                 length > MODBUS_TCP_MAX_ADU_LENGTH - 6)) {
            m_server->say(0,
                          QT_TRANSLATE_NOOP("Gateway",
                                            "Modbus TCP gateway: closed the connection "
                                            "of %1: it sent what is not a Modbus request"),
                          {m_peer});
            close();
            return;
        }
        if (head.size() < 6 || have < 6 + length) {
            // Half a request has kByteMs to be finished.
            if (have == 0)
                m_byte.stop();
            else if (!m_byte.isActive())
                m_byte.start();
            return;
        }
        m_byte.stop();
        if (!handle(m_socket->read(6 + length))) {
            close();
            return;
        }
    }
}

bool ModbusClient::handle(const QByteArray& req) {
    const int len = int(req.size());
    const int unit = quint8(req[kHeader - 1]), fc = quint8(req[kHeader]);
    m_server->tally(m_client, unit, GatewayCounters::Tally::Request);
    const auto word = [&](int i) {
        return len > kHeader + i + 1
                   ? (quint8(req[kHeader + i]) << 8) | quint8(req[kHeader + i + 1])
                   : -1;
    };
    switch (fc) {
    case MODBUS_FC_READ_HOLDING_REGISTERS:
    case MODBUS_FC_READ_INPUT_REGISTERS: {
        const int first = word(1), count = word(3);
        if (count < 1 || count > MODBUS_MAX_READ_REGISTERS)
            return refuse(req, ModbusException::IllegalValue);
        return answerRead(req, unit, first, count, false);
    }
    case MODBUS_FC_WRITE_SINGLE_REGISTER:
        return answerWrite(req, unit, {{word(1), qint16(word(3))}});
    case MODBUS_FC_WRITE_MULTIPLE_REGISTERS: {
        const int first = word(1), count = word(3),
                  n = len > kHeader + 5 ? quint8(req[kHeader + 5]) : -1;
        if (count < 1 || count > MODBUS_MAX_WRITE_REGISTERS || n != 2 * count ||
            len < kHeader + 6 + n)
            return refuse(req, ModbusException::IllegalValue);
        std::vector<std::pair<int, int>> writes;
        for (int i = 0; i < count; ++i)
            writes.emplace_back(first + i, qint16(word(6 + 2 * i)));
        return answerWrite(req, unit, std::move(writes));
    }
    default:
        return refuse(req, MODBUS_EXCEPTION_ILLEGAL_FUNCTION);
    }
}

bool ModbusClient::answerRead(const QByteArray& req, int unit, int first, int count, bool waited) {
    RegisterRead r = RegisterMap::read(m_server->adapter()->station(unit), first, count);
    if (r.needImage && !waited) {
        wait({req, unit, first, count, {}, nullptr, 0});
        return true;
    }
    if (r.needImage) r.exception = ModbusException::TargetFailed;
    if (r.exception != ModbusException::None) return refuse(req, r.exception);
    for (int i = 0; i < count; ++i) {
        m_map->tab_registers[first + i] = quint16(r.values[size_t(i)]);
        m_map->tab_input_registers[first + i] = quint16(r.values[size_t(i)]);
    }
    return reply(req);
}

bool ModbusClient::answerWrite(const QByteArray& req, int unit,
                               std::vector<std::pair<int, int>> writes) {
    const StationView s = m_server->adapter()->station(unit);
    // Nothing is written unless every value may be.
    for (const auto& [reg, value] : writes)
        if (const int code = RegisterMap::checkWrite(s, m_server->options(), reg, value)) {
            const QString hex = QStringLiteral("%1").arg(code, 2, 16, QLatin1Char('0'));
            const char* why = exceptionText(code);
            m_server->sayFolded(
                ModbusServer::writeGroup(m_client, unit, writes), unit,
                fileNotice("Gateway",
                           QT_TRANSLATE_NOOP("Gateway",
                                             "Modbus TCP %1: %2 not written: %3 (exception %4)"),
                           {m_client, writesText(writes), QString::fromUtf8(why), hex},
                           {m_client, writesText(writes, true),
                            QCoreApplication::translate("Gateway", why), hex}));
            return refuse(req, code);
        }
    auto job = std::make_shared<LineJob>();
    job->kind = LineJob::Kind::Write;
    job->mcNo = unit;
    job->writes = writes;
    wait({req, unit, 0, 0, std::move(writes), job, 0});
    return true;
}

void ModbusClient::wait(Waiting w) {
    w.serial = ++m_serial;
    const quint64 serial = w.serial;
    const QPointer self(this);
    if (!w.job) {
        const std::vector<int> blocks =
            RegisterMap::read(m_server->adapter()->station(w.unit), w.first, w.count).blocks;
        m_server->readImage(w.unit, blocks, [self, serial](bool ok, bool refused) {
            if (self)
                self->onWaitEnded(serial, ok,
                                  refused ? ModbusException::ServerFailure
                                          : ModbusException::TargetFailed);
        });
    } else {
        // The record of a write must not depend on the client still being there.
        w.job->done = [self, serial, server = QPointer(m_server), client = m_client, unit = w.unit,
                       job = w.job.get()](bool ok, const FileNotice& why) {
            const bool answered =
                self && self->m_waiting && self->m_waiting->serial == serial && !self->m_closed;
            if (server) server->writeEnded(client, unit, *job, ok, why, answered);
            if (self)
                self->onWaitEnded(serial, ok,
                                  job->refused ? ModbusException::ServerFailure
                                               : ModbusException::TargetFailed);
        };
        m_server->adapter()->submit(w.job);
    }
    m_waiting = std::move(w);
    m_waitTimer.start(m_server->options().answerWaitMs);
}

void ModbusClient::onWaitTimedOut() {
    if (!m_waiting) return;
    const Waiting w = std::move(*m_waiting);
    m_waiting.reset();
    // A write still waiting for its turn is not sent now that the client has its answer (one
    // the link has taken goes on, and its event says so); a read of the station goes on for
    // the client's next try.
    if (w.job) w.job->cancelled = true;
    m_server->tally(m_client, w.unit, GatewayCounters::Tally::TimeOut);
    if (!refuse(w.req, ModbusException::TargetFailed))
        close();
    else
        serve(); // what came in meanwhile
}

void ModbusClient::onWaitEnded(quint64 serial, bool ok, int code) {
    if (!m_waiting || m_waiting->serial != serial) return; // answered already
    m_waitTimer.stop();
    const Waiting w = std::move(*m_waiting);
    m_waiting.reset();
    bool sent;
    if (w.writes.empty())
        sent = ok ? answerRead(w.req, w.unit, w.first, w.count, true) : refuse(w.req, code);
    else
        // The library echoes the request; what it stores in the scratch map is not read.
        sent = ok ? reply(w.req) : refuse(w.req, code);
    if (!sent)
        close();
    else
        serve(); // what came in meanwhile
}

FileNotice ModbusClient::writeDone(const QString& client,
                                   const std::vector<std::pair<int, int>>& writes, bool answered) {
    // A client that gave up before the acknowledgement was told 0b or nothing: the record
    // says it was written all the same.
    return answered
               ? fileNotice("Gateway", QT_TRANSLATE_NOOP("Gateway", "Modbus TCP %1: %2 written"),
                            {client, writesText(writes)}, {client, writesText(writes, true)})
               : fileNotice("Gateway",
                            QT_TRANSLATE_NOOP("Gateway", "Modbus TCP %1: %2 written after the "
                                                         "client stopped waiting"),
                            {client, writesText(writes)}, {client, writesText(writes, true)});
}

FileNotice ModbusClient::writeFailed(const QString& client,
                                     const std::vector<std::pair<int, int>>& writes, size_t written,
                                     const FileNotice& why, bool refused, bool unsent) {
    written = std::min(written, writes.size());
    const size_t failed = unsent ? written : std::min(written + 1, writes.size());
    QStringList logged, shown;
    const auto add = [&](const char* source, size_t from, size_t to) {
        if (from >= to) return;
        const std::vector part(writes.begin() + qsizetype(from), writes.begin() + qsizetype(to));
        const FileNotice n =
            fileNotice("Gateway", source, {writesText(part)}, {writesText(part, true)});
        logged << n.logged;
        shown << n.shown;
    };
    add(QT_TRANSLATE_NOOP("Gateway", "%1 written"), 0, written);
    add(refused ? QT_TRANSLATE_NOOP("Gateway", "%1 refused")
                : QT_TRANSLATE_NOOP("Gateway", "%1 not confirmed"),
        written, failed);
    add(QT_TRANSLATE_NOOP("Gateway", "%1 not sent"), failed, writes.size());
    const QString code = refused ? QStringLiteral("04") : QStringLiteral("0b");
    return fileNotice("Gateway",
                      QT_TRANSLATE_NOOP("Gateway", "Modbus TCP %1: %2: %3 (exception %4)"),
                      {client, logged.join(QStringLiteral("; ")), why.logged, code},
                      {client, shown.join(QStringLiteral("; ")), why.shown, code});
}

bool ModbusClient::refuse(const QByteArray& req, int code) {
    if (m_closed) return false;
    const bool ok = modbus_reply_exception(m_ctx, bytes(req), unsigned(code)) > 0;
    if (ok)
        m_server->tally(m_client, quint8(req[kHeader - 1]), GatewayCounters::Tally::Exception,
                        code);
    return ok;
}

bool ModbusClient::reply(const QByteArray& req) {
    if (m_closed) return false;
    const bool ok = modbus_reply(m_ctx, bytes(req), int(req.size()), m_map) > 0;
    if (ok) m_server->tally(m_client, quint8(req[kHeader - 1]), GatewayCounters::Tally::Answer);
    return ok;
}
