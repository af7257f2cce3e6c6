#include "link/KX5Link.h"

#include "link/Cells.h"
#include "link/Frames.h"
#include "link/Steps.h"
#include "link/mdlKX5.h"

#include <cmath>

namespace {

const QStringList kMonitorHeaders = {"INP",   "UNIT",  "DP-P",   "NPV",    "NSV",    "NRSV",  "SSV",
                                     "MVOUT", "PIDNO", "ALMSTS", "ERRSTS", "MODSTS", "COMSTS"};

// A read reply carries value i at offsets 10 + 5(i-1) .. 13 + 5(i-1).
bool hasFields(const QByteArray& frame, int n) {
    return frame.size() >= 9 + 5 * n;
}

QByteArray field(const QByteArray& frame, int i) {
    return frame.mid(10 + 5 * (i - 1), 4);
}

// The address digits right after STX name the station that answered.
bool isFrom(const QByteArray& frame, int mcNo) {
    return frame.size() >= 3 && frame[0] == STX && frame[1] == '0' + mcNo / 10 % 10 &&
           frame[2] == '0' + mcNo % 10;
}

int count(const std::vector<int>& v) {
    return static_cast<int>(v.size());
}

// Bytes on the wire for a request and its reply: STX, address, command, fields, sum, CR LF.
std::pair<int, int> exchangeBytes(const StepRow& step, int n) {
    switch (step.kind) {
    case StepRow::Kind::Model:
        return {8 + gSumLen, 22 + gSumLen}; // the reply holds ",OK," and a 10-character model
    case StepRow::Kind::Read:
        return {11 + 5 * n + gSumLen, 11 + 5 * n + gSumLen};
    case StepRow::Kind::Write:
        return {11 + 10 * n + gSumLen, 11 + gSumLen};
    }
    return {0, 0};
}

} // namespace

KX5Link::KX5Link(std::unique_ptr<SerialPort> port, QObject* parent)
    : QObject(parent), m_port(std::move(port)) {
    m_port->setParent(nullptr);
    setupGrids();

    auto init = [this](QTimer& t, int ms, bool single, void (KX5Link::*handler)()) {
        t.setInterval(ms);
        t.setTimerType(Qt::PreciseTimer);
        t.setSingleShot(single);
        connect(&t, &QTimer::timeout, this, handler);
    };
    init(tmrSend, kSendTickMs, false, &KX5Link::tmrSend_Timer);
    init(tmrRecvErr, kReplyWaitMs, false, &KX5Link::tmrRecvErr_Timer);
    init(tmrBall_Send, 250, false, &KX5Link::tmrBall_Send_Timer);
    init(tmrBall_Recv, 250, false, &KX5Link::tmrBall_Recv_Timer);
    init(tmrGather, kGatherMs, true, &KX5Link::gather_Done);
    init(tmrPause, kPauseAfter105Ms, true, &KX5Link::pause_Done);
    init(tmrReopen, kReopenMs, false, &KX5Link::reopen_Timer);

    connect(m_port.get(), &SerialPort::received, this, &KX5Link::MSComm1_OnComm);
    connect(m_port.get(), &SerialPort::failed, this, &KX5Link::onPortFailed);

    gComm = m_port.get();
    gTmrRecvErr = &tmrRecvErr;
    gCommGrid = &sprdCommD;
}

KX5Link::~KX5Link() {
    if (gComm == m_port.get()) gComm = nullptr;
    if (gTmrRecvErr == &tmrRecvErr) gTmrRecvErr = nullptr;
    if (gCommGrid == &sprdCommD) gCommGrid = nullptr;
    if (m_port->isOpen()) m_port->close();
}

void KX5Link::setupGrids() {
    sprdStatus.setMaxCols(3);
    sprdStatus.setText(StatusCol::MC_No, 0, QStringLiteral(" MC No"));
    sprdStatus.setText(StatusCol::Model, 0, QStringLiteral("Model"));
    sprdStatus.setText(StatusCol::ConnState, 0, QStringLiteral("Conn-State"));
    sprdMonitoring.setMaxCols(MonitorCol::Count);
    for (int c = 0; c < kMonitorHeaders.size(); ++c)
        sprdMonitoring.setText(c + 1, 0, kMonitorHeaders[c]);
    sprdMap.setMaxCols(14);
    sprdMap.setMaxRows(38);
    sprdCommD.setMaxCols(kTraceCols);
    sprdCommD.setMaxRows(0);
}

QString KX5Link::panel(int i) const {
    return i >= 1 && i <= 5 ? m_panels[static_cast<size_t>(i - 1)] : QString();
}

void KX5Link::setPanel(int i, const QString& text) {
    if (i < 1 || i > 5 || m_panels[static_cast<size_t>(i - 1)] == text) return;
    m_panels[static_cast<size_t>(i - 1)] = text;
    emit panelChanged(i);
}

void KX5Link::setCaptions(bool open) {
    m_menuCaption = open ? QStringLiteral("Port &Close") : QStringLiteral("Port &Open");
    m_buttonCaption = open ? QStringLiteral("Port Close") : QStringLiteral("Port Open");
    emit captionsChanged();
}

void KX5Link::setSendLamp(Bgr c) {
    if (m_sendLamp == c) return;
    m_sendLamp = c;
    emit lampsChanged();
}

void KX5Link::setRecvLamp(Bgr c) {
    if (m_recvLamp == c) return;
    m_recvLamp = c;
    emit lampsChanged();
}

void KX5Link::stopAll() {
    tmrSend.stop();
    tmrRecvErr.stop();
    tmrGather.stop();
    tmrPause.stop();
    tmrReopen.stop();
    m_sendDue = m_watchdogDue = false;
    m_expectMcNo = 0;
}

int KX5Link::quietGapMs() const {
    const int baud = qMax(gBaud.toInt(), 300);
    return qMax(1, static_cast<int>(std::ceil(kQuietGapChars * 10 * 1000.0 / baud)));
}

int KX5Link::replyWaitMs(int requestBytes, int replyBytes) const {
    const int baud = qMax(gBaud.toInt(), 300);
    const double wireMs = (requestBytes + replyBytes) * 10 * 1000.0 / baud;
    return static_cast<int>(std::ceil(wireMs)) + kAnswerAllowanceMs;
}

void KX5Link::sendTimerOn() {
    if (gSendStep > 0 && !pausing()) tmrSend.start();
}

// ---------------- port control ----------------

void KX5Link::mSetPortOpen_Click() {
    if (reopening()) { // the user gives up on the lost port
        goOffline(QString(""));
        return;
    }
    if (portCommandSaysClose()) {
        gPortCloseReq = true;
        // Before any controller answered there is no exchange worth finishing: close now.
        if (!gLinkUp) goOffline(QString(""));
        return;
    }
    if (gMC_Last < 0) {
        setPanel(4, QStringLiteral("No MC in use: choose the stations in Use MC Setting"));
        return;
    }
    setPanel(4, QStringLiteral("Checking ... (Connect status)"));
    setCaptions(true);
    sprdCommD.setMaxRows(0);
    gPortCloseReq = false;
    sprdStatus.clearRange(StatusCol::ConnState, 1, StatusCol::ConnState, sprdStatus.maxRows());
    OpenPort();
    if (!m_port->isOpen()) {
        // OpenPort has put the cause into panel 4; the command offers opening again.
        setCaptions(false);
        stopAll();
        return;
    }
    startSweep();
}

void KX5Link::startSweep() {
    gMC_No = 0;
    gMC_Idx = 0;
    gMC_NextIdx = 0;
    // A request left from an earlier session must not pre-empt the model sweep.
    gReqStep = 0;
    gReqMcNo = 0;
    m_stepMcNo = 0;
    gSendStep = kStepModel;
    // The baud rate and the pacing hold for as long as the port stays open.
    tmrSend.setInterval(m_fast ? quietGapMs() : kSendTickMs);
    tmrRecvErr.setInterval(kReplyWaitMs);
    tmrSend.start();
}

void KX5Link::OpenPort() {
    m_port->setPortName(gPort);
    m_port->setSettings(commSettingsTextOf(gBaud, gParity, gDataBit, gStopBit));
    if (!m_port->isOpen() && !m_port->open()) {
        setPanel(4, QStringLiteral("Cannot open %1: %2").arg(gPort, m_port->errorString()));
        return;
    }
    setPanel(3, QStringLiteral("OPEN"));
    setCaptions(true);
}

void KX5Link::ClosePort() {
    stopAll();
    if (m_port->isOpen()) {
        m_port->flushInput();
        m_port->close();
    }
    if (!m_port->isOpen()) {
        setPanel(3, QStringLiteral("CLOSE"));
        setCaptions(false);
    }
}

void KX5Link::goOffline(const QString& panel4) {
    ClosePort();
    setCaptions(false);
    setPanel(3, QStringLiteral("CLOSE"));
    if (m_host) m_host->SetOnlineState(false);
    if (!panel4.isNull()) setPanel(4, panel4);
}

void KX5Link::onPortFailed(const QString& cause) {
    if (!m_port->isOpen() && !portCommandSaysClose()) return;
    // A port that failed is closed without a flush: flushing it fails again.
    m_port->close();
    if (!m_autoReopen || gPortCloseReq) {
        goOffline(QStringLiteral("Port %1 closed: %2").arg(gPort, cause));
        return;
    }
    // Keep the port command at "close", so the user can end the retries; every station is
    // unheard until the line is back, so nothing stale is logged meanwhile.
    stopAll();
    setPanel(3, QStringLiteral("CLOSE"));
    for (int r = 1; r <= sprdStatus.maxRows(); ++r) {
        sprdStatus.setText(StatusCol::ConnState, r, QStringLiteral("NG"));
        sprdStatus.setBackColor(StatusCol::ConnState, r, kBlack);
    }
    m_reopenAttempt = 0;
    setPanel(4, QStringLiteral("Port %1 lost: reopening").arg(gPort));
    tmrReopen.start();
    emit portLost(cause);
}

void KX5Link::reopen_Timer() {
    ++m_reopenAttempt;
    OpenPort();
    if (!m_port->isOpen()) {
        setPanel(
            4,
            QStringLiteral("Port %1 lost: reopening (attempt %2)").arg(gPort).arg(m_reopenAttempt));
        return;
    }
    tmrReopen.stop();
    setPanel(4, QStringLiteral("Checking ... (Connect status)"));
    sprdStatus.clearRange(StatusCol::ConnState, 1, StatusCol::ConnState, sprdStatus.maxRows());
    emit portRestored();
    startSweep();
}

// ---------------- station indices ----------------

int KX5Link::NextStationIdx() const {
    const int next = gMC_Idx + 1;
    return next > gMC_Last ? 0 : next;
}

int KX5Link::FindConnectedStation(int start) const {
    if (start > gMC_Last || start < 0) start = 0;
    for (int i = start; i <= gMC_Last && i < count(gMC_List) && i < int(gMC_OK.size()); ++i)
        if (gMC_OK[static_cast<size_t>(i)]) return i;
    return -1;
}

int KX5Link::rowOf(int mcNo) const {
    // The row of the station a request went to; the polled one's when none is known.
    for (int i = 0; i <= gMC_Last && i < count(gMC_List); ++i)
        if (gMC_List[static_cast<size_t>(i)] == mcNo) return i + 1;
    return gMC_Idx + 1;
}

void KX5Link::clampIndices() {
    if (gMC_Idx < 0 || gMC_Idx > gMC_Last) gMC_Idx = 0;
    if (gMC_NextIdx < 0 || gMC_NextIdx > gMC_Last) gMC_NextIdx = 0;
    if (gMC_SelIdx < 0 || gMC_SelIdx > gMC_Last) gMC_SelIdx = 0;
}

void KX5Link::advanceMonitorPoll() {
    int next = FindConnectedStation(gMC_Idx + 1);
    if (next < 0) next = FindConnectedStation(0);
    gMC_Idx = next < 0 ? 0 : next;
}

// ---------------- send tick ----------------

void KX5Link::tmrSend_Timer() {
    if (gathering()) {
        m_sendDue = true;
        tmrSend.stop();
        return;
    }
    tmrSend.stop();
    if (gPortCloseReq) {
        goOffline(QString(""));
        return;
    }
    if (gMC_NextIdx > 0) {
        gMC_Idx = gMC_NextIdx;
        gMC_NextIdx = 0;
    }
    clampIndices();
    if (gMC_Last < 0 || gMC_List.empty()) return; // nothing to poll
    const int polled = gMC_List[static_cast<size_t>(gMC_Idx)];
    m_assembler.reset();
    if (gReqStep > 0) {
        gSendStep = gReqStep;
        gReqStep = 0;
        m_stepMcNo = gReqMcNo;
        gReqMcNo = 0;
    }
    setSendLamp(kRed);
    tmrBall_Send.start();

    const StepRow* step = findStep(gSendStep);
    if (!step) return; // a step without a request sends nothing
    int target = step->target == StepRow::Target::Polled ? polled : gMC_No;
    if (m_stepMcNo > 0) target = m_stepMcNo;
    if (m_fast && !tmrRecvErr.isActive()) {
        // A silent station costs little at high baud rates, never less than an answer needs.
        const int n = step->regs.empty() ? step->count : count(step->regs);
        const auto [req, reply] = exchangeBytes(*step, n);
        tmrRecvErr.setInterval(replyWaitMs(req, reply));
    }

    switch (step->kind) {
    case StepRow::Kind::Model:
        SendModelReq(target);
        break;
    case StepRow::Kind::Read:
        gRegNo = step->regs;
        SendReadReq(target, count(gRegNo), gRegNo);
        break;
    case StepRow::Kind::Write: {
        if (!step->regs.empty()) gRegNo = step->regs;
        const int n = step->regs.empty() ? step->count : count(step->regs);
        const std::vector<int>& vals =
            step->values == StepRow::Values::RegVal2 ? gRegVal2 : gRegVal;
        if (count(gRegNo) < n || count(vals) < n) {
            // A write whose values are missing would put zeros into the controller: drop it.
            setPanel(4, QStringLiteral("Write request %1 incomplete: not sent").arg(gSendStep));
            gSendStep = kStepReadAll1;
            m_stepMcNo = 0;
            tmrSend.start();
            return;
        }
        const std::vector<int> regs(gRegNo.begin(), gRegNo.begin() + n);
        SendWriteReq(target, n, regs, vals);
        break;
    }
    }
    // The request is outstanding only once it has really gone out.
    m_expectMcNo = m_port->isOpen() ? target : 0;
    if (m_expectMcNo > 0) {
        ++m_stats[target].requests;
        m_sentAt.start();
    }
}

// ---------------- receive ----------------

void KX5Link::MSComm1_OnComm() {
    if (!m_port->isOpen()) {
        m_port->flushInput();
        return;
    }
    setRecvLamp(kGreen);
    tmrBall_Recv.start();
    if (m_fast) { // every byte as it comes: a frame is handled the moment it is complete
        readAndHandle();
        return;
    }
    // Let the rest of the reply come in; the window keeps painting meanwhile.
    if (!tmrGather.isActive()) tmrGather.start();
}

// Everything waiting is read and traced; a close the user asked for is done instead of parsing.
void KX5Link::readAndHandle() {
    const QByteArray bytes = m_port->readAll();
    CommTrace(&sprdCommD, bytes, QStringLiteral("Recv"));
    if (gPortCloseReq)
        goOffline(QString(""));
    else
        handleBytes(bytes);
}

void KX5Link::gather_Done() {
    tmrGather.stop();
    if (m_port->isOpen()) readAndHandle();
    // Ticks that fell due during the gather run now, unless its handling switched them off.
    const bool watchdog = m_watchdogDue, send = m_sendDue;
    m_watchdogDue = m_sendDue = false;
    if (watchdog && tmrRecvErr.isActive()) tmrRecvErr_Timer();
    if (send && !tmrSend.isActive() && !tmrRecvErr.isActive() && m_port->isOpen()) sendTimerOn();
}

void KX5Link::handleBytes(const QByteArray& bytes) {
    for (const ReplyAssembler::Event& e : m_assembler.feed(bytes)) {
        if (e.kind == ReplyAssembler::Event::Kind::Frame)
            handleFrame(e.bytes);
        else if (e.kind == ReplyAssembler::Event::Kind::Refusal)
            handleRefusal(e.bytes);
        // An overflow is a reply that never ended: the watchdog deals with its station.
        if (!m_port->isOpen()) return; // the handling closed the port
    }
}

void KX5Link::handleRefusal(const QByteArray& frame) {
    if (gSendStep <= 0) return;
    // The watchdog keeps running: a station that refuses every request is given up after
    // three time-outs, exactly like a silent one.
    if (m_expectMcNo > 0 && isFrom(frame, m_expectMcNo)) ++m_stats[m_expectMcNo].refusals;
    if (gSendStep < 20 && m_expectMcNo > 0 && isFrom(frame, m_expectMcNo) && gMC_Idx >= 0 &&
        gMC_Idx < sprdMonitoring.maxRows())
        sprdMonitoring.setText(MonitorCol::COMSTS, gMC_Idx + 1, QStringLiteral("NG"));
    sendTimerOn();
}

void KX5Link::handleFrame(const QByteArray& frame) {
    // No request outstanding: a doubled reply, or one that came after the poll moved on.
    if (m_expectMcNo == 0) return;
    clampIndices();
    const int row = rowOf(m_expectMcNo);
    const int step = gSendStep;
    if (!isFrom(frame, m_expectMcNo)) {
        // Another station's words are never filed under this one; the request stays
        // outstanding and is sent again, and the watchdog keeps counting.
        m_port->flushInput();
        sendTimerOn();
        return;
    }
    sprdStatus.setText(StatusCol::ConnState, row, QStringLiteral("OK"));
    sprdStatus.setBackColor(StatusCol::ConnState, row, kGreen);

    const QString text = QString::fromLatin1(frame);
    const bool hasOK = text.contains(QLatin1String("OK"));
    const bool sumOK = gSumLen == 0 || CheckFrameSum(frame);
    const StepRow* def = findStep(step);
    bool accepted = hasOK && sumOK && def;
    if (accepted && def->kind == StepRow::Kind::Read) accepted = hasFields(frame, count(def->regs));

    countReply(accepted || step == kStepModel, sumOK, hasOK);
    if (step == kStepModel) {
        // Whatever the station says settles its model query.
        tmrRecvErr.stop();
        m_expectMcNo = 0;
        if (gMC_Idx <= gMC_Last && gMC_Last >= 0) {
            if (text.contains(QLatin1String("KX5"))) {
                if (gMC_No == 0) {
                    gMC_SelIdx = gMC_Idx;
                    gMC_No = gMC_List[static_cast<size_t>(gMC_Idx)];
                    if (m_host) m_host->showSelectedMcNo(QString::number(gMC_No));
                    gLinkUp = true;
                }
                const bool known = text.mid(10, 10).endsWith(QLatin1String("0033"));
                sprdStatus.setText(StatusCol::Model, row,
                                   known ? QStringLiteral("KX5-105") : QStringLiteral("KX5-???"));
                gMC_OK[static_cast<size_t>(gMC_Idx)] = true;
            } else {
                gMC_OK[static_cast<size_t>(gMC_Idx)] = false;
                sprdStatus.setText(StatusCol::ConnState, row, QStringLiteral("NG"));
                sprdStatus.setBackColor(StatusCol::ConnState, row, kBlack);
            }
        }
        endModelQuery();
        sendTimerOn();
        return;
    }

    if (!accepted) {
        // The watchdog keeps running and the same request goes out again.
        if (step == kStepMonitor && (!sumOK || gSumLen == 0))
            sprdMonitoring.setText(MonitorCol::COMSTS, row, QStringLiteral("NG"));
        if (def && def->kind == StepRow::Kind::Read) m_port->flushInput();
        sendTimerOn();
        return;
    }

    tmrRecvErr.stop();
    m_expectMcNo = 0;
    if (step == kStepMonitor) {
        StoreMonitorReply(gMC_Idx, frame);
        advanceMonitorPoll();
    } else if (def->kind == StepRow::Kind::Read) {
        // The data grid holds the selected station only; a re-read after a write to another
        // station confirms the write without mixing its values in.
        if (m_stepMcNo == 0 || m_stepMcNo == gMC_No)
            StoreParamReply(step - kStepReadAll1 + 1, frame);
        if (def->next > 0) {
            gSendStep = def->next;
        } else { // the last block: back to monitoring from the first connected station
            if (gParamOpen && m_host) m_host->paramReadComplete();
            const int first = FindConnectedStation(0);
            gMC_Idx = first < 0 ? 0 : first;
            gSendStep = kStepMonitor;
            m_stepMcNo = 0;
        }
    } else if (step == kStepWriteInput1) {
        // Hold the scheduler while the controller takes in the new input type.
        tmrSend.stop();
        tmrPause.start();
        return;
    } else {
        gSendStep = def->next;
    }
    sendTimerOn();
}

void KX5Link::countReply(bool accepted, bool sumOK, bool hasOK) {
    StationStats& st = m_stats[m_expectMcNo];
    if (!accepted) {
        ++(!sumOK ? st.badSums : !hasOK ? st.noOk : st.refusals);
        return;
    }
    ++st.good;
    st.lastGood = QDateTime::currentDateTime();
    const double ms = m_sentAt.isValid() ? m_sentAt.nsecsElapsed() / 1e6 : 0;
    st.totalMs += ms;
    st.worstMs = qMax(st.worstMs, ms);
}

// The polled station's model query is settled: ask the next one, or end the sweep.
void KX5Link::endModelQuery() {
    gMC_NextIdx = NextStationIdx();
    if (gMC_NextIdx != 0) {
        gMC_Idx = gMC_NextIdx;
        gReqStep = kStepModel;
        return;
    }
    setPanel(4, QString());
    if (m_host) m_host->SetOnlineState(true);
    const int first = FindConnectedStation(0);
    if (first < 0) { // nobody answered with a KX5 model: sweep again
        gMC_Idx = 0;
        gSendStep = kStepModel;
    } else {
        gMC_Idx = first;
        gSendStep = kStepReadAll1;
    }
}

void KX5Link::pause_Done() {
    tmrPause.stop();
    if (!m_port->isOpen()) return;
    gSendStep = kStepWriteInput2;
    tmrSend.start();
}

// ---------------- watchdog and lamps ----------------

void KX5Link::tmrRecvErr_Timer() {
    if (gathering()) {
        m_watchdogDue = true;
        return;
    }
    tmrRecvErr.stop();
    clampIndices();
    if (gMC_Last < 0) return;
    const int silent = m_expectMcNo > 0 ? m_expectMcNo : gMC_List[static_cast<size_t>(gMC_Idx)];
    const int row = rowOf(silent);
    sprdStatus.setText(StatusCol::ConnState, row, QStringLiteral("NG"));
    sprdStatus.setBackColor(StatusCol::ConnState, row, kBlack);
    ++m_stats[silent].timeouts;
    ++mRecvErrCnt;
    if (mRecvErrCnt > 2) {
        mRecvErrCnt = 0;
        m_expectMcNo = 0; // a late answer from this station no longer counts
        if (m_stepMcNo > 0 && gSendStep != kStepMonitor) {
            // A write for a station of the user's choosing that goes unanswered is given up,
            // so it cannot hold the whole line.
            setPanel(4, QStringLiteral("MC [%1] ==> NG: write not confirmed").arg(m_stepMcNo));
            m_stepMcNo = 0;
            gSendStep = kStepMonitor;
            advanceMonitorPoll();
        } else if (gSendStep == kStepModel) {
            setPanel(4,
                     QStringLiteral("MC [%1] ==> NG").arg(gMC_List[static_cast<size_t>(gMC_Idx)]));
            gMC_OK[static_cast<size_t>(gMC_Idx)] = false;
            gMC_NextIdx = NextStationIdx();
            if (gMC_NextIdx != 0) {
                gMC_Idx = gMC_NextIdx;
                gReqStep = kStepModel;
            } else {
                int answered = 0;
                for (int r = 1; r <= sprdStatus.maxRows(); ++r)
                    if (sprdStatus.backColor(StatusCol::ConnState, r) == kGreen) ++answered;
                if (answered == 0) {
                    // The panel keeps saying which station failed last.
                    goOffline(QString());
                    return;
                }
                if (m_host) m_host->SetOnlineState(true);
                setPanel(4, QString());
                const int first = FindConnectedStation(0);
                gMC_Idx = first < 0 ? 0 : first;
                gReqStep = kStepReadAll1;
            }
        } else {
            advanceMonitorPoll();
        }
    }
    if (m_port->isOpen()) tmrSend.start();
}

void KX5Link::tmrBall_Send_Timer() {
    setSendLamp(kBlack);
    tmrBall_Send.stop();
}

void KX5Link::tmrBall_Recv_Timer() {
    setRecvLamp(kBlack);
    tmrBall_Recv.stop();
}

// ---------------- storing replies ----------------

void KX5Link::StoreMonitorReply(int idx, const QByteArray& frame) {
    const int row = idx + 1;
    const std::vector<int>& regs = findStep(kStepMonitor)->regs;
    if (row < 1 || row > sprdMonitoring.maxRows() || !hasFields(frame, count(regs))) return;
    // Fields 1 to 12 fill columns INP to MODSTS; the rest skip COMSTS.
    for (int i = 1; i <= count(regs); ++i)
        sprdMonitoring.setText(i < MonitorCol::COMSTS ? i : i + 1, row,
                               HexToSigned(field(frame, i)));
    sprdMonitoring.setText(MonitorCol::COMSTS, row, QStringLiteral("OK"));
}

void KX5Link::StoreParamReply(int block, const QByteArray& frame) {
    if (block < 1 || block > 4) return;
    const std::vector<int>& regs = findStep(kStepReadAll1 + block - 1)->regs;
    if (!hasFields(frame, count(regs))) return;
    for (int i = 1; i <= count(regs); ++i) {
        const MapCell c = mapCell(regs[static_cast<size_t>(i - 1)]);
        sprdMap.setText(c.col, c.row, HexToSigned(field(frame, i)));
    }
}
