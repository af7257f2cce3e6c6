#include "link/KX5Link.h"

#include "link/Frames.h"
#include "link/mdlKX5.h"

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

} // namespace

KX5Link::KX5Link(SerialPort* port, QObject* parent) : QObject(parent), m_port(port) {
    m_port->setParent(nullptr);
    setupGrids();

    auto init = [this](QTimer& t, int ms, bool single, void (KX5Link::*handler)()) {
        t.setInterval(ms);
        t.setTimerType(Qt::PreciseTimer);
        t.setSingleShot(single);
        connect(&t, &QTimer::timeout, this, handler);
    };
    init(tmrSend, 50, false, &KX5Link::tmrSend_Timer);
    init(tmrRecvErr, 500, false, &KX5Link::tmrRecvErr_Timer);
    init(tmrBall_Send, 250, false, &KX5Link::tmrBall_Send_Timer);
    init(tmrBall_Recv, 250, false, &KX5Link::tmrBall_Recv_Timer);
    init(tmrGather, kGatherMs, true, &KX5Link::gather_Done);
    init(tmrPause, kPauseAfter105Ms, true, &KX5Link::pause_Done);

    connect(m_port.get(), &SerialPort::received, this, &KX5Link::MSComm1_OnComm);
    connect(m_port.get(), &SerialPort::failed, this, &KX5Link::onPortFailed);
}

KX5Link::~KX5Link() {
    clearGlobals();
    if (m_port->isOpen()) m_port->close();
}

void KX5Link::installGlobals() {
    gComm = m_port.get();
    gTmrRecvErr = &tmrRecvErr;
    gCommGrid = &sprdCommD;
}

void KX5Link::clearGlobals() {
    if (gComm == m_port.get()) gComm = nullptr;
    if (gTmrRecvErr == &tmrRecvErr) gTmrRecvErr = nullptr;
    if (gCommGrid == &sprdCommD) gCommGrid = nullptr;
}

void KX5Link::setupGrids() {
    sprdStatus.setMaxCols(3);
    sprdStatus.setText(1, 0, QStringLiteral(" MC No"));
    sprdStatus.setText(2, 0, QStringLiteral("Model"));
    sprdStatus.setText(3, 0, QStringLiteral("Conn-State"));
    sprdMonitoring.setMaxCols(20);
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
    m_sendDue = m_watchdogDue = false;
}

// ---------------- port control ----------------

void KX5Link::mSetPortOpen_Click() {
    if (portCommandSaysClose()) {
        gPortCloseReq = true;
        // Before any controller answered there is no exchange worth finishing: close now.
        if (!gLinkUp) {
            ClosePort();
            setCaptions(false);
            if (m_host) m_host->SetOnlineState(false);
            setPanel(4, QString());
        }
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
    sprdStatus.clearRange(3, 1, 3, sprdStatus.maxRows());
    OpenPort();
    if (!m_port->isOpen()) {
        // OpenPort has put the cause into panel 4; the command offers opening again.
        setCaptions(false);
        stopAll();
        return;
    }
    gMC_No = 0;
    gMC_Idx = 0;
    gMC_NextIdx = 0;
    // A request left from an earlier session must not pre-empt the model sweep.
    gReqStep = 0;
    gSendStep = 1;
    gReqMcNo = 0;
    m_stepMcNo = 0;
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

void KX5Link::closeOnRequest() {
    stopAll();
    if (m_port->isOpen()) m_port->close();
    setCaptions(false);
    setPanel(3, QStringLiteral("CLOSE"));
    if (m_host) m_host->SetOnlineState(false);
    setPanel(4, QString());
}

void KX5Link::onPortFailed(const QString& cause) {
    if (!m_port->isOpen() && !portCommandSaysClose()) return;
    stopAll();
    m_port->close();
    setCaptions(false);
    setPanel(3, QStringLiteral("CLOSE"));
    if (m_host) m_host->SetOnlineState(false);
    setPanel(4, QStringLiteral("Port %1 closed: %2").arg(gPort, cause));
}

// ---------------- station indices ----------------

int KX5Link::NextStationIdx() const {
    const int next = gMC_Idx + 1;
    return next > gMC_Last ? 0 : next;
}

int KX5Link::FindConnectedStation(int start) const {
    if (start > gMC_Last || start < 0) start = 0;
    for (int i = start; i <= gMC_Last && i < static_cast<int>(gMC_OK.size()); ++i)
        if (gMC_OK[static_cast<size_t>(i)]) return i;
    return -1;
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
        closeOnRequest();
        return;
    }
    if (gMC_NextIdx > 0) {
        gMC_Idx = gMC_NextIdx;
        gMC_NextIdx = 0;
    }
    clampIndices();
    if (gMC_Last < 0 || gMC_List.empty()) return; // nothing to poll
    const int polled = gMC_List[static_cast<size_t>(gMC_Idx)];
    mRecvLen = 0;
    if (gReqStep > 0) {
        gSendStep = gReqStep;
        gReqStep = 0;
        m_stepMcNo = gReqMcNo;
        gReqMcNo = 0;
    }
    setSendLamp(kRed);
    tmrBall_Send.start();

    const int step = gSendStep;
    if (step == 1) {
        SendModelReq(polled);
    } else if (step == 11) {
        gRegNo = stepRegisters(step);
        SendReadReq(polled, static_cast<int>(gRegNo.size()), gRegNo);
    } else if (step >= 21 && step <= 24) {
        gRegNo = stepRegisters(step);
        SendReadReq(m_stepMcNo > 0 ? m_stepMcNo : gMC_No, static_cast<int>(gRegNo.size()), gRegNo);
    } else if (isWriteStep(step)) {
        const int target = m_stepMcNo > 0 ? m_stepMcNo : (step == 220 ? polled : gMC_No);
        const std::vector<int>& vals = step == 110 ? gRegVal2 : gRegVal;
        if (step != 120 && step != 121 && step != 220) gRegNo = stepRegisters(step);
        const size_t n = (step == 120 || step == 220) ? 1 : (step == 121 ? 6 : gRegNo.size());
        if (gRegNo.size() < n || vals.size() < n) {
            // A write whose values are missing would put zeros into the controller: drop it.
            setPanel(4, QStringLiteral("Write request %1 incomplete: not sent").arg(step));
            gSendStep = 21;
            tmrSend.start();
            return;
        }
        std::vector<int> regs(gRegNo.begin(), gRegNo.begin() + static_cast<long>(n));
        SendWriteReq(target, static_cast<int>(n), regs, vals);
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
    // Let the rest of the reply come in; the window keeps painting meanwhile.
    if (!tmrGather.isActive()) tmrGather.start();
}

void KX5Link::gather_Done() {
    tmrGather.stop();
    if (m_port->isOpen()) {
        const QByteArray bytes = m_port->readAll();
        CommTrace(&sprdCommD, bytes, QStringLiteral("Recv"));
        if (gPortCloseReq)
            closeOnRequest();
        else
            handleBytes(bytes);
    }
    // Ticks that fell due during the gather run now, unless its handling switched them off.
    const bool watchdog = m_watchdogDue, send = m_sendDue;
    m_watchdogDue = m_sendDue = false;
    if (watchdog && tmrRecvErr.isActive()) tmrRecvErr_Timer();
    if (send && !tmrSend.isActive() && !tmrRecvErr.isActive() && gSendStep > 0 &&
        m_port->isOpen() && !pausing())
        tmrSend.start();
}

void KX5Link::handleBytes(const QByteArray& bytes) {
    for (const char b : bytes) {
        if (b == STX) {
            mRecvBuf = QByteArray(1, STX);
            mRecvLen = 1;
            continue;
        }
        mRecvBuf.truncate(mRecvLen);
        mRecvBuf.append(b);
        ++mRecvLen;
        if (b == LF) {
            handleFrame();
            if (!m_port->isOpen()) return; // the frame's handling closed the port
            continue;
        }
        if (mRecvLen >= 5 && mRecvBuf[3] == 'N' && mRecvBuf[4] == 'G') {
            // Refused: the rest of this read is not looked at.
            if (gSendStep > 0) {
                if (gSendStep < 20 && gMC_Idx >= 0 && gMC_Idx < sprdMonitoring.maxRows())
                    sprdMonitoring.setText(13, gMC_Idx + 1, QStringLiteral("NG"));
                tmrRecvErr.stop();
                if (!pausing()) tmrSend.start();
            }
            return;
        }
    }
}

void KX5Link::handleFrame() {
    const QByteArray frame = mRecvBuf.left(mRecvLen);
    const QString text = QString::fromLatin1(frame);
    clampIndices();
    const int row = gMC_Idx + 1;
    sprdStatus.setText(3, row, QStringLiteral("OK"));
    sprdStatus.setBackColor(3, row, kGreen);

    const bool hasOK = text.contains(QLatin1String("OK"));
    const bool sumOK = gSumLen == 0 || CheckFrameSum(frame);
    const bool accepted = hasOK && sumOK;
    const int step = gSendStep;
    // This request has its answer; the next one restarts the watchdog when it goes out.
    tmrRecvErr.stop();

    if (step == 1) {
        if (gMC_Idx <= gMC_Last && gMC_Last >= 0) {
            if (text.contains(QLatin1String("KX5"))) {
                if (gMC_No == 0) {
                    gMC_SelIdx = gMC_Idx;
                    gMC_No = gMC_List[static_cast<size_t>(gMC_Idx)];
                    if (m_host) m_host->showSelectedMcNo(QString::number(gMC_No));
                    gLinkUp = true;
                }
                const bool known = text.mid(10, 10).endsWith(QLatin1String("0033"));
                sprdStatus.setText(2, row,
                                   known ? QStringLiteral("KX5-105") : QStringLiteral("KX5-???"));
                gMC_OK[static_cast<size_t>(gMC_Idx)] = true;
            } else {
                gMC_OK[static_cast<size_t>(gMC_Idx)] = false;
                sprdStatus.setText(3, row, QStringLiteral("NG"));
                sprdStatus.setBackColor(3, row, kBlack);
            }
        }
        gMC_NextIdx = NextStationIdx();
        if (gMC_NextIdx != 0) {
            gMC_Idx = gMC_NextIdx;
            gReqStep = 1;
        } else {
            setPanel(4, QString());
            if (m_host) m_host->SetOnlineState(true);
            const int first = FindConnectedStation(0);
            if (first < 0) {
                gMC_Idx = 0;
                gSendStep = 1;
            } else {
                gMC_Idx = first;
                gSendStep = 21;
            }
        }
    } else if (step == 11) {
        if (accepted && hasFields(frame, 19)) {
            StoreMonitorReply(gMC_Idx, frame);
            advanceMonitorPoll();
        } else if (accepted) {
            m_port->flushInput(); // too short for its fields: the same station is asked again
        } else {
            if (!sumOK || gSumLen == 0) sprdMonitoring.setText(13, row, QStringLiteral("NG"));
            m_port->flushInput();
        }
    } else if (step >= 21 && step <= 24) {
        if (accepted && hasFields(frame, static_cast<int>(stepRegisters(step).size()))) {
            // The data grid holds the selected station only; a re-read after a write to
            // another station confirms the write without mixing its values in.
            if (m_stepMcNo == 0 || m_stepMcNo == gMC_No) StoreParamReply(step - 20, frame);
            gSendStep = step + 1;
            if (gSendStep > 24) {
                if (gParamOpen && m_host) m_host->paramReadComplete();
                const int first = FindConnectedStation(0);
                gMC_Idx = first < 0 ? 0 : first;
                gSendStep = 11;
                m_stepMcNo = 0;
            }
        } else {
            m_port->flushInput();
        }
    } else if (isWriteStep(step)) {
        if (accepted) {
            if (step == 105) {
                // Hold the scheduler while the controller takes in the new input type.
                tmrSend.stop();
                tmrPause.start();
                return;
            }
            gSendStep = (step == 120 || step == 121 || step == 220) ? 23 : 21;
        }
    }
    if (gSendStep > 0 && !pausing()) tmrSend.start();
}

void KX5Link::pause_Done() {
    tmrPause.stop();
    if (!m_port->isOpen()) return;
    gSendStep = 110;
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
    const int row = gMC_Idx + 1;
    sprdStatus.setText(3, row, QStringLiteral("NG"));
    sprdStatus.setBackColor(3, row, kBlack);
    ++mRecvErrCnt;
    if (mRecvErrCnt > 2) {
        mRecvErrCnt = 0;
        if (gSendStep == 1) {
            setPanel(4,
                     QStringLiteral("MC [%1] ==> NG").arg(gMC_List[static_cast<size_t>(gMC_Idx)]));
            gMC_OK[static_cast<size_t>(gMC_Idx)] = false;
            gMC_NextIdx = NextStationIdx();
            if (gMC_NextIdx != 0) {
                gMC_Idx = gMC_NextIdx;
                gReqStep = 1;
            } else {
                int answered = 0;
                for (int r = 1; r <= sprdStatus.maxRows(); ++r)
                    if (sprdStatus.backColor(3, r) == kGreen) ++answered;
                if (answered == 0) {
                    ClosePort();
                    // The panel keeps saying which station failed last.
                    if (m_host) m_host->SetOnlineState(false);
                    return;
                }
                if (m_host) m_host->SetOnlineState(true);
                setPanel(4, QString());
                const int first = FindConnectedStation(0);
                gMC_Idx = first < 0 ? 0 : first;
                gReqStep = 21;
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
    if (row < 1 || row > sprdMonitoring.maxRows() || !hasFields(frame, 19)) return;
    for (int i = 1; i <= 19; ++i)
        sprdMonitoring.setText(i <= 12 ? i : i + 1, row, HexToSigned(field(frame, i)));
    sprdMonitoring.setText(13, row, QStringLiteral("OK"));
}

void KX5Link::StoreParamReply(int block, const QByteArray& frame) {
    if (block < 1 || block > 4) return;
    const std::vector<int> regs = stepRegisters(20 + block);
    const int n = static_cast<int>(regs.size());
    if (!hasFields(frame, n)) return;
    for (int i = 1; i <= n; ++i) {
        const int r = regs[static_cast<size_t>(i - 1)];
        sprdMap.setText(2 * (r / 100) + 2, r % 100 + 1, HexToSigned(field(frame, i)));
    }
}
