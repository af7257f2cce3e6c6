// Data Save Setting: whether data logging is allowed, its interval and unit, the folder and the
// base file name, stored in CFG/SaveData.INI and applied to logging at once on OK.
#pragma once

#include "files/DataSaveSettings.h"

#include <QDialog>

class ClickLabel;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

class frmKX5_Set_DSave : public QDialog {
    Q_OBJECT
public:
    // inUse: shown when the file is missing or short. OK saves the file and gives settings().
    explicit frmKX5_Set_DSave(const DataSaveSettings& inUse, QWidget* parent = nullptr);

    const DataSaveSettings& settings() const { return m_settings; }

    void LoadSaveDataDlg();
    void txtSaveInterval_LostFocus();
    void lblFolder_Click();
    // The data folder, a value of its own; the label only shows it.
    void setFolder(const QString& folder);
    const QString& folder() const { return m_folder; }
    void btnOK_Click();
    void btnCancel_Click();

    // A Save or Unit value read that is none of the list's values, and the word of what it
    // counts as, which the box shows; named under the fields, and saved back unchanged while
    // the box is left alone.
    struct AsRead {
        QString value, shown;
    };

private:
    // Names the values read that are none of the choices (fromFile false: none are).
    void showAsRead(bool fromFile = true);

    QComboBox* cmbSave;
    QLineEdit* txtSaveInterval;
    QComboBox* cmbUnit;
    ClickLabel* lblFolder;
    QLineEdit* txtFName;
    QLabel* Label1;
    QLabel* lblAsRead;
    QPushButton* btnOK;
    QPushButton* btnCancel;
    AsRead m_saveAsRead, m_unitAsRead;
    DataSaveSettings m_settings;
    QString m_folder;
};
