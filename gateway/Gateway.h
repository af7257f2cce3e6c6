// The Modbus TCP gateway: each station on the line a Modbus unit (unit id = MC No) for the
// plant's SCADA, PLCs and panels, while this program keeps the serial line and its pacing.
// Off until its options say otherwise; start, stop and failures to listen are events. A port
// it cannot listen on (another program has it, the address is not up yet) is tried again every
// few seconds, so a service started before its network ends up serving.
#pragma once

#include "files/FileChecks.h"
#include "files/GatewayOptions.h"
#include "gateway/GatewayCounters.h"

#include <QObject>
#include <QTimer>
#include <memory>

class KX5Link;
class LinkAdapter;
class ModbusServer;

class Gateway : public QObject {
    Q_OBJECT
public:
    explicit Gateway(KX5Link* link, QObject* parent = nullptr);
    ~Gateway() override;

    // Stops what runs and, when the options are enabled, listens with them.
    void apply(const GatewayOptions& options);
    void stop();
    bool listening() const;
    int clients() const;
    quint64 refused() const;
    // What was counted since it last started listening.
    const GatewayCounters& counters() const;
    static constexpr int kRetryMs = 3000;
    const GatewayOptions& options() const { return m_options; }
    LinkAdapter* adapter() const { return m_adapter; }
    // For the status bar, translated: where it listens, the clients connected and the
    // connections refused, or that it cannot listen; "" while the gateway is off.
    QString statusText() const;
    // Why the gateway is not listening though its options say it should, in the user's
    // language (the events file has it in English).
    QString error() const { return m_error.shown; }
    // The same in both languages.
    const FileNotice& failure() const { return m_error; }

signals:
    // Something the event list should say, in English for the events file and in the user's
    // language for the list; mcNo 0 for the gateway itself.
    void event(int mcNo, const FileNotice& said);
    // statusText() changed: started, stopped, failed, a client came or left, one was refused.
    void statusChanged();
    // What counters() holds changed.
    void countersChanged();

private:
    // An event of the gateway itself from source (QT_TR_NOOP) and args, shown with shownArgs if
    // given.
    void say(const char* source, const QStringList& args, const QStringList& shownArgs = {});
    void sayListening();
    void retry();

    GatewayOptions m_options;
    FileNotice m_error;
    LinkAdapter* m_adapter;
    std::unique_ptr<ModbusServer> m_server;
    QTimer m_retry;
};
