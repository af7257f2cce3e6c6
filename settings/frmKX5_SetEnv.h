// Usable Setting: which of the 99 station numbers are in use, with a description each, stored
// in CFG/SetEnv.INI. OK saves them; stations() is the list the line takes then.
#pragma once

#include "link/PortSettings.h"
#include "link/StationList.h"

#include <QDialog>

class Grid;
class KX5Link;
class GridView;
class QPushButton;

class frmKX5_SetEnv : public QDialog {
    Q_OBJECT
public:
    explicit frmKX5_SetEnv(QWidget* parent = nullptr);

    Grid* list() const { return m_list; }

    void LoadStationList();
    bool SaveStationList();
    // The stations in use as the window's rows mark them.
    StationList stations() const;
    void btnOK_Click();
    void btnCancel_Click();
    // Scan Line: the stations found are marked "O" here and take effect with OK.
    void btnScan_Click();
    // The line whose port must be closed for a scan, and whose settings a scan starts from.
    void setLink(const KX5Link* link);
    // A scan took its settings into Port Setting (Comm.CFG is already saved): these.
    bool portSettingsTaken() const { return m_portTaken; }
    const PortSettings& portSettings() const { return m_port; }

private:
    Grid* m_list;
    GridView* sprdList;
    QPushButton* btnOK;
    QPushButton* btnCancel;
    QPushButton* btnScan;
    const KX5Link* m_link = nullptr;
    PortSettings m_port;
    bool m_portTaken = false;
};
