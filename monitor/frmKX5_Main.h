// The main window: commands, the station and monitor tables, the selected station's live
// values and lamps, the trend graph, the data log and the recorder keys. The link half
// (port, poll scheduler, the line model) lives in KX5Link; this window shows it and asks it for
// things only through requests (RequestSink) and its public commands.
#pragma once

#include "files/StartSettings.h"
#include "link/KX5Link.h"
#include "monitor/LineStatisticsDialog.h"
#include "monitor/MainCommands.h"
#include "monitor/SettingsEvents.h"
#include "services/LineParts.h"

#include <QDateTime>
#include <QMainWindow>
#include <QPointer>
#include <QTimer>
#include <array>
#include <functional>
#include <utility>

struct FileNotice;
class AlarmBook;
class AlarmListDialog;
class MultiTrendWindow;
class DataSaveSwitch;
class LineStatisticsDialog;
class LineStatus;
class LineTexts;
class MainStatusBar;
class MainTables;
class frmKX5_Parameter;
class SingleDisplay;
class StationPanel;
class TrendChart;
class TrendPanel;
class QScreen;

class frmKX5_Main : public QMainWindow, public LinkHost {
    Q_OBJECT
public:
    // Opens a settings window modally; true when the user confirmed it (OK saved and applied).
    using CommandAction = std::function<bool(QWidget* parent)>;

    // Shows and drives `parts`, which outlive the window. The settings are those loaded at
    // start; what was wrong with their files is said with the others'.
    frmKX5_Main(const LineParts& parts, const StartSettings& settings, QWidget* parent = nullptr);
    ~frmKX5_Main() override;

    KX5Link* link() const { return m_link; }
    EventLog* eventLog() const { return m_events; }
    DataLogger* dataLogger() const { return m_logger; }
    Publisher* publisher() const { return m_publisher; }
    // The parameter map while it is open: the link's read-all completions and request ends
    // reach it through the window. One at a time, as it is modal.
    void setOpenMap(frmKX5_Parameter* map);
    frmKX5_Parameter* openMap() const;
    // The "Publishing" window of the Setup menu; confirmed, it applies the new options.
    void setPublishingAction(CommandAction action) { m_publishAction = std::move(action); }
    void runPublishing();
    // Our own additions beside the ten commands.
    void showLineStatistics();
    // The running gateway's counts, for the Line Statistics.
    void setGatewayCounters(LineStatisticsDialog::GatewaySource source) {
        m_gatewayCounts = std::move(source);
    }
    void showAlarmList();
    // One window, made at its first opening; closing hides it and its points stay.
    void showMultiTrend();
    AlarmBook* alarms() const { return m_alarms; }
    // Start options: the trend graph starts whenever the port comes online, and note (what
    // was done at start) shows in panel 4 once the stations have been checked.
    void setGraphAtOnline(bool on) { m_graphAtOnline = on; }
    void showStartNote(const QString& note);
    TrendChart* chart() const;

    // ---- LinkHost ----
    void SetOnlineState(bool open) override;
    void showSelectedMcNo(const QString& mcNo) override;
    void paramReadComplete() override;

    // ---- commands: btnMenu i and its menu item both run runCommand(i) ----
    void runCommand(int index);
    // Wires a command to its window; a command without one stays disabled.
    void setCommandAction(int index, CommandAction action);
    // The stations command was started from "Scan Line...": its window opens with the scan.
    bool scanRequested() const { return m_scanRequested; }
    bool commandAvailable(int index) const;
    // Follow-ups once a settings window has been confirmed.
    void afterPortSettings();    // panels 1, 2 and 5 from the link's port settings
    void afterStationSettings(); // lblMC_No from the link's selected station
    // New data-save settings to the logger, the events and trace files and the "Data Save"
    // labels; saving that runs goes on.
    void applyDataSaveSettings(const DataSaveSettings& settings);
    // Pacing and reopening take effect from the next Port Open; recording at once.
    void applyLinkOptions(const LinkOptions& options);
    const LinkOptions& linkOptions() const { return m_linkOptions; }

    // ---- handlers (tests call them directly instead of waiting for timers) ----
    void sprdStatus_Click(int col, int row);
    void tmrRefresh_Timer();
    void tmrDispGraph_Timer();

    TrendPanel* trend() const { return m_trend; }
    TraceRecorder* traceRecorder() const { return m_recorder; }
    SingleDisplay* singleDisplay() const { return m_single; }
    StationPanel* stations() const { return m_stations; }

    QTimer tmrRefresh;   // 50 ms, once after the selected station changed, while the port is open
    QTimer tmrDispGraph; // graph sample and data-log check, 1 s by default

    // The PC clock; tests put their own here.
    std::function<QDateTime()> clock = [] { return QDateTime::currentDateTime(); };

protected:
    void closeEvent(QCloseEvent* e) override;
    void showEvent(QShowEvent* e) override;

private:
    void showSettingsNotes(const QList<FileNotice>& notes);
    void buildUi();
    void updateCommandStates();
    void showCaptions();
    void showLinkLamps();
    void showSwitchActions();
    void showPublishing();
    void showStatus();
    void sayInStatusBar(const QString& shown); // a message of the window's own
    // Each group of settings a window changes, worded for the events as they stand now.
    SettingsSaid settingsSaid() const;
    // The record switch or its limit changed in the trace tab: kept for the next run.
    void keepRecordOptions(bool on, int limitMB);
    // tmrRefresh runs once, soon: the selected station changed.
    void refreshSoon();
    // The selected station's stored values; null when none is selected.
    const StationValues* selectedValues() const;

    KX5Link* m_link;
    LineTexts* m_lineTexts = nullptr;
    EventLog* m_events;
    DataLogger* m_logger;
    TraceRecorder* m_recorder;
    Publisher* m_publisher;
    LinkOptions m_linkOptions;
    bool m_online = false;
    bool m_scanRequested = false;
    bool m_graphAtOnline = false;
    QString m_startNote; // shown once the port is online
    std::array<CommandAction, MainCommands::kCommands> m_actions;
    MainCommands* m_commands = nullptr;
    MainStatusBar* m_statusBar = nullptr;
    CommandAction m_publishAction;
    DataSaveSwitch* m_saving = nullptr;
    QPointer<LineStatisticsDialog> m_stats;
    LineStatisticsDialog::GatewaySource m_gatewayCounts;
    AlarmBook* m_alarms;
    LineStatus* m_status;
    QPointer<AlarmListDialog> m_alarmList;
    QPointer<MultiTrendWindow> m_multiTrend;
    QPointer<frmKX5_Parameter> m_openMap;
    StationPanel* m_stations = nullptr;
    SingleDisplay* m_single = nullptr;
    TrendPanel* m_trend = nullptr;
    MainTables* m_tables = nullptr;
    QScreen* m_splitsScreen = nullptr; // the screen the splits were last sized for
};
