#include "monitor/frmD_Edit.h"

#include "link/Request.h"
#include "link/mdlKX5.h"
#include "services/LinkWords.h"
#include "ui/MsgBox.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

frmD_Edit::frmD_Edit(RequestSink* sink, QWidget* parent) : QDialog(parent), m_sink(sink) {
    setObjectName(QStringLiteral("frmD_Edit"));

    lblStation = new QLabel(this);
    lblStation->setObjectName(QStringLiteral("lblStation"));
    QFont bold = lblStation->font();
    bold.setBold(true);
    lblStation->setFont(bold);
    auto* oldCaption = new QLabel(tr("Old Value"), this);
    lblOldVal = new QLabel(this);
    lblOldVal->setObjectName(QStringLiteral("lblOldVal"));
    lblOldVal->setAccessibleName(tr("Old Value"));
    lblOldVal->setFrameShape(QFrame::Panel);
    lblOldVal->setFrameShadow(QFrame::Sunken);
    lblOldVal->setMinimumWidth(90);
    auto* newCaption = new QLabel(tr("Change Value"), this);
    txtEditVal = new QLineEdit(this);
    txtEditVal->setObjectName(QStringLiteral("txtEditVal"));
    txtEditVal->setAccessibleName(tr("Change Value"));
    newCaption->setBuddy(txtEditVal);
    btnOK = new QPushButton(tr("&OK"), this);
    btnOK->setObjectName(QStringLiteral("btnOK"));
    btnCancel = new QPushButton(tr("&Cancel"), this);
    btnCancel->setObjectName(QStringLiteral("btnCancel"));

    auto* fields = new QGridLayout;
    fields->addWidget(oldCaption, 0, 0);
    fields->addWidget(lblOldVal, 0, 1);
    fields->addWidget(newCaption, 1, 0);
    fields->addWidget(txtEditVal, 1, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btnOK);
    buttons->addWidget(btnCancel);
    auto* top = new QVBoxLayout(this);
    top->addWidget(lblStation);
    top->addLayout(fields);
    top->addLayout(buttons);
    setSizeGripEnabled(false);

    // Enter and leaving the entry both confirm it, as the entry control of the main window does.
    connect(txtEditVal, &QLineEdit::editingFinished, this,
            [this] { txtEditVal_Confirm(txtEditVal->text()); });
    connect(btnOK, &QPushButton::clicked, this, &frmD_Edit::btnOK_Click);
    connect(btnCancel, &QPushButton::clicked, this, &frmD_Edit::btnCancel_Click);
    btnOK->setDefault(true);
    txtEditVal->setFocus();
}

void frmD_Edit::setStation(int mcNo) {
    m_mcNo = mcNo;
    lblStation->setText(tr("MC %1").arg(mcNo));
}

void frmD_Edit::txtEditVal_Confirm(const QString& text) {
    const double v = val(text);
    if (v < kMin)
        txtEditVal->setText(QString::number(kMin));
    else if (v > kMax)
        txtEditVal->setText(QString::number(kMax));
}

void frmD_Edit::btnOK_Click() {
    if (txtEditVal->text().trimmed().isEmpty()) {
        MsgBox(this, windowTitle(), tr("Input Change Value."));
        txtEditVal->setFocus();
        return;
    }
    // OK confirms the entry too: a speed typed and sent with Alt+O is limited like any
    // other, since a value the controller refuses would be written again at every tick.
    txtEditVal_Confirm(txtEditVal->text());
    const RequestReply reply =
        m_sink->request(Request::writeOneOf(m_mcNo, kRegister, cInt(txtEditVal->text())));
    if (!reply.taken) {
        MsgBox(this, windowTitle(), LinkWords::refusal(reply), QMessageBox::Ok,
               QMessageBox::Warning);
        return;
    }
    accept();
}

void frmD_Edit::btnCancel_Click() {
    reject();
}
