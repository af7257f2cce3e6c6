// Set Value Group: SV.NO and SV1 to SV3 (registers 300 to 303), written as step 109.
#pragma once

#include "params/GroupDialog.h"

class frmKX5_P_SV : public GroupDialog {
    Q_OBJECT
public:
    frmKX5_P_SV(RequestSink* sink, const ParamImage& image, QWidget* parent = nullptr);
    void btnOK_Click() override;

private:
    QComboBox* cmbSV_No;
    QLineEdit *txtSV1, *txtSV2, *txtSV3;
};
