// A table view of a Grid: hidden columns, joined cells, drop-down and button cells, the corner
// cell's text, and the grid's click notifications.
#pragma once

#include "ui/GridModel.h"

#include <QTableView>

class QAbstractButton;

class GridView : public QTableView {
    Q_OBJECT
public:
    explicit GridView(Grid* grid, QWidget* parent = nullptr);
    Grid* grid() const { return m_model->grid(); }
    GridModel* gridModel() const { return m_model; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void applyLayout();
    void showCornerText();
    GridModel* m_model;
    QAbstractButton* m_corner = nullptr;
};
