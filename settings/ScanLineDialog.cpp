#include "settings/ScanLineDialog.h"

#include "services/LinkWords.h"

#include "link/KX5Link.h"
#include "link/QtSerialPort.h"
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
#include <algorithm>

namespace {

// A bound on a scan's time, rounded up to the second.
QString duration(int ms) {
    const int s = (ms + 999) / 1000;
    if (s < 60) return ScanLineDialog::tr("%1 s").arg(s);
    return ScanLineDialog::tr("%1 min %2 s").arg(s / 60).arg(s % 60, 2, 10, QLatin1Char('0'));
}

QString mcList(const std::vector<int>& mcNos) {
    QStringList out;
    for (int mc : mcNos)
        out << QString::number(mc);
    return out.join(QStringLiteral(", "));
}

} // namespace

ScanLineDialog::ScanLineDialog(const KX5Link* link, std::unique_ptr<SerialPort> port,
                               QWidget* parent)
    : QDialog(parent) {
    setObjectName(QStringLiteral("ScanLineDialog"));
    setWindowTitle(tr("Scan Line"));
    m_scanner = new LineScanner(port ? std::move(port) : std::make_unique<QtSerialPort>(), this);
    m_scanner->setLink(link);
    const PortSettings ps = link ? link->portSettings() : PortSettings{};
    m_scanner->setPortName(ps.port);
    m_scanner->setFastPacing(link && link->fastPacing());
    m_current = {ps.line, ps.protocol};

    lblPort = new QLabel(tr("Port %1 at %2").arg(ps.port, m_current.text()), this);
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
    connect(m_scanner, &LineScanner::progress, this, [this](int done, int total) {
        prgScan->setMaximum(total);
        prgScan->setValue(done);
    });
    connect(m_scanner, &LineScanner::asking, this, [this](int mcNo, const ScanSetting& s) {
        lblMsg->setText(tr("Asking MC %1 at %2 (at most %3 left) ...")
                            .arg(mcNo)
                            .arg(s.text(), duration(m_scanner->remainingMs())));
    });
    connect(chkAll, &QCheckBox::toggled, this, &ScanLineDialog::showEstimate);
    showEstimate();
}

// Before a scan, what it costs: a scan of every rate in the standard pacing takes minutes.
void ScanLineDialog::showEstimate() {
    const auto settings =
        chkAll->isChecked() ? LineScanner::allSettings(m_current) : std::vector{m_current};
    lblMsg->setText(tr("Only the model query is sent: no controller is changed. "
                       "The scan takes at most %1.")
                        .arg(duration(m_scanner->boundMs(settings))));
}

void ScanLineDialog::btnStart_Click() {
    const auto settings =
        chkAll->isChecked() ? LineScanner::allSettings(m_current) : std::vector{m_current};
    lstFound->setRowCount(0);
    const QString why = LinkWords::scanProblem(m_scanner->start(settings));
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

std::vector<ScanLineDialog::Group> ScanLineDialog::groups() const {
    std::vector<Group> out;
    for (const ScanFind& f : m_scanner->finds()) {
        auto g = std::find_if(out.begin(), out.end(),
                              [&](const Group& x) { return x.setting == f.setting; });
        if (g == out.end()) g = out.insert(out.end(), Group{f.setting, {}});
        g->mcNos.push_back(f.mcNo);
    }
    // The setting most stations answered at first; on a tie, the one tried first.
    std::stable_sort(out.begin(), out.end(), [](const Group& a, const Group& b) {
        return a.mcNos.size() > b.mcNos.size();
    });
    return out;
}

std::vector<int> ScanLineDialog::silentInUse() const {
    if (!m_scanner->complete()) return {};
    std::vector<int> out;
    for (int mc : m_inUse) {
        const auto& finds = m_scanner->finds();
        if (std::none_of(finds.begin(), finds.end(),
                         [mc](const ScanFind& f) { return f.mcNo == mc; }))
            out.push_back(mc);
    }
    return out;
}

bool ScanLineDialog::ask(const QString& question) {
    return MsgBox(this, windowTitle(), question, QMessageBox::Yes | QMessageBox::No,
                  QMessageBox::Question) == QMessageBox::Yes;
}

void ScanLineDialog::onFinished(bool cancelled, const ScanProblem& problem) {
    const QString error = LinkWords::scanProblem(problem);
    btnStart->setEnabled(true);
    chkAll->setEnabled(true);
    std::vector<int> answered;
    for (const ScanFind& f : m_scanner->finds())
        if (std::find(answered.begin(), answered.end(), f.mcNo) == answered.end())
            answered.push_back(f.mcNo);
    const int n = static_cast<int>(answered.size());
    if (!error.isEmpty()) {
        lblMsg->setText(error);
        MsgBox(this, windowTitle(), error, QMessageBox::Ok, QMessageBox::Warning);
    } else {
        lblMsg->setText(cancelled ? tr("Cancelled: %1 station(s) answered.").arg(n)
                                  : tr("Done: %1 station(s) answered.").arg(n));
    }
    if (n == 0) return;
    m_mark = ask(tr("Mark the %1 station(s) that answered \"O\" in the Use column?").arg(n));
    if (const auto silent = silentInUse();
        !silent.empty() &&
        ask(tr("MC %1 did not answer at any setting tried. Mark it \"X\" (not in use), so that "
               "the line is not held up asking it?")
                .arg(mcList(silent))))
        m_unmark = silent;
    offerSettings();
    if (m_mark || m_take || !m_unmark.empty()) accept();
}

// One line runs at one setting: when the stations answered at different ones, the user is
// told which station answered where, and offered the setting most of them use.
void ScanLineDialog::offerSettings() {
    const std::vector<Group> found = groups();
    if (found.empty()) return;
    const ScanSetting& best = found.front().setting;
    if (found.size() == 1) {
        if (!(best == m_current) &&
            ask(tr("Take the settings they answered at (%1) into Port Setting?").arg(best.text())))
            m_take = best;
        return;
    }
    QStringList where;
    for (const Group& g : found)
        where << tr("%1: MC %2").arg(g.setting.text(), mcList(g.mcNos));
    const QString why = tr("The stations answered at different settings:\n%1\n\nAll controllers "
                           "on one line must use the same settings; the others will not answer "
                           "until each is set to them on its front panel.")
                            .arg(where.join(QLatin1Char('\n')));
    if (best == m_current) {
        MsgBox(this, windowTitle(), why, QMessageBox::Ok, QMessageBox::Information);
        return;
    }
    if (ask(tr("%1\n\nTake %2, at which the most stations answered, into Port Setting?")
                .arg(why, best.text())))
        m_take = best;
}
