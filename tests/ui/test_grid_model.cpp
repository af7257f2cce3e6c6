// Grid text colours under any palette, and text colours made readable on a background; the store is
// tests/link's, the views the window tests'.
#include "ui/Contrast.h"
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

// A status text in the blinking green or blue reads on the light grey and the dark grey of a
// window (4.5:1 at least), keeping its hue; a colour that reads already stays as it is.
TEST(Contrast, TextColoursAreMadeReadableOnTheirBackground) {
    const QColor lightGrey(239, 239, 239), darkGrey(53, 53, 53);
    for (const QColor& ink : {QColor(0, 255, 0), QColor(0, 0, 255), QColor(255, 0, 0)})
        for (const QColor& ground : {lightGrey, darkGrey, QColor(Qt::white)}) {
            const QColor shown = readableOn(ink, ground);
            EXPECT_GE(contrastRatio(shown, ground), 4.5)
                << ink.name().toStdString() << " on " << ground.name().toStdString();
            EXPECT_TRUE(shown == ink || shown.hue() == ink.hue() || shown.saturation() == 0)
                << shown.name().toStdString();
        }
    EXPECT_EQ(readableOn(Qt::black, Qt::white), QColor(Qt::black));
    EXPECT_NEAR(contrastRatio(Qt::black, Qt::white), 21.0, 0.01);
}
