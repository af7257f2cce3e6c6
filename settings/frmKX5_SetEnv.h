// Usable Setting: which of the 99 station numbers are in use, with a description each, stored
// in CFG/SetEnv.INI. OK rebuilds the station lists and the main window's station and monitor
// tables at once.
#pragma once

#include <QDialog>

class Grid;
class KX5Link;
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
    // Scan Line: the stations found are marked "O" here and take effect with OK.
    void btnScan_Click();
    // The line whose port must be closed for a scan.
    void setLink(const KX5Link* link) { m_link = link; }
    // A scan took its settings into Port Setting (Comm.CFG is already saved).
    bool portSettingsTaken() const { return m_portTaken; }

private:
    Grid* m_status;
    Grid* m_monitoring;
    Grid* m_list;
    GridView* sprdList;
    QPushButton* btnOK;
    QPushButton* btnCancel;
    QPushButton* btnScan;
    const KX5Link* m_link = nullptr;
    bool m_portTaken = false;
};
