// Input Group Setting: input type, unit, range, decimal point, scale, filter, bias and burn-out
// (registers 610 to 619), with the reference sheet of the input types. OK queues step 105:
// 610 and 611 first, 612 to 619 two seconds after their acknowledgement.
#pragma once

#include "params/GroupDialog.h"
#include "registers/ParamInfo.h"

class Grid;
class GridView;

class frmKX5_P_IN : public GroupDialog {
    Q_OBJECT
public:
    frmKX5_P_IN(RequestSink* sink, const ParamImage& image, QWidget* parent = nullptr);
    void btnOK_Click() override;

    void cmbINP_Click() { ApplyInputDefaults(); }
    void cmbUnit_Click() { ApplyInputDefaults(); }
    // Resets range, scale and decimal point to the defaults of the chosen type and unit, and
    // enables DP-P, SL-H and SL-L for the linear inputs only.
    void ApplyInputDefaults();

private:
    void enableLinearFields(double type);

    QComboBox *cmbINP, *cmbUnit, *cmbDPP, *cmbBOUT;
    QLineEdit *txtFRH, *txtFRL, *txtSLH, *txtSLL, *txtFILT, *txtBIAS;
    Grid* m_sheet;
    GridView* vaSpread1;
};
