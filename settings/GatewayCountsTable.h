// What the running gateway counted per client and per unit, as a live table: the gateway window
// and the Line Statistics both show it.
#pragma once

#include "gateway/GatewayCounters.h"

#include <QTableWidget>

class GatewayCountsTable : public QTableWidget {
    Q_OBJECT
public:
    explicit GatewayCountsTable(QWidget* parent = nullptr);
    // A row per client address, then a row per unit; the cells change only where counts did.
    void setCounts(const GatewayCounters& c);
};
