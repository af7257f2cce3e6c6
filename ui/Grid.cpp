#include "ui/Grid.h"

#include <QCoreApplication>

Grid::Grid(int maxCols, int maxRows, QObject* parent) : QObject(parent) {
    m_rows.resize(1);
    setMaxCols(maxCols);
    setMaxRows(maxRows);
}

void Grid::setMaxCols(int cols) {
    if (cols < 0) cols = 0;
    m_cols = cols;
    for (auto& r : m_rows)
        if (r.size() > static_cast<size_t>(cols) + 1) r.resize(static_cast<size_t>(cols) + 1);
    m_hidden.resize(cols + 1, false);
    while (m_header2.size() < cols + 1)
        m_header2.append(QString());
    emit layoutChanged();
}

void Grid::setMaxRows(int rows) {
    if (rows < 0) rows = 0;
    if (rows == maxRows()) return;
    const int oldRows = maxRows();
    const auto old = m_rows.size();
    m_rows.resize(static_cast<size_t>(rows) + 1);
    // A row holds only the cells written so far: a wide trace row costs what it shows.
    for (auto i = old; i < m_rows.size(); ++i)
        m_rows[i].clear();
    emit rowCountChanged(oldRows, rows);
}

void Grid::removeRows(int first, int count) {
    first = qMax(1, first);
    const int last = qMin(maxRows(), first + count - 1);
    if (last < first) return;
    emit rowsAboutToBeRemoved(first, last);
    m_rows.erase(m_rows.begin() + first, m_rows.begin() + last + 1);
    emit rowsRemoved(first, last);
}

Grid::Cell* Grid::cell(int col, int row) {
    if (col < 0 || col > m_cols || row < 0 || row > maxRows()) return nullptr;
    auto& r = m_rows[static_cast<size_t>(row)];
    if (r.size() <= static_cast<size_t>(col)) r.resize(static_cast<size_t>(col) + 1);
    return &r[static_cast<size_t>(col)];
}

// A cell never written reads as an empty one (nullptr: every reader falls back to defaults).
const Grid::Cell* Grid::cell(int col, int row) const {
    if (col < 0 || col > m_cols || row < 0 || row > maxRows()) return nullptr;
    const auto& r = m_rows[static_cast<size_t>(row)];
    return static_cast<size_t>(col) < r.size() ? &r[static_cast<size_t>(col)] : nullptr;
}

QString Grid::text(int col, int row) const {
    const Cell* c = cell(col, row);
    return c ? c->text : QString();
}

void Grid::setText(int col, int row, const QString& text) {
    Cell* c = cell(col, row);
    if (!c || c->text == text) return;
    c->text = text;
    emit cellChanged(col, row);
}

std::optional<Bgr> Grid::backColor(int col, int row) const {
    const Cell* c = cell(col, row);
    return c ? c->back : std::nullopt;
}

void Grid::setBackColor(int col, int row, Bgr color) {
    Cell* c = cell(col, row);
    if (!c || c->back == color) return;
    c->back = color;
    emit cellChanged(col, row);
}

std::optional<Bgr> Grid::foreColor(int col, int row) const {
    const Cell* c = cell(col, row);
    return c && c->extra ? c->extra->fore : std::nullopt;
}

void Grid::setForeColor(int col, int row, Bgr color) {
    Cell* c = cell(col, row);
    if (!c || (c->extra && c->extra->fore == color)) return;
    c->ex().fore = color;
    emit cellChanged(col, row);
}

void Grid::clearRange(int col1, int row1, int col2, int row2) {
    col1 = qMax(0, col1);
    row1 = qMax(0, row1);
    col2 = qMin(col2, m_cols);
    row2 = qMin(row2, maxRows());
    if (col1 > col2 || row1 > row2) return;
    for (int r = row1; r <= row2; ++r)
        for (int c = col1; c <= col2 && c < static_cast<int>(m_rows[r].size()); ++c) {
            Cell& cl = m_rows[r][c];
            cl.text.clear();
            cl.back.reset();
            if (cl.extra) cl.extra->fore.reset();
        }
    emit rangeChanged(col1, row1, col2, row2);
}

void Grid::setRowTexts(int row, int firstCol, const QStringList& texts) {
    if (row < 0 || row > maxRows() || firstCol < 0 || firstCol > m_cols) return;
    auto& r = m_rows[row];
    const int last = qMin(m_cols, firstCol + static_cast<int>(texts.size()) - 1);
    if (static_cast<int>(r.size()) <= last) r.resize(static_cast<size_t>(last) + 1);
    for (int c = firstCol; c < static_cast<int>(r.size()); ++c) {
        const int i = c - firstCol;
        r[c].text = i < texts.size() ? texts[i] : QString();
    }
    emit rangeChanged(firstCol, row, m_cols, row);
}

Grid::CellKind Grid::cellKind(int col, int row) const {
    const Cell* c = cell(col, row);
    return c ? c->kind : CellKind::Text;
}

void Grid::setCellKind(int col, int row, CellKind kind) {
    if (Cell* c = cell(col, row)) {
        c->kind = kind;
        emit cellChanged(col, row);
    }
}

QStringList Grid::dropDownItems(int col, int row) const {
    const Cell* c = cell(col, row);
    return c && c->extra ? c->extra->items : QStringList();
}

void Grid::setDropDownItems(int col, int row, const QStringList& items) {
    if (Cell* c = cell(col, row)) {
        c->kind = CellKind::DropDown;
        c->ex().items = items;
        emit cellChanged(col, row);
    }
}

std::optional<Bgr> Grid::buttonColor(int col, int row) const {
    const Cell* c = cell(col, row);
    return c && c->extra ? c->extra->button : std::nullopt;
}

void Grid::setButtonColor(int col, int row, Bgr color) {
    if (Cell* c = cell(col, row)) {
        c->ex().button = color;
        emit cellChanged(col, row);
    }
}

QString Grid::hint(int col, int row) const {
    const Cell* c = cell(col, row);
    return c && c->extra ? c->extra->hint : QString();
}

void Grid::setHint(int col, int row, const QString& hint) {
    if (Cell* c = cell(col, row)) c->ex().hint = hint;
}

QPair<QString, QString> Grid::range(int col, int row) const {
    const Cell* c = cell(col, row);
    return c && c->extra ? qMakePair(c->extra->low, c->extra->high) : QPair<QString, QString>();
}

void Grid::setRange(int col, int row, const QString& low, const QString& high) {
    if (Cell* c = cell(col, row)) {
        c->ex().low = low;
        c->ex().high = high;
    }
}

void Grid::setHeaderRows(int rows) {
    m_headerRows = qBound(1, rows, 2);
    emit layoutChanged();
}

QString Grid::header2Text(int col) const {
    return col >= 0 && col < m_header2.size() ? m_header2[col] : QString();
}

namespace {
QString caption(const char* context, const QString& text) {
    if (!context || text.isEmpty()) return text;
    return QCoreApplication::translate(context, text.toUtf8().constData());
}
} // namespace

QString Grid::headerCaption(int col, int row) const {
    return caption(m_headerContext, text(col, row));
}

QString Grid::header2Caption(int col) const {
    return caption(m_headerContext, header2Text(col));
}

void Grid::setHeader2Text(int col, const QString& text) {
    if (col < 0 || col > m_cols) return;
    m_header2[col] = text;
    emit layoutChanged();
}

void Grid::addSpan(int col, int row, int colSpan, int rowSpan) {
    m_spans.push_back({col, row, colSpan, rowSpan});
    emit layoutChanged();
}

bool Grid::isColumnHidden(int col) const {
    return col >= 0 && col < static_cast<int>(m_hidden.size()) && m_hidden[col];
}

void Grid::setColumnHidden(int col, bool hidden) {
    if (col < 0 || col > m_cols) return;
    m_hidden[col] = hidden;
    emit layoutChanged();
}

void Grid::setAlternateColors(Bgr odd, Bgr even) {
    m_alternate = qMakePair(odd, even);
    emit layoutChanged();
}

void Grid::setActiveCell(int col, int row) {
    m_activeCol = col;
    m_activeRow = row;
    emit activeCellChanged(col, row);
}
