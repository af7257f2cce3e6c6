#include "settings/GatewayDialog.h"

#include "settings/GatewayCountsTable.h"
#include "ui/Frame.h"
#include "ui/MsgBox.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace {

template <typename W> W* named(W* w, const char* name, const QString& accessible) {
    w->setObjectName(QLatin1String(name));
    w->setAccessibleName(accessible);
    return w;
}

} // namespace

GatewayDialog::GatewayDialog(const GatewayOptions& o, QWidget* parent)
    : QDialog(parent), m_saved(o) {
    setObjectName(QStringLiteral("frmGateway"));
    setWindowTitle(tr("Modbus TCP Gateway"));
    auto* outer = new QVBoxLayout(this);
    m_chkEnable = named(new QCheckBox(tr("&Serve every station as a Modbus TCP unit (unit id = "
                                         "MC No)")),
                        "chkGateway", tr("Serve every station as a Modbus TCP unit"));
    outer->addWidget(m_chkEnable);
    auto* form = new QFormLayout;
    m_txtAddress = named(new QLineEdit, "txtAddress", tr("Listen address"));
    m_txtAddress->setPlaceholderText(tr("127.0.0.1: this computer only; 0.0.0.0: every network"));
    form->addRow(tr("Listen &address:"), m_txtAddress);
    m_spnPort = named(new QSpinBox, "spnPort", tr("Port"));
    m_spnPort->setRange(1, 65535);
    form->addRow(tr("&Port:"), m_spnPort);
    m_spnClients = named(new QSpinBox, "spnClients", tr("Most clients at once"));
    m_spnClients->setRange(1, GatewayOptions::kMostClients);
    form->addRow(tr("&Most clients at once:"), m_spnClients);
    m_chkWrites = named(new QCheckBox(tr("Allow &writes (function codes 06 and 16)")), "chkWrites",
                        tr("Allow writes"));
    form->addRow(QString(), m_chkWrites);
    m_txtAllow = named(new QLineEdit, "txtAllowWrite", tr("Registers clients may write"));
    m_txtAllow->setToolTip(tr("Registers and ranges, separated by commas, e.g. 301-303,501-506"));
    form->addRow(tr("&Registers clients may write:"), m_txtAllow);
    m_spnWait = named(new QSpinBox, "spnAnswerWait", tr("Longest wait for an answer"));
    m_spnWait->setRange(GatewayOptions::kLeastWaitMs, GatewayOptions::kMostWaitMs);
    m_spnWait->setSingleStep(100);
    m_spnWait->setSuffix(tr(" ms"));
    m_spnWait->setToolTip(tr("A request that needs the line and is not answered within this "
                             "time gets exception 0B. Keep it below the clients' own time-out."));
    form->addRow(tr("Lon&gest wait for an answer:"), m_spnWait);
    m_spnSerial = named(new QSpinBox, "spnSerialTimeout", tr("Serial response time-out"));
    m_spnSerial->setRange(0, GatewayOptions::kMostSerialMs);
    m_spnSerial->setSingleStep(50);
    m_spnSerial->setSuffix(tr(" ms"));
    m_spnSerial->setSpecialValueText(tr("from the line's speed"));
    m_spnSerial->setToolTip(tr("How long each of the three tries of a client's request waits for "
                               "the controller's answer. From the line's speed: the frames' wire "
                               "time and 600 ms. Shorter, so that a request given up ends within "
                               "the longest wait."));
    form->addRow(tr("Serial response t&ime-out:"), m_spnSerial);
    m_spnIdle = named(new QSpinBox, "spnIdle", tr("Close a silent connection after"));
    m_spnIdle->setRange(0, GatewayOptions::kMostIdleSeconds);
    m_spnIdle->setSuffix(tr(" s"));
    m_spnIdle->setSpecialValueText(tr("never"));
    form->addRow(tr("Close a silent co&nnection after:"), m_spnIdle);
    m_txtTrusted = named(new QLineEdit, "txtTrusted", tr("Trusted clients"));
    m_txtTrusted->setPlaceholderText(tr("any; or e.g. 192.168.1.0/24,10.0.0.5"));
    m_txtTrusted->setToolTip(tr("Addresses and networks that may connect, separated by commas; "
                                "others are refused and counted. Empty: any."));
    form->addRow(tr("&Trusted clients:"), m_txtTrusted);
    outer->addLayout(form);
    m_grdCounters = new GatewayCountsTable;
    m_grdCounters->hide(); // until there is a running gateway to count
    outer->addWidget(m_grdCounters);
    m_refresh.setInterval(kFrameMs);
    m_refresh.setSingleShot(true);
    connect(&m_refresh, &QTimer::timeout, this, &GatewayDialog::refreshCounters);
    m_lblProblem = new QLabel;
    m_lblProblem->setObjectName(QStringLiteral("lblProblem"));
    m_lblProblem->setWordWrap(true);
    outer->addWidget(m_lblProblem);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    buttons->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("btnOK"));
    buttons->button(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("btnCancel"));
    connect(buttons, &QDialogButtonBox::accepted, this, &GatewayDialog::btnOK_Click);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    outer->addWidget(buttons);

    m_chkEnable->setChecked(o.enabled);
    m_txtAddress->setText(o.address);
    m_spnPort->setValue(o.port);
    m_spnClients->setValue(std::clamp(o.maxClients, 1, GatewayOptions::kMostClients));
    m_chkWrites->setChecked(o.writes);
    m_txtAllow->setText(o.allowListText());
    m_spnWait->setValue(o.answerWaitMs);
    m_spnSerial->setValue(o.serialTimeoutMs);
    m_spnIdle->setValue(o.idleSeconds);
    m_txtTrusted->setText(o.trustedText());
    connect(m_chkEnable, &QCheckBox::toggled, this, &GatewayDialog::updateStates);
    connect(m_chkWrites, &QCheckBox::toggled, this, &GatewayDialog::updateStates);
    updateStates();
}

void GatewayDialog::updateStates() {
    for (QWidget* w : {static_cast<QWidget*>(m_txtAddress), static_cast<QWidget*>(m_spnPort),
                       static_cast<QWidget*>(m_spnClients), static_cast<QWidget*>(m_chkWrites),
                       static_cast<QWidget*>(m_spnWait), static_cast<QWidget*>(m_spnSerial),
                       static_cast<QWidget*>(m_spnIdle), static_cast<QWidget*>(m_txtTrusted)})
        w->setEnabled(m_chkEnable->isChecked());
    m_txtAllow->setEnabled(m_chkEnable->isChecked() && m_chkWrites->isChecked());
}

bool GatewayDialog::options(GatewayOptions* o, QString* why) const {
    o->enabled = m_chkEnable->isChecked();
    o->address = m_txtAddress->text().trimmed();
    o->port = m_spnPort->value();
    o->maxClients = m_spnClients->value();
    o->writes = m_chkWrites->isChecked();
    o->answerWaitMs = m_spnWait->value();
    o->idleSeconds = m_spnIdle->value();
    o->serialTimeoutMs = m_spnSerial->value();
    QString bad;
    if (!GatewayOptions::parseAllowList(m_txtAllow->text(), &o->allowList, &bad)) {
        *why = tr("%1 is not a register 0 to 699 or a range of them, such as 301-303.").arg(bad);
        return false;
    }
    if (!GatewayOptions::parseTrusted(m_txtTrusted->text(), &o->trusted, &bad)) {
        *why = tr("%1 is not an address or a network, such as 192.168.1.0/24.").arg(bad);
        return false;
    }
    *why = o->problem(true);
    return true;
}

void GatewayDialog::btnOK_Click() {
    GatewayOptions o;
    QString why;
    // Settings that cannot work are not saved while the gateway is on; off, they wait. A
    // wrong list of registers or of clients is never saved.
    if (!options(&o, &why) || (o.enabled && !why.isEmpty())) {
        m_lblProblem->setText(why);
        return;
    }
    QString error;
    if (!saveGatewayOptions(o, &error)) {
        MsgBox(this, windowTitle(), error, QMessageBox::Ok, QMessageBox::Warning);
        return;
    }
    m_saved = o;
    accept();
}

void GatewayDialog::setCounters(std::function<GatewayCounters()> source,
                                const GatewayWatch& watch) {
    m_counters = std::move(source);
    m_grdCounters->setVisible(bool(m_counters));
    if (m_counters) setMinimumWidth(600);
    refreshCounters();
    if (watch)
        watch(this, [this] {
            if (!m_refresh.isActive()) m_refresh.start();
        });
}

void GatewayDialog::refreshCounters() {
    if (!m_counters) return;
    m_grdCounters->setCounts(m_counters());
}
