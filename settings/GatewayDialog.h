// The "Modbus TCP Gateway" window (Setup menu): whether the gateway runs, where it listens,
// how many clients it serves at once and from where, how long they wait, and which registers
// they may write, kept in CFG/Gateway.INI; and, live, what the running gateway counted per
// client and per unit. It shows the options it is given; OK saves, and the caller applies
// saved().
#pragma once

#include "files/GatewayOptions.h"
#include "gateway/GatewayCounters.h"

#include <QDialog>
#include <QTimer>
#include <functional>

class QCheckBox;
class QLabel;
class QLineEdit;
class QSpinBox;
class GatewayCountsTable;

class GatewayDialog : public QDialog {
    Q_OBJECT
public:
    explicit GatewayDialog(const GatewayOptions& options, QWidget* parent = nullptr);

    // As filled in: false when the register list cannot be read; *why says in the user's words
    // what keeps the options from being used ("" when nothing).
    bool options(GatewayOptions* o, QString* why) const;
    void btnOK_Click();
    // What OK saved.
    const GatewayOptions& saved() const { return m_saved; }
    // Where the counters come from; the table shows them at once and, with watch, again at
    // the next frame after they change.
    void setCounters(std::function<GatewayCounters()> source, const GatewayWatch& watch = {});
    void refreshCounters();

private:
    void updateStates();

    QCheckBox* m_chkEnable;
    QLineEdit* m_txtAddress;
    QSpinBox *m_spnPort, *m_spnClients;
    QCheckBox* m_chkWrites;
    QLineEdit* m_txtAllow;
    QSpinBox *m_spnWait, *m_spnSerial, *m_spnIdle;
    QLineEdit* m_txtTrusted;
    GatewayCountsTable* m_grdCounters;
    QLabel* m_lblProblem;
    GatewayOptions m_saved;
    std::function<GatewayCounters()> m_counters;
    QTimer m_refresh; // 16 ms, once after a change
};
