// A table view of a Grid: hidden columns, joined cells, drop-down and button cells, and the
// grid's click notifications.
#pragma once

#include "ui/GridModel.h"

#include <QTableView>

class GridView : public QTableView {
    Q_OBJECT
public:
    explicit GridView(Grid* grid, QWidget* parent = nullptr);
    Grid* grid() const { return m_model->grid(); }
    GridModel* gridModel() const { return m_model; }

private:
    void applyLayout();
    GridModel* m_model;
};
