// The "Modbus TCP Gateway" window (Setup menu): whether the gateway runs, where it listens,
// how many clients it serves at once and which registers they may write, kept in
// CFG/Gateway.INI. OK saves; the caller applies what was saved.
#pragma once

#include "gateway/GatewayOptions.h"

#include <QDialog>

class QCheckBox;
class QLabel;
class QLineEdit;
class QSpinBox;

class GatewayDialog : public QDialog {
    Q_OBJECT
public:
    explicit GatewayDialog(QWidget* parent = nullptr);

    // As filled in: false when the register list cannot be read; *why says in the user's words
    // what keeps the options from being used ("" when nothing).
    bool options(GatewayOptions* o, QString* why) const;
    void btnOK_Click();

private:
    void updateStates();

    QCheckBox* m_chkEnable;
    QLineEdit* m_txtAddress;
    QSpinBox *m_spnPort, *m_spnClients;
    QCheckBox* m_chkWrites;
    QLineEdit* m_txtAllow;
    QLabel* m_lblProblem;
};
