#include "settings/GatewayCountsTable.h"

#include <QHeaderView>

GatewayCountsTable::GatewayCountsTable(QWidget* parent) : QTableWidget(0, 7, parent) {
    setObjectName(QStringLiteral("grdCounters"));
    setAccessibleName(tr("Counted since the gateway started"));
    setHorizontalHeaderLabels({tr("Client or unit"), tr("Requests"), tr("Answers"),
                               tr("Exceptions"), tr("Time-outs"), tr("Writes"), tr("Refused")});
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    verticalHeader()->hide();
    // The numbers share what the names and the exceptions leave, so no column is cut off.
    horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    for (int col : {0, 3})
        horizontalHeader()->setSectionResizeMode(col, QHeaderView::ResizeToContents);
    setMinimumHeight(120);
}

void GatewayCountsTable::setCounts(const GatewayCounters& c) {
    setRowCount(int(c.clients.size() + c.units.size()));
    int row = 0;
    const auto put = [&](const QString& who, const GatewayCounts& n, bool client) {
        const QStringList cells = {who,
                                   QString::number(n.requests),
                                   QString::number(n.answers),
                                   n.exceptions.empty() ? QStringLiteral("0") : n.exceptionsText(),
                                   QString::number(n.timeouts),
                                   QString::number(n.writes),
                                   client ? QString::number(n.refused) : QString()};
        for (int col = 0; col < int(cells.size()); ++col) {
            QTableWidgetItem* cell = item(row, col);
            if (!cell) {
                setItem(row, col, cell = new QTableWidgetItem);
                cell->setTextAlignment(col == 0 ? Qt::AlignLeft | Qt::AlignVCenter
                                                : Qt::AlignRight | Qt::AlignVCenter);
            }
            if (cell->text() != cells[col]) cell->setText(cells[col]);
        }
        ++row;
    };
    for (const auto& [client, n] : c.clients)
        put(client, n, true);
    for (const auto& [unit, n] : c.units)
        put(tr("MC %1").arg(unit), n, false);
}
