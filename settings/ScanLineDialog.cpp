#include "settings/ScanLineDialog.h"

#include "link/KX5Link.h"
#include "link/QtSerialPort.h"
#include "link/mdlKX5.h"
#include "ui/MsgBox.h"
#include "ui/ViewKeys.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

ScanLineDialog::ScanLineDialog(const KX5Link* link, std::unique_ptr<SerialPort> port,
                               QWidget* parent)
    : QDialog(parent) {
    setObjectName(QStringLiteral("ScanLineDialog"));
    setWindowTitle(tr("Scan Line"));
    m_scanner = new LineScanner(port ? std::move(port) : std::make_unique<QtSerialPort>(), this);
    m_scanner->setLink(link);
    m_scanner->setPortName(gPort);
    m_scanner->setFastPacing(link && link->fastPacing());
    m_current = {gBaud, gParity, gDataBit, gStopBit, gProtocol};

    lblPort = new QLabel(tr("Port %1 at %2").arg(gPort, m_current.text()), this);
    lblPort->setObjectName(QStringLiteral("lblPort"));
    chkAll = new QCheckBox(tr("Also try every rate with both protocols (STD, SUM)"), this);
    chkAll->setObjectName(QStringLiteral("chkAll"));
    lstFound = new QTableWidget(0, 3, this);
    lstFound->setObjectName(QStringLiteral("lstFound"));
    keyboardLikeMouse(lstFound);
    lstFound->setAccessibleName(tr("Stations that answered"));
    lstFound->setHorizontalHeaderLabels({tr("MC No"), tr("Model"), tr("Settings")});
    lstFound->verticalHeader()->hide();
    lstFound->setEditTriggers(QAbstractItemView::NoEditTriggers);
    lstFound->horizontalHeader()->setStretchLastSection(true);
    lstFound->setColumnWidth(0, 60);
    lstFound->setColumnWidth(1, 100);
    prgScan = new QProgressBar(this);
    prgScan->setObjectName(QStringLiteral("prgScan"));
    prgScan->setAccessibleName(tr("Scan progress"));
    prgScan->setValue(0);
    lblMsg = new QLabel(tr("Only the model query is sent: no controller is changed."), this);
    lblMsg->setObjectName(QStringLiteral("lblMsg"));
    lblMsg->setWordWrap(true);
    btnStart = new QPushButton(tr("&Start"), this);
    btnStart->setObjectName(QStringLiteral("btnStart"));
    btnStart->setDefault(true);
    btnCancel = new QPushButton(tr("&Cancel"), this);
    btnCancel->setObjectName(QStringLiteral("btnCancel"));

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btnStart);
    buttons->addWidget(btnCancel);
    auto* top = new QVBoxLayout(this);
    top->addWidget(lblPort);
    top->addWidget(chkAll);
    top->addWidget(lstFound);
    top->addWidget(prgScan);
    top->addWidget(lblMsg);
    top->addLayout(buttons);
    resize(460, 420);

    connect(btnStart, &QPushButton::clicked, this, &ScanLineDialog::btnStart_Click);
    connect(btnCancel, &QPushButton::clicked, this, &ScanLineDialog::btnCancel_Click);
    connect(m_scanner, &LineScanner::found, this, &ScanLineDialog::onFound);
    connect(m_scanner, &LineScanner::finished, this, &ScanLineDialog::onFinished);
    connect(m_scanner, &LineScanner::progress, this,
            [this](int done, int total, const ScanSetting& s) {
                prgScan->setMaximum(total);
                prgScan->setValue(done);
                lblMsg->setText(tr("Asking at %1 ...").arg(s.text()));
            });
}

void ScanLineDialog::btnStart_Click() {
    const auto settings =
        chkAll->isChecked() ? LineScanner::allSettings(m_current) : std::vector{m_current};
    lstFound->setRowCount(0);
    const QString why = m_scanner->start(settings);
    if (!why.isEmpty()) {
        lblMsg->setText(why);
        MsgBox(this, windowTitle(), why, QMessageBox::Ok, QMessageBox::Warning);
        return;
    }
    btnStart->setEnabled(false);
    chkAll->setEnabled(false);
}

void ScanLineDialog::btnCancel_Click() {
    if (m_scanner->running())
        m_scanner->cancel();
    else
        QDialog::reject();
}

void ScanLineDialog::reject() {
    btnCancel_Click(); // Esc and the close box stop a scan first, as Cancel does
}

void ScanLineDialog::onFound(const ScanFind& f) {
    const int row = lstFound->rowCount();
    lstFound->insertRow(row);
    lstFound->setItem(row, 0, new QTableWidgetItem(QString::number(f.mcNo)));
    lstFound->setItem(row, 1, new QTableWidgetItem(f.model));
    lstFound->setItem(row, 2, new QTableWidgetItem(f.setting.text()));
}

std::optional<ScanSetting> ScanLineDialog::commonSetting() const {
    const auto& finds = m_scanner->finds();
    if (finds.empty()) return std::nullopt;
    for (const ScanFind& f : finds)
        if (!(f.setting == finds.front().setting)) return std::nullopt;
    return finds.front().setting;
}

void ScanLineDialog::onFinished(bool cancelled, const QString& error) {
    btnStart->setEnabled(true);
    chkAll->setEnabled(true);
    const int n = static_cast<int>(m_scanner->finds().size());
    if (!error.isEmpty()) {
        lblMsg->setText(error);
        MsgBox(this, windowTitle(), error, QMessageBox::Ok, QMessageBox::Warning);
    } else {
        lblMsg->setText(cancelled ? tr("Cancelled: %1 station(s) answered.").arg(n)
                                  : tr("Done: %1 station(s) answered.").arg(n));
    }
    if (n == 0) return;
    m_mark = MsgBox(this, windowTitle(),
                    tr("Mark the %1 station(s) that answered \"O\" in the Use column?").arg(n),
                    QMessageBox::Yes | QMessageBox::No, QMessageBox::Question) == QMessageBox::Yes;
    const auto common = commonSetting();
    if (common && !(*common == m_current))
        m_take =
            MsgBox(this, windowTitle(),
                   tr("Take the settings they answered at (%1) into Port Setting?")
                       .arg(common->text()),
                   QMessageBox::Yes | QMessageBox::No, QMessageBox::Question) == QMessageBox::Yes;
    if (m_mark || m_take) accept();
}
