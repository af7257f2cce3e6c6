// Parameter Setting: the map of every parameter register of the selected station, with the
// access class of each cell, and the door to the group dialogs. It reads the parameter data
// grid the link fills, asks for a read-all when it opens, and refreshes once each time the
// link reports a completed read-all (tmrRefresh).
#pragma once

#include "params/ParamMap.h"

#include <QDialog>
#include <QTimer>
#include <functional>
#include <memory>

class Grid;
class QLabel;
class QPushButton;
class QTableView;

class frmKX5_Parameter : public QDialog {
    Q_OBJECT
public:
    // data: the link's parameter data grid; status: the station table; mcNo: the main
    // window's lblMC_No caption.
    frmKX5_Parameter(Grid* data, const Grid* status, const QString& mcNo,
                     QWidget* parent = nullptr);
    ~frmKX5_Parameter() override;

    // The map window that is open, or nullptr: the link's read-all completion reaches it here.
    static frmKX5_Parameter* openMap();

    Grid* displayGrid() const { return m_map; }
    QLabel* messageLabel() const { return lblMsg; }
    Bgr messageColor() const { return m_msgColor; }

    void RefreshMap();
    void sprdMap_Click(int col, int row);
    void tmrRefresh_Timer();
    void tmrToggleColor_Timer();
    void btnClose_Click() { reject(); }

    // The dialog a click opens, built over this map (destroy it before the map); nullptr for
    // MapDialog::None.
    std::unique_ptr<QDialog> createDialog(MapDialog which);
    // Shows a dialog modally; tests put their own here. The default runs createDialog's.
    std::function<void(MapDialog)> openDialog;

    QTimer tmrRefresh;     // 50 ms one-shot, switched on by the link
    QTimer tmrToggleColor; // 1000 ms, blinks lblMsg

    void done(int r) override;

private:
    void unload();

    Grid* m_data;
    Grid* m_map;
    QTableView* sprdMap;
    QLabel* lblMC_No;
    QLabel* lblModel;
    QLabel* lblMsg;
    QPushButton* btnClose;
    Bgr m_msgColor;
};
