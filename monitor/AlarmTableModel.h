// The alarm list as a table: unacknowledged first, the newest first within each, one row per
// alarm with its station's description from the station list.
#pragma once

#include "services/AlarmBook.h"

#include <QAbstractTableModel>
#include <vector>

class LineModel;

class AlarmTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { Raised, McNo, Station, Alarm, Value, State, Acknowledged, By, Cleared, Count };

    AlarmTableModel(AlarmBook* book, const LineModel& line, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation o, int role) const override;

    // The alarm of a row; 0 outside.
    quint64 idAt(int row) const;
    bool unacknowledgedAt(int row) const;
    static QString stateText(AlarmBook::State s);

private:
    void rebuild();

    AlarmBook* m_book;
    const LineModel& m_line;
    std::vector<AlarmBook::Alarm> m_rows;
};
