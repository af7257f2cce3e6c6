#include "params/frmKX5_P_OUT.h"

#include "link/Steps.h"
#include "registers/ValueList.h"

#include <QComboBox>
#include <QLineEdit>

frmKX5_P_OUT::frmKX5_P_OUT(RequestSink* sink, const ParamImage& image, QWidget* parent)
    : GroupDialog(sink, image, parent) {
    setObjectName(QStringLiteral("frmKX5_P_OUT"));
    setWindowTitle(tr("Output Group Setting"));
    cmbOUT = addChoices("cmbOUT", "OUT", tr("Out Signal"), 600);
    cmbOACT = addChoices("cmbOACT", "O.ACT", tr("Out Operation"), 601);
    txtCT = addText("txtCT", "CT", tr("Cycle Time"));
    txtCTC = addText("txtCTC", "CTC", tr("Cooling Cycle Time"));
    txtHYS = addText("txtHYS", "HYS", tr("Hysteresis"));
    txtPO = addText("txtPO", "PO", tr("Output 1 value while the input is broken"));
    txtPOC = addText("txtPOC", "POC", tr("Output 2 value while the input is broken"));
    txtOLH = addText("txtOLH", "OL-H", tr("Maximum value of output"));
    txtOLL = addText("txtOLL", "OL-L", tr("Minimum value of output"));
    finishLayout();

    setChoice(cmbOUT, 600);
    setChoice(cmbOACT, 601);
    txtCT->setText(shown(602));
    txtCTC->setText(shown(603));
    txtHYS->setText(shown(604));
    txtPO->setText(shown(605));
    txtPOC->setText(shown(606));
    txtOLH->setText(shown(607));
    txtOLL->setText(shown(608));
}

void frmKX5_P_OUT::btnOK_Click() {
    ValueList v;
    addChoice(v, cmbOUT, 600);
    addChoice(v, cmbOACT, 601);
    const QLineEdit* numbers[] = {txtCT, txtCTC, txtHYS, txtPO, txtPOC, txtOLH, txtOLL};
    for (int i = 0; i < 7; ++i)
        addParam(v, 602 + i, numbers[i]->text());
    send(v, kStepWriteOutput);
}
