// One Modbus TCP connection of the gateway. Requests are cut from the socket's bytes by the
// length in their header and answered in order, by libmodbus on the socket's own descriptor;
// while one waits for the link the rest stay in the socket, so a client that floods only slows
// itself down.
#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QTimer>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

class ModbusServer;
class QTcpSocket;
struct FileNotice;
struct LineJob;
typedef struct _modbus modbus_t;
typedef struct _modbus_mapping_t modbus_mapping_t;

class ModbusClient : public QObject {
    Q_OBJECT
public:
    ModbusClient(QTcpSocket* socket, ModbusServer* server);
    ~ModbusClient() override;

    QString peer() const { return m_peer; }
    // The event of a write the controller acknowledged; answered: the client still waited
    // for it.
    static FileNotice writeDone(const QString& client,
                                const std::vector<std::pair<int, int>>& writes, bool answered);
    // The event of a write that failed after `written` of its registers were acknowledged:
    // which are written, which one the controller refused or did not confirm, and which were
    // never sent (unsent: not even the next one went out), with the exception answered.
    static FileNotice writeFailed(const QString& client,
                                  const std::vector<std::pair<int, int>>& writes, size_t written,
                                  const FileNotice& why, bool refused = false, bool unsent = false);
    // Drops the connection; the server hears of it through gone().
    void close();
    // Looks at the socket now, so that a client that has left is gone() before its end of
    // file would be noticed by the event loop.
    void probe();

signals:
    void gone(ModbusClient* self);

private:
    // A request waiting for the link.
    struct Waiting {
        QByteArray req;
        int unit = 0, first = 0, count = 0;
        std::vector<std::pair<int, int>> writes; // empty for a read
        std::shared_ptr<LineJob> job;            // a write's
        quint64 serial = 0;                      // which wait of this client it is
    };

    void serve();
    // Answers req now, or leaves it waiting; false when the connection must close.
    bool handle(const QByteArray& req);
    bool answerRead(const QByteArray& req, int unit, int first, int count, bool waited);
    bool answerWrite(const QByteArray& req, int unit, std::vector<std::pair<int, int>> writes);
    void wait(Waiting w);
    // The wait `serial` ended: the line work is done, or failed with exception code.
    void onWaitEnded(quint64 serial, bool ok, int code);
    void onWaitTimedOut();
    void restartIdle();
    bool refuse(const QByteArray& req, int code);
    bool reply(const QByteArray& req);

    ModbusServer* m_server;
    QTcpSocket* m_socket;
    QString m_peer;   // address and port, for what concerns this connection
    QString m_client; // the address alone, for what it asks of the line
    modbus_t* m_ctx = nullptr;
    modbus_mapping_t* m_map = nullptr;
    std::optional<Waiting> m_waiting;
    quint64 m_serial = 0;
    QTimer m_idle, m_byte, m_waitTimer;
    bool m_closed = false;
};
