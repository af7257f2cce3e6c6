// "Line Statistics": how each station on the line is doing, from the link's counters, drawn
// again at the next frame after they change while the window is open. Reset starts the counts
// again. Below, while the Modbus TCP gateway runs, what it counted per client and per unit.
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
    // Where the gateway's counts come from, without this window knowing the gateway: counts()
    // is null while it does not run; watch(receiver, changed) has changed run on receiver
    // whenever they change or the gateway starts or stops.
    struct GatewaySource {
        std::function<const GatewayCounters*()> counts;
        std::function<void(QObject* receiver, std::function<void()> changed)> watch;
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
