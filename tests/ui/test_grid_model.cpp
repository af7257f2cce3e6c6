// Grid text colours under any palette; the store is tests/link's, the views the window tests'.
#include "ui/GridModel.h"

#include <gtest/gtest.h>

TEST(GridModel, EveryCellWithABackgroundSetsItsTextColour) {
    Grid g(2, 3);
    g.setAlternateColors(kWhite, kLightGreen);
    g.setBackColor(1, 1, kBlack);
    g.setBackColor(1, 2, kRed);
    g.setForeColor(1, 2, kGreen);
    Grid plain(2, 1);
    plain.setCellKind(2, 1, Grid::CellKind::Button);
    plain.setButtonColor(2, 1, rgb(192, 192, 255));
    const struct {
        const Grid* grid;
        int col, row;
        QColor back, fore; // invalid: the palette's
    } cases[] = {
        {&g, 1, 1, Qt::black, Qt::white}, {&g, 1, 2, Qt::red, Qt::green},
        {&g, 2, 1, Qt::white, Qt::black}, {&g, 2, 2, QColor(192, 255, 192), Qt::black},
        {&plain, 1, 1, {}, {}},           {&plain, 2, 1, QColor(192, 192, 255), Qt::black},
    };
    for (const auto& c : cases) {
        GridModel m(const_cast<Grid*>(c.grid));
        const QModelIndex i = m.index(c.row - 1, c.col - 1);
        EXPECT_EQ(i.data(Qt::BackgroundRole).value<QColor>(), c.back) << c.col << "," << c.row;
        EXPECT_EQ(i.data(Qt::ForegroundRole).value<QColor>(), c.fore) << c.col << "," << c.row;
    }
}
