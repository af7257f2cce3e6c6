#include "settings/frmKX5_SetEnv.h"

#include "files/ConfigFiles.h"
#include "link/KX5Link.h"
#include "settings/ScanLineDialog.h"
#include "settings/Stations.h"
#include "ui/GridView.h"
#include "ui/MsgBox.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
constexpr int kStations = 99; // MC No 1 to 99: two digits in a frame
}

frmKX5_SetEnv::frmKX5_SetEnv(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmKX5_SetEnv"));
    setWindowTitle(tr("Usable Setting"));

    m_list = new Grid(2, kStations, this);
    m_list->setText(0, 0, tr("MC No"));
    m_list->setText(1, 0, tr("Use"));
    m_list->setText(2, 0, tr("Description"));
    m_list->setAlternateColors(kLightGreen, kWhite);
    m_list->setEditable(true);
    for (int r = 1; r <= kStations; ++r) {
        m_list->setText(0, r, QString::number(r));
        m_list->setCellKind(1, r, Grid::CellKind::DropDown);
        m_list->setDropDownItems(1, r, {QStringLiteral("O"), QStringLiteral("X")});
        m_list->setText(1, r, QStringLiteral("X"));
    }

    sprdList = new GridView(m_list, this);
    sprdList->setObjectName(QStringLiteral("sprdList"));
    sprdList->setAccessibleName(tr("Stations in use"));
    sprdList->setColumnWidth(0, 50);
    sprdList->horizontalHeader()->setStretchLastSection(true);
    btnOK = new QPushButton(tr("&OK"), this);
    btnOK->setObjectName(QStringLiteral("btnOK"));
    btnOK->setDefault(true);
    btnCancel = new QPushButton(tr("&Cancel"), this);
    btnCancel->setObjectName(QStringLiteral("btnCancel"));

    btnScan = new QPushButton(tr("Scan Line..."), this);
    btnScan->setObjectName(QStringLiteral("btnScan"));

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(btnScan);
    buttons->addStretch();
    buttons->addWidget(btnOK);
    buttons->addWidget(btnCancel);
    auto* top = new QVBoxLayout(this);
    top->addWidget(sprdList);
    top->addLayout(buttons);
    resize(420, 520);
    // The grid opens a cell's editor as soon as it takes the focus; at opening the focus is on
    // OK, so no drop-down shows until the user picks a cell.
    btnOK->setFocus();

    connect(btnOK, &QPushButton::clicked, this, &frmKX5_SetEnv::btnOK_Click);
    connect(btnCancel, &QPushButton::clicked, this, &frmKX5_SetEnv::btnCancel_Click);
    connect(btnScan, &QPushButton::clicked, this, &frmKX5_SetEnv::btnScan_Click);

    LoadStationList();
}

void frmKX5_SetEnv::LoadStationList() {
    QStringList lines;
    // A missing or unreadable file leaves every station "X" with no description.
    if (readSetEnv(&lines)) fillStationGrid(*m_list, lines);
}

bool frmKX5_SetEnv::SaveStationList() {
    QString error;
    const QStringList lines = stationLines(*m_list);
    if (saveSetEnv(lines, &error)) return true;
    MsgBox(this, windowTitle(), tr("%1\nThe stations in use were not changed.").arg(error),
           QMessageBox::Ok, QMessageBox::Warning);
    return false;
}

StationList frmKX5_SetEnv::stations() const {
    return buildStations(stationLines(*m_list));
}

void frmKX5_SetEnv::setLink(const KX5Link* link) {
    m_link = link;
    if (link) m_port = link->portSettings();
}

void frmKX5_SetEnv::btnOK_Click() {
    // With no station in use the program would have nothing to poll and no station to show;
    // the user is asked to mark one instead of losing the current list.
    if (!anyStationInUse(stationLines(*m_list))) {
        MsgBox(this, windowTitle(),
               tr("No MC selected. Set \"O\" in the Use column of at least one MC."),
               QMessageBox::Ok, QMessageBox::Warning);
        return;
    }
    if (!SaveStationList()) return;
    accept();
}

void frmKX5_SetEnv::btnCancel_Click() {
    reject();
}

void frmKX5_SetEnv::btnScan_Click() {
    ScanLineDialog scan(m_link, nullptr, this);
    std::vector<int> inUse;
    for (int mc = 1; mc <= 99; ++mc)
        if (m_list->text(1, mc) == QLatin1String("O")) inUse.push_back(mc);
    scan.setInUse(inUse);
    if (scan.exec() != QDialog::Accepted) return;
    if (scan.markStations())
        for (const ScanFind& f : scan.scanner().finds())
            m_list->setText(1, f.mcNo, QStringLiteral("O"));
    for (int mc : scan.unmarkStations())
        m_list->setText(1, mc, QStringLiteral("X"));
    const auto found = scan.settingToTake();
    if (!found) return;
    PortSettings cfg = m_port;
    cfg.line.baud = found->line.baud;
    cfg.protocol = found->protocol;
    cfg.asWritten.remove(PortSettings::kBaud);
    cfg.asWritten.remove(PortSettings::kProtocol);
    QString error;
    if (!SaveCommCfg(cfg, &error)) {
        MsgBox(this, windowTitle(), tr("%1\nThe port settings were not changed.").arg(error),
               QMessageBox::Ok, QMessageBox::Warning);
        return;
    }
    m_port = cfg;
    m_portTaken = true;
}
