// The link half of the main window: it owns the serial port, the poll scheduler's timers,
// the reply being assembled and the model of the line, and runs the exchange with the
// controllers.
// It reaches the window only through LinkHost, so it runs headless in tests.
#pragma once

#include "link/ControllerModel.h"
#include "link/LineModel.h"
#include "link/LinkNote.h"
#include "link/PortSettings.h"
#include "link/Reading.h"
#include "link/ReplyAssembler.h"
#include "link/Request.h"
#include "link/Schedule.h"
#include "link/SerialPort.h"
#include "link/TraceLog.h"

#include <QByteArray>
#include <QDateTime>
#include <QElapsedTimer>
#include <QObject>
#include <QTimer>
#include <array>
#include <deque>
#include <map>
#include <memory>
#include <optional>

// The link's timers, as the seam names them.
enum class LinkTimer {
    Send,      // tmrSend: the 50 ms send tick
    RecvErr,   // tmrRecvErr: the reply watchdog
    BallSend,  // tmrBall_Send: the send lamp, 250 ms
    BallRecv,  // tmrBall_Recv: the receive lamp, 250 ms
    Gather,    // the 100 ms gather at the start of a receive event
    Pause,     // the 2000 ms pause between the two halves of the input write
    Reopen,    // reopening a port that failed
    SweepAgain // the pause before an unattended line is swept again
};

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

class KX5Link : public QObject, public RequestSink {
    Q_OBJECT
public:
    using Phase = LinkPhase;
    Phase phase() const { return m_sched.phase; }
    // The step being worked (Steps.h) and the index of the station being polled.
    int sendStep() const { return m_sched.gSendStep; }
    int polledIdx() const { return m_sched.gMC_Idx; }

    // ---- requests ----
    // Takes the request into the queue, or says why not. Each source (r.source) has at most
    // one request waiting: a newer one from the same source replaces it (that one ends as
    // Replaced), and a windows' request also replaces a windows' parameter read between its
    // blocks. Sources take turns in rotation, and between two requests the poll gets a quarter
    // more of the line's time than the request before took (one monitor exchange at least), so
    // no source can starve the poll or another source. An unconfirmed write, its read-back and the
    // second half of the input group are never overtaken.
    std::shared_ptr<LinkReply> submit(const Request& r);
    RequestReply request(const Request& r) override;
    // Takes a request that is still waiting out of the queue (its reply ends as Dropped,
    // silently); false when it is already on the line or ended.
    bool withdraw(const std::shared_ptr<LinkReply>& reply);
    int selectedMcNo() const override;
    // Selects station index idx (a connected one) and reads its parameters.
    bool selectStation(int idx);
    // Requests waiting for their turn, and the first of them.
    int waitingRequests() const { return static_cast<int>(m_turns.queue.size()); }
    std::optional<Request> pendingRequest() const {
        return m_turns.queue.empty() ? std::nullopt
                                     : std::optional<Request>(m_turns.queue.front().r);
    }
    // Monitor exchanges the poll is still owed before the next request goes out.
    int pollOwed() const { return m_turns.pollOwed; }
    // The source of the link's own background reads of the parameter images.
    static constexpr int kBackgroundSource = -1;
    // Every answering station's parameter image read in the background, a block at a time in
    // the poll's turns and never ahead of a request (off unless someone serves the images).
    void setBackgroundReads(bool on) { m_turns.backgroundReads = on; }
    // How long a monitor reading counts as current: three poll rounds with the poll at its
    // fair share (half the line), never under 2 s.
    int currentForMs() const;

    static constexpr int kPauseAfter105Ms = 2000;
    static constexpr int kGatherMs = 100;
    static constexpr int kSendTickMs = 50;
    static constexpr int kReplyWaitMs = 500;
    // A requested read or write is given up after this many reply waits ran out.
    static constexpr int kGiveUpAfter = 3;

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
    void setAutoReopen(bool on) { m_unattended.autoReopen = on; }
    bool autoReopen() const { return m_unattended.autoReopen; }
    bool reopening() const { return m_sched.phase == Phase::Reopening; }
    // Opens the port for a run nobody watches (started with --open, or after a reopen): an open
    // that fails is tried again as a lost port is, and a sweep that hears nobody is repeated
    // after a pause that grows to kSweepPauseMaxMs, until a station answers or the user closes.
    void openUnattended();
    static constexpr int kSweepPauseMaxMs = 10000;
    // "9600 8N1 STD": the settings the port was last opened with, in the words a hint gives them.
    QString lineSettingsText() const { return m_wire.onLine.lineText(); }
    const LineStats& lineStats() const { return m_line.stats(); }
    void resetLineStats() { m_line.resetStats(); }

    // ---- the line and its settings ----
    LineModel& line() { return m_line; }
    const LineModel& line() const { return m_line; }
    // The port and its line settings: taken at the next open (at once while the port is closed);
    // an open port keeps the rate and frame format it was opened with.
    void setPortSettings(const PortSettings& s);
    const PortSettings& portSettings() const { return m_wire.settings; }
    // The stations in use; the selection follows (KeepSelectedStation).
    void setStations(const StationList& list);

    void setFastPacing(bool on) {
        m_wire.fast = on;
        updateCurrentFor();
    }
    bool fastPacing() const { return m_wire.fast; }

    // ---- time on the wire ----
    // One character's wire time in ms at the rate and format the port runs with.
    double charMs() const { return m_wire.charMs; }
    // The quiet gap before a request (fast pacing), in whole ms; the tick waits out the rest.
    int quietGapMs() const;
    // How long a request may go unanswered, from the moment it was handed to the port: its own
    // wire time, the station's time to answer (500 ms in the standard pacing, a short
    // allowance in the fast one), the reply's wire time, and in the standard pacing the gather.
    int replyWaitMs(int requestBytes, int replyBytes) const;

    // Takes the port for the link's whole life; the port starts closed.
    explicit KX5Link(std::unique_ptr<SerialPort> port, QObject* parent = nullptr);
    ~KX5Link() override;

    void setHost(LinkHost* host) { m_host = host; }
    SerialPort* port() const { return m_port.get(); }

    TraceLog sprdCommD; // communication trace

    // ---- time: the one seam tests drive it through ----
    // Does now what the timer's expiry does (its handler below); whether it runs, its
    // interval, and stopping it.
    void fire(LinkTimer t);
    bool running(LinkTimer t) const;
    int interval(LinkTimer t) const;
    void stop(LinkTimer t);

    // ---- selection ----
    // The station selected for parameter work (0: none yet), its index in the station tables,
    // and whether any station has answered with a KX5 model since the program started.
    int selectedIdx() const { return gMC_SelIdx; }
    bool linkUp() const { return gLinkUp; }
    // After the station list changed: the selection stays when its station is still in use,
    // else moves to the first station in use; nothing selected yet stays so.
    void KeepSelectedStation();

    // A station that did not answer the model sweep is asked again once in this many
    // exchanges, so a controller switched on later joins the poll.
    static constexpr int kRediscoverEvery = 10;
    // MC No the outstanding request went to; 0 while none is outstanding.
    int expectedMcNo() const { return m_out ? m_out->mcNo : 0; }

    // ---- what the link reports for the window to show ----
    // The port command would close the port (it is open, or being opened or reopened).
    bool offersClose() const { return m_said.offersClose; }
    // A request went out, a reply came in, within the lamps' last 250 ms.
    bool sending() const { return m_said.sending; }
    bool receiving() const { return m_said.receiving; }
    // The last thing the link had to say about the line.
    const LinkNote& lastNote() const { return m_said.note; }
    bool gathering() const { return m_timers.tmrGather.isActive(); }

    // ---- commands and handlers ----
    void mSetPortOpen_Click(); // the open/close command (menu item and button 3)
    void OpenPort();
    void ClosePort();
    void MSComm1_OnComm(); // the port has reached its receive threshold

    // The typed image of station index idx; null for an index outside the station tables.
    const StationValues* values(int idx) const { return m_line.values(idx); }
    // The station table's Conn-State of station index idx.
    ConnState connState(int idx) const { return m_line.connState(idx); }
    // Register reg of the selected station's parameter image; nothing before it is read.
    std::optional<int> paramValue(int reg) const;
    // Every register of station mcNo's last read of all four blocks (or of the blocks a
    // write's read-back has read since); null when none has been read.
    const std::map<int, int>* paramImage(int mcNo) const;
    // Station mcNo's model as its last answer to the model query gave it.
    ControllerModel model(int mcNo) const;
    bool isFresh(int idx) const { return m_line.isFresh(idx); }

    int NextStationIdx() const;
    int FindConnectedStation(int start) const;
    // A read reply's values, decoded once as the frame is checked, go into the model from
    // here; the frame form decodes a reply for tests that store one as from the line.
    void StoreMonitorReply(int idx, const std::vector<int>& values);
    void StoreMonitorReply(int idx, const QByteArray& frame);
    // A read-all block's reply into station mcNo's parameter image.
    void StoreParamReply(int mcNo, int block, const std::vector<int>& values);
    // Registers 501 to 506 of a block-3 reply into station index idx's values.
    void StoreRecorderKeys(int idx, const std::vector<int>& values);

signals:
    // A request taken by request() has ended; cause says what befell one that is not Done.
    void requestEnded(const Request& r, RequestOutcome outcome, EndCause cause);
    // The input group's 610 and 611 are confirmed; 612 to 619 follow after the pause.
    void inputPauseStarted(const Request& r);
    // All four parameter blocks of station mcNo were read, on request or after a write; its
    // paramImage holds them.
    void paramsRead(int mcNo);
    // A station that missed the model sweep answered later and joins the poll.
    void stationFound(int mcNo, const QString& model);
    // The port failed while open and is being reopened; it is back.
    void portLost(const PortFault& why);
    void portRestored();
    // The user opened the port (settings: "9600,N,8,1 STD"), or it could not be opened (why
    // set); the port closed.
    void portOpened(const QString& port, const QString& settings, const PortFault& why);
    void portClosed(const QString& port);
    // A whole sweep heard no station at these settings ("9600 8N1 STD"); the port closed
    // (retryMs 0) or the sweep runs again in retryMs.
    void nobodyAnswered(const QString& settings, int retryMs);
    // An exchange with station mcNo failed for good (its reply wait ran out) or the station
    // answered a model query as something other than a KX5.
    void stationFailed(int mcNo, LineFault why);
    // Station mcNo's reply to a read or write, or its KX5 model in the sweep, was accepted.
    void stationAnswered(int mcNo);
    // offersClose() changed.
    void commandChanged();
    // The port opened (true) or closed.
    void portStateChanged(bool open);
    // Something to say about the line (lastNote()); a Clear note takes back what was said.
    void noted(const LinkNote& note);
    // sending() or receiving() changed.
    void activityChanged();

private:
    // The timers' handlers (fire() calls them too).
    void tmrSend_Timer();
    void gather_Done(); // end of the 100 ms gather: read, trace, parse
    void tmrRecvErr_Timer();
    void tmrBall_Send_Timer();
    void tmrBall_Recv_Timer();
    void pause_Done(); // end of the pause after step 105
    void reopen_Timer();
    void sweepAgain_Timer();

    void offerClose(bool closes);
    void takeSettings();
    void note(LinkNote n);
    void note(LinkNote::Kind kind, const PortFault& fault = {}, int number = 0);
    // Every way the port goes down: timers off, port closed, the command and state of a
    // closed port, the window's commands of the closed state; `why` is said first, if given.
    void goOffline(const std::optional<LinkNote>& why);
    void readAndHandle();
    void handleBytes(const QByteArray& bytes);
    void handleFrame(const QByteArray& frame);
    void handleRefusal(const QByteArray& frame);
    // Whether frame is the outstanding request's answer; a read reply's values are decoded
    // into `values` on the way.
    bool answers(const QByteArray& frame, std::vector<int>* values) const;
    void onModelReply(const QByteArray& frame);
    void onReadReply(const QByteArray& frame, const std::vector<int>& values);
    void onWriteAck(const QByteArray& frame);
    void countUnmatched(const QByteArray& frame);
    void markStale(int idx);
    void takePending();
    void startJob(const Request& r, std::shared_ptr<LinkReply> reply);
    bool takeBackgroundRead();
    // The request being worked has ended: its reply finishes, the poll is owed its share.
    void finishJob(RequestOutcome outcome, EndCause cause = EndCause::None);
    // Says how a request ended: to the windows (unless it is the link's own) and to its reply.
    void tellEnded(const Request& r, const std::shared_ptr<LinkReply>& reply,
                   RequestOutcome outcome, EndCause cause);
    void pollExchangeDone();
    void backToMonitoring();
    void updateCurrentFor();
    // An exchange of `bytes` both ways: their wire time and the pacing's own pause.
    double exchangeMs(int bytes) const;
    bool rediscoveryDue() const;
    void sendRediscovery();
    void sendFrame(const QByteArray& frame, int step, int mcNo, int idx, int replyLen,
                   bool rediscovery);
    void giveUp(bool refused);
    void sweepUnheard();
    void endCurrent(RequestOutcome outcome, EndCause cause = EndCause::None);
    void dropRequests();
    bool writeUnconfirmed() const;
    bool endModelQuery(bool silent);
    void advanceMonitorPoll();
    void onPortFailed(const PortFault& why);
    void stopAll();
    void sendTimerOn();
    void startSweep();
    void sendTimerFired();
    void countReply(bool accepted, bool sumOK, bool hasOK);
    void setSending(bool on);
    void setReceiving(bool on);
    void clampIndices();
    int rowOf(int mcNo) const;

    std::unique_ptr<SerialPort> m_port;
    LinkHost* m_host = nullptr;
    // What the link reports for the window to show.
    struct Said {
        bool offersClose = false;
        bool sending = false, receiving = false;
        LinkNote note;
    } m_said;
    // The timers, and the moments the pacing and the response times count from.
    struct Timers {
        QTimer tmrSend;       // 50 ms
        QTimer tmrRecvErr;    // 500 ms
        QTimer tmrBall_Send;  // 250 ms
        QTimer tmrBall_Recv;  // 250 ms
        QTimer tmrGather;     // the 100 ms gather
        QTimer tmrPause;      // the 2000 ms pause in the input write
        QTimer tmrReopen;     // reopening a port that failed
        QTimer tmrSweepAgain; // the pause before an unattended line is swept again
        // Timer ticks that fell due during the gather run after it, as behind a blocking wait.
        bool sendDue = false, watchdogDue = false;
        QElapsedTimer sentAt;
        QElapsedTimer lastRead; // the fast pacing's quiet gap runs from here
        QTimer& of(LinkTimer t);
        const QTimer& of(LinkTimer t) const { return const_cast<Timers*>(this)->of(t); }
    } m_timers;
    // A run nobody watches: the port reopened, the line swept again.
    struct Unattended {
        bool autoReopen = false;
        int reopenAttempt = 0;
        bool keepTrying = false; // never give up on the line
        bool openedOnce = false; // the port was open since the last open asked for
        int sweepsUnheard = 0;
    } m_unattended;
    LineModel m_line;
    // The line settings and what follows from them.
    struct Wire {
        PortSettings settings; // as last set: taken at the next open
        PortSettings onLine;   // the ones the port was opened with
        int sumLen = 0;        // of onLine, asked on every frame
        double charMs = 0;     // of onLine
        int monitorBytes = 0;  // a monitor request and its reply, on onLine
        bool fast = false;     // fast pacing
    } m_wire;
    // The request on the line: what its answer must look like.
    struct Transaction {
        int step = 0;
        int mcNo = 0;
        int idx = 0;        // the station's index in the tables
        QByteArray command; // "WHO", "DRR", "DWR", echoed at offsets 3 to 5
        int replyLen = 0;   // exact length of the answer; 0: any (a model reply)
        bool rediscovery = false;
        // What the station sent instead of the answer, if anything: what a time-out reports.
        std::optional<LineFault> fault;
    };
    std::optional<Transaction> m_out;
    // Every decision of the send tick, the watchdog and the reply handlers starts from here.
    Schedule m_sched;
    int gMC_No = 0;       // the selected station, target of parameter work; 0 = none yet
    int gMC_SelIdx = 0;   // its index in the station tables
    bool gLinkUp = false; // a station answered with a KX5 model since the program started
    // The request being worked, from the tick that takes it until it and its read-back end.
    struct Job {
        std::optional<Request> current;
        std::shared_ptr<LinkReply> reply;
        bool confirmed = false;
        double ms = 0; // the line's time it took so far: the poll's share follows
    } m_job;
    // Requests waiting their turn, at most one per source, and whose turn is next.
    struct Waiting {
        Request r;
        std::shared_ptr<LinkReply> reply;
    };
    struct Turns {
        std::deque<Waiting> queue;
        int lastSource = -2;
        int pollOwed = 0;
        bool owedSoft = false; // owed after a background read: a request may go first
        bool backgroundReads = false;
        int sinceRediscovery = 0;
        int rediscoverIdx = -1;
    } m_turns;
    ReplyAssembler m_assembler;
};
