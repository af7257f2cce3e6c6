#include "monitor/LineStatisticsDialog.h"

#include "link/KX5Link.h"
#include "settings/GatewayCountsTable.h"
#include "ui/Frame.h"
#include "ui/ViewKeys.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {
const char* const kHeaders[] = {QT_TRANSLATE_NOOP("LineStatisticsDialog", "MC No"),
                                QT_TRANSLATE_NOOP("LineStatisticsDialog", "Requests"),
                                QT_TRANSLATE_NOOP("LineStatisticsDialog", "Good"),
                                QT_TRANSLATE_NOOP("LineStatisticsDialog", "Time-outs"),
                                QT_TRANSLATE_NOOP("LineStatisticsDialog", "NG"),
                                QT_TRANSLATE_NOOP("LineStatisticsDialog", "Bad sum"),
                                QT_TRANSLATE_NOOP("LineStatisticsDialog", "No OK"),
                                QT_TRANSLATE_NOOP("LineStatisticsDialog", "Unmatched"),
                                QT_TRANSLATE_NOOP("LineStatisticsDialog", "Last good reply"),
                                QT_TRANSLATE_NOOP("LineStatisticsDialog", "Mean ms"),
                                QT_TRANSLATE_NOOP("LineStatisticsDialog", "Worst ms")};
constexpr int kColumns = int(std::size(kHeaders));
constexpr int kLastGoodCol = 8;
} // namespace

LineStatisticsDialog::LineStatisticsDialog(KX5Link* link, QWidget* parent)
    : QDialog(parent), m_link(link) {
    setObjectName(QStringLiteral("LineStatistics"));
    setWindowTitle(tr("Line Statistics"));
    m_table = new QTableWidget(0, kColumns, this);
    m_table->setObjectName(QStringLiteral("tblStats"));
    m_table->setAccessibleName(tr("Line statistics"));
    keyboardLikeMouse(m_table);
    QStringList headers;
    for (const char* h : kHeaders)
        headers << tr(h);
    m_table->setHorizontalHeaderLabels(headers);
    m_table->verticalHeader()->hide();
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    auto* reset = new QPushButton(tr("&Reset"), this);
    reset->setObjectName(QStringLiteral("btnReset"));
    auto* close = new QPushButton(tr("&Close"), this);
    close->setObjectName(QStringLiteral("btnClose"));
    // Enter closes; wiping the counts takes the Reset button itself.
    reset->setAutoDefault(false);
    close->setDefault(true);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(reset);
    buttons->addWidget(close);
    auto* top = new QVBoxLayout(this);
    top->addWidget(m_table);
    m_gateway = new GatewayCountsTable(this);
    m_gateway->hide();
    top->addWidget(m_gateway);
    top->addLayout(buttons);
    // The wiped counts show as any change of them does.
    connect(reset, &QPushButton::clicked, this, [this] { m_link->resetLineStats(); });
    connect(close, &QPushButton::clicked, this, &QDialog::close);
    // Not a poll: a change of the counts or of the stations in use starts it, and the table
    // shows every change of that frame at once; while nothing changes nothing is drawn.
    tmrRefresh.setInterval(kFrameMs);
    tmrRefresh.setSingleShot(true);
    connect(&tmrRefresh, &QTimer::timeout, this, &LineStatisticsDialog::refresh);
    connect(&m_link->line(), &LineModel::stationChanged, this,
            [this](int, LineModel::Changes what) {
                if (what & (LineModel::Stats | LineModel::List)) changed();
            });
    refresh();
    m_table->resizeColumnsToContents();
    resize(m_table->horizontalHeader()->length() + 40, 360);
}

void LineStatisticsDialog::setGatewayCounters(GatewaySource source) {
    m_gatewaySource = std::move(source);
    if (m_gatewaySource.watch) m_gatewaySource.watch(this, [this] { changed(); });
    refresh();
}

void LineStatisticsDialog::changed() {
    if (!tmrRefresh.isActive()) tmrRefresh.start();
}

void LineStatisticsDialog::refresh() {
    tmrRefresh.stop(); // what was due is drawn now
    const GatewayCounters* counts = m_gatewaySource.counts ? m_gatewaySource.counts() : nullptr;
    m_gateway->setVisible(counts);
    if (counts) m_gateway->setCounts(*counts);
    // One row per station in use, in the station table's order, counted or not.
    const LineStats& stats = m_link->lineStats();
    const LineModel& line = m_link->line();
    m_table->setRowCount(line.count());
    for (int r = 0; r < line.count(); ++r) {
        const int mc = line.mcNoAt(r);
        const auto it = stats.find(mc);
        const StationStats s = it == stats.end() ? StationStats() : it->second;
        const QStringList cells = {QString::number(mc),
                                   QString::number(s.requests),
                                   QString::number(s.good),
                                   QString::number(s.timeouts),
                                   QString::number(s.refusals),
                                   QString::number(s.badSums),
                                   QString::number(s.noOk),
                                   QString::number(s.unmatched),
                                   s.lastGood.isValid() ? s.lastGood.toLocalTime().toString(
                                                              QStringLiteral("yyyy-MM-dd hh:mm:ss"))
                                                        : QString(),
                                   QString::number(s.meanMs(), 'f', 1),
                                   QString::number(s.worstMs, 'f', 1)};
        for (int c = 0; c < cells.size(); ++c) {
            QTableWidgetItem* item = m_table->item(r, c);
            if (!item) {
                item = new QTableWidgetItem;
                item->setTextAlignment(c == kLastGoodCol ? Qt::AlignCenter
                                                         : Qt::AlignRight | Qt::AlignVCenter);
                m_table->setItem(r, c, item);
            }
            if (item->text() != cells[c]) item->setText(cells[c]);
        }
    }
}
