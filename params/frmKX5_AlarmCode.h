// Alarm Code: a picker of the alarm type code (0 to 21) by picture. It writes the chosen code
// as text into the type label of the alarm dialog that gAlarmSel names, and closes.
#pragma once

#include <QDialog>
#include <QPixmap>

class QLabel;
class QPushButton;
class QTableWidget;
class frmKX5_P_ALM;

// Which type label the picker fills: 1 = lblA1TY, anything else = lblA2TY.
inline int gAlarmSel = 0;

class frmKX5_AlarmCode : public QDialog {
    Q_OBJECT
public:
    static constexpr int kCols = 5;
    static constexpr int kRows = 4;

    frmKX5_AlarmCode(frmKX5_P_ALM* alarmDialog, QWidget* parent = nullptr);

    // Cell (col, row) from 1 stands for code (row - 1) x 5 + col.
    void vaSpread1_Click(int col, int row);
    void btnAlarmOff_Click();
    void btnCode21_Click();

    // The picture of code 1 to 20: its number and where the alarm output is on.
    static QPixmap alarmPicture(int code);

private:
    void choose(int code);

    frmKX5_P_ALM* m_alm;
    QTableWidget* vaSpread1;
    QPushButton* btnAlarmOff;
    QPushButton* btnCode21;
    QLabel* Image1;
    QLabel* lblRow;
};
