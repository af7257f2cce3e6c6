// The station table: one row per station in use, its MC No, its model, how its exchanges go
// and the description the user gave it, shown from the line model. It stores nothing and decides
// nothing.
#pragma once

#include "link/LineModel.h"

#include <QAbstractTableModel>

class StationTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { McNo, Model, ConnState, Name, Count };

    explicit StationTableModel(const LineModel* line, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation o, int role) const override;
    // What a station's connection state reads as: "OK", "NG", or nothing while unknown.
    static QString connText(::ConnState c);
    // How a station is named to the user: "MC 2", with its description when it has one.
    static QString stationTitle(int mcNo, const QString& name);
    // Some station in use has a description.
    bool anyNamed() const;

private:
    void onChanged(int mcNo, LineModel::Changes what);
    const LineModel* m_line;
};
