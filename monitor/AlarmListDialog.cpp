#include "monitor/AlarmListDialog.h"

#include "monitor/AlarmTableModel.h"
#include "services/AlarmBook.h"
#include "ui/TableSizing.h"
#include "ui/ViewKeys.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

AlarmListDialog::AlarmListDialog(AlarmBook* book, const LineModel& line, QWidget* parent)
    : QDialog(parent), m_book(book) {
    setObjectName(QStringLiteral("AlarmList"));
    setWindowTitle(tr("Alarms"));
    m_model = new AlarmTableModel(book, line, this);
    m_table = new QTableView(this);
    m_table->setObjectName(QStringLiteral("tblAlarms"));
    m_table->setAccessibleName(tr("Alarms"));
    m_table->setModel(m_model);
    keyboardLikeMouse(m_table);
    useNumberFont(m_table);
    m_table->verticalHeader()->hide();
    m_table->verticalHeader()->setDefaultSectionSize(kTableRowHeight);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->horizontalHeader()->setStretchLastSection(true);

    m_sound = new QCheckBox(tr("&Sound"), this);
    m_sound->setObjectName(QStringLiteral("chkSound"));
    m_sound->setChecked(book->sound());
    m_ack = new QPushButton(tr("&Acknowledge"), this);
    m_ack->setObjectName(QStringLiteral("btnAck"));
    m_ackAll = new QPushButton(tr("Acknowledge A&ll"), this);
    m_ackAll->setObjectName(QStringLiteral("btnAckAll"));
    auto* close = new QPushButton(tr("&Close"), this);
    close->setObjectName(QStringLiteral("btnClose"));
    // Enter never acknowledges: an acknowledgement is a choice, made with its button or key.
    m_ack->setAutoDefault(false);
    m_ackAll->setAutoDefault(false);
    close->setDefault(true);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_sound);
    buttons->addStretch();
    buttons->addWidget(m_ack);
    buttons->addWidget(m_ackAll);
    buttons->addWidget(close);
    auto* top = new QVBoxLayout(this);
    top->addWidget(m_table);
    top->addLayout(buttons);

    connect(m_sound, &QCheckBox::toggled, book, &AlarmBook::setSound);
    connect(m_ack, &QPushButton::clicked, this, &AlarmListDialog::acknowledgeSelected);
    connect(m_ackAll, &QPushButton::clicked, book, &AlarmBook::acknowledgeAll);
    connect(close, &QPushButton::clicked, this, &QDialog::close);
    connect(m_model, &QAbstractItemModel::modelReset, this, &AlarmListDialog::showButtons);
    connect(m_table->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &AlarmListDialog::showButtons);
    showButtons();

    // Room for every column's heading and a full date and time, with no row yet to measure.
    const QString sample = QStringLiteral("2026-12-31 23:59:59");
    int width = 0;
    for (int c = 0; c < AlarmTableModel::Count; ++c) {
        const QString heading = m_model->headerData(c, Qt::Horizontal, Qt::DisplayRole).toString();
        QStringList texts = {heading};
        if (c == AlarmTableModel::Raised || c == AlarmTableModel::Acknowledged ||
            c == AlarmTableModel::Cleared)
            texts << sample;
        if (c == AlarmTableModel::State)
            texts << AlarmTableModel::stateText(AlarmBook::State::ClearedUnacknowledged)
                  << AlarmTableModel::stateText(AlarmBook::State::ActiveUnacknowledged);
        if (c == AlarmTableModel::Station) texts << QStringLiteral("Oven line 12");
        if (c == AlarmTableModel::Value) texts << QStringLiteral("-1999.9℃");
        if (c == AlarmTableModel::Alarm) texts << QStringLiteral("PV BOUT");
        if (c == AlarmTableModel::By) texts << QStringLiteral("operator1");
        const int w = textWidth(m_table, texts, 20);
        m_table->setColumnWidth(c, w);
        width += w;
    }
    resize(width + 2 * m_table->frameWidth() + 30, 360);
}

void AlarmListDialog::acknowledgeSelected() {
    // Ids first: each acknowledgement rebuilds the rows.
    std::vector<quint64> ids;
    for (const QModelIndex& i : m_table->selectionModel()->selectedRows())
        ids.push_back(m_model->idAt(i.row()));
    for (quint64 id : ids)
        m_book->acknowledge(id);
}

void AlarmListDialog::showButtons() {
    bool selectedUnacked = false;
    for (const QModelIndex& i : m_table->selectionModel()->selectedRows())
        selectedUnacked = selectedUnacked || m_model->unacknowledgedAt(i.row());
    m_ack->setEnabled(selectedUnacked);
    m_ackAll->setEnabled(m_book->unacknowledged() > 0);
}
