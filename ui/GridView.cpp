#include "ui/GridView.h"

#include "ui/ViewKeys.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QEvent>
#include <QHeaderView>
#include <QStyleOptionHeader>
#include <QStylePainter>
#include <QStyledItemDelegate>

namespace {

// Edits drop-down cells with a combo box of the cell's entries; other cells as text.
class GridDelegate : public QStyledItemDelegate {
public:
    GridDelegate(Grid* grid, QObject* parent) : QStyledItemDelegate(parent), m_grid(grid) {}

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override {
        const int col = index.column() + 1, row = index.row() + 1;
        if (m_grid->cellKind(col, row) == Grid::CellKind::DropDown) {
            auto* box = new QComboBox(parent);
            box->addItems(m_grid->dropDownItems(col, row));
            return box;
        }
        return QStyledItemDelegate::createEditor(parent, option, index);
    }
    void setEditorData(QWidget* editor, const QModelIndex& index) const override {
        if (auto* box = qobject_cast<QComboBox*>(editor)) {
            box->setCurrentText(index.data(Qt::EditRole).toString());
            return;
        }
        QStyledItemDelegate::setEditorData(editor, index);
    }
    void setModelData(QWidget* editor, QAbstractItemModel* model,
                      const QModelIndex& index) const override {
        if (auto* box = qobject_cast<QComboBox*>(editor)) {
            model->setData(index, box->currentText(), Qt::EditRole);
            return;
        }
        QStyledItemDelegate::setModelData(editor, model, index);
    }

private:
    Grid* m_grid;
};

} // namespace

GridView::GridView(Grid* grid, QWidget* parent) : QTableView(parent) {
    m_model = new GridModel(grid, this);
    setModel(m_model);
    setItemDelegate(new GridDelegate(grid, this));
    setEditTriggers(QAbstractItemView::AllEditTriggers);
    keyboardLikeMouse(this);
    // 20 pixels, or what the font in use needs.
    verticalHeader()->setDefaultSectionSize(qMax(20, verticalHeader()->minimumSectionSize()));
    horizontalHeader()->setHighlightSections(false);
    connect(this, &QTableView::clicked, this, [this](const QModelIndex& i) {
        const int col = i.column() + 1, row = i.row() + 1;
        emit this->grid()->clicked(col, row);
        if (this->grid()->cellKind(col, row) == Grid::CellKind::Button)
            emit this->grid()->buttonClicked(col, row);
    });
    connect(grid, &Grid::layoutChanged, this, &GridView::applyLayout);
    connect(grid, &Grid::activeCellChanged, this, [this](int col, int row) {
        const QModelIndex i = m_model->index(row - 1, col - 1);
        if (i.isValid() && isVisible()) scrollTo(i);
    });
    // The corner cell (column 0, row 0) is a button of the view's own that draws no text.
    for (auto* b : findChildren<QAbstractButton*>(Qt::FindDirectChildrenOnly))
        if (b->inherits("QTableCornerButton")) m_corner = b;
    if (m_corner) m_corner->installEventFilter(this);
    connect(grid, &Grid::cellChanged, this, [this](int col, int row) {
        if (col == 0 && row == 0) showCornerText();
    });
    applyLayout();
    showCornerText();
}

void GridView::commitOpenEditor() {
    if (state() != EditingState) return;
    QWidget* editor = indexWidget(currentIndex());
    if (!editor) return;
    commitData(editor);
    closeEditor(editor, QAbstractItemDelegate::NoHint);
}

void GridView::showEvent(QShowEvent* event) {
    QTableView::showEvent(event);
    if (editTriggers() == NoEditTriggers) return;
    // "pressed" comes before "clicked" however a button is worked: mouse, Space, its shortcut,
    // Return on the default button, or click() from code.
    for (QAbstractButton* b : window()->findChildren<QAbstractButton*>())
        if (!isAncestorOf(b))
            connect(b, &QAbstractButton::pressed, this, &GridView::commitOpenEditor,
                    Qt::UniqueConnection);
}

void GridView::focusInEvent(QFocusEvent* event) {
    const EditTriggers triggers = editTriggers();
    if (!currentIndex().isValid()) setEditTriggers(triggers & ~CurrentChanged);
    QTableView::focusInEvent(event);
    setEditTriggers(triggers);
}

void GridView::showCornerText() {
    if (!m_corner) return;
    // The row header is as wide as its numbers; the corner text needs room of its own.
    const QString text = grid()->headerCaption(0, 0);
    const int margin = style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, this);
    verticalHeader()->setMinimumWidth(
        text.isEmpty() ? 0 : verticalHeader()->fontMetrics().horizontalAdvance(text) + 4 * margin);
    m_corner->update();
}

bool GridView::eventFilter(QObject* watched, QEvent* event) {
    if (watched != m_corner || event->type() != QEvent::Paint)
        return QTableView::eventFilter(watched, event);
    QStyleOptionHeader opt;
    opt.initFrom(m_corner);
    opt.state |= QStyle::State_Raised;
    opt.rect = m_corner->rect();
    opt.position = QStyleOptionHeader::OnlyOneSection;
    opt.orientation = Qt::Horizontal;
    opt.text = grid()->headerCaption(0, 0);
    opt.textAlignment = Qt::AlignCenter;
    QStylePainter painter(m_corner);
    painter.drawControl(QStyle::CE_Header, opt);
    return true;
}

void GridView::applyLayout() {
    Grid* g = grid();
    for (int c = 1; c <= g->maxCols(); ++c)
        setColumnHidden(c - 1, g->isColumnHidden(c));
    clearSpans();
    for (const auto& s : g->spans())
        if (s.row >= 1 && s.col >= 1) setSpan(s.row - 1, s.col - 1, s.rowSpan, s.colSpan);
}
