#include "params/frmKX5_P_OUT.h"

#include "link/Steps.h"
#include "params/ValueList.h"

#include <QComboBox>
#include <QLineEdit>

frmKX5_P_OUT::frmKX5_P_OUT(RequestSink* sink, const Grid* display, const Grid* data,
                           QWidget* parent)
    : GroupDialog(sink, display, data, parent) {
    setObjectName(QStringLiteral("frmKX5_P_OUT"));
    setWindowTitle(tr("Output Group Setting"));
    QStringList outs;
    for (int i = 0; i <= 12; ++i)
        outs << QString::number(i);
    cmbOUT = addCombo("cmbOUT", "OUT", tr("Out Signal"), outs);
    cmbOACT = addCombo("cmbOACT", "O.ACT", tr("Out Operation"), {"REV", "DIR"});
    txtCT = addText("txtCT", "CT", tr("Cycle Time"));
    txtCTC = addText("txtCTC", "CTC", tr("Cooling Cycle Time"));
    txtHYS = addText("txtHYS", "HYS", tr("Hysteresis"));
    txtPO = addText("txtPO", "PO", tr("Output volume when input disconnection output 1"));
    txtPOC = addText("txtPOC", "POC", tr("Output volume when input disconnection output 2"));
    txtOLH = addText("txtOLH", "OL-H", tr("Maximum value of output"));
    txtOLL = addText("txtOLL", "OL-L", tr("Minimum value of output"));
    finishLayout();

    setChoice(cmbOUT, shown(600));
    setChoice(cmbOACT, shown(601));
    txtCT->setText(shown(602));
    txtCTC->setText(shown(603));
    txtHYS->setText(shown(604));
    txtPO->setText(shown(605));
    txtPOC->setText(shown(606));
    txtOLH->setText(shown(607));
    txtOLL->setText(shown(608));
}

void frmKX5_P_OUT::btnOK_Click() {
    const int d = dataDecimals();
    ValueList v;
    v.addNumber(QStringLiteral("OUT"), cmbOUT->currentText());
    v.addCode(cmbOACT->currentText() == QLatin1String("DIR") ? 1 : 0);
    v.addNumber(QStringLiteral("CT"), txtCT->text());
    v.addNumber(QStringLiteral("CTC"), txtCTC->text());
    v.addNumber(QStringLiteral("HYS"), txtHYS->text(), d);
    v.addNumber(QStringLiteral("PO"), txtPO->text(), 1);
    v.addNumber(QStringLiteral("POC"), txtPOC->text(), 1);
    v.addNumber(QStringLiteral("OL-H"), txtOLH->text(), 1);
    v.addNumber(QStringLiteral("OL-L"), txtOLL->text(), 1);
    send(v, kStepWriteOutput);
}
