// Auto Tuning Group Setting: AT.M and AT (registers 305, 306), written as step 102.
#pragma once

#include "params/GroupDialog.h"

class frmKX5_P_AT : public GroupDialog {
    Q_OBJECT
public:
    frmKX5_P_AT(RequestSink* sink, const ParamImage& image, QWidget* parent = nullptr);
    void btnOK_Click() override;

private:
    QComboBox *cmbATM, *cmbAT;
};
