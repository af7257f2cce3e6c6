// Shows a Grid through Qt's views: view row r / column c is grid row r + 1 / column c + 1,
// grid row 0 and column 0 are the headers.
#pragma once

#include <map>

#include "ui/Grid.h"

#include <QAbstractTableModel>
#include <QColor>

inline QColor toQColor(Bgr c) {
    return QColor(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF);
}
inline Bgr fromQColor(const QColor& c) {
    return rgb(c.red(), c.green(), c.blue());
}

class GridModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit GridModel(Grid* grid, QObject* parent = nullptr);

    Grid* grid() const { return m_grid; }
    // Cells are centred unless a column is given another alignment (free text reads better
    // from the left).
    void setColumnAlignment(int col, Qt::Alignment a) { m_align[col] = int(a); }
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    QVariant headerData(int section, Qt::Orientation o, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

private:
    // The colour a cell is painted on, when the grid sets one.
    std::optional<Bgr> background(int col, int row) const;
    void onRowCount(int oldRows, int newRows);
    Grid* m_grid;
    std::map<int, int> m_align;
};
