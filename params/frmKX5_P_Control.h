// Control Group Setting: ZONE, FUZY, DIS, UP.RT, DN.RT and RTMU, written as step 103.
#pragma once

#include "params/GroupDialog.h"

class frmKX5_P_Control : public GroupDialog {
    Q_OBJECT
public:
    frmKX5_P_Control(RequestSink* sink, const ParamImage& image, QWidget* parent = nullptr);
    void btnOK_Click() override;

private:
    QComboBox *cmbZONE, *cmbFUZY, *cmbDIS, *cmbRTMU;
    QLineEdit *txtUPRT, *txtDNRT;
};
