// The link half of the main window: it owns the serial port, the poll scheduler's timers,
// the reply being assembled and the value grids, and runs the exchange with the controllers.
// It reaches the window only through LinkHost, so it runs headless in tests.
#pragma once

#include "link/Grid.h"
#include "link/LineStats.h"
#include "link/ReplyAssembler.h"
#include "link/SerialPort.h"

#include <QByteArray>
#include <QElapsedTimer>
#include <QObject>
#include <QTimer>
#include <array>
#include <memory>

// What the link asks of the window it belongs to.
class LinkHost {
public:
    virtual ~LinkHost() = default;
    // Enables the commands of the open (true) or closed (false) port state.
    virtual void SetOnlineState(bool open) = 0;
    // lblMC_No: the station selected by the model sweep.
    virtual void showSelectedMcNo(const QString& mcNo) = 0;
    // All four parameter blocks are in; the parameter map refreshes when it is open.
    virtual void paramReadComplete() {}
};

class KX5Link : public QObject {
    Q_OBJECT
public:
    static constexpr int kPauseAfter105Ms = 2000;
    static constexpr int kGatherMs = 100;
    static constexpr int kSendTickMs = 50;
    static constexpr int kReplyWaitMs = 500;

    // ---- fast pacing (off by default: then the standard 100 ms gather and 50 ms tick hold) ----
    // A reply is handled the moment its frame is complete, and the next request follows a
    // quiet gap measured in character times instead of the next 50 ms tick.
    // 3.5 character times: the silence RS-485 masters leave between frames (as Modbus RTU
    // does), long enough for the controller's transceiver to release the line.
    static constexpr double kQuietGapChars = 3.5;
    // What a controller is allowed beyond the wire time before a reply counts as missing.
    static constexpr int kAnswerAllowanceMs = 100;
    // ---- unattended running ----
    // A port that fails while open is reopened every kReopenMs until it is back or the user
    // closes it; the model sweep then runs again.
    static constexpr int kReopenMs = 2000;
    void setAutoReopen(bool on) { m_autoReopen = on; }
    bool autoReopen() const { return m_autoReopen; }
    bool reopening() const { return tmrReopen.isActive(); }
    void reopen_Timer();
    const LineStats& lineStats() const { return m_stats; }
    void resetLineStats() { m_stats.clear(); }

    void setFastPacing(bool on) { m_fast = on; }
    bool fastPacing() const { return m_fast; }
    // The quiet gap before a request and the wait for a reply, in ms, at the port's baud rate.
    int quietGapMs() const;
    int replyWaitMs(int requestBytes, int replyBytes) const;

    // Points gComm, gTmrRecvErr and gCommGrid at this link's port, watchdog and trace grid
    // for its whole life, so the send routines always reach it.
    explicit KX5Link(std::unique_ptr<SerialPort> port, QObject* parent = nullptr);
    ~KX5Link() override;

    void setHost(LinkHost* host) { m_host = host; }
    SerialPort* port() const { return m_port.get(); }

    // ---- the value grids ----
    Grid sprdStatus;     // " MC No", "Model", "Conn-State"
    Grid sprdMonitoring; // 20 columns, row header = MC No
    Grid sprdMap;        // hidden parameter data grid, 14 columns x 38 rows
    Grid sprdCommD;      // communication trace

    // ---- timers (handlers below; tests call the handlers directly) ----
    QTimer tmrSend;      // 50 ms
    QTimer tmrRecvErr;   // 500 ms
    QTimer tmrBall_Send; // 250 ms
    QTimer tmrBall_Recv; // 250 ms
    QTimer tmrGather;    // the 100 ms gather at the start of a receive event
    QTimer tmrPause;     // the 2000 ms pause between the two halves of the input write
    QTimer tmrReopen;    // reopening a port that failed

    // Reply time-outs counted since the last third one.
    int mRecvErrCnt = 0;
    // MC No the outstanding request went to; 0 while none is outstanding.
    int expectedMcNo() const { return m_expectMcNo; }

    // ---- what the window shows for the link ----
    QString portMenuCaption() const { return m_menuCaption; }     // "Port &Open" / "Port &Close"
    QString portButtonCaption() const { return m_buttonCaption; } // "Port Open" / "Port Close"
    bool portCommandSaysClose() const { return m_menuCaption != QLatin1String("Port &Open"); }
    QString panel(int i) const; // status-bar panels 1 to 5
    void setPanel(int i, const QString& text);
    Bgr sendLamp() const { return m_sendLamp; }
    Bgr recvLamp() const { return m_recvLamp; }
    bool gathering() const { return tmrGather.isActive(); }
    bool pausing() const { return tmrPause.isActive(); }

    // ---- commands and handlers ----
    void mSetPortOpen_Click(); // the open/close command (menu item and button 3)
    void OpenPort();
    void ClosePort();
    void tmrSend_Timer();
    void MSComm1_OnComm(); // the port has reached its receive threshold
    void gather_Done();    // end of the 100 ms gather: read, trace, parse
    void tmrRecvErr_Timer();
    void tmrBall_Send_Timer();
    void tmrBall_Recv_Timer();
    void pause_Done(); // end of the pause after step 105

    int NextStationIdx() const;
    int FindConnectedStation(int start) const;
    void StoreMonitorReply(int idx, const QByteArray& frame);
    void StoreParamReply(int block, const QByteArray& frame);

    // Lays out the station and monitor tables' headers and the data grid's shape.
    void setupGrids();

signals:
    // The port failed while open and is being reopened; it is back.
    void portLost(const QString& cause);
    void portRestored();
    void captionsChanged();
    void panelChanged(int panel);
    void lampsChanged();

private:
    void setCaptions(bool open);
    // Every way the port goes down: timers off, port closed, captions and panels of a closed
    // port, the window's commands of the closed state. panel4 replaces panel 4 unless null.
    void goOffline(const QString& panel4);
    void readAndHandle();
    void handleBytes(const QByteArray& bytes);
    void handleFrame(const QByteArray& frame);
    void handleRefusal(const QByteArray& frame);
    void endModelQuery();
    void advanceMonitorPoll();
    void onPortFailed(const QString& cause);
    void stopAll();
    void sendTimerOn();
    void startSweep();
    void countReply(bool accepted, bool sumOK, bool hasOK);
    void setSendLamp(Bgr c);
    void setRecvLamp(Bgr c);
    void clampIndices();
    int rowOf(int mcNo) const;

    std::unique_ptr<SerialPort> m_port;
    LinkHost* m_host = nullptr;
    QString m_menuCaption = QStringLiteral("Port &Open");
    QString m_buttonCaption = QStringLiteral("Port Open");
    std::array<QString, 5> m_panels;
    Bgr m_sendLamp = kBlack, m_recvLamp = kBlack;
    // Timer ticks that fell due during the gather run after it, as behind a blocking wait.
    bool m_sendDue = false, m_watchdogDue = false;
    bool m_fast = false;
    bool m_autoReopen = false;
    int m_reopenAttempt = 0;
    LineStats m_stats;
    QElapsedTimer m_sentAt;
    // Station of a requested step and the re-read that follows it (gReqMcNo); 0 = the rule.
    int m_stepMcNo = 0;
    int m_expectMcNo = 0;
    ReplyAssembler m_assembler;
};
