// A horizontal header that draws a Grid's two header rows with their joined cells: row 0
// texts on top, the second row's texts below, a cell joined over both rows drawn once at full
// height. Hidden columns inside a joined cell simply narrow it.
#pragma once

#include <QHeaderView>
#include <vector>

class Grid;

class TwoRowHeaderView : public QHeaderView {
    Q_OBJECT
public:
    explicit TwoRowHeaderView(Grid* grid, QWidget* parent = nullptr);

    // One drawn header cell: columns first..last (grid columns from 1), header row top (0 or
    // 1) and how many rows it covers.
    struct Cell {
        int first, last, top, rows;
        QString text;
    };
    std::vector<Cell> cells() const;
    // Width a text needs in a header cell, padding included.
    int textWidth(const QString& text) const;

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* e) override;

private:
    Grid* m_grid;
};
