#include "monitor/StationTableModel.h"

#include <QColor>
#include <QCoreApplication>

namespace {

const char* const kHeaders[] = {QT_TRANSLATE_NOOP("StationTableModel", " MC No"),
                                QT_TRANSLATE_NOOP("StationTableModel", "Model"),
                                QT_TRANSLATE_NOOP("StationTableModel", "Conn-State"),
                                QT_TRANSLATE_NOOP("StationTableModel", "Description")};

} // namespace

StationTableModel::StationTableModel(const LineModel* line, QObject* parent)
    : QAbstractTableModel(parent), m_line(line) {
    connect(line, &LineModel::stationChanged, this, &StationTableModel::onChanged);
}

void StationTableModel::onChanged(int mcNo, LineModel::Changes what) {
    if (what & LineModel::List) {
        beginResetModel();
        endResetModel();
        return;
    }
    const int row = m_line->indexOf(mcNo);
    if (row < 0) return;
    if (what & LineModel::Model) emit dataChanged(index(row, Model), index(row, Model));
    if (what & LineModel::Conn) emit dataChanged(index(row, ConnState), index(row, ConnState));
}

int StationTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : m_line->count();
}

int StationTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : Count;
}

QString StationTableModel::connText(::ConnState c) {
    switch (c) {
    case ::ConnState::OK:
        return QStringLiteral("OK");
    case ::ConnState::NG:
        return QStringLiteral("NG");
    case ::ConnState::Unknown:
        break;
    }
    return {};
}

QString StationTableModel::stationTitle(int mcNo, const QString& name) {
    const QString mc = tr("MC %1").arg(mcNo);
    return name.trimmed().isEmpty() ? mc : mc + QLatin1Char(' ') + name.trimmed();
}

bool StationTableModel::anyNamed() const {
    for (int k = 0; k < m_line->count(); ++k)
        if (!m_line->at(k)->name.trimmed().isEmpty()) return true;
    return false;
}

QVariant StationTableModel::data(const QModelIndex& index, int role) const {
    const LineModel::Station* s = index.isValid() ? m_line->at(index.row()) : nullptr;
    if (!s) return {};
    const bool stateCell = index.column() == ConnState && s->conn != ::ConnState::Unknown;
    switch (role) {
    case Qt::DisplayRole:
        if (index.column() == McNo) return QString::number(s->mcNo);
        if (index.column() == Model) return modelText(s->model);
        if (index.column() == Name) return s->name;
        return connText(s->conn);
    case Qt::ToolTipRole:
        return stationTitle(s->mcNo, s->name);
    case Qt::BackgroundRole:
        // Answering in green; a station that fails in black, as the line's lamps show it.
        if (stateCell) return s->conn == ::ConnState::OK ? QColor(Qt::green) : QColor(Qt::black);
        return {};
    case Qt::ForegroundRole:
        if (stateCell) return s->conn == ::ConnState::OK ? QColor(Qt::black) : QColor(Qt::white);
        return {};
    case Qt::TextAlignmentRole:
        return index.column() == Name ? int(Qt::AlignLeft | Qt::AlignVCenter)
                                      : int(Qt::AlignCenter);
    default:
        return {};
    }
}

QVariant StationTableModel::headerData(int section, Qt::Orientation o, int role) const {
    if (role != Qt::DisplayRole || o != Qt::Horizontal || section < 0 || section >= Count)
        return {};
    return QCoreApplication::translate("StationTableModel", kHeaders[section]);
}
