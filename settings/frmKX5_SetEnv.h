// Usable Setting: which of the 99 station numbers are in use, with a description each, stored
// in CFG/SetEnv.INI. OK rebuilds the station lists and the main window's station and monitor
// tables at once.
#pragma once

#include <QDialog>

class Grid;
class GridView;
class QPushButton;

class frmKX5_SetEnv : public QDialog {
    Q_OBJECT
public:
    frmKX5_SetEnv(Grid* stationTable, Grid* monitorTable, QWidget* parent = nullptr);

    Grid* list() const { return m_list; }

    void LoadStationList();
    bool SaveStationList();
    void ApplyStationList();
    void btnOK_Click();
    void btnCancel_Click();

private:
    Grid* m_status;
    Grid* m_monitoring;
    Grid* m_list;
    GridView* sprdList;
    QPushButton* btnOK;
    QPushButton* btnCancel;
};
