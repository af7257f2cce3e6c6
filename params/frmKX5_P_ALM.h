// Alarm Group Setting: alarm 1 and 2 types, dead bands and points, written as step 101. The
// types are picked from pictures (frmKX5_AlarmCode), not typed.
#pragma once

#include "params/GroupDialog.h"

#include <functional>
#include <optional>

class ClickLabel;
class QLabel;

class frmKX5_P_ALM : public GroupDialog {
    Q_OBJECT
public:
    frmKX5_P_ALM(RequestSink* sink, const ParamImage& image, QWidget* parent = nullptr);
    void btnOK_Click() override;

    void lblA1TY_Click() { pickType(0); }
    void lblA2TY_Click() { pickType(1); }

    // Opens the picker and gives the code chosen, nothing when closed without a choice; tests
    // put their own here. The default shows frmKX5_AlarmCode modally.
    std::function<std::optional<int>(frmKX5_P_ALM*)> openPicker;

private:
    // Alarm 1 or 2 (0, 1) takes the code picked, and shows it.
    void pickType(int alarm);
    void setType(int alarm, int code);

    int m_types[2] = {0, 0};
    ClickLabel *lblA1TY, *lblA2TY;
    QLineEdit *txtA1DB, *txtA2DB, *txtAL1, *txtAL2;
};
