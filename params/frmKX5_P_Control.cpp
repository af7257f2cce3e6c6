#include "params/frmKX5_P_Control.h"

#include "link/Steps.h"
#include "params/ValueList.h"

#include <QComboBox>
#include <QLineEdit>

frmKX5_P_Control::frmKX5_P_Control(RequestSink* sink, const Grid* display, const Grid* data,
                                   QWidget* parent)
    : GroupDialog(sink, display, data, parent) {
    setObjectName(QStringLiteral("frmKX5_P_Control"));
    setWindowTitle(tr("Control Group Setting"));
    const QStringList offOn{"OFF", "ON"};
    cmbZONE = addCombo("cmbZONE", "ZONE", tr("Zone Control"), offOn);
    cmbFUZY = addCombo("cmbFUZY", "FUZY", tr("Fuzzy Control"), offOn);
    cmbDIS = addCombo("cmbDIS", "DIS", tr("External Contact Input"), offOn);
    txtUPRT = addText("txtUPRT", "UP.RT", tr("Initial Increasing Temperature"));
    txtDNRT = addText("txtDNRT", "DN.RT", tr("Initial Decreasing Temperature"));
    cmbRTMU = addCombo("cmbRTMU", "RTMU", tr("Time Unit"), {"Hour", "Min"});
    showChoicesAs(cmbRTMU, {tr("Hour"), tr("Min")});
    finishLayout();

    setChoice(cmbZONE, shown(102));
    setChoice(cmbFUZY, shown(103));
    setChoice(cmbDIS, shown(106));
    txtUPRT->setText(shown(108));
    txtDNRT->setText(shown(109));
    setChoice(cmbRTMU, shown(110));
}

void frmKX5_P_Control::btnOK_Click() {
    const auto on = [](QComboBox* c) { return c->currentText() == QLatin1String("ON") ? 1 : 0; };
    ValueList v;
    v.addCode(on(cmbZONE));
    v.addCode(on(cmbFUZY));
    v.addCode(on(cmbDIS));
    v.addNumber(QStringLiteral("UP.RT"), txtUPRT->text());
    v.addNumber(QStringLiteral("DN.RT"), txtDNRT->text());
    v.addCode(choiceWord(cmbRTMU) == QLatin1String("Min") ? 1 : 0);
    send(v, kStepWriteControl);
}
