#include "link/KX5Link.h"

#include "link/Cells.h"
#include "link/ControllerModel.h"
#include "link/Frames.h"
#include "link/Steps.h"
#include "link/mdlKX5.h"

#include <algorithm>
#include <cctype>
#include <cmath>

namespace {

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

// The station a frame names, or 0 when its address is not two digits.
int addressOf(const QByteArray& frame) {
    if (frame.size() < 3 || frame[0] != STX) return 0;
    const char t = frame[1], u = frame[2];
    if (t < '0' || t > '9' || u < '0' || u > '9') return 0;
    return (t - '0') * 10 + (u - '0');
}

// The first n value fields of a read reply as numbers.
std::vector<int> fieldValues(const QByteArray& frame, int n) {
    std::vector<int> out(static_cast<size_t>(n), 0);
    for (int i = 1; i <= n; ++i)
        out[size_t(i - 1)] = HexToSigned(field(frame, i)).toInt();
    return out;
}

int count(const std::vector<int>& v) {
    return static_cast<int>(v.size());
}

// Lengths on the wire of a request and of the answer it must get.
constexpr int modelReplyLen(int sumLen) {
    return 22 + sumLen; // ",OK," and a ten-character model
}
constexpr int readLen(int n, int sumLen) {
    return 11 + 5 * n + sumLen;
}
constexpr int writeLen(int n, int sumLen) {
    return 11 + 10 * n + sumLen;
}
constexpr int ackLen(int sumLen) {
    return 11 + sumLen;
}
// A refusal is known by its fifth byte (STX, address, "NG"), an acknowledgement is longer:
// waiting for the whole acknowledgement would never see a refusal, which is shorter.
constexpr int kWriteThreshold = 5;

// How a request ended, said twice: in English for the events file and in the user's language
// for windows. %1 is the station; %2, when the request is given, what it does.
struct Said {
    QString text, shown;
};
Said say(const char* source, int mcNo, const Request* r = nullptr) {
    Said s{QString::fromUtf8(source).arg(mcNo), KX5Link::tr(source).arg(mcNo)};
    if (r) {
        s.text = s.text.arg(r->what());
        s.shown = s.shown.arg(r->shownWhat());
    }
    return s;
}

} // namespace

KX5Link::KX5Link(std::unique_ptr<SerialPort> port, QObject* parent)
    : QObject(parent), m_port(std::move(port)) {
    m_port->setParent(nullptr);
    setPortSettings(PortSettings{});

    auto init = [this](QTimer& t, int ms, bool single, void (KX5Link::*handler)()) {
        t.setInterval(ms);
        t.setTimerType(Qt::PreciseTimer);
        t.setSingleShot(single);
        connect(&t, &QTimer::timeout, this, handler);
    };
    init(tmrSend, kSendTickMs, false, &KX5Link::sendTimerFired);
    init(tmrRecvErr, kReplyWaitMs, false, &KX5Link::tmrRecvErr_Timer);
    init(tmrBall_Send, 250, false, &KX5Link::tmrBall_Send_Timer);
    init(tmrBall_Recv, 250, false, &KX5Link::tmrBall_Recv_Timer);
    init(tmrGather, kGatherMs, true, &KX5Link::gather_Done);
    init(tmrPause, kPauseAfter105Ms, true, &KX5Link::pause_Done);
    init(tmrReopen, kReopenMs, false, &KX5Link::reopen_Timer);
    init(tmrSweepAgain, kSweepPauseMaxMs, false, &KX5Link::sweepAgain_Timer);

    connect(m_port.get(), &SerialPort::received, this, &KX5Link::MSComm1_OnComm);
    connect(m_port.get(), &SerialPort::failed, this, &KX5Link::onPortFailed);
}

KX5Link::~KX5Link() {
    if (m_port->isOpen()) m_port->close();
}

int KX5Link::selectedMcNo() const {
    return gMC_No;
}

void KX5Link::setPortSettings(const PortSettings& s) {
    m_settings = s;
    m_sumLen = s.sumLen();
    m_charMs = s.charMs();
}

void KX5Link::setStations(const StationList& list) {
    m_line.setStations(list);
    clampIndices();
    KeepSelectedStation();
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
    m_menuCaption = open ? tr("Port &Close") : tr("Port &Open");
    m_buttonCaption = open ? tr("Port Close") : tr("Port Open");
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

void KX5Link::setPhase(Phase p) {
    m_phase = p;
}

// The phase follows the step, except for the states that are not steps (closed, closing,
// the input pause, reopening), which are set where they begin.
void KX5Link::enterStep(int step) {
    gSendStep = step;
    const StepRow* row = findStep(step);
    if (step == kStepModel)
        setPhase(Phase::Sweeping);
    else if (step == kStepMonitor)
        setPhase(Phase::Monitoring);
    else if (row && row->kind == StepRow::Kind::Read)
        setPhase(Phase::ReadingAll);
    else if (row && row->kind == StepRow::Kind::Write)
        setPhase(Phase::Writing);
}

void KX5Link::stopAll() {
    tmrSend.stop();
    tmrRecvErr.stop();
    tmrGather.stop();
    tmrPause.stop();
    tmrReopen.stop();
    tmrSweepAgain.stop();
    m_sendDue = m_watchdogDue = false;
    m_out.reset();
}

// ---------------- time on the wire ----------------

int KX5Link::quietGapMs() const {
    // Whole milliseconds only: the tick makes up the rest, so a fast line is not held a whole
    // millisecond for a gap of a third of one.
    return static_cast<int>(std::floor(kQuietGapChars * charMs()));
}

int KX5Link::replyWaitMs(int requestBytes, int replyBytes) const {
    const double wire = (requestBytes + replyBytes) * charMs();
    const int answer = m_fast ? kAnswerAllowanceMs : kReplyWaitMs + kGatherMs;
    return static_cast<int>(std::ceil(wire)) + answer;
}

void KX5Link::sendTimerOn() {
    switch (m_phase) {
    case Phase::Closed:
    case Phase::InputPause:
    case Phase::Reopening:
    case Phase::SweepPause:
        return;
    default:
        // Always the pacing's own interval: a tick that waited out the rest of a quiet gap
        // leaves the timer at 0.
        if (gSendStep > 0) tmrSend.start(m_fast ? quietGapMs() : kSendTickMs);
    }
}

// ---------------- requests ----------------

RequestReply KX5Link::request(const Request& r) {
    auto no = [](const QString& why) { return RequestReply{false, why}; };
    const StepRow* row = findStep(r.step);
    // A read-all, or a write other than the input group's second half (which follows its first).
    const bool requestable =
        row && (r.step == kStepReadAll1 ||
                (row->kind == StepRow::Kind::Write && r.step != kStepWriteInput2));
    if (!requestable) return no(tr("Not a request the link takes (step %1).").arg(r.step));
    const QString what = r.shownWhat();
    switch (m_phase) {
    case Phase::Closed:
        return no(tr("The port is closed: %1 not sent.").arg(what));
    case Phase::Closing:
        return no(tr("The port is closing: %1 not sent.").arg(what));
    case Phase::Reopening:
        return no(tr("Port %1 lost, reopening: %2 not sent.").arg(m_settings.port, what));
    case Phase::Sweeping:
    case Phase::SweepPause:
        return no(tr("Checking the stations (Connect status): %1 not sent. "
                     "Try again when the check has finished.")
                      .arg(what));
    default:
        break;
    }
    const int idx = m_line.indexOf(r.mcNo);
    if (idx < 0) return no(tr("MC %1 is not in use: %2 not sent.").arg(r.mcNo).arg(what));
    if (!m_line.at(idx)->answered)
        return no(tr("MC %1 has not answered: %2 not sent.").arg(r.mcNo).arg(what));
    if (row->kind == StepRow::Kind::Write) {
        const int n = row->regs.empty() ? row->count : count(row->regs);
        const bool regsOk = !row->regs.empty() || count(r.regs) == n;
        const bool valsOk =
            count(r.values) == n && (r.step != kStepWriteInput1 ||
                                     count(r.values2) == count(findStep(kStepWriteInput2)->regs));
        // A write whose values are missing would put zeros into the controller.
        if (!regsOk || !valsOk) return no(tr("%1: incomplete values, not sent.").arg(what));
    }
    if (m_pending) {
        const Request old = *m_pending;
        m_pending.reset();
        const Said s =
            say(QT_TR_NOOP("MC [%1] %2 replaced by a newer request: not sent"), old.mcNo, &old);
        emit requestEnded(old, RequestOutcome::Replaced, s.text, s.shown);
    }
    m_pending = r;
    return {true, QString()};
}

bool KX5Link::selectStation(int idx) {
    const LineModel::Station* st = m_line.at(idx);
    if (!st || !st->answered) return false;
    const int mc = st->mcNo;
    if (!request(Request::readAll(mc)).taken) return false;
    gMC_SelIdx = idx;
    gMC_No = mc;
    if (m_host) m_host->showSelectedMcNo(QString::number(gMC_No));
    return true;
}

// A write is worked until it is confirmed or given up; a newer request waits for it.
bool KX5Link::writeUnconfirmed() const {
    return m_current && !m_currentConfirmed && m_current->isWrite();
}

void KX5Link::takePending() {
    m_current = std::move(m_pending);
    m_pending.reset();
    m_currentConfirmed = false;
    m_stepMcNo = m_current->mcNo;
    m_stepTimeouts = 0;
    m_stepRefusals = 0;
    // The new request gets a reply wait of its own, not the rest of another's.
    tmrRecvErr.stop();
    m_out.reset();
    enterStep(m_current->step);
}

void KX5Link::endCurrent(RequestOutcome outcome, const QString& text, const QString& shown) {
    if (!m_current) return;
    const Request r = *m_current;
    if (outcome != RequestOutcome::Done) m_current.reset();
    m_currentConfirmed = true;
    emit requestEnded(r, outcome, text, shown);
}

// The port went down: nothing waiting or unconfirmed is delivered later.
void KX5Link::dropRequests() {
    if (m_pending) {
        const Request r = *m_pending;
        m_pending.reset();
        const Said s = say(QT_TR_NOOP("MC [%1] %2 not sent: the port closed"), r.mcNo, &r);
        emit requestEnded(r, RequestOutcome::Dropped, s.text, s.shown);
    }
    if (m_current && !m_currentConfirmed) {
        const bool secondHalf = m_phase == Phase::InputPause ||
                                (m_phase == Phase::Writing && gSendStep == kStepWriteInput2);
        const int mc = m_current->mcNo;
        if (secondHalf) {
            const Said s =
                say(QT_TR_NOOP("MC [%1] ==> NG: input group 612-619 not written (the port closed)"),
                    mc);
            endCurrent(RequestOutcome::SecondHalfLost, s.text, s.shown);
            setPanel(4, s.shown);
        } else {
            const Said s =
                say(QT_TR_NOOP("MC [%1] %2 not confirmed: the port closed"), mc, &*m_current);
            endCurrent(RequestOutcome::Dropped, s.text, s.shown);
        }
    }
    m_current.reset();
    m_stepMcNo = 0;
}

// ---------------- port control ----------------

void KX5Link::openUnattended() {
    if (m_phase != Phase::Closed) return;
    m_keepTrying = true;
    mSetPortOpen_Click();
}

void KX5Link::mSetPortOpen_Click() {
    if (m_phase == Phase::Reopening) { // the user gives up on the lost port
        goOffline(QString(""));
        return;
    }
    if (m_phase != Phase::Closed) {
        const bool pausing = m_phase == Phase::SweepPause;
        gPortCloseReq = true;
        setPhase(Phase::Closing);
        // Before any controller answered, or between sweeps, there is no exchange worth
        // finishing: close now.
        if (!gLinkUp || pausing) goOffline(QString(""));
        return;
    }
    if (m_line.count() == 0) {
        setPanel(4, tr("No MC in use: choose the stations in Use MC Setting"));
        return;
    }
    setPanel(4, tr("Checking ... (Connect status)"));
    setCaptions(true);
    sprdCommD.clear();
    gPortCloseReq = false;
    m_sweepsUnheard = 0;
    m_openedOnce = false;
    m_line.clearConn();
    OpenPort();
    const QString settings = m_settings.commText() + QLatin1Char(' ') + m_settings.protocol;
    if (!m_port->isOpen()) {
        emit portOpened(m_settings.port, settings, m_port->errorString());
        if (m_keepTrying) { // tried again every kReopenMs, as a lost port is
            stopAll();
            m_reopenAttempt = 0;
            setPhase(Phase::Reopening);
            tmrReopen.start();
            setPanel(
                4,
                tr("Cannot open %1: %2; trying again").arg(m_settings.port, m_port->errorString()));
            return;
        }
        // OpenPort has put the cause into panel 4; the command offers opening again.
        setCaptions(false);
        stopAll();
        return;
    }
    m_openedOnce = true;
    emit portOpened(m_settings.port, settings, QString());
    startSweep();
}

void KX5Link::startSweep() {
    m_line.markAllStale();
    gMC_No = 0;
    gMC_Idx = 0;
    gMC_NextIdx = 0;
    mRecvErrCnt = 0;
    m_pending.reset();
    m_current.reset();
    m_stepMcNo = 0;
    m_stepTimeouts = 0;
    m_stepRefusals = 0;
    m_sinceRediscovery = 0;
    m_rediscoverIdx = -1;
    m_out.reset();
    m_lastRead.invalidate();
    enterStep(kStepModel);
    // The rate and the pacing hold for as long as the port stays open.
    tmrSend.start(m_fast ? quietGapMs() : kSendTickMs);
}

void KX5Link::OpenPort() {
    m_port->setPortName(m_settings.port);
    m_port->setSettings(m_settings.commText());
    if (!m_port->isOpen() && !m_port->open()) {
        setPanel(4, tr("Cannot open %1: %2").arg(m_settings.port, m_port->errorString()));
        return;
    }
    //: the port's state in the status bar
    setPanel(3, tr("OPEN"));
    setCaptions(true);
}

void KX5Link::ClosePort() {
    const bool hadRequests = m_pending || (m_current && !m_currentConfirmed);
    const bool wasOpen = m_phase != Phase::Closed || m_port->isOpen();
    stopAll();
    if (m_port->isOpen()) {
        m_port->flushInput();
        m_port->close();
    }
    if (!m_port->isOpen()) {
        setPanel(3, tr("CLOSE"));
        setCaptions(false);
    }
    // Said while the phase still tells what was cut short.
    if (hadRequests) dropRequests();
    m_line.markAllStale();
    // Nothing on a closed line is answering: no station keeps a last "OK"; one that did not
    // answer keeps its "NG".
    m_line.clearAnswering();
    m_current.reset();
    gPortCloseReq = false;
    m_keepTrying = false;
    setPhase(Phase::Closed);
    if (wasOpen) emit portClosed(m_settings.port);
}

void KX5Link::goOffline(const QString& panel4) {
    if (!panel4.isNull()) setPanel(4, panel4);
    ClosePort();
    setCaptions(false);
    setPanel(3, tr("CLOSE"));
    if (m_host) m_host->SetOnlineState(false);
}

void KX5Link::onPortFailed(const QString& cause) {
    if (!m_port->isOpen() && m_phase == Phase::Closed) return;
    // A port that failed is closed without a flush: flushing it fails again.
    m_port->close();
    if (!m_autoReopen || gPortCloseReq) {
        goOffline(tr("Port %1 closed: %2").arg(m_settings.port, shownCause(cause)));
        return;
    }
    // Keep the port command at "close", so the user can end the retries; every station is
    // unheard until the line is back, so nothing stale is logged meanwhile.
    stopAll();
    setPanel(3, tr("CLOSE"));
    for (int i = 0; i < m_line.count(); ++i)
        m_line.setConn(m_line.mcNoAt(i), ConnState::NG);
    m_reopenAttempt = 0;
    setPanel(4, tr("Port %1 lost: reopening").arg(m_settings.port));
    dropRequests();
    m_line.markAllStale();
    setPhase(Phase::Reopening);
    tmrReopen.start();
    emit portLost(cause);
}

void KX5Link::reopen_Timer() {
    ++m_reopenAttempt;
    OpenPort();
    if (!m_port->isOpen()) {
        setPanel(4, m_openedOnce ? tr("Port %1 lost: reopening (attempt %2)")
                                       .arg(m_settings.port)
                                       .arg(m_reopenAttempt)
                                 : tr("Cannot open %1: %2; trying again (attempt %3)")
                                       .arg(m_settings.port, m_port->errorString())
                                       .arg(m_reopenAttempt));
        return;
    }
    tmrReopen.stop();
    setPanel(4, tr("Checking ... (Connect status)"));
    m_line.clearConn();
    // Nobody watches a line that came back by itself: its controllers may still be starting.
    m_keepTrying = true;
    m_sweepsUnheard = 0;
    if (m_openedOnce)
        emit portRestored();
    else
        emit portOpened(m_settings.port, lineSettingsText(), QString());
    m_openedOnce = true;
    startSweep();
}

void KX5Link::sweepAgain_Timer() {
    tmrSweepAgain.stop();
    if (m_phase != Phase::SweepPause || !m_port->isOpen()) return;
    setPanel(4, tr("Checking ... (Connect status)"));
    startSweep();
}

// ---------------- station indices ----------------

int KX5Link::NextStationIdx() const {
    const int next = gMC_Idx + 1;
    return next > lastIdx() ? 0 : next;
}

int KX5Link::FindConnectedStation(int start) const {
    return m_line.findAnswered(start);
}

void KX5Link::KeepSelectedStation() {
    // Nothing selected yet: the model sweep selects the first station that answers, which
    // need not be the first in use.
    if (m_line.count() == 0 || gMC_No == 0) {
        gMC_SelIdx = 0;
        return;
    }
    gMC_SelIdx = m_line.indexOf(gMC_No);
    if (gMC_SelIdx < 0) {
        gMC_No = m_line.mcNoAt(0);
        gMC_SelIdx = 0;
    }
}

int KX5Link::rowOf(int mcNo) const {
    // The row of the station a request went to; the polled one's when none is known.
    const int idx = m_line.indexOf(mcNo);
    return idx >= 0 ? idx + 1 : gMC_Idx + 1;
}

// A step a window asked for (a parameter read or a write), as against the sweep and the poll.
bool KX5Link::requestedStep() const {
    return gSendStep != kStepModel && gSendStep != kStepMonitor;
}

void KX5Link::clampIndices() {
    if (gMC_Idx < 0 || gMC_Idx > lastIdx()) gMC_Idx = 0;
    if (gMC_NextIdx < 0 || gMC_NextIdx > lastIdx()) gMC_NextIdx = 0;
    if (gMC_SelIdx < 0 || gMC_SelIdx > lastIdx()) gMC_SelIdx = 0;
}

void KX5Link::advanceMonitorPoll() {
    int next = FindConnectedStation(gMC_Idx + 1);
    if (next < 0) next = FindConnectedStation(0);
    gMC_Idx = next < 0 ? 0 : next;
}

// ---------------- send tick ----------------

// The timer's ticks come through here: in the fast pacing the line stays quiet for 3.5
// characters after the last byte heard, which a millisecond timer can only round; the rest,
// under a millisecond, is waited out by ticking again at once.
void KX5Link::sendTimerFired() {
    if (m_fast && m_lastRead.isValid() &&
        kQuietGapChars * charMs() * 1e6 > double(m_lastRead.nsecsElapsed())) {
        tmrSend.start(0);
        return;
    }
    tmrSend_Timer();
}

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
    // A tick on a closed port still traces its request; nothing goes out while the port is
    // being reopened or the controller takes in a new input type.
    if (m_phase == Phase::Reopening || m_phase == Phase::InputPause || m_phase == Phase::SweepPause)
        return;
    if (gMC_NextIdx > 0) {
        gMC_Idx = gMC_NextIdx;
        gMC_NextIdx = 0;
    }
    clampIndices();
    if (m_line.count() == 0) return; // nothing to poll
    m_assembler.reset();
    if (m_pending && !writeUnconfirmed()) {
        takePending();
    } else if (rediscoveryDue()) {
        sendRediscovery();
        return;
    }
    const StepRow* step = findStep(gSendStep);
    if (!step) return; // a step without a request sends nothing
    const int polled = m_line.mcNoAt(gMC_Idx);
    int target = step->target == StepRow::Target::Polled ? polled : gMC_No;
    if (m_stepMcNo > 0) target = m_stepMcNo;
    const int idx = rowOf(target) - 1;

    switch (step->kind) {
    case StepRow::Kind::Model:
        sendFrame(buildModelReq(target, m_sumLen), gSendStep, target, idx, 0, false);
        break;
    case StepRow::Kind::Read:
        if (gSendStep == kStepMonitor) ++m_sinceRediscovery;
        sendFrame(buildReadReq(target, step->regs, m_sumLen), gSendStep, target, idx,
                  readLen(count(step->regs), m_sumLen), false);
        break;
    case StepRow::Kind::Write: {
        if (!m_current) { // only a request starts a write; nothing to write without one
            enterStep(kStepMonitor);
            sendTimerOn();
            return;
        }
        const std::vector<int>& regs = step->regs.empty() ? m_current->regs : step->regs;
        const std::vector<int>& vals =
            step->values == StepRow::Values::RegVal2 ? m_current->values2 : m_current->values;
        sendFrame(buildWriteReq(target, regs, vals, m_sumLen), gSendStep, target, idx,
                  ackLen(m_sumLen), false);
        break;
    }
    }
}

// Traces the frame, arms the port for the answer, writes it and makes it the outstanding
// transaction. The reply wait runs from the first send of a transaction; a retry of the same
// one keeps what is left of it.
void KX5Link::sendFrame(const QByteArray& frame, int step, int mcNo, int idx, int replyLen,
                        bool rediscovery) {
    setSendLamp(kRed);
    tmrBall_Send.start();
    sprdCommD.add(frame, true);
    const QByteArray command = frame.mid(3, 3);
    // The fast pacing handles every byte as it comes, so a write's acknowledgement is read
    // to its end whatever pieces it arrives in.
    m_port->setRThreshold(command == "DWR" && !m_fast ? kWriteThreshold : 1);
    if (!m_port->isOpen()) return;
    const bool retry = m_out && m_out->step == step && m_out->mcNo == mcNo;
    if (!retry || !tmrRecvErr.isActive()) {
        const int expected = replyLen > 0 ? replyLen : modelReplyLen(m_sumLen);
        tmrRecvErr.setInterval(replyWaitMs(static_cast<int>(frame.size()), expected));
        tmrRecvErr.start();
    }
    m_out = Transaction{step, mcNo, idx, command, replyLen, rediscovery, {}};
    if (!m_port->write(frame)) return; // failed() follows and takes the port down
    ++m_line.statsOf(mcNo).requests;
    m_sentAt.start();
}

bool KX5Link::rediscoveryDue() const {
    if (m_phase != Phase::Monitoring || gSendStep != kStepMonitor || m_pending ||
        m_sinceRediscovery < kRediscoverEvery - 1)
        return false;
    return m_line.anyUnanswered();
}

// One station in use that has not answered is asked for its model, the next one each time.
void KX5Link::sendRediscovery() {
    const int n = m_line.count();
    for (int k = 1; k <= n; ++k) {
        const int i = (m_rediscoverIdx + k) % n;
        if (m_line.at(i)->answered) continue;
        m_rediscoverIdx = i;
        m_sinceRediscovery = 0;
        const int mc = m_line.mcNoAt(i);
        sendFrame(buildModelReq(mc, m_sumLen), kStepModel, mc, i, 0, true);
        return;
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
    m_lastRead.start();
    sprdCommD.add(bytes, false);
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
    // A reply begun is read to its end: its tail may be shorter than the threshold that
    // announced its start, and would otherwise wait there until the watchdog sends again.
    if (m_assembler.pending() > 0) m_port->setRThreshold(1);
}

// The outstanding request's answer comes from its station, echoes its command and, for a
// read or a write, has exactly the length that request asks for.
bool KX5Link::answers(const QByteArray& frame) const {
    if (!m_out || !isFrom(frame, m_out->mcNo) || frame.mid(3, 3) != m_out->command) return false;
    if (m_out->replyLen > 0 && frame.size() != m_out->replyLen) return false;
    // Without a checksum a character damaged on the line (a parity error arrives as NUL) would
    // be read as a wrong value: every value must be four hexadecimal digits after its comma.
    if (m_out->command == "DRR") {
        const int n = (frame.size() - 11 - m_sumLen) / 5;
        for (int i = 1; i <= n; ++i) {
            if (frame[9 + 5 * (i - 1)] != ',') return false;
            for (char c : field(frame, i))
                if (!std::isxdigit(static_cast<unsigned char>(c))) return false;
        }
    }
    return true;
}

void KX5Link::countUnmatched(const QByteArray& frame) {
    // Bytes before any STX (the tail of a cut refusal, noise) are no one's frame.
    if (frame.isEmpty() || frame[0] != STX) return;
    const int mc = m_out ? m_out->mcNo : addressOf(frame);
    ++m_line.statsOf(mc).unmatched;
    m_line.statsCounted(mc);
    if (m_out && isFrom(frame, m_out->mcNo)) m_out->fault = LineFault::Unmatched;
    // The station's own answer to its monitor read, but not one that fits it.
    if (m_out && m_out->step == kStepMonitor && isFrom(frame, m_out->mcNo)) markStale(m_out->idx);
}

void KX5Link::handleRefusal(const QByteArray& frame) {
    if (!m_out || !isFrom(frame, m_out->mcNo)) {
        countUnmatched(frame);
        return;
    }
    // The watchdog keeps running: a station that refuses every poll is given up after three
    // time-outs, exactly like a silent one.
    ++m_line.statsOf(m_out->mcNo).refusals;
    m_line.statsCounted(m_out->mcNo);
    m_out->fault = LineFault::Refused;
    if (gSendStep < 20 && !m_out->rediscovery) m_line.noteFault(m_out->mcNo, LineFault::Refused);
    if (m_out->step == kStepMonitor) markStale(m_out->idx);
    // A refusal is an answer: a requested read or write is tried as often as a silent one
    // would be, then reported as refused.
    if (requestedStep() && ++m_stepRefusals >= kGiveUpAfter) {
        tmrRecvErr.stop();
        giveUp(true);
        sendTimerOn();
        return;
    }
    sendTimerOn();
}

void KX5Link::handleFrame(const QByteArray& frame) {
    if (!answers(frame)) {
        // Not this request's answer (a late one, another station's, another command's): it is
        // not stored, and the request stays outstanding under the same watchdog.
        countUnmatched(frame);
        return;
    }
    clampIndices();
    m_line.setConn(m_out->mcNo, ConnState::OK);
    if (m_out->command == "WHO")
        onModelReply(frame);
    else if (m_out->command == "DRR")
        onReadReply(frame);
    else
        onWriteAck(frame);
}

void KX5Link::countReply(bool accepted, bool sumOK, bool hasOK) {
    const int mc = m_out ? m_out->mcNo : 0;
    StationStats& st = m_line.statsOf(mc);
    m_line.statsCounted(mc);
    if (!accepted) {
        ++(!sumOK ? st.badSums : !hasOK ? st.noOk : st.refusals);
        if (m_out)
            m_out->fault = !sumOK   ? LineFault::BadChecksum
                           : !hasOK ? LineFault::NoOk
                                    : LineFault::Refused;
        return;
    }
    // The sweep's answer is told where the model is known to be a KX5.
    if (m_out && m_out->command != "WHO") emit stationAnswered(m_out->mcNo);
    ++st.good;
    st.lastGood = QDateTime::currentDateTimeUtc(); // the local clock reads the zone files
    const double ms = m_sentAt.isValid() ? m_sentAt.nsecsElapsed() / 1e6 : 0;
    st.totalMs += ms;
    st.worstMs = qMax(st.worstMs, ms);
}

void KX5Link::onModelReply(const QByteArray& frame) {
    // Whatever the station says settles its model query.
    countReply(true, true, true);
    const Transaction t = *m_out;
    tmrRecvErr.stop();
    m_out.reset();
    const ControllerModel m = modelFromReply(QString::fromLatin1(frame));
    m_line.setModel(t.mcNo, m);
    if (isKX5(m)) {
        if (gMC_No == 0) {
            gMC_SelIdx = t.idx;
            gMC_No = t.mcNo;
            if (m_host) m_host->showSelectedMcNo(QString::number(gMC_No));
            gLinkUp = true;
        }
        const QString model = modelText(m);
        m_sweepsUnheard = 0;
        if (t.rediscovery)
            emit stationFound(t.mcNo, model);
        else
            emit stationAnswered(t.mcNo);
    } else {
        m_line.setConn(t.mcNo, ConnState::NG, LineFault::NotKX5);
        emit stationFailed(t.mcNo, LineFault::NotKX5);
    }
    if (!t.rediscovery) endModelQuery();
    sendTimerOn();
}

void KX5Link::onReadReply(const QByteArray& frame) {
    const bool hasOK = QString::fromLatin1(frame).contains(QLatin1String("OK"));
    const bool sumOK = m_sumLen == 0 || CheckFrameSum(frame);
    countReply(hasOK && sumOK, sumOK, hasOK);
    if (!hasOK || !sumOK) {
        // The watchdog keeps running and the same request goes out again.
        if (gSendStep == kStepMonitor && (!sumOK || m_sumLen == 0))
            m_line.noteFault(m_out->mcNo, sumOK ? LineFault::NoOk : LineFault::BadChecksum);
        markStale(m_out->idx);
        m_port->flushInput();
        sendTimerOn();
        return;
    }
    const Transaction t = *m_out;
    tmrRecvErr.stop();
    m_out.reset();
    m_stepTimeouts = 0;
    m_stepRefusals = 0;
    if (t.step == kStepMonitor) {
        StoreMonitorReply(t.idx, frame);
        advanceMonitorPoll();
        sendTimerOn();
        return;
    }
    StoreParamReply(t.mcNo, t.step - kStepReadAll1 + 1, frame);
    if (t.step == kStepReadAll3) StoreRecorderKeys(t.idx, frame);
    const StepRow* def = findStep(t.step);
    if (def->next > 0) {
        enterStep(def->next);
    } else { // the last block: back to monitoring from the first connected station
        if (m_host) m_host->paramReadComplete();
        emit paramsRead(t.mcNo);
        if (m_current && !m_currentConfirmed) {
            const Said s = say(QT_TR_NOOP("MC [%1] parameters read"), m_current->mcNo);
            endCurrent(RequestOutcome::Done, s.text, s.shown);
        }
        m_current.reset();
        m_stepMcNo = 0;
        const int first = FindConnectedStation(0);
        gMC_Idx = first < 0 ? 0 : first;
        enterStep(kStepMonitor);
    }
    sendTimerOn();
}

void KX5Link::onWriteAck(const QByteArray& frame) {
    const bool hasOK = QString::fromLatin1(frame).contains(QLatin1String("OK"));
    const bool sumOK = m_sumLen == 0 || CheckFrameSum(frame);
    countReply(hasOK && sumOK, sumOK, hasOK);
    if (!hasOK || !sumOK) { // sent again, unchanged, under the same watchdog
        sendTimerOn();
        return;
    }
    const int step = m_out->step;
    tmrRecvErr.stop();
    m_out.reset();
    m_stepTimeouts = 0;
    m_stepRefusals = 0;
    if (m_current) {
        const Request& r = *m_current;
        m_line.storeWritten(r.mcNo, r.regs.empty() ? findStep(step)->regs : r.regs,
                            step == kStepWriteInput2 ? r.values2 : r.values);
    }
    if (step == kStepWriteInput1) {
        // Hold the scheduler while the controller takes in the new input type; the second
        // half goes out before anything else.
        tmrSend.stop();
        setPhase(Phase::InputPause);
        tmrPause.start();
        if (m_current) emit inputPauseStarted(*m_current);
        return;
    }
    const bool readBack = !m_current || m_current->readBack;
    if (m_current) {
        const Said s = say(QT_TR_NOOP("MC [%1] %2 written"), m_current->mcNo, &*m_current);
        endCurrent(RequestOutcome::Done, s.text, s.shown);
    }
    if (readBack) {
        enterStep(findStep(step)->next);
    } else {
        m_current.reset();
        m_stepMcNo = 0;
        enterStep(kStepMonitor);
    }
    sendTimerOn();
}

// The polled station's model query is settled: ask the next one, or end the sweep.
void KX5Link::endModelQuery() {
    gMC_NextIdx = NextStationIdx();
    if (gMC_NextIdx != 0) {
        gMC_Idx = gMC_NextIdx;
        enterStep(kStepModel);
        return;
    }
    setPanel(4, QString());
    if (m_host) m_host->SetOnlineState(true);
    const int first = FindConnectedStation(0);
    if (first < 0) { // nobody answered with a KX5 model: sweep again
        gMC_Idx = 0;
        enterStep(kStepModel);
    } else {
        gMC_Idx = first;
        enterStep(kStepReadAll1);
    }
}

void KX5Link::pause_Done() {
    tmrPause.stop();
    if (m_phase != Phase::InputPause || !m_port->isOpen()) return;
    enterStep(kStepWriteInput2);
    sendTimerOn();
}

// ---------------- watchdog and lamps ----------------

// A requested read or write that goes unanswered three times is given up, so it cannot hold
// the line; the poll goes on from the next station.
void KX5Link::giveUp(bool refused) {
    const int mc = m_out ? m_out->mcNo : m_stepMcNo;
    const bool secondHalf = gSendStep == kStepWriteInput2;
    const bool unconfirmed = m_current && !m_currentConfirmed;
    Said s;
    if (secondHalf)
        s = refused ? say(QT_TR_NOOP("MC [%1] ==> NG: input group 612-619 refused"), mc)
                    : say(QT_TR_NOOP("MC [%1] ==> NG: input group 612-619 not written"), mc);
    else if (unconfirmed)
        s = refused ? say(QT_TR_NOOP("MC [%1] ==> NG: %2 refused"), mc, &*m_current)
                    : say(QT_TR_NOOP("MC [%1] ==> NG: %2 not confirmed"), mc, &*m_current);
    else
        s = refused ? say(QT_TR_NOOP("MC [%1] ==> NG: parameter read refused"), mc)
                    : say(QT_TR_NOOP("MC [%1] ==> NG: parameter read not confirmed"), mc);
    setPanel(4, s.shown);
    const RequestOutcome outcome = secondHalf ? RequestOutcome::SecondHalfLost
                                   : refused  ? RequestOutcome::Refused
                                              : RequestOutcome::GivenUp;
    if (unconfirmed)
        endCurrent(outcome, s.text, s.shown);
    else
        emit requestEnded(Request::readAll(mc), outcome, s.text, s.shown);
    m_current.reset();
    m_out.reset();
    m_stepMcNo = 0;
    m_stepTimeouts = 0;
    m_stepRefusals = 0;
    mRecvErrCnt = 0;
    enterStep(kStepMonitor);
    advanceMonitorPoll();
}

void KX5Link::tmrRecvErr_Timer() {
    if (gathering()) {
        m_watchdogDue = true;
        return;
    }
    tmrRecvErr.stop();
    clampIndices();
    if (m_line.count() == 0) return;
    const int silent = m_out ? m_out->mcNo : m_line.mcNoAt(gMC_Idx);
    const int row = m_out ? m_out->idx + 1 : rowOf(silent);
    const bool rediscovery = m_out && m_out->rediscovery;
    const LineFault why = m_out && m_out->fault ? *m_out->fault : LineFault::Silent;
    m_line.setConn(silent, ConnState::NG, why);
    ++m_line.statsOf(silent).timeouts;
    m_line.statsCounted(silent);
    emit stationFailed(silent, why);
    markStale(row - 1);
    if (rediscovery) { // still off: the poll goes on, the next one is asked ten exchanges on
        m_out.reset();
    } else if (requestedStep()) {
        if (++m_stepTimeouts >= kGiveUpAfter) giveUp(false);
    } else if (++mRecvErrCnt > 2) {
        mRecvErrCnt = 0;
        m_out.reset(); // a late answer from this station no longer counts
        if (gSendStep == kStepModel) {
            setPanel(4, tr("MC [%1] ==> NG").arg(m_line.mcNoAt(gMC_Idx)));
            m_line.setUnanswered(m_line.mcNoAt(gMC_Idx));
            gMC_NextIdx = NextStationIdx();
            if (gMC_NextIdx != 0) {
                gMC_Idx = gMC_NextIdx;
            } else {
                int answered = 0;
                for (int i = 0; i < m_line.count(); ++i)
                    if (connState(i) == ConnState::OK) ++answered;
                if (answered == 0) {
                    sweepUnheard();
                    return;
                }
                if (m_host) m_host->SetOnlineState(true);
                setPanel(4, QString());
                const int first = FindConnectedStation(0);
                gMC_Idx = first < 0 ? 0 : first;
                enterStep(kStepReadAll1);
            }
        } else {
            advanceMonitorPoll();
        }
    }
    if (m_port->isOpen()) tmrSend.start(m_fast ? quietGapMs() : kSendTickMs);
}

// A whole sweep heard nobody: what was tried is said, as a wrong line setting looks just
// like this. A port the user opened closes; an unattended one is swept again after a pause.
void KX5Link::sweepUnheard() {
    const QString at = lineSettingsText();
    if (!m_keepTrying) {
        goOffline(tr("No station answered at %1").arg(at));
        emit nobodyAnswered(at, 0);
        return;
    }
    const int pause = qMin(kSweepPauseMaxMs, 1000 << qMin(m_sweepsUnheard++, 4));
    tmrSend.stop();
    setPhase(Phase::SweepPause);
    tmrSweepAgain.start(pause);
    setPanel(4, tr("No station answered at %1: asking again in %2 s").arg(at).arg(pause / 1000));
    emit nobodyAnswered(at, pause);
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
    const int mc = m_line.mcNoAt(idx);
    if (mc == 0 || !hasFields(frame, MonReg::Count)) return;
    std::array<int, StationValues::kCount> regs{};
    for (int i = 1; i <= MonReg::Count; ++i)
        regs[size_t(i - 1)] = HexToSigned(field(frame, i)).toInt();
    m_line.storeValues(mc, regs, QDateTime::currentDateTimeUtc());
}

void KX5Link::StoreRecorderKeys(int idx, const QByteArray& frame) {
    // Block 3 holds 501 to 506 too: a key written from a station's row shows its new state as
    // soon as the write's re-read brings it, not at the station's next monitor turn.
    const std::vector<int>& regs = findStep(kStepReadAll3)->regs;
    if (!hasFields(frame, count(regs))) return;
    std::array<int, 6> keys{};
    for (int i = 1; i <= count(regs); ++i) {
        const int reg = regs[size_t(i - 1)];
        if (reg >= 501 && reg <= 506)
            keys[size_t(reg - 501)] = HexToSigned(field(frame, i)).toInt();
    }
    m_line.storeKeys(m_line.mcNoAt(idx), keys);
}

std::optional<int> KX5Link::paramValue(int reg) const {
    return m_line.imageValue(gMC_No, reg);
}

const std::map<int, int>* KX5Link::paramImage(int mcNo) const {
    return m_line.image(mcNo);
}

ControllerModel KX5Link::model(int mcNo) const {
    const LineModel::Station* s = m_line.station(mcNo);
    return s ? s->model : ControllerModel::Unknown;
}

void KX5Link::markStale(int idx) {
    m_line.markStale(m_line.mcNoAt(idx));
}

void KX5Link::StoreParamReply(int mcNo, int block, const QByteArray& frame) {
    if (block < 1 || block > 4) return;
    const std::vector<int>& regs = findStep(kStepReadAll1 + block - 1)->regs;
    if (!hasFields(frame, count(regs))) return;
    m_line.storeImage(mcNo, regs, fieldValues(frame, count(regs)));
}
