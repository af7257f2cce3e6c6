#include "params/frmKX5_P_AT.h"

#include "link/Steps.h"
#include "params/ParamInfo.h"
#include "params/ValueList.h"

#include <QComboBox>
#include <QPushButton>

frmKX5_P_AT::frmKX5_P_AT(RequestSink* sink, const Grid* display, const Grid* data, QWidget* parent)
    : GroupDialog(sink, display, data, parent) {
    setObjectName(QStringLiteral("frmKX5_P_AT"));
    setWindowTitle(tr("Auto Tuning Group Setting"));
    // This dialog's buttons were Korean from the start; the English catalogue gives them
    // their English names.
    btnOK->setText(tr("확인[&O]"));
    btnCancel->setText(tr("취소[&C]"));
    cmbATM = addChoices("cmbATM", "AT.M", tr("Auto Tuning Mode"), 305);
    cmbAT = addChoices("cmbAT", "AT", tr("Auto Tuning Start"), 306);
    finishLayout();

    setChoice(cmbATM, shown(305));
    setChoice(cmbAT, shown(306));
}

void frmKX5_P_AT::btnOK_Click() {
    ValueList v;
    v.addCode(choiceCode(cmbATM, 305));
    // A word of the choices gives its code; any other text is taken as a code, and checked.
    const QString at = cmbAT->currentText();
    if (const std::optional<int> code = paramInfo(306)->code(at))
        v.addCode(*code);
    else
        addParam(v, 306, at);
    send(v, kStepWriteAT);
}
