#include "params/GroupDialog.h"

#include "link/Cells.h"
#include "link/Grid.h"
#include "link/Request.h"
#include "link/mdlKX5.h"
#include "params/ParamInfo.h"
#include "params/ParamMap.h"
#include "params/ValueList.h"
#include "ui/MsgBox.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

GroupDialog::GroupDialog(RequestSink* sink, const Grid* display, const Grid* data, QWidget* parent)
    : QDialog(parent), m_sink(sink), m_display(display), m_data(data) {
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

QComboBox* GroupDialog::addCombo(const char* name, const char* mnemonic, const QString& description,
                                 const QStringList& choices) {
    auto* c = new QComboBox(this);
    c->setObjectName(QString::fromLatin1(name));
    // Editable, as the field may hold a word the list does not offer (an unknown stored code).
    c->setEditable(true);
    c->setInsertPolicy(QComboBox::NoInsert);
    c->addItems(choices);
    c->setMinimumWidth(90);
    addRow(c, mnemonic, description);
    return c;
}

QComboBox* GroupDialog::addChoices(const char* name, const char* mnemonic,
                                   const QString& description, int reg) {
    return addCombo(name, mnemonic, description, paramInfo(reg)->words());
}

int GroupDialog::choiceCode(const QComboBox* box, int reg) {
    return paramInfo(reg)->code(choiceWord(box)).value_or(0);
}

void GroupDialog::showChoicesAs(QComboBox* box, const QStringList& shownWords) {
    for (int i = 0; i < box->count() && i < shownWords.size(); ++i) {
        box->setItemData(i, box->itemText(i));
        box->setItemText(i, shownWords[i]);
    }
}

QString GroupDialog::choiceWord(const QComboBox* box) {
    // The text in the field is what counts (it may have been typed): an item's shown words
    // stand for its word, anything else for itself.
    const QString text = box->currentText();
    const int i = box->findText(text);
    return i >= 0 && box->itemData(i).isValid() ? box->itemData(i).toString() : text;
}

void GroupDialog::finishLayout(QWidget* extra) {
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
    const MapCell c = mapCell(reg);
    return m_display ? m_display->text(c.col, c.row) : QString();
}

void GroupDialog::setChoice(QComboBox* box, const QString& text) {
    int i = box->findData(text);
    if (i < 0) i = box->findText(text);
    box->setCurrentIndex(i);
    if (i < 0) box->setEditText(text);
}

int GroupDialog::dataDecimals() const {
    return m_data ? mapDecimals(*m_data) : 0;
}

void GroupDialog::addParam(ValueList& v, int reg, const QString& text) const {
    const auto num = [this](int r) {
        const MapCell c = mapCell(r);
        return m_data ? cInt(m_data->text(c.col, c.row)) : 0;
    };
    v.addParam(reg, text, num(610), num(611), dataDecimals());
}

bool GroupDialog::send(const ValueList& list, int step) {
    if (refused(list)) return false;
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
        MsgBox(this, windowTitle(), reply.refusal, QMessageBox::Ok, QMessageBox::Warning);
        return false;
    }
    accept();
    return true;
}
