// The Modbus TCP gateway: each station on the line a Modbus unit (unit id = MC No) for the
// plant's SCADA, PLCs and panels, while this program keeps the serial line and its pacing.
// Off until its options say otherwise; start, stop and failures to listen are events.
#pragma once

#include "gateway/GatewayOptions.h"

#include <QObject>
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
    const GatewayOptions& options() const { return m_options; }
    // For the status bar, translated: where it listens, the clients connected and the
    // connections refused, or that it cannot listen; "" while the gateway is off.
    QString statusText() const;
    // Why the gateway is not listening though its options say it should, in English.
    QString error() const { return m_error; }

signals:
    // Something the event list should say; mcNo 0 for the gateway itself.
    void event(int mcNo, const QString& text);
    // statusText() changed: started, stopped, failed, a client came or left, one was refused.
    void statusChanged();

private:
    GatewayOptions m_options;
    QString m_error;
    LinkAdapter* m_adapter;
    std::unique_ptr<ModbusServer> m_server;
};
