// The monitor table: one row per station in use, headed by its MC No, with the last monitor
// reading's registers as numbers and whether the reading is current, shown from the line model.
#pragma once

#include "link/LineModel.h"

#include <QAbstractTableModel>

class MonitorTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit MonitorTableModel(const LineModel* line, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation o, int role) const override;
    // The reading's position shown in a column (MonitorCol, from 1); -1 for COMSTS.
    static int regOfColumn(int col);
    // "OK" while the reading is current, "NG" once an exchange failed, nothing before.
    static QString comStsText(const LineModel::Station& s);

private:
    void onChanged(int mcNo, LineModel::Changes what);
    const LineModel* m_line;
};
