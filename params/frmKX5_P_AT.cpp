#include "params/frmKX5_P_AT.h"

#include "link/Steps.h"
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
    cmbATM = addCombo("cmbATM", "AT.M", tr("Auto Tuning Mode"), {"STD", "LOW"});
    cmbAT = addCombo("cmbAT", "AT", tr("Auto Tuning Start"), {"OFF", "1", "2", "3", "AUTO"});
    finishLayout();

    setChoice(cmbATM, shown(305));
    setChoice(cmbAT, shown(306));
}

void frmKX5_P_AT::btnOK_Click() {
    ValueList v;
    v.addCode(cmbATM->currentText() == QLatin1String("LOW") ? 1 : 0);
    const QString at = cmbAT->currentText();
    if (at == QLatin1String("OFF"))
        v.addCode(0);
    else if (at == QLatin1String("AUTO"))
        v.addCode(4);
    else
        v.addNumber(QStringLiteral("AT"), at);
    send(v, kStepWriteAT);
}
