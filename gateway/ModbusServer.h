// The Modbus TCP side of the gateway: a QTcpServer on the program's event loop takes
// connections from trusted clients up to the limit (the rest are closed at once and counted),
// and each client's requests are cut from its byte stream and answered by libmodbus on that
// client's socket. Reads are answered from the line model's stations in place; a read of parameters
// not held yet and every write wait for the link without holding anyone else up, and a write is
// answered only once the controller acknowledged it. A client that stays silent, sends what is
// not Modbus or floods loses only its own connection, or waits its own turn.
#pragma once

#include "files/FileChecks.h"
#include "files/GatewayOptions.h"
#include "gateway/GatewayCounters.h"
#include "gateway/RepeatFolder.h"

#include <QObject>
#include <QString>
#include <QTimer>
#include <functional>
#include <map>
#include <memory>
#include <vector>

class LinkAdapter;
class ModbusClient;
class QHostAddress;
class QTcpServer;
class QTcpSocket;
struct LineJob;

class ModbusServer : public QObject {
    Q_OBJECT
public:
    // A connection that stops halfway through a request is closed after this long.
    static constexpr int kByteMs = 500;
    // Requests answered for one client before the others and the line get their turn.
    static constexpr int kBurst = 16;
    // Refused connections after the first are told as one count a minute.
    static constexpr int kRefusalSpanMs = 60000;

    explicit ModbusServer(LinkAdapter* adapter, QObject* parent = nullptr);
    ~ModbusServer() override;

    // Listens as the options say; false with *error when it cannot.
    bool start(const GatewayOptions& options, FileNotice* error);
    // Closes every connection; says what was counted.
    void stop();
    bool running() const;
    int clients() const { return int(m_clients.size()); }
    quint64 refused() const { return m_refused; }
    const GatewayCounters& counters() const { return m_counters; }
    const GatewayOptions& options() const { return m_options; }
    LinkAdapter* adapter() const { return m_adapter; }

    // The events of one client's writes to the same registers of a unit fold together.
    static QString writeGroup(const QString& client, int unit,
                              const std::vector<std::pair<int, int>>& writes);
    // "127.0.0.1": a client as its events and counters name it, whatever port it came from.
    static QString clientName(const QHostAddress& address);

signals:
    // Something the event list should say, in English for the events file and in the user's
    // language for the list; mcNo 0 for the gateway itself.
    void event(int mcNo, const FileNotice& said);
    // A client connected or left, or a connection was refused.
    void clientsChanged();
    // What counters() holds changed: one more counted, or all cleared at a start.
    void countersChanged();

private:
    friend class ModbusClient;
    void onNewConnection();
    void refuseConnection(QTcpSocket* s, bool untrusted);
    void onClientGone(ModbusClient* c);
    void tally(const QString& client, int unit, GatewayCounters::Tally what, int code = 0) {
        m_counters.add(client, unit, what, code);
        emit countersChanged();
    }
    // The station's parameters read in for any client that asks; then(ok, refused) for each,
    // once, when the one read of it ended.
    void readImage(int unit, const std::vector<int>& blocks,
                   std::function<void(bool ok, bool refused)> then);
    // A client's write ended: said whether or not the client is still there to be answered.
    void writeEnded(const QString& client, int unit, const LineJob& job, bool ok,
                    const FileNotice& why, bool answered);
    // An event from source (QT_TRANSLATE_NOOP in "Gateway") and args, shown with shownArgs if
    // they are given.
    void say(int mcNo, const char* source, const QStringList& args,
             const QStringList& shownArgs = {});
    // The same for an event a client may repeat many times over: group names the client, the
    // kind of event and the registers (RepeatFolder).
    void sayFolded(const QString& group, int mcNo, const FileNotice& text);
    void sayCounts(bool all);
    void sayRefusals();

    LinkAdapter* m_adapter;
    GatewayOptions m_options;
    QTcpServer* m_server = nullptr;
    std::vector<ModbusClient*> m_clients;
    quint64 m_refused = 0;
    GatewayCounters m_counters;
    RepeatFolder m_repeats;
    QTimer m_countsDue;
    // Refusals not told yet, and from where; whether one was told in this span.
    quint64 m_refusalsUntold = 0;
    QStringList m_refusedFrom;
    bool m_refusalTold = false;
    struct ImageRead {
        std::shared_ptr<LineJob> job;
        std::vector<std::function<void(bool, bool)>> waiting;
    };
    std::map<int, ImageRead> m_imageReads;
};
