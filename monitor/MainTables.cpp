#include "monitor/MainTables.h"

#include "files/ConfigFiles.h"
#include "files/LinkOptions.h"
#include "link/Cells.h"
#include "link/KX5Link.h"
#include "monitor/MonitorTableModel.h"
#include "services/EventLog.h"
#include "services/TraceFile.h"
#include "services/TraceRecorder.h"
#include "ui/Grid.h"
#include "ui/GridModel.h"
#include "ui/GridView.h"
#include "ui/MsgBox.h"
#include "ui/TableSizing.h"
#include "ui/TraceModel.h"
#include "ui/ViewKeys.h"

#include <QCheckBox>
#include <QDir>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QTabBar>
#include <QVBoxLayout>
#include <memory>

namespace {

// The Events tab's rows, made from the event log's entries and kept up with them.
Grid* eventRows(EventLog* events) {
    auto* rows = new Grid(3);
    rows->setHeaderContext("EventLog");
    rows->setText(1, 0, QStringLiteral(QT_TRANSLATE_NOOP("EventLog", "Date Time")));
    rows->setText(2, 0, QStringLiteral(QT_TRANSLATE_NOOP("EventLog", "MC No")));
    rows->setText(3, 0, QStringLiteral(QT_TRANSLATE_NOOP("EventLog", "Event")));
    const auto append = [rows](const EventEntry& e) {
        // One removal, not a rewrite of every row: a list that stays full for hours would
        // otherwise repaint itself on every new entry.
        if (rows->maxRows() >= EventLog::kMaxRows)
            rows->removeRows(1, rows->maxRows() - EventLog::kMaxRows + 1);
        rows->appendRow();
        rows->setRowTexts(rows->maxRows(), 1,
                          {e.stamp, e.mcNo > 0 ? QString::number(e.mcNo) : QString(), e.shown});
    };
    for (const EventEntry& e : events->entries())
        append(e);
    QObject::connect(events, &EventLog::listed, rows, append);
    return rows;
}

} // namespace

MainTables::MainTables(KX5Link* link, EventLog* events, TraceRecorder* recorder, QWidget* parent)
    : QTabWidget(parent), m_link(link), m_recorder(recorder) {
    setObjectName(QStringLiteral("tabTables"));
    m_viewMonitoring = new QTableView;
    m_viewMonitoring->setModel(new MonitorTableModel(&link->line(), m_viewMonitoring));
    m_viewMonitoring->setObjectName(QStringLiteral("sprdMonitoring"));
    m_viewMonitoring->setAccessibleName(tr("Monitoring"));
    useNumberFont(m_viewMonitoring);
    m_viewMonitoring->setEditTriggers(QAbstractItemView::NoEditTriggers);
    keyboardLikeMouse(m_viewMonitoring);
    m_viewMonitoring->verticalHeader()->setDefaultSectionSize(
        qMax(kTableRowHeight, m_viewMonitoring->verticalHeader()->minimumSectionSize()));
    m_viewMonitoring->horizontalHeader()->setHighlightSections(false);
    m_viewCommD = new QTableView;
    auto* trace = new TraceModel(&link->sprdCommD, m_viewCommD);
    m_viewCommD->setModel(trace);
    TraceModel::addCopy(m_viewCommD, trace);
    m_viewCommD->setObjectName(QStringLiteral("sprdCommD"));
    m_viewCommD->setAccessibleName(tr("Communication trace"));
    keyboardLikeMouse(m_viewCommD);
    m_viewCommD->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_viewCommD->verticalHeader()->setDefaultSectionSize(kTableRowHeight);
    addTab(m_viewMonitoring, tr("Monitoring"));
    auto* tracePage = new QWidget;
    auto* traceLay = new QVBoxLayout(tracePage);
    traceLay->setContentsMargins(0, 0, 0, 0);
    traceLay->setSpacing(2);
    auto* saveTrace = new QPushButton(tr("Save &Trace..."));
    saveTrace->setObjectName(QStringLiteral("btnSaveTrace"));
    connect(saveTrace, &QPushButton::clicked, this, &MainTables::btnSaveTrace_Click);
    m_chkRecord = new QCheckBox(tr("&Record Trace to the data folder"));
    m_chkRecord->setObjectName(QStringLiteral("chkRecordTrace"));
    m_chkRecord->setToolTip(tr("Every frame, with its time and direction, to a "
                               "daily file beside the data files"));
    m_spinLimit = new QSpinBox;
    m_spinLimit->setObjectName(QStringLiteral("spinTraceLimit"));
    m_spinLimit->setRange(1, 100000);
    m_spinLimit->setSuffix(tr(" MB"));
    m_spinLimit->setAccessibleName(tr("Keep at most"));
    auto* limitCaption = new QLabel(tr("Keep at &most"));
    limitCaption->setBuddy(m_spinLimit);
    showRecordOptions(LinkOptions{});
    connect(m_chkRecord, &QCheckBox::toggled, this, &MainTables::recordOptionsChanged);
    connect(m_spinLimit, &QSpinBox::editingFinished, this, &MainTables::recordOptionsChanged);
    auto* traceBar = new QHBoxLayout;
    traceBar->addWidget(m_chkRecord);
    traceBar->addSpacing(12);
    traceBar->addWidget(limitCaption);
    traceBar->addWidget(m_spinLimit);
    traceBar->addStretch();
    traceBar->addWidget(saveTrace);
    traceLay->addLayout(traceBar);
    traceLay->addWidget(m_viewCommD, 1);
    addTab(tracePage, tr("Communication"));
    Grid* eventList = eventRows(events);
    m_viewEvents = new GridView(eventList);
    eventList->setParent(m_viewEvents); // made after the view's model, so gone after it too
    m_viewEvents->setObjectName(QStringLiteral("sprdEvents"));
    m_viewEvents->setAccessibleName(tr("Events"));
    m_viewEvents->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_viewEvents->horizontalHeader()->setStretchLastSection(true);
    m_viewEvents->setColumnWidth(0, 150);
    m_viewEvents->gridModel()->setColumnAlignment(3, Qt::AlignLeft | Qt::AlignVCenter);
    addTab(m_viewEvents, tr("Events"));
    followEnd(m_viewEvents);
    followEnd(m_viewCommD);
    layoutMonitorTable();
    layoutTrace();
}

void MainTables::followEnd(QTableView* view) {
    // New rows scroll into view only while the list shows its end: an operator reading older
    // rows is not pulled away by every new one. Followed on the scroll bar itself, whose range
    // grows only when the view lays itself out, often after several rows came in.
    QScrollBar* bar = view->verticalScrollBar();
    auto atEnd = std::make_shared<bool>(true);
    connect(bar, &QScrollBar::valueChanged, view,
            [bar, atEnd](int value) { *atEnd = value == bar->maximum(); });
    connect(bar, &QScrollBar::rangeChanged, view, [bar, atEnd](int, int max) {
        if (*atEnd) bar->setValue(max);
    });
}

int MainTables::preferredHeight(int rows) const {
    return tableHeight(m_viewMonitoring, rows) + tabBar()->sizeHint().height() + 8;
}

void MainTables::layoutMonitorTable() {
    // All twenty columns show at the default window size: equal columns as wide as the
    // widest heading or value, sharing the width there is.
    QStringList texts = {QStringLiteral("-32768")};
    const QAbstractItemModel* model = m_viewMonitoring->model();
    for (int c = 0; c < model->columnCount(); ++c)
        texts << model->headerData(c, Qt::Horizontal, Qt::DisplayRole).toString();
    QHeaderView* h = m_viewMonitoring->horizontalHeader();
    h->setMinimumSectionSize(textWidth(m_viewMonitoring, texts, 6));
    h->setSectionResizeMode(QHeaderView::Stretch);
    m_viewMonitoring->setMinimumHeight(tableHeight(m_viewMonitoring, 1));
}

void MainTables::layoutTrace() {
    // Widths from what the columns hold, never sized to contents, so a long read costs no
    // layout pass; the bytes take the rest.
    QHeaderView* h = m_viewCommD->horizontalHeader();
    const auto caption = [this](int c) {
        return m_viewCommD->model()->headerData(c, Qt::Horizontal).toString();
    };
    h->setSectionResizeMode(QHeaderView::Interactive);
    h->resizeSection(TraceModel::Time,
                     textWidth(m_viewCommD, {QStringLiteral("00:00:00.000"), caption(0)}, 12));
    for (int c = TraceModel::Direction; c < TraceModel::Bytes; ++c)
        h->resizeSection(c, textWidth(m_viewCommD, {QStringLiteral("DRR"), caption(c)}, 12));
    h->setStretchLastSection(true);
}

void MainTables::showRecordOptions(const LinkOptions& options) {
    const QSignalBlocker quiet(m_chkRecord), quiet2(m_spinLimit);
    m_chkRecord->setChecked(options.recordTrace);
    m_spinLimit->setValue(options.traceLimitMB);
}

void MainTables::recordOptionsChanged() {
    m_recorder->setLimitMB(m_spinLimit->value());
    m_recorder->setOn(m_chkRecord->isChecked());
    emit recordOptionsEdited(m_chkRecord->isChecked(), m_spinLimit->value());
}

void MainTables::btnSaveTrace_Click() {
    const QString path = QFileDialog::getSaveFileName(
        this, tr("Save Trace"), QDir(programDir()).filePath(QStringLiteral("trace.txt")),
        tr("Text files (*.txt);;All files (*)"));
    if (path.isEmpty()) return;
    QString error;
    if (!saveTrace(m_link->sprdCommD, path, &error))
        MsgBox(this, tr("Save Trace"), error, QMessageBox::Ok, QMessageBox::Warning);
}
