#include "params/WriteSetDialog.h"

#include "link/Cells.h"
#include "link/KX5Link.h"
#include "ui/MsgBox.h"

#include <QCheckBox>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <algorithm>

namespace {

QPushButton* button(const char* name, const QString& text, QWidget* parent) {
    auto* b = new QPushButton(text, parent);
    b->setObjectName(QLatin1String(name));
    return b;
}

} // namespace

WriteSetDialog::WriteSetDialog(KX5Link* link, const ParamSet& set, const QString& path,
                               QWidget* parent)
    : QDialog(parent), m_link(link), m_set(set), m_path(path) {
    setObjectName(QStringLiteral("frmWriteSet"));
    setWindowTitle(tr("Write Set"));
    lblSet = new QLabel(
        tr("%1: set of MC %2, %3, taken %4")
            .arg(QFileInfo(path).fileName())
            .arg(set.mcNo)
            .arg(modelText(set.model), set.taken.toString(QStringLiteral("yyyy-MM-dd hh:mm"))),
        this);
    lblSet->setObjectName(QStringLiteral("lblSet"));
    lblSet->setWordWrap(true);

    auto* lblStations = new QLabel(tr("&Stations"), this);
    lstStations = new QListWidget(this);
    lstStations->setObjectName(QStringLiteral("lstStations"));
    lstStations->setAccessibleName(tr("Stations"));
    lblStations->setBuddy(lstStations);
    const int selected = link->selectedMcNo();
    for (const StationEntry& e : link->line().stations()) {
        const int mc = e.mcNo;
        const QString model = modelText(link->model(mc));
        auto* item = new QListWidgetItem(
            tr("MC %1  %2").arg(mc).arg(model.isEmpty() ? tr("(no answer)") : model), lstStations);
        item->setData(Qt::UserRole, mc);
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(mc == selected ? Qt::Checked : Qt::Unchecked);
    }
    lstStations->setFixedWidth(
        std::max(lstStations->sizeHintForColumn(0),
                 fontMetrics().horizontalAdvance(
                     tr("MC %1  %2").arg(99).arg(QStringLiteral("KX5-100033")))) +
        40);

    tvResult = new QTreeWidget(this);
    tvResult->setObjectName(QStringLiteral("tvResult"));
    tvResult->setAccessibleName(tr("Differences and results"));
    const QString firstHeader = tr("Station / register");
    tvResult->setHeaderLabels({firstHeader, tr("Name"), tr("Station"),
                               //: The column of the values the set holds.
                               tr("Set", "column")});
    tvResult->setRootIsDecorated(true);
    tvResult->header()->setStretchLastSection(true);
    const QFontMetrics fm(font());
    const int widths[] = {fm.horizontalAdvance(firstHeader) + 40,
                          fm.horizontalAdvance(QStringLiteral("Alarm 1 Type xx")),
                          fm.horizontalAdvance(QStringLiteral("-1999.9 xxxx")),
                          fm.horizontalAdvance(QStringLiteral("-1999.9 xxxx"))};
    for (int c = 0; c < 4; ++c)
        tvResult->setColumnWidth(c, widths[c]);

    chkWriteAll =
        new QCheckBox(tr("Write all registers of the set, not only those that differ"), this);
    chkWriteAll->setObjectName(QStringLiteral("chkWriteAll"));
    connect(chkWriteAll, &QCheckBox::toggled, this, &WriteSetDialog::chkWriteAll_Toggled);

    lblMsg = new QLabel(this);
    lblMsg->setObjectName(QStringLiteral("lblMsg"));
    lblMsg->setWordWrap(true);
    lblMsg->setText(tr("Check the stations to copy the set to, then Read && Compare."));

    btnSelected = button("btnSelected", tr("Se&lected"), this);
    btnAll = button("btnAll", tr("&All in Use"), this);
    btnCompare = button("btnCompare", tr("&Read && Compare"), this);
    btnWrite = button("btnWrite", tr("&Write..."), this);
    btnCancel = button("btnCancel", tr("&Cancel"), this);
    btnClose = button("btnClose", tr("Clos&e"), this);
    btnWrite->setEnabled(false);
    btnCancel->setEnabled(false);
    connect(btnSelected, &QPushButton::clicked, this, &WriteSetDialog::btnSelected_Click);
    connect(btnAll, &QPushButton::clicked, this, &WriteSetDialog::btnAll_Click);
    connect(btnCompare, &QPushButton::clicked, this, &WriteSetDialog::btnCompare_Click);
    connect(btnWrite, &QPushButton::clicked, this, &WriteSetDialog::btnWrite_Click);
    connect(btnCancel, &QPushButton::clicked, this, &WriteSetDialog::btnCancel_Click);
    connect(btnClose, &QPushButton::clicked, this, &WriteSetDialog::reject);

    auto* left = new QVBoxLayout;
    left->addWidget(lblStations);
    left->addWidget(lstStations, 1);
    auto* pick = new QHBoxLayout;
    pick->addWidget(btnSelected);
    pick->addWidget(btnAll);
    left->addLayout(pick);
    auto* middle = new QHBoxLayout;
    middle->addLayout(left);
    middle->addWidget(tvResult, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(btnCompare);
    buttons->addWidget(btnWrite);
    buttons->addWidget(btnCancel);
    buttons->addStretch();
    buttons->addWidget(btnClose);
    auto* top = new QVBoxLayout(this);
    top->addWidget(lblSet);
    top->addLayout(middle, 1);
    top->addWidget(chkWriteAll);
    top->addWidget(lblMsg);
    top->addLayout(buttons);
    resize(860, 520);
}

WriteSetDialog::~WriteSetDialog() = default;

std::vector<int> WriteSetDialog::checkedStations() const {
    std::vector<int> out;
    for (int i = 0; i < lstStations->count(); ++i)
        if (lstStations->item(i)->checkState() == Qt::Checked)
            out.push_back(lstStations->item(i)->data(Qt::UserRole).toInt());
    return out;
}

void WriteSetDialog::btnSelected_Click() {
    for (int i = 0; i < lstStations->count(); ++i) {
        QListWidgetItem* item = lstStations->item(i);
        item->setCheckState(item->data(Qt::UserRole).toInt() == m_link->selectedMcNo()
                                ? Qt::Checked
                                : Qt::Unchecked);
    }
}

void WriteSetDialog::btnAll_Click() {
    for (int i = 0; i < lstStations->count(); ++i)
        lstStations->item(i)->setCheckState(Qt::Checked);
}

void WriteSetDialog::setBusy(bool busy) {
    lstStations->setEnabled(!busy);
    btnSelected->setEnabled(!busy);
    btnAll->setEnabled(!busy);
    btnCompare->setEnabled(!busy);
    btnCancel->setEnabled(busy);
    btnClose->setEnabled(!busy);
    if (busy) btnWrite->setEnabled(false);
}

void WriteSetDialog::btnCompare_Click() {
    const std::vector<int> stations = checkedStations();
    if (stations.empty()) {
        lblMsg->setText(tr("No station checked."));
        return;
    }
    m_writer = std::make_unique<SetWriter>(m_link, m_set, stations);
    m_writer->setWriteAll(chkWriteAll->isChecked());
    connect(m_writer.get(), &SetWriter::stationChanged, this, &WriteSetDialog::showStation);
    connect(m_writer.get(), &SetWriter::finished, this, &WriteSetDialog::onFinished);
    tvResult->clear();
    for (int mc : stations) {
        auto* item = new QTreeWidgetItem(tvResult);
        item->setFirstColumnSpanned(true);
        item->setText(0,
                      tr("MC %1: %2").arg(mc).arg(SetWriter::stateWord(SetWriter::State::Waiting)));
    }
    QString error;
    if (!m_writer->compare(&error)) {
        m_writer.reset();
        tvResult->clear();
        MsgBox(this, tr("Write Set"), QStringLiteral("%1, %2").arg(m_path, error), QMessageBox::Ok,
               QMessageBox::Warning);
        return;
    }
    setBusy(true);
    lblMsg->setText(tr("Reading the stations' parameters..."));
}

void WriteSetDialog::showStation(int i) {
    const SetWriter::Station& st = m_writer->stations()[size_t(i)];
    QTreeWidgetItem* item = tvResult->topLevelItem(i);
    if (!item) return;
    // The station's line spans the columns, so its report is read whole.
    item->setFirstColumnSpanned(true);
    item->setText(0, tr("MC %1: %2")
                         .arg(st.mcNo)
                         .arg(st.report.isEmpty() ? SetWriter::stateWord(st.state) : st.report));
    item->setToolTip(0, item->text(0));
    qDeleteAll(item->takeChildren());
    for (const ParamDiff& d : st.diffs)
        new QTreeWidgetItem(item, {QString::number(d.reg), d.name, d.station, d.set});
    item->setExpanded(!st.diffs.empty());
    const bool bad = SetWriter::failed(st) || st.state == SetWriter::State::NotAnswering;
    item->setForeground(0, bad ? QBrush(Qt::red) : palette().brush(QPalette::Text));
}

void WriteSetDialog::onFinished() {
    setBusy(false);
    const auto& st = m_writer->stations();
    btnWrite->setEnabled(std::any_of(st.begin(), st.end(), [](const SetWriter::Station& s) {
        return s.state == SetWriter::State::Differs;
    }));
    lblMsg->setText(m_writer->summary());
}

void WriteSetDialog::chkWriteAll_Toggled(bool on) {
    if (!m_writer || m_writer->busy()) return;
    m_writer->setWriteAll(on);
    onFinished();
}

QString WriteSetDialog::writeList() const {
    constexpr int kMost = 6; // changes named per station; the window's list has them all
    QStringList lines;
    for (const SetWriter::Station& st : m_writer->stations()) {
        if (st.state != SetWriter::State::Differs) continue;
        QStringList changed;
        int same = 0;
        for (const ParamDiff& d : st.diffs) {
            if (d.station == d.set)
                ++same;
            else
                changed << QStringLiteral("%1 %2 → %3").arg(d.name, d.station, d.set);
        }
        if (changed.size() > kMost) {
            const qsizetype more = changed.size() - kMost;
            changed = changed.mid(0, kMost);
            changed << tr("%1 more changed").arg(more);
        }
        const QString list = changed.join(QStringLiteral(", "));
        if (changed.isEmpty())
            lines << tr("MC %1: %2 registers as they are").arg(st.mcNo).arg(same);
        else if (same == 0)
            lines << tr("MC %1: %2").arg(st.mcNo).arg(list);
        else
            lines << tr("MC %1: %2; and %3 registers as they are").arg(st.mcNo).arg(list).arg(same);
    }
    return lines.join(QLatin1Char('\n'));
}

void WriteSetDialog::btnWrite_Click() {
    if (!m_writer) return;
    int differ = 0, regs = 0;
    for (const SetWriter::Station& st : m_writer->stations())
        if (st.state == SetWriter::State::Differs) ++differ, regs += int(st.diffs.size());
    if (differ == 0) return;
    const QString text = tr("Write the %1 registers listed to %2 stations?\n\n%3\n\n"
                            "Each goes out with the set's value shown; read-only "
                            "registers are never written. Each station is read back "
                            "afterwards.")
                             .arg(regs)
                             .arg(differ)
                             .arg(writeList());
    if (MsgBox(this, tr("Write Set"), text, QMessageBox::Yes | QMessageBox::No,
               QMessageBox::Question) != QMessageBox::Yes)
        return;
    setBusy(true);
    lblMsg->setText(tr("Writing..."));
    m_writer->write();
}

void WriteSetDialog::btnCancel_Click() {
    if (!m_writer || !m_writer->busy()) return;
    m_writer->cancel();
    btnCancel->setEnabled(false);
    lblMsg->setText(tr("Stopping once the request on the line has ended..."));
}

// Closing while a request is out would leave the report unseen: it stops first.
void WriteSetDialog::reject() {
    if (m_writer && m_writer->busy()) {
        btnCancel_Click();
        return;
    }
    QDialog::reject();
}
