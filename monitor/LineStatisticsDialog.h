// "Line Statistics": how each station on the line is doing, from the link's counters, drawn
// again at the next frame after they change while the window is open. Reset starts the counts
// again. Below, while the Modbus TCP gateway runs, what it counted per client and per unit.
#pragma once

#include "gateway/GatewayCounters.h"

#include <QDialog>
#include <QTimer>
#include <functional>

class KX5Link;
class QTableWidget;
class GatewayCountsTable;

class LineStatisticsDialog : public QDialog {
    Q_OBJECT
public:
    explicit LineStatisticsDialog(KX5Link* link, QWidget* parent = nullptr);
    void refresh();
    QTableWidget* table() const { return m_table; }
    // Where the gateway's counts come from (null while it does not run), and how to hear
    // they changed.
    struct GatewaySource {
        std::function<const GatewayCounters*()> counts;
        GatewayWatch watch;
    };
    void setGatewayCounters(GatewaySource source);
    QTimer tmrRefresh; // 16 ms, once after a change

private:
    void changed();

    KX5Link* m_link;
    QTableWidget* m_table;
    GatewayCountsTable* m_gateway;
    GatewaySource m_gatewaySource;
};
