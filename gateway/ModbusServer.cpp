#include "gateway/ModbusServer.h"

#include "gateway/LinkAdapter.h"
#include "gateway/RegisterMap.h"
#include "params/ParamInfo.h"

#include <arpa/inet.h>
#include <cerrno>
#include <chrono>
#include <fcntl.h>
#include <modbus/modbus.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

QString peerOf(int fd) {
    sockaddr_storage a{};
    socklen_t n = sizeof a;
    if (getpeername(fd, reinterpret_cast<sockaddr*>(&a), &n) != 0) return QStringLiteral("?");
    char host[INET6_ADDRSTRLEN] = {};
    if (a.ss_family == AF_INET) {
        const auto* v4 = reinterpret_cast<const sockaddr_in*>(&a);
        inet_ntop(AF_INET, &v4->sin_addr, host, sizeof host);
        return QStringLiteral("%1:%2").arg(QLatin1String(host)).arg(ntohs(v4->sin_port));
    }
    const auto* v6 = reinterpret_cast<const sockaddr_in6*>(&a);
    inet_ntop(AF_INET6, &v6->sin6_addr, host, sizeof host);
    return QStringLiteral("[%1]:%2").arg(QLatin1String(host)).arg(ntohs(v6->sin6_port));
}

// "SV1 (301)": a register as the event list names it.
QString regName(int reg) {
    static const char* const keys[] = {"PRINT", "TEXT", "LIST", "FEED", "ZOOM", "SPD"};
    if (reg >= 501 && reg <= 506) return QStringLiteral("%1 (%2)").arg(keys[reg - 501]).arg(reg);
    if (const ParamInfo* p = paramInfo(reg))
        return QStringLiteral("%1 (%2)").arg(QLatin1String(p->name)).arg(reg);
    return QStringLiteral("register %1").arg(reg);
}

QString writesText(const std::vector<std::pair<int, int>>& writes) {
    QStringList parts;
    for (const auto& [reg, value] : writes)
        parts << QStringLiteral("%1 = %2").arg(regName(reg)).arg(value);
    return parts.join(QStringLiteral(", "));
}

QString exceptionText(int code) {
    switch (code) {
    case ModbusException::IllegalFunction:
        return QStringLiteral("writes are off");
    case ModbusException::IllegalAddress:
        return QStringLiteral("not a register clients may write");
    case ModbusException::IllegalValue:
        return QStringLiteral("outside the register's range");
    case ModbusException::PathUnavailable:
        return QStringLiteral("the station is not in use");
    default:
        return QStringLiteral("the station is not answering");
    }
}

void setMs(timeval* tv, int ms) {
    tv->tv_sec = ms / 1000;
    tv->tv_usec = (ms % 1000) * 1000;
}

} // namespace

ModbusServer::ModbusServer(LinkAdapter* adapter, Say say)
    : m_adapter(adapter), m_say(std::move(say)) {}

ModbusServer::~ModbusServer() {
    stop();
}

bool ModbusServer::start(const GatewayOptions& options, QString* error) {
    stop();
    m_options = options;
    m_stopping = false;
    const QByteArray port = QByteArray::number(options.port);
    m_listenCtx = modbus_new_tcp_pi(options.address.toUtf8().constData(), port.constData());
    if (m_listenCtx) m_listenFd = modbus_tcp_pi_listen(m_listenCtx, 16);
    if (!m_listenCtx || m_listenFd < 0) {
        const int err = errno;
        *error = QStringLiteral("cannot listen on %1 port %2: %3")
                     .arg(options.address)
                     .arg(options.port)
                     .arg(QString::fromLocal8Bit(modbus_strerror(err)));
        if (m_listenCtx) modbus_free(m_listenCtx);
        m_listenCtx = nullptr;
        m_listenFd = -1;
        return false;
    }
    if (pipe2(m_wake, O_CLOEXEC) != 0) {
        *error = QStringLiteral("cannot start: %1").arg(QString::fromLocal8Bit(strerror(errno)));
        stop();
        return false;
    }
    m_acceptThread = std::thread([this] { acceptLoop(); });
    return true;
}

void ModbusServer::stop() {
    m_stopping = true;
    if (m_wake[1] >= 0) (void)!write(m_wake[1], "x", 1);
    if (m_acceptThread.joinable()) m_acceptThread.join();
    {
        std::lock_guard lock(m_mutex);
        for (Client& c : m_clients)
            if (c.fd >= 0) shutdown(c.fd, SHUT_RDWR); // wakes its thread
    }
    reap(true);
    if (m_listenCtx) {
        modbus_close(m_listenCtx);
        if (m_listenFd >= 0) close(m_listenFd);
        modbus_free(m_listenCtx);
    }
    m_listenCtx = nullptr;
    m_listenFd = -1;
    for (int& fd : m_wake)
        if (fd >= 0) close(std::exchange(fd, -1));
}

int ModbusServer::clients() const {
    std::lock_guard lock(m_mutex);
    int n = 0;
    for (const Client& c : m_clients)
        n += c.finished ? 0 : 1;
    return n;
}

void ModbusServer::reap(bool all) {
    std::list<Client> done;
    {
        std::lock_guard lock(m_mutex);
        for (auto it = m_clients.begin(); it != m_clients.end();) {
            const auto next = std::next(it);
            if (all || it->finished) done.splice(done.end(), m_clients, it);
            it = next;
        }
    }
    for (Client& c : done)
        if (c.thread.joinable()) c.thread.join();
}

void ModbusServer::acceptLoop() {
    while (!m_stopping) {
        pollfd fds[2] = {{m_listenFd, POLLIN, 0}, {m_wake[0], POLLIN, 0}};
        if (poll(fds, 2, 1000) < 0 && errno != EINTR) break;
        reap(false);
        if (m_stopping || !(fds[0].revents & POLLIN)) continue;
        int s = m_listenFd;
        const int fd = modbus_tcp_pi_accept(m_listenCtx, &s);
        if (fd < 0) continue;
        if (clients() >= m_options.maxClients) {
            const quint64 n = ++m_refused;
            m_say(0, QStringLiteral("Modbus TCP gateway: connection from %1 refused, %2 clients "
                                    "connected already (%3 refused so far)")
                         .arg(peerOf(fd))
                         .arg(m_options.maxClients)
                         .arg(n));
            close(fd);
            continue;
        }
        std::lock_guard lock(m_mutex);
        Client& c = m_clients.emplace_back();
        c.fd = fd;
        c.peer = peerOf(fd);
        c.thread = std::thread([this, &c] { serve(&c); });
    }
}

void ModbusServer::serve(Client* c) {
    timeval tv{};
    setMs(&tv, kSendMs);
    setsockopt(c->fd, SOL_SOCKET, SO_SNDTIMEO, &tv, sizeof tv);
    modbus_t* ctx = modbus_new_tcp("127.0.0.1", 0);
    modbus_mapping_t* map = modbus_mapping_new_start_address(0, 0, 0, 0, 0, RegisterMap::kRegisters,
                                                             0, RegisterMap::kRegisters);
    if (ctx && map) {
        modbus_set_socket(ctx, c->fd);
        modbus_set_indication_timeout(ctx, kIdleMs / 1000, 0);
        modbus_set_byte_timeout(ctx, 0, kByteMs * 1000);
        unsigned char req[MODBUS_TCP_MAX_ADU_LENGTH];
        while (!m_stopping) {
            int len = modbus_receive(ctx, req);
            if (len == 0) continue;
            if (len < 0 && (errno == EMBBADDATA || errno == EMBMDATA)) len = 1; // said below
            if (len < 0) break;
            // The library takes any 7 bytes as a header; a protocol id other than 0, or a
            // length that is not what was read, is someone speaking another protocol.
            const int off = modbus_get_header_length(ctx);
            if (len < off + 1 || req[2] != 0 || req[3] != 0 ||
                ((req[4] << 8) | req[5]) != len - off + 1) {
                m_say(0, QStringLiteral("Modbus TCP gateway: closed the connection of %1: it "
                                        "sent what is not a Modbus request")
                             .arg(c->peer));
                break;
            }
            if (handle(ctx, map, req, len, c->peer) < 0) break;
            ++m_answered;
        }
    }
    if (map) modbus_mapping_free(map);
    if (ctx) modbus_free(ctx);
    std::lock_guard lock(m_mutex);
    close(c->fd);
    c->fd = -1;
    c->finished = true;
}

bool ModbusServer::wait(const std::shared_ptr<LineJob>& job, int ms, QString* why) {
    std::future<LineJob::Result> f = job->done.get_future();
    m_adapter->submit(job);
    const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
    while (!m_stopping && std::chrono::steady_clock::now() < until)
        if (f.wait_for(std::chrono::milliseconds(50)) == std::future_status::ready) {
            const LineJob::Result r = f.get();
            *why = r.text;
            return r.ok;
        }
    job->cancelled = true;
    *why = m_stopping ? QStringLiteral("the gateway stopped") : QStringLiteral("no answer in time");
    return false;
}

int ModbusServer::handle(modbus_t* ctx, modbus_mapping_t* map, const unsigned char* req, int len,
                         const QString& peer) {
    const int off = modbus_get_header_length(ctx);
    const int unit = req[off - 1], fc = req[off];
    const auto word = [&](int i) {
        return len > off + i + 1 ? (req[off + i] << 8) | req[off + i + 1] : -1;
    };
    const auto refuse = [&](int code) { return modbus_reply_exception(ctx, req, unsigned(code)); };
    const auto station = [&] { return m_adapter->snapshot(unit); };
    switch (fc) {
    case MODBUS_FC_READ_HOLDING_REGISTERS:
    case MODBUS_FC_READ_INPUT_REGISTERS: {
        const int first = word(1), count = word(3);
        if (count < 1 || count > MODBUS_MAX_READ_REGISTERS)
            return refuse(ModbusException::IllegalValue);
        RegisterRead r = RegisterMap::read(*station(), first, count);
        if (r.needImage) {
            auto job = std::make_shared<LineJob>();
            job->kind = LineJob::Kind::ReadImage;
            job->mcNo = unit;
            QString why;
            wait(job, kImageWaitMs, &why);
            r = RegisterMap::read(*station(), first, count);
            if (r.needImage) r.exception = ModbusException::TargetFailed;
        }
        if (r.exception != ModbusException::None) return refuse(r.exception);
        for (int i = 0; i < count; ++i) {
            map->tab_registers[first + i] = quint16(r.values[size_t(i)]);
            map->tab_input_registers[first + i] = quint16(r.values[size_t(i)]);
        }
        return modbus_reply(ctx, req, len, map);
    }
    case MODBUS_FC_WRITE_SINGLE_REGISTER:
        return answerWrite(ctx, map, req, len, unit, {{word(1), qint16(word(3))}}, peer);
    case MODBUS_FC_WRITE_MULTIPLE_REGISTERS: {
        const int first = word(1), count = word(3), bytes = len > off + 5 ? req[off + 5] : -1;
        if (count < 1 || count > MODBUS_MAX_WRITE_REGISTERS || bytes != 2 * count ||
            len < off + 6 + bytes)
            return refuse(ModbusException::IllegalValue);
        std::vector<std::pair<int, int>> writes;
        for (int i = 0; i < count; ++i)
            writes.emplace_back(first + i, qint16(word(6 + 2 * i)));
        return answerWrite(ctx, map, req, len, unit, writes, peer);
    }
    default:
        return refuse(MODBUS_EXCEPTION_ILLEGAL_FUNCTION);
    }
}

int ModbusServer::answerWrite(modbus_t* ctx, modbus_mapping_t* map, const unsigned char* req,
                              int len, int unit, const std::vector<std::pair<int, int>>& writes,
                              const QString& peer) {
    const std::shared_ptr<const StationSnapshot> s = m_adapter->snapshot(unit);
    const QString what = writesText(writes);
    // Nothing is written unless every value may be.
    for (const auto& [reg, value] : writes)
        if (const int code = RegisterMap::checkWrite(*s, m_options, reg, value)) {
            m_say(unit, QStringLiteral("Modbus TCP %1: %2 not written: %3 (exception %4)")
                            .arg(peer, what, exceptionText(code))
                            .arg(code, 2, 16, QLatin1Char('0')));
            return modbus_reply_exception(ctx, req, unsigned(code));
        }
    auto job = std::make_shared<LineJob>();
    job->kind = LineJob::Kind::Write;
    job->mcNo = unit;
    job->writes = writes;
    QString why;
    if (!wait(job, kWriteWaitMs, &why)) {
        m_say(unit, QStringLiteral("Modbus TCP %1: %2 not confirmed: %3 (exception 0b)")
                        .arg(peer, what, why));
        return modbus_reply_exception(ctx, req, ModbusException::TargetFailed);
    }
    m_say(unit, QStringLiteral("Modbus TCP %1: %2 written").arg(peer, what));
    // The library echoes the request; the registers it stores in the scratch map are not read.
    return modbus_reply(ctx, req, len, map);
}
