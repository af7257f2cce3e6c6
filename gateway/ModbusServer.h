// The Modbus TCP side of the gateway, on libmodbus: a listening thread that takes connections
// up to the limit (the rest are closed at once and counted), and one thread per client that
// receives its requests and answers each when it chooses. Reads are answered from the
// stations' snapshots; a read of parameters not held yet and every write wait for the link,
// and a write is answered only once the controller acknowledged it. A client that stays silent,
// sends what is not Modbus or stops reading its answers loses only its own connection.
#pragma once

#include "gateway/GatewayOptions.h"

#include <QString>
#include <atomic>
#include <functional>
#include <list>
#include <memory>
#include <mutex>
#include <thread>

class LinkAdapter;
struct StationSnapshot;
typedef struct _modbus modbus_t;
typedef struct _modbus_mapping_t modbus_mapping_t;

class ModbusServer {
public:
    // A connection silent this long is closed; so is one that stops halfway through a request
    // for kByteMs, or does not take an answer within kSendMs.
    static constexpr int kIdleMs = 60000;
    static constexpr int kByteMs = 500;
    static constexpr int kSendMs = 5000;
    // How long a read waits for the station's parameters to be read in.
    static constexpr int kImageWaitMs = 5000;
    // How long a write waits for its turn on the line and the controller's acknowledgement.
    static constexpr int kWriteWaitMs = 30000;

    // say: an event for the event list (station 0 for the gateway itself), from any thread.
    using Say = std::function<void(int mcNo, const QString& text)>;
    ModbusServer(LinkAdapter* adapter, Say say);
    ~ModbusServer();

    // Listens as the options say; false with *error (English) when it cannot.
    bool start(const GatewayOptions& options, QString* error);
    // Closes every connection and waits for the threads.
    void stop();
    bool running() const { return m_listenCtx != nullptr; }
    int clients() const;
    quint64 refused() const { return m_refused; }
    quint64 answered() const { return m_answered; }

private:
    struct Client {
        std::thread thread;
        int fd = -1; // -1 once the client's thread closed it
        QString peer;
        std::atomic<bool> finished{false};
    };
    void acceptLoop();
    void serve(Client* c);
    void reap(bool all);
    int handle(modbus_t* ctx, modbus_mapping_t* map, const unsigned char* req, int len,
               const QString& peer);
    int answerWrite(modbus_t* ctx, modbus_mapping_t* map, const unsigned char* req, int len,
                    int unit, const std::vector<std::pair<int, int>>& writes, const QString& peer);
    // Waits for job's result while the server runs; false when it stopped or the time ran out.
    bool wait(const std::shared_ptr<struct LineJob>& job, int ms, QString* why);

    LinkAdapter* m_adapter;
    Say m_say;
    GatewayOptions m_options;
    modbus_t* m_listenCtx = nullptr;
    int m_listenFd = -1;
    int m_wake[2] = {-1, -1};
    std::thread m_acceptThread;
    std::atomic<bool> m_stopping{false};
    mutable std::mutex m_mutex; // guards m_clients and each Client's fd
    std::list<Client> m_clients;
    std::atomic<quint64> m_refused{0}, m_answered{0};
};
