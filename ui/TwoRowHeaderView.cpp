#include "ui/TwoRowHeaderView.h"

#include "ui/Grid.h"

#include <QPainter>
#include <QStyleOptionHeader>

namespace {

const Grid::Span* spanAt(const Grid& g, int headerRow, int col) {
    for (const auto& s : g.spans())
        if (s.row == headerRow && col >= s.col && col < s.col + s.colSpan) return &s;
    return nullptr;
}

} // namespace

TwoRowHeaderView::TwoRowHeaderView(Grid* grid, QWidget* parent)
    : QHeaderView(Qt::Horizontal, parent), m_grid(grid) {
    setHighlightSections(false);
    setSectionsClickable(false);
    // A joined cell spans several sections: any resize or move repaints the whole strip.
    connect(this, &QHeaderView::sectionResized, viewport(), qOverload<>(&QWidget::update));
    connect(grid, &Grid::layoutChanged, viewport(), qOverload<>(&QWidget::update));
}

std::vector<TwoRowHeaderView::Cell> TwoRowHeaderView::cells() const {
    std::vector<Cell> out;
    const Grid& g = *m_grid;
    const bool two = g.headerRows() > 1;
    for (int c = 1; c <= g.maxCols(); ++c) {
        const Grid::Span* top = spanAt(g, 0, c);
        const int topRows = !two ? 1 : (top ? qBound(1, top->rowSpan, 2) : 1);
        if (!top)
            out.push_back({c, c, 0, 1, g.headerCaption(c, 0)});
        else if (top->col == c)
            out.push_back({c, c + top->colSpan - 1, 0, topRows, g.headerCaption(c, 0)});
        if (!two || topRows == 2) continue;
        const Grid::Span* bottom = spanAt(g, -1, c);
        if (!bottom)
            out.push_back({c, c, 1, 1, g.header2Caption(c)});
        else if (bottom->col == c)
            out.push_back({c, c + bottom->colSpan - 1, 1, 1, g.header2Caption(c)});
    }
    return out;
}

int TwoRowHeaderView::textWidth(const QString& text) const {
    return fontMetrics().horizontalAdvance(text) +
           2 * style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, this) + 6;
}

QSize TwoRowHeaderView::sizeHint() const {
    QSize s = QHeaderView::sizeHint();
    const int line = qMax(s.height(), fontMetrics().height() + 8);
    s.setHeight(m_grid->headerRows() > 1 ? 2 * line : line);
    return s;
}

void TwoRowHeaderView::paintEvent(QPaintEvent*) {
    QPainter p(viewport());
    const int rows = m_grid->headerRows() > 1 ? 2 : 1;
    const int h = viewport()->height();
    for (const Cell& cell : cells()) {
        int left = -1, right = -1;
        for (int c = cell.first; c <= cell.last; ++c) {
            const int logical = c - 1;
            if (logical >= count() || isSectionHidden(logical)) continue;
            const int x = sectionViewportPosition(logical);
            if (left < 0 || x < left) left = x;
            right = qMax(right, x + sectionSize(logical));
        }
        if (left < 0) continue; // every column of the cell is hidden
        const int y = cell.top * h / rows;
        const int bottom = (cell.top + cell.rows) * h / rows;
        QStyleOptionHeader opt;
        initStyleOption(&opt);
        opt.rect = QRect(left, y, right - left, bottom - y);
        opt.section = cell.first - 1;
        opt.text = cell.text;
        opt.textAlignment = Qt::AlignCenter;
        opt.position = QStyleOptionHeader::Middle;
        opt.state |= QStyle::State_Enabled;
        style()->drawControl(QStyle::CE_Header, &opt, &p, this);
    }
}
