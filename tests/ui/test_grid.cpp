#include "ui/Grid.h"

#include <QSignalSpy>
#include <gtest/gtest.h>

TEST(Grid, RowsClearedRangesHiddenColumnsAndCellsOutOfRange) {
    Grid g(3, 3);
    for (int r = 1; r <= 3; ++r) {
        g.setText(3, r, "OK");
        g.setBackColor(3, r, kGreen);
        g.setText(1, r, QString::number(r));
    }
    QSignalSpy spy(&g, &Grid::rangeChanged);
    g.clearRange(3, 1, 3, g.maxRows()); // text and colours, in one change for the views
    g.clearRange(3, 1, 3, 0);           // an empty block is nothing to do
    EXPECT_EQ(spy.count(), 1);
    for (int r = 1; r <= 3; ++r) {
        EXPECT_EQ(g.text(3, r) + g.text(1, r), QString::number(r));
        EXPECT_FALSE(g.backColor(3, r).has_value());
    }
    g.setColumnHidden(2, true);
    g.setText(2, 1, "kept"); // hidden columns still hold their text
    EXPECT_EQ(g.text(2, 1), "kept");
    g.setText(2, 2, "x");
    g.setBackColor(2, 2, kGreen);
    g.setMaxRows(1); // keeps the first row only
    EXPECT_EQ(g.maxRows(), 1);
    g.appendRow(); // a new row is empty
    EXPECT_EQ(g.text(2, 2), "");
    EXPECT_FALSE(g.backColor(2, 2).has_value());
    // Out-of-range cells read empty and ignore writes instead of crashing.
    g.setMaxRows(0);
    g.setText(9, 9, "y");
    EXPECT_EQ(g.text(9, 9) + g.text(-1, 0) + g.text(2, 1), "");
}
