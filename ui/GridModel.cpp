#include "ui/GridModel.h"

GridModel::GridModel(Grid* grid, QObject* parent) : QAbstractTableModel(parent), m_grid(grid) {
    connect(grid, &Grid::cellChanged, this, [this](int col, int row) {
        if (row == 0 || col == 0) {
            emit headerDataChanged(row == 0 ? Qt::Horizontal : Qt::Vertical, qMax(0, col - 1),
                                   qMax(0, row == 0 ? col - 1 : row - 1));
            return;
        }
        const QModelIndex i = index(row - 1, col - 1);
        emit dataChanged(i, i);
    });
    connect(grid, &Grid::rangeChanged, this, [this](int c1, int r1, int c2, int r2) {
        if (r1 == 0 || c1 == 0)
            emit headerDataChanged(Qt::Vertical, qMax(0, r1 - 1), qMax(0, r2 - 1));
        if (r2 < 1 || c2 < 1) return;
        emit dataChanged(index(qMax(1, r1) - 1, qMax(1, c1) - 1), index(r2 - 1, c2 - 1));
    });
    connect(grid, &Grid::rowCountChanged, this, &GridModel::onRowCount);
    connect(grid, &Grid::rowsAboutToBeRemoved, this,
            [this](int first, int last) { beginRemoveRows({}, first - 1, last - 1); });
    connect(grid, &Grid::rowsRemoved, this, [this] { endRemoveRows(); });
    connect(grid, &Grid::layoutChanged, this, [this] {
        beginResetModel();
        endResetModel();
    });
}

void GridModel::onRowCount(int oldRows, int newRows) {
    // The grid has already changed; a reset keeps the views consistent for shrinking, and an
    // insert keeps appending cheap (the trace appends a row per frame).
    if (newRows > oldRows) {
        beginInsertRows({}, oldRows, newRows - 1);
        endInsertRows();
    } else {
        beginResetModel();
        endResetModel();
    }
}

std::optional<Bgr> GridModel::background(int col, int row) const {
    if (auto c = m_grid->backColor(col, row)) return c;
    if (m_grid->cellKind(col, row) == Grid::CellKind::Button)
        if (auto b = m_grid->buttonColor(col, row)) return b;
    if (auto alt = m_grid->alternateColors()) return row % 2 ? alt->first : alt->second;
    return std::nullopt;
}

int GridModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : m_grid->maxRows();
}

int GridModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : m_grid->maxCols();
}

QVariant GridModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) return {};
    const int col = index.column() + 1, row = index.row() + 1;
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        return m_grid->text(col, row);
    case Qt::BackgroundRole: {
        if (auto c = background(col, row)) return toQColor(*c);
        return {};
    }
    case Qt::ForegroundRole: {
        if (auto c = m_grid->foreColor(col, row)) return toQColor(*c);
        // A cell that sets its background sets its text colour too, or a dark desktop
        // palette writes white text on the white and light-green rows.
        if (auto b = background(col, row)) return QColor(*b == kBlack ? Qt::white : Qt::black);
        return {};
    }
    case Qt::ToolTipRole: {
        const QString h = m_grid->hint(col, row);
        return h.isEmpty() ? QVariant() : QVariant(h);
    }
    case Qt::TextAlignmentRole: {
        const auto it = m_align.find(col);
        return it == m_align.end() ? int(Qt::AlignCenter) : it->second;
    }
    default:
        return {};
    }
}

bool GridModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (!index.isValid() || role != Qt::EditRole) return false;
    m_grid->setText(index.column() + 1, index.row() + 1, value.toString());
    return true;
}

QVariant GridModel::headerData(int section, Qt::Orientation o, int role) const {
    if (role != Qt::DisplayRole) return {};
    return o == Qt::Horizontal ? m_grid->headerCaption(section + 1, 0)
                               : m_grid->headerCaption(0, section + 1);
}

Qt::ItemFlags GridModel::flags(const QModelIndex& index) const {
    if (!index.isValid()) return Qt::NoItemFlags;
    Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    const auto kind = m_grid->cellKind(index.column() + 1, index.row() + 1);
    if (m_grid->editable() || kind == Grid::CellKind::DropDown || kind == Grid::CellKind::Date ||
        kind == Grid::CellKind::Time)
        f |= Qt::ItemIsEditable;
    return f;
}
