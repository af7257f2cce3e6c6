// Shows the communication trace a frame to a row: its time, direction, station, command and
// bytes, control bytes spelled out; rows can be copied as text.
#pragma once

#include <QAbstractTableModel>
#include <QModelIndexList>

class QAbstractItemView;
class TraceLog;

class TraceModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { Time, Direction, Station, Command, Bytes, ColumnCount };

    explicit TraceModel(const TraceLog* log, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation o, int role) const override;

    // The rows of these indexes, in order and each once, a line each with tabs between the
    // columns, as shown.
    QString rowsText(const QModelIndexList& indexes) const;
    // Ctrl+C and the context menu's Copy put the view's selected rows on the clipboard.
    static void addCopy(QAbstractItemView* view, TraceModel* model);

private:
    QString text(int row, int col) const;
    const TraceLog* m_log;
};
