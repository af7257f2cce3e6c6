#include "ui/TraceModel.h"

#include "link/TraceLog.h"

TraceModel::TraceModel(const TraceLog* log, QObject* parent)
    : QAbstractTableModel(parent), m_log(log) {
    connect(log, &TraceLog::rowAdded, this, [this](int i) {
        beginInsertRows({}, i, i);
        endInsertRows();
    });
    connect(log, &TraceLog::cleared, this, [this] {
        beginResetModel();
        endResetModel();
    });
}

int TraceModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : m_log->rows();
}

int TraceModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : TraceLog::kCols;
}

QVariant TraceModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= m_log->rows()) return {};
    if (role == Qt::DisplayRole) return m_log->shownCell(index.row(), index.column());
    if (role == Qt::TextAlignmentRole) return int(Qt::AlignCenter);
    return {};
}

QVariant TraceModel::headerData(int section, Qt::Orientation o, int role) const {
    if (o == Qt::Horizontal) return role == Qt::DisplayRole ? QVariant(section + 1) : QVariant();
    if (section < 0 || section >= m_log->rows()) return {};
    if (role == Qt::DisplayRole) return m_log->shownLabel(section);
    if (role == Qt::ToolTipRole) return m_log->timeText(section);
    return {};
}
