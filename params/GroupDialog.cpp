#include "params/GroupDialog.h"

#include "link/Request.h"
#include "link/Steps.h"
#include "registers/ParamInfo.h"
#include "registers/ValueList.h"
#include "services/LinkWords.h"
#include "ui/MsgBox.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

GroupDialog::GroupDialog(RequestSink* sink, const ParamImage& image, QWidget* parent)
    : QDialog(parent), m_sink(sink), m_image(image) {
    setMinimumWidth(260);
    m_fields = new QGridLayout;
    m_fields->setHorizontalSpacing(12);
    m_fields->setColumnStretch(2, 1);
    btnOK = new QPushButton(tr("&OK"), this);
    btnOK->setObjectName(QStringLiteral("btnOK"));
    btnOK->setDefault(true);
    btnCancel = new QPushButton(tr("&Cancel"), this);
    btnCancel->setObjectName(QStringLiteral("btnCancel"));
    connect(btnOK, &QPushButton::clicked, this, [this] { btnOK_Click(); });
    connect(btnCancel, &QPushButton::clicked, this, &GroupDialog::btnCancel_Click);
}

void GroupDialog::addRow(QWidget* field, const char* mnemonic, const QString& description) {
    const int row = m_fields->rowCount();
    auto* code = new QLabel(QString::fromUtf8(mnemonic), this);
    code->setStyleSheet(QStringLiteral("font-weight: bold"));
    m_fields->addWidget(code, row, 0);
    if (!description.isEmpty()) {
        auto* desc = new QLabel(description, this);
        m_fields->addWidget(desc, row, 1);
        field->setAccessibleName(desc->text());
    } else {
        field->setAccessibleName(code->text());
    }
    m_fields->addWidget(field, row, 2);
}

QLineEdit* GroupDialog::addText(const char* name, const char* mnemonic,
                                const QString& description) {
    auto* e = new QLineEdit(this);
    e->setObjectName(QString::fromLatin1(name));
    e->setMinimumWidth(90);
    addRow(e, mnemonic, description);
    return e;
}

QComboBox* GroupDialog::addChoices(const char* name, const char* mnemonic,
                                   const QString& description, int reg) {
    auto* c = new QComboBox(this);
    c->setObjectName(QString::fromLatin1(name));
    c->setEditable(true);
    c->setInsertPolicy(QComboBox::NoInsert);
    for (const ParamInfo::Offer& o : paramInfo(reg)->offers())
        c->addItem(o.word, o.code);
    c->setMinimumWidth(90);
    addRow(c, mnemonic, description);
    return c;
}

void GroupDialog::setCode(QComboBox* box, int code) {
    const int i = box->findData(code);
    box->setCurrentIndex(i);
    if (i < 0) box->setEditText(QString::number(code));
}

void GroupDialog::addChoice(ValueList& v, const QComboBox* box, int reg) const {
    // The text in the field is what counts: left as it opened, it stands for the code the
    // controller holds (ZONE 5 shows as ON and stays 5); an item picked shows its word, and a
    // typed one is taken only as one of the words.
    if (untouched(reg, box->currentText()))
        v.addCode(raw(reg));
    else
        v.addChoice(reg, box->currentText());
}

void GroupDialog::finishLayout(QWidget* extra) {
    // The fields first and the buttons last, in the order Tab goes, and the dialog opens in
    // its first field: Tab, a number and Enter change that field.
    QList<QWidget*> order;
    for (int i = 0; i < m_fields->count(); ++i) {
        QWidget* w = m_fields->itemAt(i)->widget();
        if (w && w->focusPolicy() & Qt::TabFocus) order << w;
    }
    order << btnOK << btnCancel;
    for (int i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1], order[i]);
    order.front()->setFocus();
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btnOK);
    buttons->addWidget(btnCancel);
    auto* fieldsAndExtra = new QHBoxLayout;
    fieldsAndExtra->addLayout(m_fields);
    if (extra) fieldsAndExtra->addWidget(extra, 1);
    auto* top = new QVBoxLayout(this);
    top->addLayout(fieldsAndExtra);
    top->addStretch();
    top->addLayout(buttons);
}

QString GroupDialog::shown(int reg) const {
    const std::optional<int> v = imageValue(m_image, reg);
    return v ? paramText(reg, *v, imageDecimals(m_image)) : QString();
}

void GroupDialog::setChoice(QComboBox* box, int reg) const {
    // The item of the code the controller holds, found by the code it carries; a code the list
    // does not offer shows the map's word for it (AT 7 reads AUTO) or its number, and a
    // register not read nothing at all.
    const std::optional<int> code = imageValue(m_image, reg);
    const int i = code ? box->findData(*code) : -1;
    box->setCurrentIndex(i);
    if (i < 0) box->setEditText(shown(reg));
}

std::optional<int> GroupDialog::codeOf(const QComboBox* box, int reg) {
    // An item as picked carries its code; a word typed over it is looked up.
    const int i = box->currentIndex();
    if (i >= 0 && box->currentText() == box->itemText(i)) return box->itemData(i).toInt();
    return paramInfo(reg)->code(box->currentText());
}

bool GroupDialog::untouched(int reg, const QString& text) const {
    return imageValue(m_image, reg) && text == shown(reg);
}

void GroupDialog::addParam(ValueList& v, int reg, const QString& text) const {
    addParam(v, reg, text, raw(610), raw(611), imageDecimals(m_image));
}

void GroupDialog::addParam(ValueList& v, int reg, const QString& text, int inp, int unit,
                           int d) const {
    // Untouched in the decimals it was shown in: what the controller holds, 0x8000 and a
    // value outside the input type's range included, as the map reads it.
    if (untouched(reg, text) && d == imageDecimals(m_image))
        v.addCode(raw(reg));
    else
        v.addParam(reg, text, inp, unit, d);
}

void GroupDialog::addRaw(ValueList& v, int reg, int raw) const {
    if (imageValue(m_image, reg) == raw)
        v.addCode(raw);
    else
        v.addRaw(reg, raw, this->raw(610), this->raw(611), imageDecimals(m_image));
}

bool GroupDialog::unread(const std::vector<int>& regs) {
    for (int reg : regs)
        if (!imageValue(m_image, reg)) {
            MsgBox(this, windowTitle(),
                   tr("MC %1: register %2 was never read from the station, so it is not "
                      "written.\nNothing was sent.")
                       .arg(m_sink->selectedMcNo())
                       .arg(reg),
                   QMessageBox::Ok, QMessageBox::Warning);
            return true;
        }
    return false;
}

bool GroupDialog::send(const ValueList& list, int step) {
    if (unread(findStep(step)->regs) || refused(list)) return false;
    return submit(Request::groupWrite(step, m_sink->selectedMcNo(), list.values));
}

bool GroupDialog::refused(const ValueList& list) {
    if (list.ok()) return false;
    MsgBox(this, windowTitle(), list.refusalMessage(), QMessageBox::Ok, QMessageBox::Warning);
    return true;
}

bool GroupDialog::submit(const Request& r) {
    const RequestReply reply = m_sink->request(r);
    if (!reply.taken) {
        // The values stay in the fields, so the user can send them once the link is ready.
        MsgBox(this, windowTitle(), LinkWords::refusal(reply), QMessageBox::Ok,
               QMessageBox::Warning);
        return false;
    }
    accept();
    return true;
}
