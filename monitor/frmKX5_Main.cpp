#include "monitor/frmKX5_Main.h"

#include "link/Cells.h"
#include "link/QtSerialPort.h"
#include "link/mdlKX5.h"
#include "monitor/DataLog.h"
#include "monitor/DataLogger.h"
#include "monitor/DataSaveSwitch.h"
#include "monitor/EventLog.h"
#include "monitor/Lamp.h"
#include "monitor/LineStatisticsDialog.h"
#include "monitor/LineTexts.h"
#include "monitor/MainTables.h"
#include "monitor/SingleDisplay.h"
#include "monitor/StationPanel.h"
#include "monitor/TraceRecorder.h"
#include "monitor/TrendChart.h"
#include "monitor/TrendPanel.h"
#include "params/frmKX5_Parameter.h"
#include "publish/Publisher.h"
#include "settings/ConfigFiles.h"
#include "settings/LinkOptions.h"
#include "ui/ElidedLabel.h"
#include "ui/Language.h"
#include "ui/MsgBox.h"

#include <QApplication>
#include <QCloseEvent>
#include <QMenuBar>
#include <QPushButton>
#include <QSplitter>
#include <QStatusBar>
#include <QVBoxLayout>
#include <algorithm>
#include <utility>

namespace {

const char* const kButtonCaption[frmKX5_Main::kCommands] = {
    QT_TRANSLATE_NOOP("frmKX5_Main", "Use MC Setting"),
    QT_TRANSLATE_NOOP("frmKX5_Main", "Data Save Setting"),
    QT_TRANSLATE_NOOP("frmKX5_Main", "Port Setting"),
    QT_TRANSLATE_NOOP("frmKX5_Main", "Port Open"),
    QT_TRANSLATE_NOOP("frmKX5_Main", "Multi-Monitoring"),
    QT_TRANSLATE_NOOP("frmKX5_Main", "Parameter Setting"),
    QT_TRANSLATE_NOOP("frmKX5_Main", "About"),
    QT_TRANSLATE_NOOP("frmKX5_Main", "Help"),
    QT_TRANSLATE_NOOP("frmKX5_Main", "KX5 Manual"),
    QT_TRANSLATE_NOOP("frmKX5_Main", "Graph Viewer")};

} // namespace

frmKX5_Main::frmKX5_Main(SerialPort* port, const StartSettings& settings, QWidget* parent)
    : QMainWindow(parent) {
    setObjectName(QStringLiteral("frmKX5_Main"));
    setWindowTitle(tr("KX5 Communication Program"));
    m_link = new KX5Link(std::unique_ptr<SerialPort>(port ? port : new QtSerialPort));
    m_link->setHost(this);
    m_lineTexts = new LineTexts(m_link, this);
    m_events = new EventLog(m_link, this);
    m_logger = std::make_unique<DataLogger>(m_link, m_events);
    m_publisher = new Publisher(m_link, this);
    connect(m_publisher, &Publisher::event, m_events, [this](const QString& text) {
        m_events->add(0, FileNotice{text, text});
    });

    tmrRefresh.setInterval(50);
    tmrDispGraph.setInterval(1000);
    // A coarse timer may fire early as well as late; the log spacing counts these ticks.
    tmrDispGraph.setTimerType(Qt::PreciseTimer);
    connect(&tmrRefresh, &QTimer::timeout, this, &frmKX5_Main::tmrRefresh_Timer);
    connect(&tmrDispGraph, &QTimer::timeout, this, &frmKX5_Main::tmrDispGraph_Timer);

    buildUi();

    connect(m_link, &KX5Link::panelChanged, this, &frmKX5_Main::showPanel);
    connect(m_lineTexts, &LineTexts::captionsChanged, this, &frmKX5_Main::showCaptions);
    connect(m_lineTexts, &LineTexts::lampsChanged, this, &frmKX5_Main::showLinkLamps);
    connect(m_stations, &StationPanel::stationClicked, this,
            [this](int idx) { sprdStatus_Click(StatusCol::MC_No, idx + 1); });
    connect(m_link, &KX5Link::nobodyAnswered, this, &frmKX5_Main::offerScan);
    // The open map says how its read-all and its dialogs' writes ended.
    connect(m_link, &KX5Link::requestEnded, this,
            [](const Request& r, RequestOutcome outcome, const QString&, const QString& shown) {
                if (frmKX5_Parameter* map = frmKX5_Parameter::openMap())
                    map->onRequestEnded(r, outcome, shown);
            });

    // Start-up: data-save settings, port settings, options, stations, closed-port state.
    QList<FileNotice> notes = settings.notes; // settings files that could not be used
    applyDataSaveSettings(settings.dataSave);
    m_link->setPortSettings(LoadCommCfg(&notes));
    applyLinkOptions(settings.link);
    afterPortSettings();
    m_link->setStations(LoadStations(&notes));
    showSettingsNotes(notes);
    connect(m_publisher, &Publisher::statusChanged, this, &frmKX5_Main::showPublishing);
    m_publisher->apply(settings.publish);
    SetOnlineState(false);
    showCaptions();
    showLinkLamps();
    tmrDispGraph.start();
}

// Said in panel 4 (its tooltip holds them all) and the events.
void frmKX5_Main::showSettingsNotes(const QList<FileNotice>& notes) {
    QStringList shown;
    for (const FileNotice& n : notes) {
        m_events->add(0, n);
        shown << n.shown;
    }
    if (!shown.isEmpty()) m_link->setPanel(4, shown.join(QStringLiteral("  ")));
}

// The port the user opened closed because no station answered: most often the controllers
// use other line settings, which Scan Line finds. Asked without blocking the line's handlers.
void frmKX5_Main::offerScan(const QString& settings, int retryMs) {
    if (retryMs > 0 || findChild<QMessageBox*>(QStringLiteral("msgNobodyAnswered"))) return;
    auto* box = new QMessageBox(
        QMessageBox::Question, windowTitle(),
        tr("No station answered at %1.\nCheck that the controllers are on and wired, and that "
           "they use these settings.\n\nScan the line for the stations and their settings?")
            .arg(settings),
        QMessageBox::Yes | QMessageBox::No, this);
    box->setObjectName(QStringLiteral("msgNobodyAnswered"));
    box->setAttribute(Qt::WA_DeleteOnClose);
    connect(box, &QMessageBox::finished, this, [this](int answer) {
        if (answer == QMessageBox::Yes && m_scanAction->isEnabled()) m_scanAction->trigger();
    });
    box->open();
}

frmKX5_Main::~frmKX5_Main() {
    tmrRefresh.stop();
    tmrDispGraph.stop();
    // "offline" goes out before the link, whose values it publishes, is gone.
    delete m_publisher;
    m_publisher = nullptr;
    // The views show the link's grids: they go first.
    delete takeCentralWidget();
    delete m_link;
}

// ---------------- layout ----------------

void frmKX5_Main::buildUi() {
    // Menus: every command of the buttons, with the separators between the groups.
    auto makeAction = [this](int index, const char* name, const char* caption) {
        auto* a = new QAction(tr(caption), this);
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
    QMenu* setup = menuBar()->addMenu(tr("&Setup"));
    setup->setObjectName(QStringLiteral("mSetup"));
    setup->addAction(makeAction(0, "mSetMulti", QT_TR_NOOP("Use &MC Setting")));
    m_scanAction = new QAction(tr("&Scan Line..."), this);
    m_scanAction->setObjectName(QStringLiteral("mSetScan"));
    connect(m_scanAction, &QAction::triggered, this, [this] {
        m_scanRequested = true;
        runCommand(0);
        m_scanRequested = false;
    });
    setup->addAction(m_scanAction);
    setup->addAction(makeAction(1, "mSetDSave", QT_TR_NOOP("&Data Save Setting")));
    setup->addAction(makeAction(2, "mSetPort", QT_TR_NOOP("&Port Setting")));
    QAction* publish = new QAction(tr("P&ublishing..."), this);
    publish->setObjectName(QStringLiteral("mSetPublish"));
    connect(publish, &QAction::triggered, this, &frmKX5_Main::runPublishing);
    setup->addAction(publish);
    separator(setup, "mSetLine1");
    setup->addAction(makeAction(3, "mSetPortOpen", QT_TR_NOOP("Port &Open")));
    m_menuAction[3]->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
    separator(setup, "mSetLine2");
    QAction* quit = makeAction(-1, "mSetExit", QT_TR_NOOP("Program &Quit"));
    quit->setShortcut(QKeySequence::Quit);
    // Not every desktop's key theme has a quit key; Ctrl+Q is what users expect here.
    if (quit->shortcut().isEmpty()) quit->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
    connect(quit, &QAction::triggered, this, &QWidget::close);
    setup->addAction(quit);
    QMenu* online = menuBar()->addMenu(tr("&Online"));
    online->setObjectName(QStringLiteral("mOnline"));
    online->addAction(makeAction(4, "mOnlineMonitoring", QT_TR_NOOP("&Multi-Monitoring")));
    online->addAction(makeAction(5, "mOnlinePrmt", QT_TR_NOOP("&Parameter Setting")));
    separator(online, "mOnlineLine1");
    // The data-save and graph switches are buttons in the window; these menu entries give
    // them a key and a place in the menu, and say what a press would do now.
    m_saveAction = new QAction(this);
    m_saveAction->setObjectName(QStringLiteral("mOnlineSave"));
    m_saveAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    online->addAction(m_saveAction);
    m_graphAction = new QAction(this);
    m_graphAction->setObjectName(QStringLiteral("mOnlineGraph"));
    m_graphAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_G));
    online->addAction(m_graphAction);
    separator(online, "mOnlineLine2");
    QAction* stats = new QAction(tr("Line &Statistics"), this);
    stats->setObjectName(QStringLiteral("mOnlineStats"));
    connect(stats, &QAction::triggered, this, &frmKX5_Main::showLineStatistics);
    online->addAction(stats);
    QMenu* help = menuBar()->addMenu(tr("&Help"));
    help->setObjectName(QStringLiteral("mHelp"));
    help->addAction(makeAction(6, "mHelpAbout", QT_TR_NOOP("&About")));
    separator(help, "mHelpLine1");
    help->addAction(makeAction(7, "mHelpHelp", QT_TR_NOOP("&Help")));
    m_menuAction[7]->setShortcut(QKeySequence::HelpContents);
    help->addAction(makeAction(8, "mHelpManual", QT_TR_NOOP("KX5 &Manual")));
    help->addAction(makeAction(9, "mHelpGView", QT_TR_NOOP("&Graph Viewer")));
    separator(help, "mHelpLine2");
    addLanguageMenu(help);

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
    m_stations = new StationPanel(m_link);
    top->addWidget(m_stations);
    auto* middle = new QWidget;
    auto* middleLay = new QVBoxLayout(middle);
    middleLay->setContentsMargins(0, 0, 0, 0);
    m_single = new SingleDisplay(m_link, [this](int reg) { return m_link->paramValue(reg); });
    middleLay->addWidget(m_single);
    m_trend = new TrendPanel;
    connect(m_trend, &TrendPanel::intervalConfirmed, this,
            [this](int ms) { tmrDispGraph.setInterval(ms); });
    middleLay->addWidget(m_trend, 1);
    top->addWidget(middle);
    top->setStretchFactor(0, 0);
    top->setStretchFactor(1, 1);
    top->setChildrenCollapsible(false);
    split->addWidget(top);

    m_recorder = new TraceRecorder(m_link, m_events, this);
    m_tables = new MainTables(m_link, m_events, m_recorder);
    connect(m_tables, &MainTables::recordOptionsEdited, this, &frmKX5_Main::keepRecordOptions);
    auto* tabs = m_tables;
    split->addWidget(tabs);
    // The monitor table keeps its rows when the window grows; the chart takes the rest.
    split->setStretchFactor(0, 1);
    split->setStretchFactor(1, 0);
    split->setChildrenCollapsible(false);
    split->setSizes({1000, tabs->preferredHeight()});
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
    // Saving's state, always: a stop must never go unseen.
    m_saving = new DataSaveSwitch(m_logger.get(), m_stations->saveButton(), m_saveAction, this);
    bar->addPermanentWidget(m_saving->panel());
    // Publishing's state, shown only while it is on.
    m_lblPublish = new QLabel;
    m_lblPublish->setObjectName(QStringLiteral("lblPublish"));
    m_lblPublish->setFrameShape(QFrame::StyledPanel);
    m_lblPublish->setVisible(false);
    bar->addPermanentWidget(m_lblPublish);
    //: lamp of the status bar: Send
    m_shpSend = new Lamp(tr("S"));
    m_shpSend->setObjectName(QStringLiteral("shpSend"));
    m_shpSend->setMeaning(tr("a request is being sent"));
    //: lamp of the status bar: Receive
    m_shpRecv = new Lamp(tr("R"));
    m_shpRecv->setObjectName(QStringLiteral("shpRecv"));
    m_shpRecv->setMeaning(tr("a reply is coming in"));
    for (Lamp* l : {m_shpSend, m_shpRecv}) {
        l->setMinimumSize(22, 18);
        l->setLit(true);
        bar->addPermanentWidget(l);
    }
    setStatusBar(bar);
    resize(1200, 820);

    const auto mirror = [this](QAction* a, QPushButton* b) {
        connect(a, &QAction::triggered, b, &QAbstractButton::click);
        connect(b, &QAbstractButton::clicked, this, &frmKX5_Main::showSwitchActions);
    };
    mirror(m_graphAction, m_trend->startButton());
    connect(online, &QMenu::aboutToShow, this, &frmKX5_Main::showSwitchActions);
    showSwitchActions();
}

void frmKX5_Main::showSwitchActions() {
    // The buttons' captions, with letters of the menu's own.
    m_saving->show();
    m_graphAction->setText(m_trend->stopOffered() ? tr("Stop &Graph") : tr("Start &Graph"));
}

QWidget* frmKX5_Main::buildCommandBar() {
    auto* w = new QWidget;
    auto* lay = new QGridLayout(w);
    lay->setContentsMargins(0, 0, 0, 0);
    for (int i = 0; i < kCommands; ++i) {
        auto* b = new QPushButton(tr(kButtonCaption[i]));
        b->setObjectName(QStringLiteral("btnMenu_%1").arg(i));
        connect(b, &QPushButton::clicked, this, [this, i] { runCommand(i); });
        m_btnMenu[static_cast<size_t>(i)] = b;
        lay->addWidget(b, i / 5, i % 5);
    }
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
    m_menuAction[3]->setText(m_lineTexts->portMenuCaption());
    m_btnMenu[3]->setText(m_lineTexts->portButtonCaption());
}

void frmKX5_Main::showLinkLamps() {
    m_shpSend->setColor(m_lineTexts->sendLamp());
    m_shpRecv->setColor(m_lineTexts->recvLamp());
}

void frmKX5_Main::showPublishing() {
    const QString text = m_publisher ? m_publisher->statusText() : QString();
    m_lblPublish->setText(text);
    m_lblPublish->setAccessibleName(text);
    m_lblPublish->setVisible(!text.isEmpty());
}

void frmKX5_Main::runPublishing() {
    if (!m_publishAction) {
        m_link->setPanel(4, tr("Publishing: not available yet"));
        return;
    }
    const SettingsSaid before = settingsSaid();
    if (m_publishAction(this)) logSettingsChanges(before);
}

frmKX5_Main::SettingsSaid frmKX5_Main::settingsSaid() const {
    const auto onOff = [](bool on) { return on ? QStringLiteral("on") : QStringLiteral("off"); };
    QStringList mcs;
    for (const StationEntry& e : m_link->line().stations())
        mcs << QString::number(e.mcNo);
    const DataSaveSettings& save = m_logger->settings();
    const PublishOptions& publish = m_publisher->options();
    return {{{QT_TRANSLATE_NOOP("EventLog", "Port settings changed: %1"),
              QStringLiteral("%1 at %2 %3, fast polling %4, a lost port reopened %5")
                  .arg(m_link->portSettings().port, m_link->portSettings().commText(),
                       m_link->portSettings().protocol, onOff(m_linkOptions.fastPolling),
                       onOff(m_linkOptions.reopenLostPort))},
             {QT_TRANSLATE_NOOP("EventLog", "Stations in use changed: %1"),
              mcs.isEmpty() ? QStringLiteral("none") : QStringLiteral("MC ") + mcs.join(", ")},
             {QT_TRANSLATE_NOOP("EventLog", "Data save settings changed: %1"),
              QStringLiteral("saving %1, every %2 %3, to %4")
                  .arg(save.enabled ? QStringLiteral("allowed") : QStringLiteral("not allowed"))
                  .arg(save.interval)
                  .arg(save.unit == DataSaveSettings::Unit::Minutes ? "min" : "sec",
                       save.filesPattern())},
             {QT_TRANSLATE_NOOP("EventLog", "Publishing settings changed: %1"),
              publish.enabled ? QStringLiteral("on, to %1:%2%3, topics %4/...")
                                    .arg(publish.host)
                                    .arg(publish.port)
                                    .arg(publish.tls ? QStringLiteral(" with TLS") : QString(),
                                         publish.baseTopic())
                              : QStringLiteral("off")}}};
}

void frmKX5_Main::logSettingsChanges(const SettingsSaid& before) {
    const SettingsSaid now = settingsSaid();
    for (size_t i = 0; i < now.size(); ++i)
        if (now[i].second != before[i].second) m_events->add(0, now[i].first, {now[i].second});
}

void frmKX5_Main::showSelectedMcNo(const QString& mcNo) {
    m_stations->showSelectedMcNo(mcNo);
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
    if (m_scanAction) m_scanAction->setEnabled(m_menuAction[0]->isEnabled());
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
        m_link->setPanel(4, tr("%1: not available yet").arg(tr(kButtonCaption[index])));
        return;
    }
    const SettingsSaid before = settingsSaid();
    if (!action(this)) return;
    logSettingsChanges(before);
    switch (index) {
    case 0:
        afterStationSettings();
        afterPortSettings(); // a scan may have taken the settings it found
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

void frmKX5_Main::showStartNote(const QString& note) {
    m_link->setPanel(4, note);
    // While the stations are checked the panel says so; the note comes back after.
    if (m_link->phase() == KX5Link::Phase::Sweeping) m_startNote = note;
}

void frmKX5_Main::afterPortSettings() {
    const PortSettings& s = m_link->portSettings();
    m_link->setPanel(1, s.port);
    m_link->setPanel(2, s.commText());
    m_link->setPanel(5, s.protocol);
}

void frmKX5_Main::afterStationSettings() {
    const int mcNo = m_link->selectedMcNo();
    m_stations->showSelectedMcNo(mcNo > 0 ? QString::number(mcNo) : QString());
}

void frmKX5_Main::applyDataSaveSettings(const DataSaveSettings& settings) {
    // The button's state first: the switch follows the logger and shows it.
    m_stations->showDataSaveSettings(settings);
    m_recorder->setFiles(settings);
    m_logger->setSettings(settings);
    m_saving->show();
}

void frmKX5_Main::applyLinkOptions(const LinkOptions& options) {
    m_linkOptions = options;
    m_link->setFastPacing(options.fastPolling);
    m_link->setAutoReopen(options.reopenLostPort);
    m_recorder->setLimitMB(options.traceLimitMB);
    m_recorder->setOn(options.recordTrace);
    m_tables->showRecordOptions(options);
}

void frmKX5_Main::keepRecordOptions(bool on, int limitMB) {
    LinkOptions o = m_linkOptions;
    o.recordTrace = on;
    o.traceLimitMB = limitMB;
    if (o == m_linkOptions) return;
    QString error;
    // The switch works for this run either way; only keeping it for the next one can fail.
    if (saveLinkOptions(o, &error))
        m_linkOptions = o;
    else
        MsgBox(this, tr("Record Trace"), error, QMessageBox::Ok, QMessageBox::Warning);
}

void frmKX5_Main::SetOnlineState(bool open) {
    m_online = open;
    updateCommandStates();
    m_single->setVisible(open);
    if (open) {
        m_trend->goOnline();
        if (m_graphAtOnline) m_trend->startGraph();
        tmrRefresh.start();
        // The link clears panel 4 as the check of the stations ends, right after this.
        if (!m_startNote.isEmpty())
            QTimer::singleShot(0, this, [this, note = std::exchange(m_startNote, {})] {
                if (m_link->panel(4).isEmpty()) m_link->setPanel(4, note);
            });
    } else {
        tmrRefresh.stop();
        m_trend->showFreshness(selectedValues()); // closed: what is drawn is no longer current
    }
}

void frmKX5_Main::sprdStatus_Click(int, int row) {
    // The link refuses a station that has not answered, and any while it checks the line;
    // it shows the station it selects in lblMC_No.
    if (!m_link->selectStation(row - 1)) return;
    m_trend->restart();
}

void frmKX5_Main::closeEvent(QCloseEvent* e) {
    if (MsgBox(this, tr("Confirm"), tr("Exit?"), QMessageBox::Yes | QMessageBox::No,
               QMessageBox::Question) != QMessageBox::Yes) {
        e->ignore();
        return;
    }
    m_link->ClosePort();
    tmrRefresh.stop();
    tmrDispGraph.stop();
    e->accept();
}

// ---------------- live display, graph and log ----------------

const StationValues* frmKX5_Main::selectedValues() const {
    const LineModel::Station* s = m_link->line().station(m_link->selectedMcNo());
    return s && s->inUse ? &s->values : nullptr;
}

void frmKX5_Main::tmrRefresh_Timer() {
    tmrRefresh.stop();
    // Only what the selected station sent: blank until its first reply, grey once not current.
    const StationValues* v = selectedValues();
    m_single->showReading(v ? decode(*v) : Reading{});
    m_single->showRecorder();
    m_trend->showFreshness(v);
    tmrRefresh.start();
}

void frmKX5_Main::tmrDispGraph_Timer() {
    tmrDispGraph.stop();
    // A point from the selected station's own values while they are current, whatever the
    // station being polled is doing.
    const StationValues* v = selectedValues();
    m_trend->sample(v ? decode(*v) : Reading{}, clock().time());
    m_trend->showFreshness(v);
    m_logger->tick(clock(), tmrDispGraph.interval());
    showPublishing(); // the queue and drop counts move without a state change
    tmrDispGraph.start();
}

TrendChart* frmKX5_Main::chart() const {
    return m_trend->chart();
}
