#include "monitor/AlarmTableModel.h"

#include "link/LineModel.h"

#include <QBrush>
#include <algorithm>

namespace {
const char* const kHeaders[] = {
    QT_TRANSLATE_NOOP("AlarmTableModel", "Raised"),
    QT_TRANSLATE_NOOP("AlarmTableModel", "MC No"),
    QT_TRANSLATE_NOOP("AlarmTableModel", "Station"),
    QT_TRANSLATE_NOOP("AlarmTableModel", "Alarm"),
    QT_TRANSLATE_NOOP("AlarmTableModel", "Value"),
    QT_TRANSLATE_NOOP("AlarmTableModel", "State"),
    QT_TRANSLATE_NOOP("AlarmTableModel", "Acknowledged"),
    QT_TRANSLATE_NOOP("AlarmTableModel", "By"),
    QT_TRANSLATE_NOOP("AlarmTableModel", "Cleared"),
};
static_assert(std::size(kHeaders) == AlarmTableModel::Count);

QString stamp(const QDateTime& t) {
    return t.isValid() ? t.toString(QStringLiteral("yyyy-MM-dd hh:mm:ss")) : QString();
}
} // namespace

AlarmTableModel::AlarmTableModel(AlarmBook* book, const LineModel& line, QObject* parent)
    : QAbstractTableModel(parent), m_book(book), m_line(line) {
    connect(book, &AlarmBook::changed, this, &AlarmTableModel::rebuild);
    connect(&line, &LineModel::stationChanged, this, [this](int, LineModel::Changes what) {
        // A description typed in the station list shows at once.
        if (what & LineModel::List && !m_rows.empty())
            emit dataChanged(index(0, Station), index(rowCount() - 1, Station));
    });
    rebuild();
}

void AlarmTableModel::rebuild() {
    beginResetModel();
    m_rows = m_book->alarms();
    std::stable_sort(m_rows.begin(), m_rows.end(),
                     [](const AlarmBook::Alarm& a, const AlarmBook::Alarm& b) {
                         if (a.acknowledged() != b.acknowledged()) return !a.acknowledged();
                         return a.raisedAt > b.raisedAt;
                     });
    endResetModel();
}

int AlarmTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(m_rows.size());
}

int AlarmTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : Count;
}

quint64 AlarmTableModel::idAt(int row) const {
    return row >= 0 && row < rowCount() ? m_rows[size_t(row)].id : 0;
}

bool AlarmTableModel::unacknowledgedAt(int row) const {
    return row >= 0 && row < rowCount() && !m_rows[size_t(row)].acknowledged();
}

QString AlarmTableModel::stateText(AlarmBook::State s) {
    switch (s) {
    case AlarmBook::State::ActiveUnacknowledged:
        return tr("Active, not acknowledged");
    case AlarmBook::State::ActiveAcknowledged:
        return tr("Active, acknowledged");
    case AlarmBook::State::ClearedUnacknowledged:
        return tr("Cleared, not acknowledged");
    }
    return {};
}

QVariant AlarmTableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount()) return {};
    const AlarmBook::Alarm& a = m_rows[size_t(index.row())];
    const auto state = a.state();
    // Red while it waits for acknowledgement; brown once out, still waiting.
    if (role == Qt::ForegroundRole && !a.acknowledged())
        return QBrush(state == AlarmBook::State::ActiveUnacknowledged ? QColor(200, 0, 0)
                                                                      : QColor(140, 70, 0));
    if (role == Qt::TextAlignmentRole)
        return index.column() == McNo || index.column() == Value
                   ? QVariant(Qt::AlignRight | Qt::AlignVCenter)
                   : QVariant(Qt::AlignLeft | Qt::AlignVCenter);
    if (role != Qt::DisplayRole) return {};
    switch (index.column()) {
    case Raised:
        return stamp(a.raisedAt);
    case McNo:
        return a.mcNo;
    case Station: {
        const LineModel::Station* st = m_line.station(a.mcNo);
        return st ? st->name : QString();
    }
    case Alarm:
        return QLatin1String(kLampBits[size_t(a.lamp)].name);
    case Value:
        return a.value();
    case State:
        return stateText(state);
    case Acknowledged:
        return stamp(a.ackedAt);
    case By:
        return a.ackedBy;
    case Cleared:
        return stamp(a.clearedAt);
    }
    return {};
}

QVariant AlarmTableModel::headerData(int section, Qt::Orientation o, int role) const {
    if (o != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section >= Count)
        return {};
    return tr(kHeaders[section]);
}
