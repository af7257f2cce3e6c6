// Shows the communication trace a byte to a column, "Send" or "Recv" as the row's header
// with the time it passed as its tooltip.
#pragma once

#include <QAbstractTableModel>

class TraceLog;

class TraceModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit TraceModel(const TraceLog* log, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation o, int role) const override;

private:
    const TraceLog* m_log;
};
