// "Line Statistics": how each station on the line is doing, from the link's counters,
// refreshed every second while the window is open. Reset starts the counts again. Below, while
// the Modbus TCP gateway runs, what it counted per client and per unit.
#pragma once

#include <QDialog>
#include <QTimer>
#include <functional>

class KX5Link;
class QTableWidget;
class GatewayCountsTable;
struct GatewayCounters;

class LineStatisticsDialog : public QDialog {
    Q_OBJECT
public:
    explicit LineStatisticsDialog(KX5Link* link, QWidget* parent = nullptr);
    void refresh();
    QTableWidget* table() const { return m_table; }
    // Where the gateway's counts come from; they return null while it does not run.
    using GatewaySource = std::function<const GatewayCounters*()>;
    void setGatewayCounters(GatewaySource source);
    QTimer tmrRefresh;

private:
    KX5Link* m_link;
    QTableWidget* m_table;
    GatewayCountsTable* m_gateway;
    GatewaySource m_gatewaySource;
};
