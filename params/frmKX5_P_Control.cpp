#include "params/frmKX5_P_Control.h"

#include "link/Steps.h"
#include "registers/ValueList.h"

#include <QComboBox>
#include <QLineEdit>

frmKX5_P_Control::frmKX5_P_Control(RequestSink* sink, const ParamImage& image, QWidget* parent)
    : GroupDialog(sink, image, parent) {
    setObjectName(QStringLiteral("frmKX5_P_Control"));
    setWindowTitle(tr("Control Group Setting"));
    cmbZONE = addChoices("cmbZONE", "ZONE", tr("Zone Control"), 102);
    cmbFUZY = addChoices("cmbFUZY", "FUZY", tr("Fuzzy Control"), 103);
    cmbDIS = addChoices("cmbDIS", "DIS", tr("External Contact Input"), 106);
    txtUPRT = addText("txtUPRT", "UP.RT", tr("Initial Increasing Temperature"));
    txtDNRT = addText("txtDNRT", "DN.RT", tr("Initial Decreasing Temperature"));
    cmbRTMU = addChoices("cmbRTMU", "RTMU", tr("Time Unit"), 110);
    finishLayout();

    setChoice(cmbZONE, 102);
    setChoice(cmbFUZY, 103);
    setChoice(cmbDIS, 106);
    txtUPRT->setText(shown(108));
    txtDNRT->setText(shown(109));
    setChoice(cmbRTMU, 110);
}

void frmKX5_P_Control::btnOK_Click() {
    ValueList v;
    addChoice(v, cmbZONE, 102);
    addChoice(v, cmbFUZY, 103);
    addChoice(v, cmbDIS, 106);
    addParam(v, 108, txtUPRT->text());
    addParam(v, 109, txtDNRT->text());
    addChoice(v, cmbRTMU, 110);
    send(v, kStepWriteControl);
}
