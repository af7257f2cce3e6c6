#include "params/frmKX5_P_SV.h"

#include "link/Steps.h"
#include "registers/ValueList.h"

#include <QComboBox>
#include <QLineEdit>

frmKX5_P_SV::frmKX5_P_SV(RequestSink* sink, const ParamImage& image, QWidget* parent)
    : GroupDialog(sink, image, parent) {
    setObjectName(QStringLiteral("frmKX5_P_SV"));
    setWindowTitle(tr("Set Value Group"));
    cmbSV_No = addChoices("cmbSV_No", "SV.NO", QString(), 300);
    txtSV1 = addText("txtSV1", "SV1", QString());
    txtSV2 = addText("txtSV2", "SV2", QString());
    txtSV3 = addText("txtSV3", "SV3", QString());
    finishLayout();

    setChoice(cmbSV_No, 300);
    txtSV1->setText(shown(301));
    txtSV2->setText(shown(302));
    txtSV3->setText(shown(303));
}

void frmKX5_P_SV::btnOK_Click() {
    ValueList v;
    addChoice(v, cmbSV_No, 300);
    addParam(v, 301, txtSV1->text());
    addParam(v, 302, txtSV2->text());
    addParam(v, 303, txtSV3->text());
    send(v, kStepWriteSV);
}
