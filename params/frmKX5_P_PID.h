// PID Group Setting: the three PID sets (registers 310-318, 320-328, 330-337) in one sheet,
// written as step 107. ARW is shown beside them but not written.
#pragma once

#include "params/GroupDialog.h"

class Grid;
class GridView;

class frmKX5_P_PID : public GroupDialog {
    Q_OBJECT
public:
    static constexpr int kSets = 3;
    static constexpr int kRowsPerSet = 9; // P, I, D, MR, Pc, Ic, Dc, DB, RP
    static constexpr int kValues = 26;    // set 3 has no RP

    frmKX5_P_PID(RequestSink* sink, const ParamImage& image, QWidget* parent = nullptr);
    void btnOK_Click() override;

    // Cell (set s, row r) of sprdPID, both from 1.
    Grid* pidGrid() const { return m_pid; }

private:
    QLineEdit* txtARW;
    Grid* m_pid;
    GridView* sprdPID;
};
