#include "monitor/frmKX5_Main.h"

#include "link/Cells.h"
#include "link/QtSerialPort.h"
#include "link/mdlKX5.h"
#include "monitor/DataLog.h"
#include "monitor/DataLogger.h"
#include "monitor/EventLog.h"
#include "monitor/Lamp.h"
#include "monitor/LineStatisticsDialog.h"
#include "monitor/TraceFile.h"
#include "monitor/TrendChart.h"
#include "params/frmKX5_Parameter.h"
#include "settings/ConfigFiles.h"
#include "settings/LinkOptions.h"
#include "ui/ElidedLabel.h"
#include "ui/GridModel.h"
#include "ui/GridView.h"
#include "ui/MsgBox.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QFileDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QScrollBar>
#include <QSplitter>
#include <QStatusBar>
#include <QTabWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

namespace {

constexpr Bgr kKeyOn = rgb(255, 0, 0);
constexpr Bgr kKeyOff = rgb(192, 192, 255);

const char* const kButtonCaption[frmKX5_Main::kCommands] = {
    "Use MC Setting",   "Data Save Setting", "Port Setting", "Port Open",
    "Multi-Monitoring", "Parameter Setting", "About",        "Help",
    "KX5 Manual",       "Graph Viewer"};

bool bit(qint64 word, int n) {
    return ((word & (qint64(1) << n)) >> n) > 0;
}

// Writes a label only when its text differs, so a steady value costs no repaint.
void setTextIfChanged(QLabel* label, const QString& text) {
    if (label->text() != text) label->setText(text);
}

QLabel* named(QLabel* l, const char* name) {
    l->setObjectName(QString::fromLatin1(name));
    return l;
}

constexpr int kRowHeight = 20;
constexpr int kShownRows = 5; // the station and monitor tables show at least this many rows

// Width of the widest of the texts in a view's font, with `margin` pixels beside it.
int textWidth(const QWidget* w, const QStringList& texts, int margin = 14) {
    int width = 0;
    for (const QString& t : texts)
        width = qMax(width, w->fontMetrics().horizontalAdvance(t));
    return width + margin;
}

// Height of a table view that shows its header and `rows` rows, room for a horizontal
// scroll bar included.
int tableHeight(const GridView* v, int rows) {
    return v->horizontalHeader()->sizeHint().height() + rows * kRowHeight + 2 * v->frameWidth() +
           v->horizontalScrollBar()->sizeHint().height();
}

} // namespace

frmKX5_Main::frmKX5_Main(SerialPort* port, QWidget* parent) : QMainWindow(parent) {
    setObjectName(QStringLiteral("frmKX5_Main"));
    setWindowTitle(QStringLiteral("KX5 Communication Program"));
    m_link = new KX5Link(std::unique_ptr<SerialPort>(port ? port : new QtSerialPort));
    m_link->setHost(this);
    m_events = new EventLog(m_link, this);
    m_logger = std::make_unique<DataLogger>(m_link, m_events);

    tmrRefresh.setInterval(50);
    tmrDispGraph.setInterval(1000);
    // A coarse timer may fire early as well as late; the log spacing counts these ticks.
    tmrDispGraph.setTimerType(Qt::PreciseTimer);
    connect(&tmrRefresh, &QTimer::timeout, this, &frmKX5_Main::tmrRefresh_Timer);
    connect(&tmrDispGraph, &QTimer::timeout, this, &frmKX5_Main::tmrDispGraph_Timer);

    buildUi();

    connect(m_link, &KX5Link::panelChanged, this, &frmKX5_Main::showPanel);
    connect(m_link, &KX5Link::captionsChanged, this, &frmKX5_Main::showCaptions);
    connect(m_link, &KX5Link::lampsChanged, this, &frmKX5_Main::showLinkLamps);
    connect(&m_link->sprdStatus, &Grid::clicked, this, &frmKX5_Main::sprdStatus_Click);
    // The open map says how its read-all and its dialogs' writes ended.
    connect(m_link, &KX5Link::requestEnded, this,
            [](const Request& r, RequestOutcome outcome, const QString& text) {
                if (frmKX5_Parameter* map = frmKX5_Parameter::openMap())
                    map->onRequestEnded(r, outcome, text);
            });

    // Start-up: data-save settings, port settings, globals, stations, closed-port state.
    LoadSaveDataCfg();
    afterDataSaveSettings();
    LoadCommCfg();
    loadLinkOptions();
    afterPortSettings();
    LoadStations(&m_link->sprdStatus, &m_link->sprdMonitoring);
    SetOnlineState(false);
    showCaptions();
    showLinkLamps();
    tmrDispGraph.start();
}

frmKX5_Main::~frmKX5_Main() {
    tmrRefresh.stop();
    tmrDispGraph.stop();
    // The views show the link's grids: they go first.
    delete takeCentralWidget();
    delete m_link;
}

// ---------------- layout ----------------

void frmKX5_Main::buildUi() {
    // Menus: every command of the buttons, with the separators between the groups.
    auto makeAction = [this](int index, const char* name, const char* caption) {
        auto* a = new QAction(QString::fromUtf8(caption), this);
        a->setObjectName(QString::fromLatin1(name));
        if (index >= 0) {
            m_menuAction[static_cast<size_t>(index)] = a;
            connect(a, &QAction::triggered, this, [this, index] { runCommand(index); });
        }
        return a;
    };
    auto separator = [this](QMenu* m, const char* name) {
        QAction* s = m->addSeparator();
        s->setObjectName(QString::fromLatin1(name));
        s->setParent(this);
    };
    QMenu* setup = menuBar()->addMenu(QStringLiteral("&Setup"));
    setup->setObjectName(QStringLiteral("mSetup"));
    setup->addAction(makeAction(0, "mSetMulti", "Use &MC Setting"));
    setup->addAction(makeAction(1, "mSetDSave", "&Data Save Setting"));
    setup->addAction(makeAction(2, "mSetPort", "&Port Setting"));
    separator(setup, "mSetLine1");
    setup->addAction(makeAction(3, "mSetPortOpen", "Port &Open"));
    separator(setup, "mSetLine2");
    QAction* quit = makeAction(-1, "mSetExit", "Program &Quit");
    connect(quit, &QAction::triggered, this, &QWidget::close);
    setup->addAction(quit);
    QMenu* online = menuBar()->addMenu(QStringLiteral("&Online"));
    online->setObjectName(QStringLiteral("mOnline"));
    online->addAction(makeAction(4, "mOnlineMonitoring", "&Multi-Monitoring"));
    online->addAction(makeAction(5, "mOnlinePrmt", "&Parameter Setting"));
    separator(online, "mOnlineLine1");
    QAction* stats = new QAction(QStringLiteral("Line &Statistics"), this);
    stats->setObjectName(QStringLiteral("mOnlineStats"));
    connect(stats, &QAction::triggered, this, &frmKX5_Main::showLineStatistics);
    online->addAction(stats);
    QMenu* help = menuBar()->addMenu(QStringLiteral("&Help"));
    help->setObjectName(QStringLiteral("mHelp"));
    help->addAction(makeAction(6, "mHelpAbout", "&About"));
    separator(help, "mHelpLine1");
    help->addAction(makeAction(7, "mHelpHelp", "&Help"));
    help->addAction(makeAction(8, "mHelpManual", "KX5 &Manual"));
    help->addAction(makeAction(9, "mHelpGView", "&Graph Viewer"));

    auto* central = new QWidget;
    auto* outer = new QVBoxLayout(central);
    outer->setContentsMargins(4, 4, 4, 4);
    outer->addWidget(buildCommandBar());

    // The user moves both splits: station table against the display, and the display
    // against the monitor table.
    auto* split = new QSplitter(Qt::Vertical);
    split->setObjectName(QStringLiteral("splitTables"));
    auto* top = new QSplitter(Qt::Horizontal);
    top->setObjectName(QStringLiteral("splitStations"));
    top->addWidget(buildStationColumn());
    auto* middle = new QWidget;
    auto* middleLay = new QVBoxLayout(middle);
    middleLay->setContentsMargins(0, 0, 0, 0);
    middleLay->addWidget(buildSingleDisplay());
    middleLay->addWidget(buildChartBox(), 1);
    top->addWidget(middle);
    top->setStretchFactor(0, 0);
    top->setStretchFactor(1, 1);
    top->setChildrenCollapsible(false);
    split->addWidget(top);

    auto* tabs = new QTabWidget;
    tabs->setObjectName(QStringLiteral("tabTables"));
    m_viewMonitoring = new GridView(&m_link->sprdMonitoring);
    m_viewMonitoring->setObjectName(QStringLiteral("sprdMonitoring"));
    m_viewMonitoring->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_viewCommD = new GridView(&m_link->sprdCommD);
    m_viewCommD->setObjectName(QStringLiteral("sprdCommD"));
    m_viewCommD->setEditTriggers(QAbstractItemView::NoEditTriggers);
    tabs->addTab(m_viewMonitoring, QStringLiteral("Monitoring"));
    auto* tracePage = new QWidget;
    auto* traceLay = new QVBoxLayout(tracePage);
    traceLay->setContentsMargins(0, 0, 0, 0);
    traceLay->setSpacing(2);
    auto* saveTrace = new QPushButton(QStringLiteral("Save &Trace..."));
    saveTrace->setObjectName(QStringLiteral("btnSaveTrace"));
    connect(saveTrace, &QPushButton::clicked, this, &frmKX5_Main::btnSaveTrace_Click);
    auto* traceBar = new QHBoxLayout;
    traceBar->addStretch();
    traceBar->addWidget(saveTrace);
    traceLay->addLayout(traceBar);
    traceLay->addWidget(m_viewCommD, 1);
    tabs->addTab(tracePage, QStringLiteral("Communication"));
    m_viewEvents = new GridView(&m_events->events);
    m_viewEvents->setObjectName(QStringLiteral("sprdEvents"));
    m_viewEvents->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_viewEvents->horizontalHeader()->setStretchLastSection(true);
    m_viewEvents->setColumnWidth(0, 150);
    m_viewEvents->gridModel()->setColumnAlignment(3, Qt::AlignLeft | Qt::AlignVCenter);
    tabs->addTab(m_viewEvents, QStringLiteral("Events"));
    // New entries scroll into view only while the list shows its end: an operator reading
    // older entries is not pulled away by every new one.
    connect(m_viewEvents->model(), &QAbstractItemModel::rowsAboutToBeInserted, this, [this] {
        const QScrollBar* bar = m_viewEvents->verticalScrollBar();
        m_eventsAtEnd = bar->value() == bar->maximum();
    });
    connect(m_viewEvents->model(), &QAbstractItemModel::rowsInserted, this, [this] {
        if (m_eventsAtEnd) m_viewEvents->scrollToBottom();
    });
    layoutMonitorTable();
    layoutTrace();
    split->addWidget(tabs);
    // The monitor table keeps its rows when the window grows; the chart takes the rest.
    split->setStretchFactor(0, 1);
    split->setStretchFactor(1, 0);
    split->setChildrenCollapsible(false);
    const int tablesHeight =
        tableHeight(m_viewMonitoring, kShownRows) + tabs->tabBar()->sizeHint().height() + 8;
    split->setSizes({1000, tablesHeight});
    outer->addWidget(split, 1);
    setCentralWidget(central);

    auto* bar = new QStatusBar;
    bar->setObjectName(QStringLiteral("StatusBar1"));
    for (int i = 0; i < 5; ++i) {
        auto* l = new ElidedLabel;
        l->setObjectName(QStringLiteral("StatusBar1_Panel%1").arg(i + 1));
        l->setFrameShape(QFrame::StyledPanel);
        l->setMinimumWidth(i == 3 ? 120 : 40);
        l->setPreferredWidth(i == 0 ? 200 : 110);
        m_panel[static_cast<size_t>(i)] = l;
        bar->addWidget(l, i == 3 ? 1 : 0);
    }
    m_shpSend = new Lamp(QStringLiteral("S"));
    m_shpSend->setObjectName(QStringLiteral("shpSend"));
    m_shpRecv = new Lamp(QStringLiteral("R"));
    m_shpRecv->setObjectName(QStringLiteral("shpRecv"));
    for (Lamp* l : {m_shpSend, m_shpRecv}) {
        l->setMinimumSize(22, 18);
        l->setLit(true);
        bar->addPermanentWidget(l);
    }
    setStatusBar(bar);
    resize(1200, 820);
}

void frmKX5_Main::layoutMonitorTable() {
    // All twenty columns show at the default window size: equal columns as wide as the
    // widest heading or value, sharing the width there is.
    QStringList texts = {QStringLiteral("-32768")};
    for (int c = 1; c <= MonitorCol::Count; ++c)
        texts << m_link->sprdMonitoring.text(c, 0);
    QHeaderView* h = m_viewMonitoring->horizontalHeader();
    h->setMinimumSectionSize(textWidth(m_viewMonitoring, texts, 6));
    h->setSectionResizeMode(QHeaderView::Stretch);
    m_viewMonitoring->setMinimumHeight(tableHeight(m_viewMonitoring, 1));
}

void frmKX5_Main::layoutTrace() {
    // One byte per column and a few hundred columns: one narrow width for all, never sized
    // to contents, so a long read costs no layout pass.
    QHeaderView* h = m_viewCommD->horizontalHeader();
    const int width = textWidth(m_viewCommD, {QStringLiteral("STX")}, 10);
    h->setMinimumSectionSize(width);
    h->setDefaultSectionSize(width);
    h->setSectionResizeMode(QHeaderView::Fixed);
}

QWidget* frmKX5_Main::buildCommandBar() {
    auto* w = new QWidget;
    auto* lay = new QGridLayout(w);
    lay->setContentsMargins(0, 0, 0, 0);
    for (int i = 0; i < kCommands; ++i) {
        auto* b = new QPushButton(QString::fromLatin1(kButtonCaption[i]));
        b->setObjectName(QStringLiteral("btnMenu_%1").arg(i));
        connect(b, &QPushButton::clicked, this, [this, i] { runCommand(i); });
        m_btnMenu[static_cast<size_t>(i)] = b;
        lay->addWidget(b, i / 5, i % 5);
    }
    return w;
}

QWidget* frmKX5_Main::buildStationColumn() {
    auto* w = new QWidget;
    auto* lay = new QVBoxLayout(w);
    lay->setContentsMargins(0, 0, 0, 0);
    m_viewStatus = new GridView(&m_link->sprdStatus);
    m_viewStatus->setObjectName(QStringLiteral("sprdStatus"));
    m_viewStatus->setEditTriggers(QAbstractItemView::NoEditTriggers);
    // Every column shows, the longest model name included; more width goes to the columns.
    const int colWidth =
        textWidth(m_viewStatus, {QStringLiteral(" MC No"), QStringLiteral("KX5-105-00"),
                                 QStringLiteral("Conn-State")});
    m_viewStatus->horizontalHeader()->setMinimumSectionSize(colWidth);
    m_viewStatus->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    m_viewStatus->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_viewStatus->setMinimumWidth(3 * colWidth + textWidth(m_viewStatus, {QStringLiteral("99")}) +
                                  m_viewStatus->verticalScrollBar()->sizeHint().width() +
                                  2 * m_viewStatus->frameWidth());
    m_viewStatus->setMinimumHeight(tableHeight(m_viewStatus, kShownRows));
    lay->addWidget(m_viewStatus, 1);

    auto* edit = new QGroupBox(QStringLiteral("Edit MC"));
    edit->setObjectName(QStringLiteral("fraEditMC"));
    auto* editLay = new QHBoxLayout(edit);
    editLay->addWidget(new QLabel(QStringLiteral("MC No")));
    m_lblMC_No = named(new QLabel, "lblMC_No");
    m_lblMC_No->setFrameShape(QFrame::Panel);
    m_lblMC_No->setFrameShadow(QFrame::Sunken);
    m_lblMC_No->setMinimumWidth(50);
    editLay->addWidget(m_lblMC_No, 1);
    lay->addWidget(edit);

    auto* save = new QGroupBox(QStringLiteral("Data Save"));
    save->setObjectName(QStringLiteral("fraDataSave"));
    auto* saveLay = new QGridLayout(save);
    m_lblDSave_Enable = named(new QLabel, "lblDSave_Enable");
    m_lblDSave_Intv = named(new QLabel, "lblDSave_Intv");
    m_lblDSave_Unit = named(new QLabel, "lblDSave_Unit");
    saveLay->addWidget(new QLabel(QStringLiteral("Save")), 0, 0);
    saveLay->addWidget(m_lblDSave_Enable, 0, 1, 1, 2);
    saveLay->addWidget(new QLabel(QStringLiteral("Interval")), 1, 0);
    saveLay->addWidget(m_lblDSave_Intv, 1, 1);
    saveLay->addWidget(m_lblDSave_Unit, 1, 2);
    m_btnDSave_Start = new QPushButton(QStringLiteral("Start &Save"));
    m_btnDSave_Start->setObjectName(QStringLiteral("btnDSave_Start"));
    connect(m_btnDSave_Start, &QPushButton::clicked, this, &frmKX5_Main::btnDSave_Start_Click);
    saveLay->addWidget(m_btnDSave_Start, 2, 0, 1, 3);
    lay->addWidget(save);
    return w;
}

QWidget* frmKX5_Main::buildSingleDisplay() {
    m_picSingle = new QWidget;
    m_picSingle->setObjectName(QStringLiteral("picSingle"));
    auto* lay = new QGridLayout(m_picSingle);
    lay->setContentsMargins(0, 0, 0, 0);

    QFont big = font();
    big.setPointSize(26);
    big.setBold(true);
    auto figure = [&](const char* name) {
        auto* l = named(new QLabel, name);
        l->setFont(big);
        l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        l->setMinimumWidth(160);
        l->setFrameShape(QFrame::Panel);
        l->setFrameShadow(QFrame::Sunken);
        return l;
    };
    m_lblPV = figure("lblPV");
    m_lblSV = figure("lblSV");
    m_lblMV = figure("lblMV");
    for (int i = 0; i < 2; ++i) {
        auto* u = new QLabel;
        u->setObjectName(QStringLiteral("lblUnit_%1").arg(i));
        QFont f = font();
        f.setPointSize(16);
        u->setFont(f);
        u->setMinimumWidth(40);
        m_lblUnit[static_cast<size_t>(i)] = u;
    }
    lay->addWidget(new QLabel(QStringLiteral("PV")), 0, 0);
    lay->addWidget(m_lblPV, 0, 1);
    lay->addWidget(m_lblUnit[0], 0, 2);
    lay->addWidget(new QLabel(QStringLiteral("SV")), 1, 0);
    lay->addWidget(m_lblSV, 1, 1);
    lay->addWidget(m_lblUnit[1], 1, 2);
    lay->addWidget(new QLabel(QStringLiteral("MV")), 2, 0);
    lay->addWidget(m_lblMV, 2, 1);
    lay->addWidget(new QLabel(QStringLiteral("%")), 2, 2);

    auto* lamps = new QGridLayout;
    auto lamp = [&](const QString& name, const char* caption, int row, int col) {
        auto* l = new Lamp(QString::fromLatin1(caption));
        l->setObjectName(name);
        lamps->addWidget(l, row, col);
        return l;
    };
    m_shpAL[0] = lamp(QStringLiteral("shpAL_0"), "AL1", 0, 0);
    m_shpAL[1] = lamp(QStringLiteral("shpAL_1"), "AL2", 0, 1);
    m_shpSV[0] = lamp(QStringLiteral("shpSV_0"), "SV2", 0, 2);
    m_shpSV[1] = lamp(QStringLiteral("shpSV_1"), "SV3", 0, 3);
    m_shpAT = lamp(QStringLiteral("shpAT"), "AT", 0, 4);
    m_shpOUT = lamp(QStringLiteral("shpOUT"), "OUT", 0, 5);
    const char* const errCaption[5] = {"PV BOUT", "RJC ERR", "PV POVR", "PV MOVR", "AT ERR"};
    for (int i = 0; i < 5; ++i)
        m_shpERR[static_cast<size_t>(i)] =
            lamp(QStringLiteral("shpERR_%1").arg(i), errCaption[i], 1, i);
    lay->addLayout(lamps, 0, 3, 2, 1);

    auto* keys = new QHBoxLayout;
    const char* const keyCaption[5] = {"Print", "Text", "List", "Feed", "Zoom"};
    for (int i = 0; i < 5; ++i) {
        auto* b = new QPushButton(QString::fromLatin1(keyCaption[i]));
        b->setObjectName(QStringLiteral("btnPrint_%1").arg(i));
        connect(b, &QPushButton::clicked, this, [this, i] { btnPrint_Click(i); });
        m_btnPrint[static_cast<size_t>(i)] = b;
        setKeyColor(i, kKeyOff);
        keys->addWidget(b);
    }
    keys->addSpacing(12);
    keys->addWidget(new QLabel(QStringLiteral("Print Speed ")));
    m_lblSPD = named(new QLabel, "lblSPD");
    m_lblSPD->setFrameShape(QFrame::Panel);
    m_lblSPD->setFrameShadow(QFrame::Sunken);
    m_lblSPD->setMinimumWidth(50);
    m_lblSPD->setCursor(Qt::PointingHandCursor);
    m_lblSPD->installEventFilter(this);
    keys->addWidget(m_lblSPD);
    m_txtSPD = new QLineEdit;
    m_txtSPD->setObjectName(QStringLiteral("txtSPD"));
    m_txtSPD->setMaximumWidth(70);
    m_txtSPD->hide();
    connect(m_txtSPD, &QLineEdit::returnPressed, this,
            [this] { txtSPD_Confirm(m_txtSPD->text()); });
    // Leaving the entry without confirming it gives the label back, nothing is sent.
    connect(m_txtSPD, &QLineEdit::editingFinished, this, [this] {
        if (m_txtSPD->isHidden()) return;
        m_txtSPD->hide();
        m_lblSPD->show();
    });
    keys->addWidget(m_txtSPD);
    keys->addWidget(new QLabel(QStringLiteral("(24~900)")));
    keys->addStretch(1);
    lay->addLayout(keys, 2, 3);
    return m_picSingle;
}

QWidget* frmKX5_Main::buildChartBox() {
    auto* w = new QWidget;
    auto* lay = new QVBoxLayout(w);
    lay->setContentsMargins(0, 0, 0, 0);
    m_chart = new TrendChart;
    m_chart->setMinimumHeight(260);
    lay->addWidget(m_chart, 1);

    auto* controls = new QHBoxLayout;
    m_btnStart = new QPushButton(QStringLiteral("&Start Graph"));
    m_btnStart->setObjectName(QStringLiteral("btnStart"));
    connect(m_btnStart, &QPushButton::clicked, this, &frmKX5_Main::btnStart_Click);
    controls->addWidget(m_btnStart);
    m_chb3D = new QCheckBox(QStringLiteral("3D"));
    m_chb3D->setObjectName(QStringLiteral("chb3D"));
    connect(m_chb3D, &QCheckBox::clicked, this, &frmKX5_Main::chb3D_Click);
    controls->addWidget(m_chb3D);
    m_chbScroll = new QCheckBox(QStringLiteral("Scroll"));
    m_chbScroll->setObjectName(QStringLiteral("chbScroll"));
    m_chbScroll->setChecked(m_chart->scrolling());
    connect(m_chbScroll, &QCheckBox::clicked, this, &frmKX5_Main::chbScroll_Click);
    controls->addWidget(m_chbScroll);
    controls->addWidget(new QLabel(QStringLiteral("Interval")));
    m_txtGrpInterval = new QLineEdit(QStringLiteral("1"));
    m_txtGrpInterval->setObjectName(QStringLiteral("txtGrpInterval"));
    m_txtGrpInterval->setMaximumWidth(60);
    connect(m_txtGrpInterval, &QLineEdit::textChanged, this, &frmKX5_Main::txtGrpInterval_Change);
    connect(m_txtGrpInterval, &QLineEdit::returnPressed, this,
            &frmKX5_Main::txtGrpInterval_Confirm);
    controls->addWidget(m_txtGrpInterval);
    controls->addWidget(new QLabel(QStringLiteral("sec (1~60)")));
    controls->addStretch(1);
    lay->addLayout(controls);
    return w;
}

// ---------------- what the link shows ----------------

void frmKX5_Main::showPanel(int i) {
    if (i < 1 || i > 5) return;
    QLabel* l = m_panel[static_cast<size_t>(i - 1)];
    l->setText(m_link->panel(i));
    l->setToolTip(l->text()); // the whole text of an elided panel
}

void frmKX5_Main::showCaptions() {
    m_menuAction[3]->setText(m_link->portMenuCaption());
    m_btnMenu[3]->setText(m_link->portButtonCaption());
}

void frmKX5_Main::showLinkLamps() {
    m_shpSend->setColor(m_link->sendLamp());
    m_shpRecv->setColor(m_link->recvLamp());
}

void frmKX5_Main::showSelectedMcNo(const QString& mcNo) {
    m_lblMC_No->setText(mcNo);
}

// ---------------- commands ----------------

bool frmKX5_Main::commandAvailable(int index) const {
    if (index < 0 || index >= kCommands) return false;
    // The port command and the two online windows' commands exist from the start.
    if (index == 3 || index == 4 || index == 5) return true;
    return static_cast<bool>(m_actions[static_cast<size_t>(index)]);
}

void frmKX5_Main::setCommandAction(int index, CommandAction action) {
    if (index < 0 || index >= kCommands || index == 3) return;
    m_actions[static_cast<size_t>(index)] = std::move(action);
    updateCommandStates();
}

void frmKX5_Main::updateCommandStates() {
    for (int i = 0; i < kCommands; ++i) {
        bool allowed = true;
        if (i == 0 || i == 2) allowed = !m_online; // port and stations change only while closed
        if (i == 4 || i == 5) allowed = m_online;
        const bool on = allowed && commandAvailable(i);
        m_btnMenu[static_cast<size_t>(i)]->setEnabled(on);
        m_menuAction[static_cast<size_t>(i)]->setEnabled(on);
    }
}

void frmKX5_Main::runCommand(int index) {
    if (index < 0 || index >= kCommands || !m_btnMenu[static_cast<size_t>(index)]->isEnabled())
        return;
    if (index == 3) {
        m_link->mSetPortOpen_Click();
        return;
    }
    const CommandAction& action = m_actions[static_cast<size_t>(index)];
    if (!action) {
        m_link->setPanel(4, QStringLiteral("%1: not available yet")
                                .arg(QString::fromLatin1(kButtonCaption[index])));
        return;
    }
    if (!action(this)) return;
    switch (index) {
    case 0:
        afterStationSettings();
        break;
    case 1:
        afterDataSaveSettings();
        break;
    case 2:
        afterPortSettings();
        break;
    default:
        break;
    }
}

void frmKX5_Main::paramReadComplete() {
    if (frmKX5_Parameter* map = frmKX5_Parameter::openMap()) map->tmrRefresh.start();
}

void frmKX5_Main::showLineStatistics() {
    // One window, kept open beside the main window while the line runs.
    if (!m_stats) {
        m_stats = new LineStatisticsDialog(m_link, this);
        m_stats->setAttribute(Qt::WA_DeleteOnClose);
    }
    m_stats->show();
    m_stats->raise();
}

void frmKX5_Main::btnSaveTrace_Click() {
    const QString path =
        QFileDialog::getSaveFileName(this, QStringLiteral("Save Trace"),
                                     QDir(programDir()).filePath(QStringLiteral("trace.txt")),
                                     QStringLiteral("Text files (*.txt);;All files (*)"));
    if (path.isEmpty()) return;
    QString error;
    if (!saveTrace(m_link->sprdCommD, path, &error))
        MsgBox(this, QStringLiteral("Save Trace"), error, QMessageBox::Ok, QMessageBox::Warning);
}

void frmKX5_Main::afterPortSettings() {
    // Our own choices take effect from the next Port Open.
    m_link->setFastPacing(linkOptions().fastPolling);
    m_link->setAutoReopen(linkOptions().reopenLostPort);
    m_link->setPanel(1, gPort);
    m_link->setPanel(2, commSettingsText());
    m_link->setPanel(5, gProtocol);
}

void frmKX5_Main::afterStationSettings() {
    const int mcNo = m_link->selectedMcNo();
    m_lblMC_No->setText(mcNo > 0 ? QString::number(mcNo) : QString());
}

void frmKX5_Main::afterDataSaveSettings() {
    m_lblDSave_Enable->setText(gDSaveEnable);
    m_lblDSave_Intv->setText(QString::number(gDSaveIntv));
    m_lblDSave_Unit->setText(gDSaveUnit);
    m_btnDSave_Start->setEnabled(gDSaveEnable == QLatin1String("Yes"));
}

void frmKX5_Main::SetOnlineState(bool open) {
    m_online = open;
    updateCommandStates();
    m_picSingle->setVisible(open);
    if (open) {
        mGrpCount = 0;
        mGrpRun = false;
        ResetGraph();
        tmrRefresh.start();
    } else {
        tmrRefresh.stop();
    }
}

void frmKX5_Main::sprdStatus_Click(int, int row) {
    // The link refuses a station that has not answered, and any while it checks the line;
    // it shows the station it selects in lblMC_No.
    if (!m_link->selectStation(row - 1)) return;
    mGrpCount = 0;
    ResetGraph();
}

void frmKX5_Main::closeEvent(QCloseEvent* e) {
    if (MsgBox(this, QStringLiteral("Confirm"), QStringLiteral("Exit?"),
               QMessageBox::Yes | QMessageBox::No, QMessageBox::Question) != QMessageBox::Yes) {
        e->ignore();
        return;
    }
    m_link->ClosePort();
    tmrRefresh.stop();
    tmrDispGraph.stop();
    e->accept();
}

bool frmKX5_Main::eventFilter(QObject* watched, QEvent* e) {
    if (watched == m_lblSPD && e->type() == QEvent::MouseButtonRelease) lblSPD_Click();
    return QMainWindow::eventFilter(watched, e);
}

// ---------------- live display ----------------

void frmKX5_Main::setKeyColor(int index, Bgr color) {
    QPushButton* b = m_btnPrint[static_cast<size_t>(index)];
    const QVariant now = b->property("keyColor");
    if (now.isValid() && now.toUInt() == color) return;
    b->setProperty("keyColor", color);
    // A border of its own makes the style draw the fill flat, without the bevel's gradient;
    // black text stays readable on both colours under any desktop palette.
    b->setStyleSheet(QStringLiteral("QPushButton { background-color: %1; color: black;"
                                    " border: 1px solid #606060; border-radius: 3px;"
                                    " padding: 4px 10px; min-width: 36px; }"
                                    " QPushButton:pressed { border: 2px solid black; }")
                         .arg(toQColor(color).name()));
}

void frmKX5_Main::tmrRefresh_Timer() {
    tmrRefresh.stop();
    using namespace MonitorCol;
    const Grid& mon = m_link->sprdMonitoring;
    const int selected = m_link->selectedMcNo();
    for (int r = 1; r <= mon.maxRows(); ++r) {
        if (cInt(mon.text(0, r)) != selected) continue;
        // A station whose values have not arrived shows as such (empty cells read as 0),
        // never the previously selected station's figures under the new MC No.
        const int inp = cInt(mon.text(INP, r));
        const int unit = cInt(mon.text(UNIT, r));
        QString unitText = m_lblUnit[0]->text();
        if (inp >= 1 && inp <= 29) {
            if (unit == 0)
                unitText = QStringLiteral("℃");
            else if (unit == 1)
                unitText = QStringLiteral("℉");
        } else if (inp == 30) {
            unitText = QStringLiteral("V");
        } else {
            unitText = QStringLiteral("㎷");
        }
        for (QLabel* l : m_lblUnit)
            setTextIfChanged(l, unitText);

        const int d = DecimalPlaces(inp, unit, cInt(mon.text(DPP, r)));
        double scale = 1;
        for (int i = 0; i < d; ++i)
            scale *= 10;
        setTextIfChanged(m_lblPV, formatDecimals(val(mon.text(NPV, r)) / scale, d));
        setTextIfChanged(m_lblSV, formatDecimals(val(mon.text(NSV, r)) / scale, d));

        const qint64 alm = roundHalfEven(val(mon.text(ALMSTS, r)));
        m_shpAL[0]->setLit(bit(alm, 0));
        m_shpAL[1]->setLit(bit(alm, 1));
        const qint64 mod = roundHalfEven(val(mon.text(MODSTS, r)));
        m_shpAT->setLit(bit(mod, 0));
        for (int k = 0; k < 3; ++k)
            setKeyColor(k, bit(mod, 8 + k) ? kKeyOn : kKeyOff);

        const double mv = val(mon.text(MVOUT, r));
        setTextIfChanged(m_lblMV, formatDecimals(mv / 10.0, 1));
        m_shpOUT->setLit(mv > 0);

        const int sv = cInt(mon.text(SVNO, r));
        m_shpSV[0]->setLit(sv == 2);
        m_shpSV[1]->setLit(sv == 3);

        const qint64 err = roundHalfEven(val(mon.text(ERRSTS, r)));
        for (int k = 0; k < 4; ++k)
            m_shpERR[static_cast<size_t>(k)]->setLit(bit(err, k));
        m_shpERR[4]->setLit(bit(err, 8));
    }
    // Recorder keys and print speed from the selected station's registers 502 .. 506.
    const Grid& map = m_link->sprdMap;
    auto reg = [&map](int r) { return map.text(mapCell(r).col, mapCell(r).row); };
    setKeyColor(1, val(reg(502)) > 0 ? kKeyOn : kKeyOff);
    setKeyColor(2, val(reg(503)) > 0 ? kKeyOn : kKeyOff);
    setKeyColor(4, val(reg(505)) > 0 ? kKeyOn : kKeyOff);
    setTextIfChanged(m_lblSPD, reg(506));
    tmrRefresh.start();
}

// ---------------- trend graph ----------------

void frmKX5_Main::SetupGraph() {
    m_chart->setupTitles();
}

void frmKX5_Main::ResetGraph() {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    m_chart->clear();
    SetupGraph();
    QApplication::restoreOverrideCursor();
}

void frmKX5_Main::AddGraphPoint() {
    const int n = mGrpCount;
    if (n < 1) return;
    // The selected station's stored numbers, scaled as the display shows them; never read back
    // out of the labels' texts.
    double sv = 0, pv = 0, mv = 0;
    const auto at = std::find(gMC_List.begin(), gMC_List.end(), m_link->selectedMcNo());
    if (const StationValues* v = m_link->values(int(at - gMC_List.begin()));
        v && v->storedAt.isValid()) {
        const double scale = std::pow(10.0, DecimalPlaces(v->regs[0], v->regs[1], v->regs[2]));
        pv = v->regs[3] / scale;
        sv = v->regs[4] / scale;
        mv = v->regs[7] / 10.0;
    }
    const QTime now = clock().time();
    if (n == 1) {
        m_chart->truncate(0); // the reset's zero points give way to the first sample
        m_chart->setPoint(0, sv, pv, mv, now.addSecs(-1));
    } else {
        m_chart->truncate(n);
    }
    m_chart->setPoint(n, sv, pv, mv, now);
    m_chart->showUpTo(n);
}

void frmKX5_Main::btnStart_Click() {
    m_graphStopOffered = !m_graphStopOffered;
    m_btnStart->setText(m_graphStopOffered ? QStringLiteral("&Stop")
                                           : QStringLiteral("&Start Graph"));
    if (m_graphStopOffered) {
        mGrpCount = 0;
        ResetGraph();
    }
    mGrpRun = m_graphStopOffered;
}

void frmKX5_Main::chb3D_Click() {
    m_chart->set3D(m_chb3D->isChecked());
}

void frmKX5_Main::chbScroll_Click() {
    m_chart->setScrolling(!m_chart->scrolling());
}

void frmKX5_Main::txtGrpInterval_Change() {
    const double v = val(m_txtGrpInterval->text());
    if (v < 1)
        m_txtGrpInterval->setText(QStringLiteral("1"));
    else if (v > 60)
        m_txtGrpInterval->setText(QStringLiteral("60"));
}

void frmKX5_Main::txtGrpInterval_Confirm() {
    const qint64 ms = roundHalfEven(val(m_txtGrpInterval->text()) * 1000.0);
    tmrDispGraph.setInterval(static_cast<int>(std::clamp<qint64>(ms, 1000, 60000)));
}

void frmKX5_Main::tmrDispGraph_Timer() {
    tmrDispGraph.stop();
    m_events->check();
    const int row = m_link->gMC_Idx + 1;
    const bool ok = row >= 1 && row <= m_link->sprdStatus.maxRows() &&
                    m_link->sprdStatus.text(StatusCol::ConnState, row) == QLatin1String("OK");
    if (mGrpRun && ok) {
        if (mGrpCount == 0) ResetGraph();
        ++mGrpCount;
        AddGraphPoint();
    }
    if (!mGrpRun) mGrpCount = 0;
    m_logger->tick(clock(), tmrDispGraph.interval());
    tmrDispGraph.start();
}

// ---------------- data logging ----------------

void frmKX5_Main::btnDSave_Start_Click() {
    // gDSaveRun is the state; the caption follows it.
    gDSaveRun = !gDSaveRun;
    m_btnDSave_Start->setText(gDSaveRun ? QStringLiteral("Stop &Save")
                                        : QStringLiteral("Start &Save"));
}

// ---------------- recorder keys and print speed ----------------

void frmKX5_Main::requestWrite(int reg, int value) {
    const Request r = Request::writeOne(m_link->selectedMcNo(), reg, value);
    const RequestReply reply = m_link->request(r);
    // A box, not a status panel: the user pressed a key and is looking for its effect.
    if (!reply.taken)
        MsgBox(this, windowTitle(), reply.refusal, QMessageBox::Ok, QMessageBox::Warning);
}

void frmKX5_Main::btnPrint_Click(int index) {
    if (index < 0 || index > 4) return;
    const int reg = 501 + index;
    int value = 1;
    if (index == 1 || index == 2 || index == 4)
        value = val(m_link->sprdMap.text(mapCell(reg).col, mapCell(reg).row)) > 0 ? 0 : 1;
    requestWrite(reg, value);
}

void frmKX5_Main::lblSPD_Click() {
    m_txtSPD->setText(m_lblSPD->text());
    m_lblSPD->hide();
    m_txtSPD->show();
    m_txtSPD->setFocus();
    m_txtSPD->selectAll();
}

void frmKX5_Main::txtSPD_Confirm(const QString& text) {
    QString limited = text;
    const double v = val(text);
    if (v < 24)
        limited = QStringLiteral("24");
    else if (v > 900)
        limited = QStringLiteral("900");
    m_txtSPD->hide();
    m_lblSPD->show();
    requestWrite(506, cInt(limited));
}
