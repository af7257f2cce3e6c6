#include "params/frmKX5_P_AT.h"

#include "link/Steps.h"
#include "registers/ValueList.h"

#include <QComboBox>
#include <QPushButton>

frmKX5_P_AT::frmKX5_P_AT(RequestSink* sink, const ParamImage& image, QWidget* parent)
    : GroupDialog(sink, image, parent) {
    setObjectName(QStringLiteral("frmKX5_P_AT"));
    setWindowTitle(tr("Auto Tuning Group Setting"));
    // This dialog's buttons were Korean from the start; the English catalogue gives them
    // their English names.
    btnOK->setText(tr("확인[&O]"));
    btnCancel->setText(tr("취소[&C]"));
    cmbATM = addChoices("cmbATM", "AT.M", tr("Auto Tuning Mode"), 305);
    cmbAT = addChoices("cmbAT", "AT", tr("Auto Tuning Start"), 306);
    finishLayout();

    setChoice(cmbATM, 305);
    setChoice(cmbAT, 306);
}

void frmKX5_P_AT::btnOK_Click() {
    ValueList v;
    addChoice(v, cmbATM, 305);
    addChoice(v, cmbAT, 306);
    send(v, kStepWriteAT);
}
