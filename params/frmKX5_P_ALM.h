// Alarm Group Setting: alarm 1 and 2 types, dead bands and points, written as step 101. The
// types are picked from pictures (frmKX5_AlarmCode), not typed.
#pragma once

#include "params/GroupDialog.h"

#include <functional>

class ClickLabel;
class QLabel;

class frmKX5_P_ALM : public GroupDialog {
    Q_OBJECT
public:
    frmKX5_P_ALM(RequestSink* sink, const Grid* display, const Grid* data,
                 QWidget* parent = nullptr);
    void btnOK_Click() override;

    void lblA1TY_Click();
    void lblA2TY_Click();
    // The type label the picker fills: lblA1TY for 1, lblA2TY for any other value.
    QLabel* typeLabel(int alarmSel) const;

    // Opens the picker; tests put their own here. The default shows frmKX5_AlarmCode modally.
    std::function<void(frmKX5_P_ALM*)> openPicker;

private:
    ClickLabel *lblA1TY, *lblA2TY;
    QLineEdit *txtA1DB, *txtA2DB, *txtAL1, *txtAL2;
};
