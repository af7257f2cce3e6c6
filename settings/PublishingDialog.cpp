#include "settings/PublishingDialog.h"

#include "publish/MqttClient.h"
#include "ui/MsgBox.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QSpinBox>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

QLineEdit* lineEdit(const char* name) {
    auto* e = new QLineEdit;
    e->setObjectName(QLatin1String(name));
    return e;
}

// The label's text is the control's accessible name, as screen readers expect: without its
// accelerator, either "&Host" or a translation's "호스트[&H]", and without the colon.
void addRow(QFormLayout* form, const QString& label, QWidget* field, QWidget* named = nullptr) {
    static const QRegularExpression accelerator(QStringLiteral("\\[&.\\]|&|:$"));
    (named ? named : field)->setAccessibleName(QString(label).remove(accelerator).trimmed());
    form->addRow(label, field);
}

} // namespace

QLineEdit* PublishingDialog::fileField(const char* name, const QString& title, QWidget** row) {
    auto* edit = lineEdit(name);
    // A tool button: as narrow as its "...", where a push button keeps a wide minimum.
    auto* browse = new QToolButton;
    browse->setText(QStringLiteral("..."));
    browse->setObjectName(QStringLiteral("btn") + QLatin1String(name).mid(3));
    browse->setAccessibleName(tr("Choose %1").arg(title));
    connect(browse, &QToolButton::clicked, this, [this, edit, title] {
        const QString f = QFileDialog::getOpenFileName(this, title, edit->text());
        if (!f.isEmpty()) edit->setText(f);
    });
    *row = new QWidget;
    auto* lay = new QHBoxLayout(*row);
    lay->setContentsMargins(0, 0, 0, 0);
    lay->addWidget(edit, 1);
    lay->addWidget(browse);
    return edit;
}

PublishingDialog::PublishingDialog(const PublishOptions& inUse, QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmPublishing"));
    setWindowTitle(tr("Publishing"));
    auto* outer = new QVBoxLayout(this);

    m_chkEnable = new QCheckBox(tr("&Publish every station's values to an MQTT broker"));
    m_chkEnable->setObjectName(QStringLiteral("chkPublish"));
    outer->addWidget(m_chkEnable);

    auto* broker = new QGroupBox(tr("Broker"));
    auto* bf = new QFormLayout(broker);
    m_txtHost = lineEdit("txtHost");
    addRow(bf, tr("&Host:"), m_txtHost);
    m_spnPort = new QSpinBox;
    m_spnPort->setObjectName(QStringLiteral("spnPort"));
    m_spnPort->setRange(1, 65535);
    addRow(bf, tr("P&ort:"), m_spnPort);
    m_chkTLS = new QCheckBox(tr("Use &TLS"));
    m_chkTLS->setObjectName(QStringLiteral("chkTLS"));
    bf->addRow(QString(), m_chkTLS);
    m_txtCAFile = fileField("txtCAFile", tr("CA file"), &m_rowCA);
    addRow(bf, tr("CA file:"), m_rowCA, m_txtCAFile);
    m_txtCAFile->setPlaceholderText(tr("empty: the system's certificate authorities"));
    m_txtCertFile = fileField("txtCertFile", tr("Client certificate"), &m_rowCert);
    addRow(bf, tr("Client certificate:"), m_rowCert, m_txtCertFile);
    m_txtCertFile->setPlaceholderText(tr("optional"));
    m_txtKeyFile = fileField("txtKeyFile", tr("Client key"), &m_rowKey);
    addRow(bf, tr("Client key:"), m_rowKey, m_txtKeyFile);
    m_txtUser = lineEdit("txtUser");
    m_txtUser->setPlaceholderText(tr("empty: none"));
    addRow(bf, tr("&User name:"), m_txtUser);
    m_txtPassword = lineEdit("txtPassword");
    m_txtPassword->setEchoMode(QLineEdit::Password);
    addRow(bf, tr("Pass&word:"), m_txtPassword);
    m_txtClientId = lineEdit("txtClientId");
    addRow(bf, tr("&Client id:"), m_txtClientId);
    // The broker and the messages side by side: stacked, the window is taller than a
    // 1024x600 screen.
    auto* groups = new QHBoxLayout;
    groups->addWidget(broker, 1);
    outer->addLayout(groups);

    auto* what = new QGroupBox(tr("Messages"));
    auto* wf = new QFormLayout(what);
    m_txtPrefix = lineEdit("txtPrefix");
    addRow(wf, tr("Topic p&refix:"), m_txtPrefix);
    m_txtLine = lineEdit("txtLine");
    addRow(wf, tr("&Line name:"), m_txtLine);
    m_lblTopic = new QLabel;
    m_lblTopic->setObjectName(QStringLiteral("lblTopic"));
    m_lblTopic->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_lblTopic->setWordWrap(true); // a long prefix and line name wrap, not widen the window
    addRow(wf, tr("Topics:"), m_lblTopic);
    auto* when = new QWidget;
    auto* wl = new QGridLayout(when);
    wl->setContentsMargins(0, 0, 0, 0);
    m_optEveryReply = new QRadioButton(tr("Every repl&y"));
    m_optEveryReply->setObjectName(QStringLiteral("optEveryReply"));
    m_optEveryN = new QRadioButton(tr("&Every"));
    m_optEveryN->setObjectName(QStringLiteral("optEveryN"));
    m_spnEveryN = new QSpinBox;
    m_spnEveryN->setObjectName(QStringLiteral("spnEveryN"));
    m_spnEveryN->setAccessibleName(tr("Seconds between publications"));
    m_spnEveryN->setRange(1, 3600);
    m_spnEveryN->setSuffix(tr(" s"));
    m_optOnChange = new QRadioButton(tr("On chan&ge by more than"));
    m_optOnChange->setObjectName(QStringLiteral("optOnChange"));
    m_spnDeadBand = new QDoubleSpinBox;
    m_spnDeadBand->setObjectName(QStringLiteral("spnDeadBand"));
    m_spnDeadBand->setAccessibleName(tr("Dead band, in the value's own unit"));
    m_spnDeadBand->setToolTip(
        tr("PV and SV in their unit (degrees, V or mV), MV in percent; 0: any change"));
    m_spnDeadBand->setRange(0, PublishOptions::kMaxDeadBand);
    m_spnDeadBand->setDecimals(2);
    m_spnDeadBand->setSingleStep(0.1);
    auto* heartbeatLabel = new QLabel(tr("at least every"));
    m_spnHeartbeat = new QSpinBox;
    m_spnHeartbeat->setObjectName(QStringLiteral("spnHeartbeat"));
    m_spnHeartbeat->setAccessibleName(tr("Seconds between publications of a steady station"));
    m_spnHeartbeat->setRange(1, 3600);
    m_spnHeartbeat->setSuffix(tr(" s"));
    auto* group = new QButtonGroup(this);
    for (QRadioButton* b : {m_optEveryReply, m_optEveryN, m_optOnChange})
        group->addButton(b);
    auto* everyRow = new QHBoxLayout;
    everyRow->addWidget(m_optEveryN);
    everyRow->addWidget(m_spnEveryN);
    everyRow->addStretch(1);
    wl->addWidget(m_optEveryReply, 0, 0);
    wl->addLayout(everyRow, 0, 1, 1, 2);
    wl->addWidget(m_optOnChange, 1, 0);
    wl->addWidget(m_spnDeadBand, 1, 1);
    auto* beatRow = new QHBoxLayout;
    // Under the text of "On change", as the rest of that choice.
    beatRow->addSpacing(style()->pixelMetric(QStyle::PM_ExclusiveIndicatorWidth) +
                        style()->pixelMetric(QStyle::PM_RadioButtonLabelSpacing));
    beatRow->addWidget(heartbeatLabel);
    beatRow->addWidget(m_spnHeartbeat);
    beatRow->addStretch(1);
    wl->addLayout(beatRow, 2, 0, 1, 3);
    wl->setColumnStretch(2, 1);
    wf->addRow(tr("Publish:"), when);
    m_chkRetain = new QCheckBox(tr("Retai&ned (a new subscriber gets the last values at once)"));
    m_chkRetain->setObjectName(QStringLiteral("chkRetain"));
    wf->addRow(QString(), m_chkRetain);
    m_cmbQoS = new QComboBox;
    m_cmbQoS->setObjectName(QStringLiteral("cmbQoS"));
    m_cmbQoS->addItems({tr("0: at most once"), tr("1: at least once")});
    addRow(wf, tr("&QoS:"), m_cmbQoS);
    m_chkDiscovery = new QCheckBox(tr("Announce the stations to Home &Assistant"));
    m_chkDiscovery->setObjectName(QStringLiteral("chkDiscovery"));
    m_chkDiscovery->setToolTip(tr("MQTT discovery: each station's PV, SV, MV and lamps appear "
                                  "in Home Assistant without configuration"));
    wf->addRow(QString(), m_chkDiscovery);
    m_txtDiscoveryPrefix = lineEdit("txtDiscoveryPrefix");
    addRow(wf, tr("Disco&very prefix:"), m_txtDiscoveryPrefix);
    groups->addWidget(what, 1);

    auto* testRow = new QHBoxLayout;
    m_btnTest = new QPushButton(tr("Te&st"));
    m_btnTest->setObjectName(QStringLiteral("btnTest"));
    m_btnTest->setAccessibleName(tr("Test"));
    testRow->addWidget(m_btnTest, 0, Qt::AlignTop);
    m_lblTest = new QLabel;
    m_lblTest->setObjectName(QStringLiteral("lblTest"));
    m_lblTest->setWordWrap(true);
    m_lblTest->setMinimumHeight(m_lblTest->fontMetrics().lineSpacing() * 3);
    m_lblTest->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_lblTest->setTextInteractionFlags(Qt::TextSelectableByMouse);
    testRow->addWidget(m_lblTest, 1);
    outer->addLayout(testRow);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    buttons->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("btnOK"));
    buttons->button(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("btnCancel"));
    outer->addWidget(buttons);

    connect(m_btnTest, &QPushButton::clicked, this, &PublishingDialog::btnTest_Click);
    connect(buttons, &QDialogButtonBox::accepted, this, &PublishingDialog::btnOK_Click);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    for (QCheckBox* c : {m_chkEnable, m_chkTLS, m_chkDiscovery})
        connect(c, &QCheckBox::toggled, this, &PublishingDialog::updateStates);
    for (QRadioButton* b : {m_optEveryN, m_optOnChange})
        connect(b, &QRadioButton::toggled, this, &PublishingDialog::updateStates);
    for (QLineEdit* e : {m_txtPrefix, m_txtLine})
        connect(e, &QLineEdit::textChanged, this, &PublishingDialog::updateStates);

    showOptions(inUse);
    // A hand-edited file that cannot be used as it stands: said where, as the events say it.
    QStringList wrong;
    for (const FileNotice& e : inUse.fileErrors)
        wrong << e.shown;
    if (!wrong.isEmpty())
        m_lblTest->setText(
            tr("Publishing is off until this is put right: %1").arg(wrong.join(QLatin1Char('\n'))));
    // Wide enough for the hints in the empty fields, in whatever language they are.
    for (QLineEdit* e : {m_txtCAFile, m_txtCertFile, m_txtUser, m_txtClientId})
        e->setMinimumWidth(e->fontMetrics().horizontalAdvance(e->placeholderText()) +
                           3 * e->fontMetrics().averageCharWidth());
    resize(sizeHint().expandedTo(QSize(560, 0)));
}

void PublishingDialog::showOptions(const PublishOptions& o) {
    m_chkEnable->setChecked(o.enabled);
    m_txtHost->setText(o.host);
    m_spnPort->setValue(o.port);
    m_chkTLS->setChecked(o.tls);
    m_txtCAFile->setText(o.caFile);
    m_txtCertFile->setText(o.certFile);
    m_txtKeyFile->setText(o.keyFile);
    m_txtUser->setText(o.user);
    m_txtPassword->setText(o.password);
    m_txtClientId->setText(o.clientId);
    m_txtPrefix->setText(o.prefix);
    m_txtLine->setText(o.line);
    (o.when == PublishOptions::When::EveryNSeconds ? m_optEveryN
     : o.when == PublishOptions::When::OnChange    ? m_optOnChange
                                                   : m_optEveryReply)
        ->setChecked(true);
    m_spnEveryN->setValue(o.everySeconds);
    m_spnDeadBand->setValue(o.deadBand);
    m_spnHeartbeat->setValue(o.heartbeatSeconds);
    m_chkRetain->setChecked(o.retain);
    m_cmbQoS->setCurrentIndex(o.qos == 1 ? 1 : 0);
    m_chkDiscovery->setChecked(o.discovery);
    m_txtDiscoveryPrefix->setText(o.discoveryPrefix);
    updateStates();
}

PublishOptions PublishingDialog::options() const {
    PublishOptions o;
    o.enabled = m_chkEnable->isChecked();
    o.host = m_txtHost->text().trimmed();
    o.port = m_spnPort->value();
    o.tls = m_chkTLS->isChecked();
    o.caFile = m_txtCAFile->text().trimmed();
    o.certFile = m_txtCertFile->text().trimmed();
    o.keyFile = m_txtKeyFile->text().trimmed();
    o.user = m_txtUser->text();
    o.password = m_txtPassword->text();
    o.clientId = m_txtClientId->text().trimmed();
    o.prefix = m_txtPrefix->text().trimmed();
    o.line = m_txtLine->text().trimmed();
    o.when = m_optEveryN->isChecked()     ? PublishOptions::When::EveryNSeconds
             : m_optOnChange->isChecked() ? PublishOptions::When::OnChange
                                          : PublishOptions::When::EveryReply;
    o.everySeconds = m_spnEveryN->value();
    o.deadBand = m_spnDeadBand->value();
    o.heartbeatSeconds = m_spnHeartbeat->value();
    o.retain = m_chkRetain->isChecked();
    o.qos = m_cmbQoS->currentIndex();
    o.discovery = m_chkDiscovery->isChecked();
    o.discoveryPrefix = m_txtDiscoveryPrefix->text().trimmed();
    return o;
}

void PublishingDialog::updateStates() {
    for (QWidget* w : {m_rowCA, m_rowCert, m_rowKey})
        w->setEnabled(m_chkTLS->isChecked());
    m_spnEveryN->setEnabled(m_optEveryN->isChecked());
    for (QWidget* w : std::initializer_list<QWidget*>{m_spnDeadBand, m_spnHeartbeat})
        w->setEnabled(m_optOnChange->isChecked());
    m_txtDiscoveryPrefix->setEnabled(m_chkDiscovery->isChecked());
    const QString base =
        m_txtPrefix->text().trimmed() + QLatin1Char('/') + m_txtLine->text().trimmed();
    //: The topics as published; only "<MC No>" and "JSON" are words to translate.
    m_lblTopic->setText(tr("%1/<MC No> (JSON), .../pv, .../sv, .../mv, .../availability; %1/status")
                            .arg(base.toHtmlEscaped()));
    // The id used when none is given, for the line name as typed.
    PublishOptions o;
    o.line = m_txtLine->text().trimmed();
    m_txtClientId->setPlaceholderText(tr("empty: %1").arg(o.effectiveClientId()));
}

void PublishingDialog::btnTest_Click() {
    const PublishOptions o = options();
    if (const QString p = o.problem().shown; !p.isEmpty()) {
        m_lblTest->setText(p);
        return;
    }
    m_btnTest->setEnabled(false);
    m_lblTest->setText(tr("Connecting to %1:%2...").arg(o.host).arg(o.port));
    m_lblTest->repaint();
    m_lblTest->setText(MqttClient::test(o));
    m_btnTest->setEnabled(true);
}

void PublishingDialog::btnOK_Click() {
    const PublishOptions o = options();
    // Settings that cannot work are not saved while publishing is on; off, they wait.
    if (const QString p = o.problem().shown; o.enabled && !p.isEmpty()) {
        m_lblTest->setText(p);
        return;
    }
    QString error;
    if (!savePublishOptions(o, &error)) {
        MsgBox(this, windowTitle(), error, QMessageBox::Ok, QMessageBox::Warning);
        return;
    }
    accept();
}
