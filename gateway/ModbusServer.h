// The Modbus TCP side of the gateway: a QTcpServer on the program's event loop takes
// connections up to the limit (the rest are closed at once and counted), and each client's
// requests are cut from its byte stream and answered by libmodbus on that client's socket.
// Reads are answered from the stations' snapshots; a read of parameters not held yet and every
// write wait for the link without holding anyone else up, and a write is answered only once
// the controller acknowledged it. A client that stays silent, sends what is not Modbus or
// floods loses only its own connection, or waits its own turn.
#pragma once

#include "gateway/GatewayOptions.h"
#include "gateway/RepeatFolder.h"
#include "settings/FileChecks.h"

#include <QObject>
#include <QString>
#include <QTimer>
#include <memory>
#include <vector>

class LinkAdapter;
class ModbusClient;
class QTcpServer;

class ModbusServer : public QObject {
    Q_OBJECT
public:
    // A connection silent this long is closed; so is one that stops halfway through a request
    // for kByteMs.
    static constexpr int kIdleMs = 60000;
    static constexpr int kByteMs = 500;
    // How long a read waits for the station's parameters to be read in.
    static constexpr int kImageWaitMs = 5000;
    // How long a write waits for its turn on the line and the controller's acknowledgement.
    static constexpr int kWriteWaitMs = 30000;
    // Requests answered for one client before the others and the line get their turn.
    static constexpr int kBurst = 16;

    explicit ModbusServer(LinkAdapter* adapter, QObject* parent = nullptr);
    ~ModbusServer() override;

    // Listens as the options say; false with *error when it cannot.
    bool start(const GatewayOptions& options, FileNotice* error);
    // Closes every connection.
    void stop();
    bool running() const;
    int clients() const { return int(m_clients.size()); }
    quint64 refused() const { return m_refused; }
    quint64 answered() const { return m_answered; }
    const GatewayOptions& options() const { return m_options; }
    LinkAdapter* adapter() const { return m_adapter; }

signals:
    // Something the event list should say, in English for the events file and in the user's
    // language for the list; mcNo 0 for the gateway itself.
    void event(int mcNo, const FileNotice& said);
    // A client connected or left, or a connection was refused.
    void clientsChanged();

private:
    friend class ModbusClient;
    void onNewConnection();
    void onClientGone(ModbusClient* c);
    void countAnswer() { ++m_answered; }
    // An event from source (QT_TRANSLATE_NOOP in "Gateway") and args, shown with shownArgs if
    // they are given.
    void say(int mcNo, const char* source, const QStringList& args,
             const QStringList& shownArgs = {});
    // The same for an event a client may repeat many times over: group names the client, the
    // kind of event and the registers (RepeatFolder).
    void sayFolded(const QString& group, int mcNo, const char* source, const QStringList& args,
                   const QStringList& shownArgs);
    void sayCounts(bool all);

    LinkAdapter* m_adapter;
    GatewayOptions m_options;
    QTcpServer* m_server = nullptr;
    std::vector<ModbusClient*> m_clients;
    quint64 m_refused = 0, m_answered = 0;
    RepeatFolder m_repeats;
    QTimer m_countsDue;
};
