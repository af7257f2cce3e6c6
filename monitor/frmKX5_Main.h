// The main window: commands, the station and monitor tables, the selected station's live
// values and lamps, the trend graph, the data log and the recorder keys. The link half
// (port, poll scheduler, value grids) lives in KX5Link; this window shows it and asks it for
// things only through requests (RequestSink) and its public commands.
#pragma once

#include "link/KX5Link.h"

#include <QDateTime>
#include <QMainWindow>
#include <QPointer>
#include <QTimer>
#include <array>
#include <functional>
#include <memory>

class DataLogger;
class EventLog;
class GridView;
class LineStatisticsDialog;
class Lamp;
class QAction;
class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class TrendChart;

class frmKX5_Main : public QMainWindow, public LinkHost {
    Q_OBJECT
public:
    static constexpr int kCommands = 10;
    // Opens a settings window modally; true when the user confirmed it (OK saved and applied).
    using CommandAction = std::function<bool(QWidget* parent)>;

    // Takes ownership of the port; without one the real serial port is used.
    explicit frmKX5_Main(SerialPort* port = nullptr, QWidget* parent = nullptr);
    ~frmKX5_Main() override;

    KX5Link* link() const { return m_link; }
    EventLog* eventLog() const { return m_events; }
    DataLogger* dataLogger() const { return m_logger.get(); }
    // Our own additions beside the ten commands.
    void showLineStatistics();
    void btnSaveTrace_Click();
    TrendChart* chart() const { return m_chart; }

    // ---- LinkHost ----
    void SetOnlineState(bool open) override;
    void showSelectedMcNo(const QString& mcNo) override;
    void paramReadComplete() override;

    // ---- commands: btnMenu i and its menu item both run runCommand(i) ----
    void runCommand(int index);
    // Wires a command to its window; a command without one stays disabled.
    void setCommandAction(int index, CommandAction action);
    bool commandAvailable(int index) const;
    // Follow-ups once a settings window has been confirmed.
    void afterPortSettings();     // panels 1, 2 and 5 from the port g-variables
    void afterStationSettings();  // lblMC_No from the link's selected station
    void afterDataSaveSettings(); // the "Data Save" labels and btnDSave_Start

    // ---- handlers (tests call them directly instead of waiting for timers) ----
    void sprdStatus_Click(int col, int row);
    void tmrRefresh_Timer();
    void tmrDispGraph_Timer();
    void btnStart_Click();
    void chb3D_Click();
    void chbScroll_Click();
    void txtGrpInterval_Change();
    void txtGrpInterval_Confirm();
    void btnDSave_Start_Click();
    void btnPrint_Click(int index);
    void lblSPD_Click();
    void txtSPD_Confirm(const QString& text);

    void ResetGraph();
    void SetupGraph();
    void AddGraphPoint();

    QTimer tmrRefresh;   // 50 ms, runs while the port is open
    QTimer tmrDispGraph; // graph sample and data-log check, 1 s by default

    int mGrpCount = 0;
    bool mGrpRun = false;

    // The PC clock; tests put their own here.
    std::function<QDateTime()> clock = [] { return QDateTime::currentDateTime(); };

protected:
    void closeEvent(QCloseEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    void buildUi();
    QWidget* buildCommandBar();
    QWidget* buildSingleDisplay();
    QWidget* buildChartBox();
    QWidget* buildStationColumn();
    void layoutMonitorTable();
    void layoutTrace();
    void updateCommandStates();
    void showPanel(int i);
    void showCaptions();
    void showLinkLamps();
    void setKeyColor(int index, Bgr color);
    // Hands the link a write of the selected station; says so when the link refuses it.
    void requestWrite(int reg, int value);

    KX5Link* m_link;
    bool m_online = false;
    // btnStart offers Stop. Going online stops the graph but leaves the button as it was, so
    // this is not mGrpRun.
    bool m_graphStopOffered = false;
    std::array<CommandAction, kCommands> m_actions;
    std::array<QPushButton*, kCommands> m_btnMenu{};
    std::array<QAction*, kCommands> m_menuAction{};
    std::array<QLabel*, 5> m_panel{};

    GridView* m_viewStatus = nullptr;
    GridView* m_viewMonitoring = nullptr;
    GridView* m_viewCommD = nullptr;
    GridView* m_viewEvents = nullptr;
    bool m_eventsAtEnd = true; // the event list showed its last row before the newest came
    EventLog* m_events = nullptr;
    std::unique_ptr<DataLogger> m_logger;
    QPointer<LineStatisticsDialog> m_stats;
    QWidget* m_picSingle = nullptr;
    QLabel* m_lblMC_No = nullptr;
    QLabel *m_lblPV = nullptr, *m_lblSV = nullptr, *m_lblMV = nullptr;
    std::array<QLabel*, 2> m_lblUnit{};
    std::array<Lamp*, 2> m_shpAL{}, m_shpSV{};
    Lamp *m_shpAT = nullptr, *m_shpOUT = nullptr;
    std::array<Lamp*, 5> m_shpERR{};
    Lamp *m_shpSend = nullptr, *m_shpRecv = nullptr;
    TrendChart* m_chart = nullptr;
    QPushButton* m_btnStart = nullptr;
    QCheckBox *m_chb3D = nullptr, *m_chbScroll = nullptr;
    QLineEdit* m_txtGrpInterval = nullptr;
    QPushButton* m_btnDSave_Start = nullptr;
    QLabel *m_lblDSave_Enable = nullptr, *m_lblDSave_Intv = nullptr, *m_lblDSave_Unit = nullptr;
    std::array<QPushButton*, 5> m_btnPrint{};
    QLabel* m_lblSPD = nullptr;
    QLineEdit* m_txtSPD = nullptr;
};
