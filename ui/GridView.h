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
    // Ends the cell edit in progress, keeping what is typed or picked in the grid.
    void commitOpenEditor();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    // Every button of the window commits an open cell edit before it acts: a button given by
    // its shortcut or as the default on Return takes no focus, so the editor would keep the
    // last edit from the grid that OK reads.
    void showEvent(QShowEvent* event) override;
    // The cell that focus first lands on is made current without opening its editor, so Esc
    // closes a window at once; typing, F2 or a click still edit.
    void focusInEvent(QFocusEvent* event) override;

private:
    void applyLayout();
    void showCornerText();
    GridModel* m_model;
    QAbstractButton* m_corner = nullptr;
};
