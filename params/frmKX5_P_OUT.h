// Output Group Setting: registers 600 to 608, written as step 106.
#pragma once

#include "params/GroupDialog.h"

class frmKX5_P_OUT : public GroupDialog {
    Q_OBJECT
public:
    frmKX5_P_OUT(RequestSink* sink, const ParamImage& image, QWidget* parent = nullptr);
    void btnOK_Click() override;

private:
    QComboBox *cmbOUT, *cmbOACT;
    QLineEdit *txtCT, *txtCTC, *txtHYS, *txtPO, *txtPOC, *txtOLH, *txtOLL;
};
