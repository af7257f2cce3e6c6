#include "monitor/MonitorTableModel.h"

#include "link/Cells.h"
#include "monitor/StaleLook.h"
#include "ui/GridModel.h"

#include <QCoreApplication>

namespace {

// Register mnemonics as the controller's documentation names them; the same in every language.
const char* const kHeaders[] = {QT_TRANSLATE_NOOP("MonitorTableModel", "INP"),
                                QT_TRANSLATE_NOOP("MonitorTableModel", "UNIT"),
                                QT_TRANSLATE_NOOP("MonitorTableModel", "DP-P"),
                                QT_TRANSLATE_NOOP("MonitorTableModel", "NPV"),
                                QT_TRANSLATE_NOOP("MonitorTableModel", "NSV"),
                                QT_TRANSLATE_NOOP("MonitorTableModel", "NRSV"),
                                QT_TRANSLATE_NOOP("MonitorTableModel", "SSV"),
                                QT_TRANSLATE_NOOP("MonitorTableModel", "MVOUT"),
                                QT_TRANSLATE_NOOP("MonitorTableModel", "PIDNO"),
                                QT_TRANSLATE_NOOP("MonitorTableModel", "ALMSTS"),
                                QT_TRANSLATE_NOOP("MonitorTableModel", "ERRSTS"),
                                QT_TRANSLATE_NOOP("MonitorTableModel", "MODSTS"),
                                QT_TRANSLATE_NOOP("MonitorTableModel", "COMSTS")};

} // namespace

MonitorTableModel::MonitorTableModel(const LineModel* line, QObject* parent)
    : QAbstractTableModel(parent), m_line(line) {
    connect(line, &LineModel::stationChanged, this, &MonitorTableModel::onChanged);
}

void MonitorTableModel::onChanged(int mcNo, LineModel::Changes what) {
    if (what & LineModel::List) {
        beginResetModel();
        endResetModel();
        return;
    }
    const int row = m_line->indexOf(mcNo);
    if (row < 0 ||
        !(what & (LineModel::Values | LineModel::Freshness | LineModel::Keys | LineModel::Conn)))
        return;
    emit dataChanged(index(row, 0), index(row, MonitorCol::Count - 1));
}

int MonitorTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : m_line->count();
}

int MonitorTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : MonitorCol::Count;
}

int MonitorTableModel::regOfColumn(int col) {
    if (col < MonitorCol::INP || col > MonitorCol::Count) return -1;
    if (col < MonitorCol::COMSTS) return col - 1;
    return col == MonitorCol::COMSTS ? -1 : col - 2;
}

QString MonitorTableModel::comStsText(const LineModel::Station& s) {
    if (s.values.fresh) return QStringLiteral("OK");
    return s.fault ? QStringLiteral("NG") : QString();
}

QVariant MonitorTableModel::data(const QModelIndex& index, int role) const {
    const LineModel::Station* s = index.isValid() ? m_line->at(index.row()) : nullptr;
    if (!s) return {};
    const int col = index.column() + 1;
    switch (role) {
    case Qt::DisplayRole: {
        const int reg = regOfColumn(col);
        if (reg < 0) return comStsText(*s);
        // Nothing is shown that was not read.
        if (!s->values.storedAt.isValid()) return QString();
        return QString::number(s->values.regs[size_t(reg)]);
    }
    case Qt::ForegroundRole:
        if (s->values.storedAt.isValid() && !s->values.fresh) return toQColor(StaleLook::kText);
        return {};
    case Qt::TextAlignmentRole:
        return int(Qt::AlignCenter);
    default:
        return {};
    }
}

QVariant MonitorTableModel::headerData(int section, Qt::Orientation o, int role) const {
    if (role != Qt::DisplayRole) return {};
    if (o == Qt::Vertical) return QString::number(m_line->mcNoAt(section));
    if (section >= 0 && section < int(std::size(kHeaders)))
        return QCoreApplication::translate("MonitorTableModel", kHeaders[section]);
    return {};
}
