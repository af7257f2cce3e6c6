// Sizes of table views from their fonts, so columns and rows fit their texts on any screen.
#pragma once

#include <QFontMetrics>
#include <QHeaderView>
#include <QScrollBar>
#include <QStringList>
#include <QTableView>

constexpr int kTableRowHeight = 20;

// Figures that read as figures at a table's size: NanumGothic, the usual Korean desktop face,
// draws the decimal point so low and heavy that "120.5" reads as "120,5". DejaVu Sans has a
// clear point and figures of one width; what it lacks, Hangul among it, still comes from the
// desktop's font, and where it is not installed the desktop's font is used as it is.
inline void useNumberFont(QWidget* table) {
    QFont f = table->font();
    f.setFamilies({QStringLiteral("DejaVu Sans"), f.family()});
    table->setFont(f);
}

// Width of the widest of the texts in a widget's font, with `margin` pixels beside it.
inline int textWidth(const QWidget* w, const QStringList& texts, int margin = 14) {
    int width = 0;
    for (const QString& t : texts)
        width = qMax(width, w->fontMetrics().horizontalAdvance(t));
    return width + margin;
}

// Height of a table view that shows its header and `rows` rows, room for a horizontal
// scroll bar included.
inline int tableHeight(const QTableView* v, int rows) {
    return v->horizontalHeader()->sizeHint().height() +
           rows * qMax(kTableRowHeight, v->verticalHeader()->defaultSectionSize()) +
           2 * v->frameWidth() + v->horizontalScrollBar()->sizeHint().height();
}
