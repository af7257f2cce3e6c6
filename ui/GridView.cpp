#include "ui/GridView.h"

#include <QComboBox>
#include <QHeaderView>
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
    verticalHeader()->setDefaultSectionSize(20);
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
    applyLayout();
}

void GridView::applyLayout() {
    Grid* g = grid();
    for (int c = 1; c <= g->maxCols(); ++c)
        setColumnHidden(c - 1, g->isColumnHidden(c));
    clearSpans();
    for (const auto& s : g->spans())
        if (s.row >= 1 && s.col >= 1) setSpan(s.row - 1, s.col - 1, s.rowSpan, s.colSpan);
}
