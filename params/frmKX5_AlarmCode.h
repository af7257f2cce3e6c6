// Alarm Code: a picker of the alarm type code (0 to 21) by picture. It closes on the chosen
// code, which its opener takes from code().
#pragma once

#include <QDialog>
#include <QPixmap>
#include <optional>

class QLabel;
class QPushButton;
class QTableWidget;

class frmKX5_AlarmCode : public QDialog {
    Q_OBJECT
public:
    static constexpr int kCols = 5;
    static constexpr int kRows = 4;

    explicit frmKX5_AlarmCode(QWidget* parent = nullptr);

    // The code chosen, once one is; nothing while open or after a close without a choice.
    std::optional<int> code() const { return m_code; }

    // Cell (col, row) from 1 stands for code (row - 1) x 5 + col.
    void vaSpread1_Click(int col, int row);
    void btnAlarmOff_Click();
    void btnCode21_Click();

    // The picture of code 1 to 20: its number and where the alarm output is on.
    static QPixmap alarmPicture(int code);

private:
    void choose(int code);

    std::optional<int> m_code;
    QTableWidget* vaSpread1;
    QPushButton* btnAlarmOff;
    QPushButton* btnCode21;
    QLabel* Image1;
    QLabel* lblRow;
};
