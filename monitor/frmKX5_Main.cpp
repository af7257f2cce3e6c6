#include "monitor/frmKX5_Main.h"

#include "files/LinkOptions.h"
#include "link/Cells.h"
#include "monitor/AlarmListDialog.h"
#include "monitor/DataSaveSwitch.h"
#include "monitor/LineStatisticsDialog.h"
#include "monitor/MainCommands.h"
#include "monitor/MainStatusBar.h"
#include "monitor/MainTables.h"
#include "monitor/MultiTrendWindow.h"
#include "monitor/SingleDisplay.h"
#include "monitor/StationPanel.h"
#include "monitor/StationTableModel.h"
#include "monitor/TrendChart.h"
#include "monitor/TrendPanel.h"
#include "params/frmKX5_Parameter.h"
#include "publish/Publisher.h"
#include "services/AlarmBook.h"
#include "services/DataLogger.h"
#include "services/EventLog.h"
#include "services/LineStatus.h"
#include "services/LineTexts.h"
#include "services/LinkWords.h"
#include "services/TraceRecorder.h"
#include "ui/MsgBox.h"

#include <QApplication>
#include <QCloseEvent>
#include <QPushButton>
#include <QScreen>
#include <QSplitter>
#include <QVBoxLayout>
#include <utility>

frmKX5_Main::frmKX5_Main(const LineParts& parts, const StartSettings& settings, QWidget* parent)
    : QMainWindow(parent), m_link(parts.link), m_events(parts.events), m_logger(parts.logger),
      m_recorder(parts.recorder), m_publisher(parts.publisher), m_alarms(parts.alarms),
      m_status(parts.status) {
    setObjectName(QStringLiteral("frmKX5_Main"));
    setWindowTitle(tr("KX5 Communication Program"));
    m_link->setHost(this);
    m_lineTexts = new LineTexts(m_link, this);

    // tmrRefresh does not poll: a change of the selected station starts it once, so the
    // changes of 50 ms are shown together and nothing runs while nothing changes.
    tmrRefresh.setInterval(50);
    tmrRefresh.setSingleShot(true);
    tmrDispGraph.setInterval(1000);
    // A coarse timer may fire early as well as late; the log spacing counts these ticks.
    tmrDispGraph.setTimerType(Qt::PreciseTimer);
    connect(&tmrRefresh, &QTimer::timeout, this, &frmKX5_Main::tmrRefresh_Timer);
    connect(&tmrDispGraph, &QTimer::timeout, this, &frmKX5_Main::tmrDispGraph_Timer);

    buildUi();

    connect(&m_link->line(), &LineModel::stationChanged, this,
            [this](int mcNo, LineModel::Changes what) {
                constexpr LineModel::Changes kShown =
                    LineModel::Values | LineModel::Freshness | LineModel::Keys | LineModel::Image;
                if (what & LineModel::List || (mcNo == m_link->selectedMcNo() && what & kShown))
                    refreshSoon();
            });
    connect(m_status, &LineStatus::portChanged, this, &frmKX5_Main::showStatus);
    connect(m_status, &LineStatus::messageChanged, this, &frmKX5_Main::showStatus);
    showStatus();
    connect(m_lineTexts, &LineTexts::captionsChanged, this, &frmKX5_Main::showCaptions);
    connect(m_link, &KX5Link::activityChanged, this, &frmKX5_Main::showLinkLamps);
    connect(m_stations, &StationPanel::stationClicked, this,
            [this](int idx) { sprdStatus_Click(StatusCol::MC_No, idx + 1); });
    connect(m_link, &KX5Link::nobodyAnswered, m_commands, &MainCommands::offerScan);
    connect(m_link, &KX5Link::commandChanged, this, &frmKX5_Main::updateCommandStates);
    // The open map says how its read-all and its dialogs' writes ended.
    connect(m_link, &KX5Link::requestEnded, this,
            [this](const Request& r, RequestOutcome outcome, EndCause cause) {
                if (m_openMap)
                    m_openMap->onRequestEnded(r, outcome,
                                              LinkWords::ended(r, outcome, cause).shown);
            });

    // Start-up: data-save settings, port settings, options, stations, closed-port state.
    applyDataSaveSettings(settings.dataSave);
    m_link->setPortSettings(settings.port);
    applyLinkOptions(settings.link);
    afterPortSettings();
    m_link->setStations(settings.stations);
    showSettingsNotes(settings.notes); // settings files that could not be used
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
    if (!shown.isEmpty()) sayInStatusBar(shown.join(QStringLiteral("  ")));
}

frmKX5_Main::~frmKX5_Main() {
    tmrRefresh.stop();
    tmrDispGraph.stop();
    // The link goes on without a window to show it.
    m_link->setHost(nullptr);
}

// ---------------- layout ----------------

void frmKX5_Main::buildUi() {
    m_commands = new MainCommands(this);
    connect(m_commands, &MainCommands::commandTriggered, this, &frmKX5_Main::runCommand);
    connect(m_commands, &MainCommands::scanTriggered, this, [this] {
        m_scanRequested = true;
        runCommand(0);
        m_scanRequested = false;
    });
    connect(m_commands, &MainCommands::publishingTriggered, this, &frmKX5_Main::runPublishing);
    connect(m_commands, &MainCommands::statisticsTriggered, this, &frmKX5_Main::showLineStatistics);
    connect(m_commands, &MainCommands::alarmsTriggered, this, &frmKX5_Main::showAlarmList);
    connect(m_commands, &MainCommands::multiTrendTriggered, this, &frmKX5_Main::showMultiTrend);

    auto* central = new QWidget;
    auto* outer = new QVBoxLayout(central);
    outer->setContentsMargins(4, 4, 4, 4);
    outer->addWidget(m_commands->buildCommandBar());

    // The user moves both splits: the stations, the selected station's display and the trend
    // side by side, against the monitor table. Side by side, the trend has the whole height
    // there is: under the display it was a strip on a small screen.
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
    middleLay->addStretch(1);
    m_trend = new TrendPanel;
    connect(m_trend, &TrendPanel::intervalConfirmed, this,
            [this](int ms) { tmrDispGraph.setInterval(ms); });
    // The graph's switch under the display, beside the chart, which keeps the whole height.
    middleLay->addWidget(m_trend->controls());
    top->addWidget(middle);
    top->addWidget(m_trend);
    top->setStretchFactor(0, 0);
    top->setStretchFactor(1, 0);
    top->setStretchFactor(2, 1);
    top->setChildrenCollapsible(false);
    split->addWidget(top);

    m_tables = new MainTables(m_link, m_events, m_recorder);
    connect(m_tables, &MainTables::recordOptionsEdited, this, &frmKX5_Main::keepRecordOptions);
    auto* tabs = m_tables;
    split->addWidget(tabs);
    // The monitor table keeps its rows when the window grows; the chart takes the rest.
    split->setStretchFactor(0, 1);
    split->setStretchFactor(1, 0);
    split->setChildrenCollapsible(false);
    outer->addWidget(split, 1);
    setCentralWidget(central);

    m_saving =
        new DataSaveSwitch(m_logger, m_stations->saveButton(), m_commands->saveAction(), this);
    m_statusBar = new MainStatusBar(m_saving->panel());
    setStatusBar(m_statusBar);
    if (m_alarms) {
        connect(m_alarms, &AlarmBook::changed, this,
                [this] { m_statusBar->showAlarms(m_alarms->unacknowledged()); });
        connect(m_alarms, &AlarmBook::raised, this, [this] {
            if (m_alarms->sound()) QApplication::beep();
        });
        m_statusBar->showAlarms(m_alarms->unacknowledged());
        connect(m_statusBar, &MainStatusBar::alarmsClicked, this, &frmKX5_Main::showAlarmList);
    }
    resize(1400, 820); // made to fit a smaller screen when shown, see showEvent

    const auto mirror = [this](QAction* a, QPushButton* b) {
        connect(a, &QAction::triggered, b, &QAbstractButton::click);
        connect(b, &QAbstractButton::clicked, this, &frmKX5_Main::showSwitchActions);
    };
    mirror(m_commands->graphAction(), m_trend->startButton());
    connect(m_commands->onlineMenu(), &QMenu::aboutToShow, this, &frmKX5_Main::showSwitchActions);
    showSwitchActions();
}

void frmKX5_Main::showEvent(QShowEvent* e) {
    QMainWindow::showEvent(e);
    // Fitted to a small screen (a 1024x600 laptop, large fonts): three rows of the monitor
    // table and the stations without their descriptions; the trend has the rest. Once per
    // screen, so a split the user moved stays.
    QScreen* screen = this->screen();
    if (!screen || screen == m_splitsScreen) return;
    m_splitsScreen = screen;
    const QSize free = size();
    auto* split = findChild<QSplitter*>(QStringLiteral("splitTables"));
    auto* top = findChild<QSplitter*>(QStringLiteral("splitStations"));
    const int rows = free.height() < 700 ? 3 : MainTables::kShownRows;
    // The stretching side takes what is over whatever the split's size is now.
    split->setSizes({4000, m_tables->preferredHeight(rows)});
    const int stations = free.width() < 1200 ? m_stations->minimumSizeHint().width()
                                             : m_stations->sizeHint().width();
    const int middle = top->widget(1)->sizeHint().width();
    top->setSizes({stations, middle, 4000});
}

void frmKX5_Main::showSwitchActions() {
    // The buttons' captions, with letters of the menu's own.
    m_saving->show();
    m_commands->graphAction()->setText(m_trend->stopOffered() ? tr("Stop &Graph")
                                                              : tr("Start &Graph"));
}

// ---------------- what the link shows ----------------

void frmKX5_Main::showCaptions() {
    m_commands->showPortCaptions(m_lineTexts->portMenuCaption(), m_lineTexts->portButtonCaption());
}

void frmKX5_Main::showLinkLamps() {
    m_statusBar->showLamps(m_link->sending(), m_link->receiving());
}

void frmKX5_Main::showPublishing() {
    m_statusBar->showPublishing(m_publisher->statusText());
}

void frmKX5_Main::runPublishing() {
    if (!m_publishAction) {
        sayInStatusBar(tr("Publishing: not available yet"));
        return;
    }
    const SettingsSaid before = settingsSaid();
    if (m_publishAction(this)) logSettingsChanges(m_events, before, settingsSaid());
}

SettingsSaid frmKX5_Main::settingsSaid() const {
    return ::settingsSaid(m_link->portSettings(), m_linkOptions, m_link->line().stations(),
                          m_logger->settings(), m_publisher->options());
}

void frmKX5_Main::showSelectedMcNo(const QString& mcNo) {
    m_stations->showSelectedMcNo(mcNo);
    refreshSoon(); // another station's values
    const LineModel::Station* s = m_link->line().station(mcNo.toInt());
    chart()->setTitle(s ? StationTableModel::stationTitle(s->mcNo, s->name) : QString());
}

// ---------------- commands ----------------

bool frmKX5_Main::commandAvailable(int index) const {
    if (index < 0 || index >= MainCommands::kCommands) return false;
    // The port command and the two online windows' commands exist from the start.
    if (index == 3 || index == 4 || index == 5) return true;
    return static_cast<bool>(m_actions[static_cast<size_t>(index)]);
}

void frmKX5_Main::setCommandAction(int index, CommandAction action) {
    if (index < 0 || index >= MainCommands::kCommands || index == 3) return;
    m_actions[static_cast<size_t>(index)] = std::move(action);
    updateCommandStates();
}

void frmKX5_Main::updateCommandStates() {
    for (int i = 0; i < MainCommands::kCommands; ++i) {
        bool allowed = true;
        // The port and the stations change only while the port is closed, sweep included.
        if (i == 0 || i == 2) allowed = !m_online && !m_link->offersClose();
        if (i == 4 || i == 5) allowed = m_online;
        const bool on = allowed && commandAvailable(i);
        m_commands->setEnabled(i, on);
    }
}

void frmKX5_Main::runCommand(int index) {
    if (index < 0 || index >= MainCommands::kCommands || !m_commands->button(index)->isEnabled())
        return;
    if (index == 3) {
        // Closing ends polling and saving: asked, whether by button, menu or Ctrl+O, so that a
        // key pressed twice by habit never stops an unattended run.
        if (m_online && MsgBox(this, tr("Port Close"), tr("Close the port?"),
                               QMessageBox::Yes | QMessageBox::No, QMessageBox::Question,
                               tr("Polling stops, and no data is saved until the port is "
                                  "opened again.")) != QMessageBox::Yes)
            return;
        m_link->mSetPortOpen_Click();
        return;
    }
    const CommandAction& action = m_actions[static_cast<size_t>(index)];
    if (!action) {
        sayInStatusBar(tr("%1: not available yet").arg(MainCommands::caption(index)));
        return;
    }
    const SettingsSaid before = settingsSaid();
    if (!action(this)) return;
    logSettingsChanges(m_events, before, settingsSaid());
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
    if (m_openMap) m_openMap->tmrRefresh.start();
}

void frmKX5_Main::setOpenMap(frmKX5_Parameter* map) {
    m_openMap = map;
}

frmKX5_Parameter* frmKX5_Main::openMap() const {
    return m_openMap;
}

void frmKX5_Main::showLineStatistics() {
    // One window, kept open beside the main window while the line runs.
    if (!m_stats) {
        m_stats = new LineStatisticsDialog(m_link, this);
        m_stats->setGatewayCounters(m_gatewayCounts);
        m_stats->setAttribute(Qt::WA_DeleteOnClose);
    }
    m_stats->show();
    m_stats->raise();
}

void frmKX5_Main::showAlarmList() {
    if (!m_alarms) return;
    if (!m_alarmList) {
        m_alarmList = new AlarmListDialog(m_alarms, m_link->line(), this);
        m_alarmList->setAttribute(Qt::WA_DeleteOnClose);
    }
    m_alarmList->show();
    m_alarmList->raise();
}

void frmKX5_Main::showMultiTrend() {
    if (!m_multiTrend) {
        m_multiTrend = new MultiTrendWindow(m_link->line(), this);
        m_multiTrend->clock = [this] { return clock(); };
        // The main trend's interval, now and when the user changes it.
        m_multiTrend->setInterval(tmrDispGraph.interval());
        connect(m_trend, &TrendPanel::intervalConfirmed, m_multiTrend,
                [this](int ms) { m_multiTrend->setInterval(ms); });
    }
    m_multiTrend->show();
    m_multiTrend->raise();
}

void frmKX5_Main::sayInStatusBar(const QString& shown) {
    m_status->say(StatusMessage::Source::Window, FileNotice{shown, shown});
}

// The five panels, worded from the status model's entries.
void frmKX5_Main::showStatus() {
    const PortSettings& s = m_status->port();
    const std::optional<bool> open = m_status->open();
    m_statusBar->showPanel(1, s.port);
    m_statusBar->showPanel(2, s.commText());
    m_statusBar->showPanel(3, open ? LinkWords::portState(*open) : QString());
    m_statusBar->showPanel(4, LinkWords::shown(m_status->message()));
    m_statusBar->showPanel(5, s.text(PortSettings::kProtocol));
}

void frmKX5_Main::showStartNote(const QString& note) {
    sayInStatusBar(note);
    // While the stations are checked the panel says so; the note comes back after.
    if (m_link->phase() == KX5Link::Phase::Sweeping) m_startNote = note;
}

void frmKX5_Main::afterPortSettings() {
    m_status->setPort(m_link->portSettings());
}

void frmKX5_Main::afterStationSettings() {
    const int mcNo = m_link->selectedMcNo();
    showSelectedMcNo(mcNo > 0 ? QString::number(mcNo) : QString());
}

void frmKX5_Main::applyDataSaveSettings(const DataSaveSettings& settings) {
    // Saving no longer allowed ends the saving that runs, its stop told under the old files;
    // allowing it again later waits for the user's Start Save.
    if (!settings.enabled) m_logger->setRunning(false);
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
    m_saving->setPortOpen(open);
    updateCommandStates();
    m_single->setVisible(open);
    if (open) {
        m_trend->goOnline();
        if (m_graphAtOnline) m_trend->startGraph();
        tmrRefresh.start();
        // The link clears panel 4 as the check of the stations ends, right after this.
        if (!m_startNote.isEmpty())
            QTimer::singleShot(0, this, [this, note = std::exchange(m_startNote, {})] {
                if (m_status->message().isEmpty()) sayInStatusBar(note);
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
               QMessageBox::Question,
               tr("The port closes: polling, data saving and publishing stop.")) !=
        QMessageBox::Yes) {
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

void frmKX5_Main::refreshSoon() {
    if (m_online && !tmrRefresh.isActive()) tmrRefresh.start();
}

void frmKX5_Main::tmrRefresh_Timer() {
    tmrRefresh.stop();
    // Only what the selected station sent: blank until its first reply, grey once not current.
    const StationValues* v = selectedValues();
    m_single->showReading(v ? decode(*v) : Reading{});
    m_single->showRecorder();
    m_trend->showFreshness(v);
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
