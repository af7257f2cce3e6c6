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

// The file holds the English value ("Yes", "sec"); the list shows it in the user's language,
// with the value as the item's data.
using AsRead = frmKX5_Set_DSave::AsRead;

QComboBox* makeBox(QWidget* parent, const char* name,
                   std::initializer_list<std::pair<QString, QString>> items, AsRead* asRead) {
    auto* box = new QComboBox(parent);
    box->setObjectName(QLatin1String(name));
    box->setEditable(true);
    box->setInsertPolicy(QComboBox::NoInsert); // typed text is stored as typed
    for (const auto& [shown, value] : items)
        box->addItem(shown, value);
    // Once the user picks or types, the box holds what is seen, no longer what was read.
    QObject::connect(box, &QComboBox::activated, box, [asRead] { *asRead = {}; });
    QObject::connect(box->lineEdit(), &QLineEdit::textEdited, box, [asRead] { *asRead = {}; });
    return box;
}

// A value from the file: its item when it is one of the list's; else the item `meaning` (a
// unit shown as what it counts as), or with none the text as it stands ("yes" typed earlier).
// Such a value is kept in *asRead to be saved unchanged.
void showValue(QComboBox* box, const QString& value, AsRead* asRead, int meaning = -1) {
    const int i = box->findData(value);
    *asRead = {};
    if (const int item = i >= 0 ? i : meaning; item >= 0) {
        box->setCurrentIndex(item);
        box->setEditText(box->itemText(item)); // also when the index was already this one
    } else {
        box->setEditText(value);
    }
    if (i < 0) *asRead = {value, box->currentText()};
}

// What the file gets: a text left as read stays as read, even where the box shows it as one
// of the list's words (the default "분" shown as seconds); a word of the list gives its value;
// anything else is stored as typed.
QString storedValue(const QComboBox* box, const AsRead& asRead) {
    const QString text = box->currentText();
    if (!asRead.shown.isNull() && text == asRead.shown) return asRead.value;
    const int i = box->findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive);
    return i >= 0 ? box->itemData(i).toString() : text;
}

// The Unit box: seconds first, then minutes, in the words the main window shows them in.
constexpr int kSecondsItem = 0;

} // namespace

frmKX5_Set_DSave::frmKX5_Set_DSave(const DataSaveSettings& inUse, QWidget* parent)
    : QDialog(parent), m_settings(inUse) {
    setObjectName(QStringLiteral("frmKX5_Set_DSave"));
    setWindowTitle(tr("Data Save Setting"));

    cmbSave = makeBox(this, "cmbSave",
                      {{tr("Yes"), QStringLiteral("Yes")}, {tr("No"), QStringLiteral("No")}},
                      &m_saveAsRead);
    showValue(cmbSave, QStringLiteral("No"), &m_saveAsRead);
    txtSaveInterval = new QLineEdit(this);
    txtSaveInterval->setObjectName(QStringLiteral("txtSaveInterval"));
    cmbUnit = makeBox(this, "cmbUnit",
                      {{shownDataSaveUnit(DataSaveSettings::Unit::Seconds), QStringLiteral("sec")},
                       {shownDataSaveUnit(DataSaveSettings::Unit::Minutes), QStringLiteral("min")}},
                      &m_unitAsRead);
    showValue(cmbUnit, QStringLiteral("sec"), &m_unitAsRead);
    lblFolder = new ClickLabel(this);
    lblFolder->setObjectName(QStringLiteral("lblFolder"));
    lblFolder->setToolTip(tr("Click to change the folder"));
    lblFolder->setAccessibleName(tr("Folder"));
    lblFolder->setMinimumWidth(260);
    txtFName = new QLineEdit(this);
    txtFName->setObjectName(QStringLiteral("txtFName"));
    Label1 = new QLabel(tr("(Filename)_01.DAT ~ (Filename)_99.DAT"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    btnOK = new QPushButton(tr("&OK"), this);
    btnOK->setObjectName(QStringLiteral("btnOK"));
    btnCancel = new QPushButton(tr("&Cancel"), this);
    btnCancel->setObjectName(QStringLiteral("btnCancel"));

    auto* form = new QGridLayout;
    const std::pair<const char*, QWidget*> rows[] = {{QT_TR_NOOP("Save"), cmbSave},
                                                     {QT_TR_NOOP("Interval"), txtSaveInterval},
                                                     {QT_TR_NOOP("Unit"), cmbUnit},
                                                     {QT_TR_NOOP("Folder"), lblFolder},
                                                     {QT_TR_NOOP("Filename"), txtFName}};
    int r = 0;
    for (const auto& [caption, w] : rows) {
        auto* label = new QLabel(tr(caption), this);
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
        showValue(cmbSave, l[0], &m_saveAsRead);
        txtSaveInterval->setText(l[1]);
        showValue(cmbUnit, l[2], &m_unitAsRead, kSecondsItem);
        lblFolder->setText(l[3]);
        txtFName->setText(l[4]);
        return;
    }
    // A missing or short file: all five fields show the settings in use.
    showValue(cmbSave, m_settings.enableWord(), &m_saveAsRead);
    txtSaveInterval->setText(QString::number(m_settings.interval));
    showValue(cmbUnit, m_settings.unitWord(), &m_unitAsRead, kSecondsItem);
    lblFolder->setText(m_settings.folder);
    txtFName->setText(m_settings.name);
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
        MsgBox(this, windowTitle(), tr("Select Folder."));
        return;
    }
    // A name read from the file with bytes that are not UTF-8: saved as shown, it would name
    // another folder. The file keeps it until another folder is chosen.
    if (const QString why = nameNotUtf8(lblFolder->text()); !why.isEmpty()) {
        MsgBox(this, windowTitle(),
               tr("Folder %1: %2.\nSelect Folder.").arg(lblFolder->text(), shownReason(why)));
        return;
    }
    if (txtFName->text().isEmpty()) {
        MsgBox(this, windowTitle(), tr("Input Filename."));
        return;
    }
    const QStringList lines{storedValue(cmbSave, m_saveAsRead), txtSaveInterval->text(),
                            storedValue(cmbUnit, m_unitAsRead), lblFolder->text(),
                            txtFName->text()};
    QString error;
    if (!saveSaveData(lines, &error)) {
        MsgBox(this, windowTitle(), tr("%1\nThe data save settings were not changed.").arg(error),
               QMessageBox::Ok, QMessageBox::Warning);
        return;
    }
    // The file keeps the box's text as typed; only the interval in use is a whole number.
    m_settings =
        DataSaveSettings::fromWords(lines[0], cInt(lines[1]), lines[2], lines[3], lines[4]);
    accept();
}

void frmKX5_Set_DSave::btnCancel_Click() {
    reject();
}
