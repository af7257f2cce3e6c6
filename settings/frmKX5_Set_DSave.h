// Data Save Setting: whether data logging is allowed, its interval and unit, the folder and the
// base file name, stored in CFG/SaveData.INI and applied to logging at once on OK.
#pragma once

#include <QDialog>

class ClickLabel;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

class frmKX5_Set_DSave : public QDialog {
    Q_OBJECT
public:
    explicit frmKX5_Set_DSave(QWidget* parent = nullptr);

    void LoadSaveDataDlg();
    void txtSaveInterval_LostFocus();
    void lblFolder_Click();
    void btnOK_Click();
    void btnCancel_Click();

private:
    QComboBox* cmbSave;
    QLineEdit* txtSaveInterval;
    QComboBox* cmbUnit;
    ClickLabel* lblFolder;
    QLineEdit* txtFName;
    QLabel* Label1;
    QPushButton* btnOK;
    QPushButton* btnCancel;
    // The Save and Unit texts read from the file that are none of the list's values, saved
    // back unchanged while the box is left alone.
    QString m_saveAsRead, m_unitAsRead;
};
