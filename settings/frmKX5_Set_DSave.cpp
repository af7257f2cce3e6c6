#include "settings/frmKX5_Set_DSave.h"

#include "files/ConfigFiles.h"
#include "files/DSaveInterval.h"
#include "files/FileChecks.h"
#include "link/mdlKX5.h"
#include "settings/ClickLabel.h"
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
    // A choice, never typed into: a typed "y" made "Noy", saved with saving off and no word.
    auto* box = new QComboBox(parent);
    box->setObjectName(QLatin1String(name));
    for (const auto& [shown, value] : items)
        box->addItem(shown, value);
    // Once the user picks, the box holds what is seen, no longer what was read.
    QObject::connect(box, &QComboBox::activated, box, [asRead] { *asRead = {}; });
    return box;
}

// A value from the file: its item when it is one of the list's; else the item `meaning`, what
// it counts as (only "Yes" allows saving, only "min" counts as minutes), the value kept in
// *asRead to be named and saved unchanged.
void showValue(QComboBox* box, const QString& value, AsRead* asRead, int meaning) {
    const int i = box->findData(value);
    box->setCurrentIndex(i >= 0 ? i : meaning);
    *asRead = i >= 0 ? AsRead{} : AsRead{value, box->currentText()};
}

// What the file gets: a value left as read stays as read, even where the box shows it as one
// of the list's words (the default "분" shown as seconds); else the value of the item shown.
QString storedValue(const QComboBox* box, const AsRead& asRead) {
    if (!asRead.value.isNull()) return asRead.value;
    return box->currentData().toString();
}

// Seconds first, then minutes, in the words the main window shows them in; Yes, then No.
constexpr int kSecondsItem = 0;
constexpr int kNoItem = 1;

} // namespace

frmKX5_Set_DSave::frmKX5_Set_DSave(const DataSaveSettings& inUse, QWidget* parent)
    : QDialog(parent), m_settings(inUse) {
    setObjectName(QStringLiteral("frmKX5_Set_DSave"));
    setWindowTitle(tr("Data Save Setting"));

    cmbSave = makeBox(this, "cmbSave",
                      {{tr("Yes"), QStringLiteral("Yes")}, {tr("No"), QStringLiteral("No")}},
                      &m_saveAsRead);
    showValue(cmbSave, QStringLiteral("No"), &m_saveAsRead, kNoItem);
    txtSaveInterval = new QLineEdit(this);
    txtSaveInterval->setObjectName(QStringLiteral("txtSaveInterval"));
    cmbUnit = makeBox(this, "cmbUnit",
                      {{shownDataSaveUnit(DataSaveSettings::Unit::Seconds), QStringLiteral("sec")},
                       {shownDataSaveUnit(DataSaveSettings::Unit::Minutes), QStringLiteral("min")}},
                      &m_unitAsRead);
    showValue(cmbUnit, QStringLiteral("sec"), &m_unitAsRead, kSecondsItem);
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
    form->addWidget(Label1, r++, 1);
    lblAsRead = new QLabel(this);
    lblAsRead->setObjectName(QStringLiteral("lblAsRead"));
    lblAsRead->setWordWrap(true);
    form->addWidget(lblAsRead, r, 0, 1, 2);
    for (QComboBox* box : {cmbSave, cmbUnit})
        connect(box, &QComboBox::activated, this, [this] { showAsRead(); });
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
        showValue(cmbSave, l[0], &m_saveAsRead, kNoItem);
        txtSaveInterval->setText(l[1]);
        showValue(cmbUnit, l[2], &m_unitAsRead, kSecondsItem);
        setFolder(l[3]);
        txtFName->setText(l[4]);
        showAsRead();
        return;
    }
    // A missing or short file: all five fields show the settings in use; the default unit
    // word is the program's own, not one read, so it is not named.
    showValue(cmbSave, m_settings.enableWord(), &m_saveAsRead, kNoItem);
    txtSaveInterval->setText(QString::number(m_settings.interval));
    showValue(cmbUnit, m_settings.unitWord(), &m_unitAsRead, kSecondsItem);
    setFolder(m_settings.folder);
    txtFName->setText(m_settings.name);
    showAsRead(false);
}

void frmKX5_Set_DSave::showAsRead(bool fromFile) {
    QStringList lines;
    const std::pair<const char*, const AsRead*> boxes[] = {{QT_TR_NOOP("Save"), &m_saveAsRead},
                                                           {QT_TR_NOOP("Unit"), &m_unitAsRead}};
    for (const auto& [caption, asRead] : boxes)
        if (fromFile && !asRead->value.isNull())
            //: A SaveData.INI value that is none of its box's choices: the box's caption,
            //: the value, what it counts as.
            lines << tr("%1 \"%2\" in SaveData.INI is none of the choices: it counts as %3, "
                        "and stays as it is until you choose.")
                         .arg(tr(caption), asRead->value, asRead->shown);
    lblAsRead->setText(lines.join(QLatin1Char('\n')));
    lblAsRead->setVisible(!lines.isEmpty());
}

void frmKX5_Set_DSave::txtSaveInterval_LostFocus() {
    const QString corrected = correctInterval(txtSaveInterval->text());
    if (corrected != txtSaveInterval->text()) txtSaveInterval->setText(corrected);
}

void frmKX5_Set_DSave::lblFolder_Click() {
    frmDSave_Folder picker(m_folder, this);
    if (picker.exec() == QDialog::Accepted) setFolder(picker.folder());
}

void frmKX5_Set_DSave::setFolder(const QString& folder) {
    m_folder = folder;
    lblFolder->setText(folder);
}

void frmKX5_Set_DSave::btnOK_Click() {
    if (m_folder.isEmpty()) {
        MsgBox(this, windowTitle(), tr("Select Folder."));
        return;
    }
    // A name read from the file with bytes that are not UTF-8: saved as shown, it would name
    // another folder. The file keeps it until another folder is chosen.
    if (const QString why = nameNotUtf8(m_folder); !why.isEmpty()) {
        MsgBox(this, windowTitle(),
               tr("Folder %1: %2.\nSelect Folder.").arg(m_folder, shownReason(why)));
        return;
    }
    if (txtFName->text().isEmpty()) {
        MsgBox(this, windowTitle(), tr("Input Filename."));
        return;
    }
    const QStringList lines{storedValue(cmbSave, m_saveAsRead), txtSaveInterval->text(),
                            storedValue(cmbUnit, m_unitAsRead), m_folder, txtFName->text()};
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
