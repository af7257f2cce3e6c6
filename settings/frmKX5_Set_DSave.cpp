#include "settings/frmKX5_Set_DSave.h"

#include "link/mdlKX5.h"
#include "settings/ClickLabel.h"
#include "settings/ConfigFiles.h"
#include "settings/DSaveInterval.h"
#include "settings/FileChecks.h"
#include "settings/frmDSave_Folder.h"
#include "ui/MsgBox.h"

#include <QComboBox>
#include <QDir>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QComboBox* makeBox(QWidget* parent, const char* name, const QStringList& items) {
    auto* box = new QComboBox(parent);
    box->setObjectName(QLatin1String(name));
    box->setEditable(true);
    box->setInsertPolicy(QComboBox::NoInsert); // typed text is stored as typed
    box->addItems(items);
    return box;
}

} // namespace

frmKX5_Set_DSave::frmKX5_Set_DSave(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmKX5_Set_DSave"));
    setWindowTitle(QStringLiteral("Data Save Setting"));

    cmbSave = makeBox(this, "cmbSave", {QStringLiteral("Yes"), QStringLiteral("No")});
    cmbSave->setCurrentText(QStringLiteral("No"));
    txtSaveInterval = new QLineEdit(this);
    txtSaveInterval->setObjectName(QStringLiteral("txtSaveInterval"));
    cmbUnit = makeBox(this, "cmbUnit", {QStringLiteral("sec"), QStringLiteral("min")});
    cmbUnit->setCurrentText(QStringLiteral("sec"));
    lblFolder = new ClickLabel(this);
    lblFolder->setObjectName(QStringLiteral("lblFolder"));
    lblFolder->setToolTip(QStringLiteral("Click to change the folder"));
    lblFolder->setAccessibleName(QStringLiteral("Folder"));
    lblFolder->setMinimumWidth(260);
    txtFName = new QLineEdit(this);
    txtFName->setObjectName(QStringLiteral("txtFName"));
    Label1 = new QLabel(QStringLiteral("(Filename)_01.DAT ~ (Filename)_99.DAT"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    btnOK = new QPushButton(QStringLiteral("&OK"), this);
    btnOK->setObjectName(QStringLiteral("btnOK"));
    btnCancel = new QPushButton(QStringLiteral("&Cancel"), this);
    btnCancel->setObjectName(QStringLiteral("btnCancel"));

    auto* form = new QGridLayout;
    const std::pair<const char*, QWidget*> rows[] = {{"Save", cmbSave},
                                                     {"Interval", txtSaveInterval},
                                                     {"Unit", cmbUnit},
                                                     {"Folder", lblFolder},
                                                     {"Filename", txtFName}};
    int r = 0;
    for (const auto& [caption, w] : rows) {
        auto* label = new QLabel(QLatin1String(caption), this);
        label->setBuddy(w); // its name to assistive technology
        form->addWidget(label, r, 0);
        form->addWidget(w, r++, 1);
    }
    form->addWidget(Label1, r, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btnOK);
    buttons->addWidget(btnCancel);
    auto* top = new QVBoxLayout(this);
    top->addLayout(form);
    top->addLayout(buttons);

    // Leaving the box (or Return) ends an edit; the correction waits for that, not each key.
    connect(txtSaveInterval, &QLineEdit::editingFinished, this,
            &frmKX5_Set_DSave::txtSaveInterval_LostFocus);
    connect(lblFolder, &ClickLabel::clicked, this, &frmKX5_Set_DSave::lblFolder_Click);
    connect(btnOK, &QPushButton::clicked, this, &frmKX5_Set_DSave::btnOK_Click);
    connect(btnCancel, &QPushButton::clicked, this, &frmKX5_Set_DSave::btnCancel_Click);

    LoadSaveDataDlg();
}

void frmKX5_Set_DSave::LoadSaveDataDlg() {
    QDir().mkpath(cfgDir());
    QStringList l;
    if (readLines(saveDataPath(), &l) && l.size() >= 5) {
        cmbSave->setCurrentText(l[0]);
        txtSaveInterval->setText(l[1]);
        cmbUnit->setCurrentText(l[2]);
        lblFolder->setText(l[3]);
        txtFName->setText(l[4]);
        return;
    }
    // A missing or short file: all five fields show the settings in use.
    cmbSave->setCurrentText(gDSaveEnable);
    txtSaveInterval->setText(QString::number(gDSaveIntv));
    cmbUnit->setCurrentText(gDSaveUnit);
    lblFolder->setText(gDSaveFolder);
    txtFName->setText(gDSaveName);
}

void frmKX5_Set_DSave::txtSaveInterval_LostFocus() {
    const QString corrected = correctInterval(txtSaveInterval->text());
    if (corrected != txtSaveInterval->text()) txtSaveInterval->setText(corrected);
}

void frmKX5_Set_DSave::lblFolder_Click() {
    frmDSave_Folder picker(lblFolder->text(), this);
    if (picker.exec() == QDialog::Accepted) lblFolder->setText(picker.folder());
}

void frmKX5_Set_DSave::btnOK_Click() {
    if (lblFolder->text().isEmpty()) {
        MsgBox(this, windowTitle(), QStringLiteral("Select Folder."));
        return;
    }
    // A name read from the file with bytes that are not UTF-8: saved as shown, it would name
    // another folder. The file keeps it until another folder is chosen.
    if (const QString why = nameNotUtf8(lblFolder->text()); !why.isEmpty()) {
        MsgBox(this, windowTitle(),
               QStringLiteral("Folder %1: %2.\nSelect Folder.").arg(lblFolder->text(), why));
        return;
    }
    if (txtFName->text().isEmpty()) {
        MsgBox(this, windowTitle(), QStringLiteral("Input Filename."));
        return;
    }
    const QStringList lines{cmbSave->currentText(), txtSaveInterval->text(), cmbUnit->currentText(),
                            lblFolder->text(), txtFName->text()};
    QString error;
    if (!saveSaveData(lines, &error)) {
        MsgBox(this, windowTitle(),
               error + QStringLiteral("\nThe data save settings were not changed."),
               QMessageBox::Ok, QMessageBox::Warning);
        return;
    }
    // The file keeps the box's text as typed; only the interval in use is a whole number.
    applySaveDataCfg({lines[0], cInt(lines[1]), lines[2], lines[3], lines[4]});
    accept();
}

void frmKX5_Set_DSave::btnCancel_Click() {
    reject();
}
