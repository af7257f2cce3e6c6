// The link's scheduler: requests taken and worked, the send tick and its pacing, the watchdog,
// and which station is polled next. The port and the receive side have files of their own.
#include "link/KX5Link.h"

#include "link/Frames.h"
#include "link/LinkWire.h"
#include "link/Steps.h"

#include <algorithm>
#include <cmath>

using namespace LinkWire;

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
    init(m_timers.tmrSend, kSendTickMs, false, &KX5Link::sendTimerFired);
    init(m_timers.tmrRecvErr, kReplyWaitMs, false, &KX5Link::tmrRecvErr_Timer);
    init(m_timers.tmrBall_Send, 250, false, &KX5Link::tmrBall_Send_Timer);
    init(m_timers.tmrBall_Recv, 250, false, &KX5Link::tmrBall_Recv_Timer);
    init(m_timers.tmrGather, kGatherMs, true, &KX5Link::gather_Done);
    init(m_timers.tmrPause, kPauseAfter105Ms, true, &KX5Link::pause_Done);
    init(m_timers.tmrReopen, kReopenMs, false, &KX5Link::reopen_Timer);
    init(m_timers.tmrSweepAgain, kSweepPauseMaxMs, false, &KX5Link::sweepAgain_Timer);

    connect(m_port.get(), &SerialPort::received, this, &KX5Link::MSComm1_OnComm);
    connect(m_port.get(), &SerialPort::failed, this, &KX5Link::onPortFailed);
}

QTimer& KX5Link::Timers::of(LinkTimer t) {
    switch (t) {
    case LinkTimer::Send:
        return tmrSend;
    case LinkTimer::RecvErr:
        return tmrRecvErr;
    case LinkTimer::BallSend:
        return tmrBall_Send;
    case LinkTimer::BallRecv:
        return tmrBall_Recv;
    case LinkTimer::Gather:
        return tmrGather;
    case LinkTimer::Pause:
        return tmrPause;
    case LinkTimer::Reopen:
        return tmrReopen;
    case LinkTimer::SweepAgain:
        break;
    }
    return tmrSweepAgain;
}

// The handler a timer's expiry runs; the send tick's own, without the fast pacing's wait for
// the rest of a quiet gap.
void KX5Link::fire(LinkTimer t) {
    switch (t) {
    case LinkTimer::Send:
        return tmrSend_Timer();
    case LinkTimer::RecvErr:
        return tmrRecvErr_Timer();
    case LinkTimer::BallSend:
        return tmrBall_Send_Timer();
    case LinkTimer::BallRecv:
        return tmrBall_Recv_Timer();
    case LinkTimer::Gather:
        return gather_Done();
    case LinkTimer::Pause:
        return pause_Done();
    case LinkTimer::Reopen:
        return reopen_Timer();
    case LinkTimer::SweepAgain:
        return sweepAgain_Timer();
    }
}

bool KX5Link::running(LinkTimer t) const {
    return m_timers.of(t).isActive();
}

int KX5Link::interval(LinkTimer t) const {
    return m_timers.of(t).interval();
}

void KX5Link::stop(LinkTimer t) {
    m_timers.of(t).stop();
}

KX5Link::~KX5Link() {
    if (m_port->isOpen()) m_port->close();
}

int KX5Link::selectedMcNo() const {
    return gMC_No;
}

void KX5Link::setPortSettings(const PortSettings& s) {
    m_wire.settings = s;
    if (m_sched.phase == Phase::Closed && !m_port->isOpen()) takeSettings();
}

// Frames and waits follow the settings the port was opened with: a frame format changed
// under an open port would go out on a line set up for the other one.
void KX5Link::takeSettings() {
    m_wire.onLine = m_wire.settings;
    m_wire.sumLen = m_wire.onLine.sumLen();
    m_wire.charMs = m_wire.onLine.charMs();
    const std::vector<int>& regs = findStep(kStepMonitor)->regs;
    m_wire.monitorBytes =
        int(buildReadReq(1, regs, m_wire.sumLen).size()) + readLen(count(regs), m_wire.sumLen);
    updateCurrentFor();
}

void KX5Link::setStations(const StationList& list) {
    m_line.setStations(list);
    updateCurrentFor();
    clampIndices();
    KeepSelectedStation();
}

// Every note names the port it is about.
void KX5Link::note(LinkNote n) {
    m_said.note = std::move(n);
    m_said.note.port = m_wire.onLine.port;
    emit noted(m_said.note);
}

void KX5Link::note(LinkNote::Kind kind, const PortFault& fault, int number) {
    note(LinkNote{.kind = kind, .fault = fault, .number = number});
}

void KX5Link::offerClose(bool closes) {
    m_said.offersClose = closes;
    emit commandChanged();
}

void KX5Link::setSending(bool on) {
    if (m_said.sending == on) return;
    m_said.sending = on;
    emit activityChanged();
}

void KX5Link::setReceiving(bool on) {
    if (m_said.receiving == on) return;
    m_said.receiving = on;
    emit activityChanged();
}

void KX5Link::stopAll() {
    m_timers.tmrSend.stop();
    m_timers.tmrRecvErr.stop();
    m_timers.tmrGather.stop();
    m_timers.tmrPause.stop();
    m_timers.tmrReopen.stop();
    m_timers.tmrSweepAgain.stop();
    m_timers.sendDue = m_timers.watchdogDue = false;
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
    const int answer = m_wire.fast ? kAnswerAllowanceMs : kReplyWaitMs + kGatherMs;
    return static_cast<int>(std::ceil(wire)) + answer;
}

int KX5Link::currentForMs() const {
    int answered = 0;
    for (int i = 0; i < m_line.count(); ++i)
        answered += m_line.at(i)->answered ? 1 : 0;
    const double round = std::max(answered, 1) * exchangeMs(m_wire.monitorBytes);
    return std::max(2000, int(std::ceil(3 * 2 * round)));
}

double KX5Link::exchangeMs(int bytes) const {
    return bytes * charMs() + (m_wire.fast ? quietGapMs() : kSendTickMs + kGatherMs);
}

void KX5Link::updateCurrentFor() {
    const int ms = currentForMs();
    if (ms != m_line.currentForMs()) m_line.setCurrentFor(ms);
}

void KX5Link::sendTimerOn() {
    // Always the pacing's own interval: a tick that waited out the rest of a quiet gap leaves
    // the timer at 0.
    if (!m_sched.holdsSending() && m_sched.gSendStep > 0)
        m_timers.tmrSend.start(m_wire.fast ? quietGapMs() : kSendTickMs);
}

// ---------------- requests ----------------

RequestReply KX5Link::request(const Request& r) {
    const std::shared_ptr<LinkReply> reply = submit(r);
    return {reply->refusal() == Refusal::None, reply->refusal(), reply->port(), r};
}

std::shared_ptr<LinkReply> KX5Link::submit(const Request& r) {
    auto reply = std::make_shared<LinkReply>(r);
    auto no = [&](Refusal why) {
        reply->end(RequestOutcome::Dropped, EndCause::NotSent, why,
                   why == Refusal::Reopening ? m_wire.onLine.port : QString());
        return reply;
    };
    const StepRow* row = findStep(r.step);
    // A read-all (or one block of it), or a write other than the input group's second half
    // (which follows its first).
    const bool requestable =
        row && ((row->kind == StepRow::Kind::Read && r.step != kStepMonitor &&
                 (r.step == kStepReadAll1 || r.block > 0)) ||
                (row->kind == StepRow::Kind::Write && r.step != kStepWriteInput2));
    if (!requestable) return no(Refusal::NotRequestable);
    switch (m_sched.phase) {
    case Phase::Closed:
        return no(Refusal::PortClosed);
    case Phase::Closing:
        return no(Refusal::PortClosing);
    case Phase::Reopening:
        return no(Refusal::Reopening);
    case Phase::Sweeping:
    case Phase::SweepPause:
        return no(Refusal::Checking);
    default:
        break;
    }
    const int idx = m_line.indexOf(r.mcNo);
    if (idx < 0) return no(Refusal::NotInUse);
    if (!m_line.at(idx)->answered) return no(Refusal::NotAnswered);
    if (row->kind == StepRow::Kind::Write) {
        const int n = row->regs.empty() ? row->count : count(row->regs);
        const bool regsOk = !row->regs.empty() || count(r.regs) == n;
        const bool valsOk =
            count(r.values) == n && (r.step != kStepWriteInput1 ||
                                     count(r.values2) == count(findStep(kStepWriteInput2)->regs));
        // A write whose values are missing would put zeros into the controller.
        if (!regsOk || !valsOk) return no(Refusal::Incomplete);
    }
    std::optional<Waiting> replaced;
    for (auto it = m_turns.queue.begin(); it != m_turns.queue.end(); ++it) {
        if (it->r.source != r.source) continue;
        replaced = *it;
        m_turns.queue.erase(it);
        break;
    }
    m_turns.queue.push_back({r, reply});
    if (replaced) // said once the queue is whole again: a listener may ask at once
        tellEnded(replaced->r, replaced->reply, RequestOutcome::Replaced, EndCause::NotSent);
    return reply;
}

bool KX5Link::withdraw(const std::shared_ptr<LinkReply>& reply) {
    for (auto it = m_turns.queue.begin(); it != m_turns.queue.end(); ++it) {
        if (it->reply != reply) continue;
        m_turns.queue.erase(it);
        reply->end(RequestOutcome::Dropped, EndCause::NotSent);
        return true;
    }
    return false;
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
    return m_job.current && !m_job.confirmed && m_job.current->isWrite();
}

void KX5Link::tellEnded(const Request& r, const std::shared_ptr<LinkReply>& reply,
                        RequestOutcome outcome, EndCause cause) {
    if (r.source != kBackgroundSource) emit requestEnded(r, outcome, cause);
    if (reply) reply->end(outcome, cause);
}

// The next request in rotation: the first source after the one served last that has one
// waiting. A windows' request cuts a windows' parameter read short between its blocks, as any
// running step gives way to a requested one; it still ends, once, so whoever asked for it is
// not left waiting.
void KX5Link::takePending() {
    auto next = m_turns.queue.end();
    for (auto it = m_turns.queue.begin(); it != m_turns.queue.end(); ++it) {
        const bool after = it->r.source > m_turns.lastSource;
        if (next == m_turns.queue.end()) {
            next = it;
            continue;
        }
        const bool nextAfter = next->r.source > m_turns.lastSource;
        if ((after && !nextAfter) || (after == nextAfter && it->r.source < next->r.source))
            next = it;
    }
    if (next == m_turns.queue.end()) return;
    // Out of the queue before anyone hears of anything: a listener may ask again at once.
    const Waiting taken = *next;
    m_turns.queue.erase(next);
    if (m_job.current && m_job.confirmed) {
        // A write's read-back cut short: the write stands, and its blocks are read again in
        // the background before anyone is served them.
        m_line.expireImage(m_job.current->mcNo);
        finishJob(RequestOutcome::Done);
        m_turns.pollOwed = 0;
    } else if (m_job.current) {
        tellEnded(*m_job.current, m_job.reply, RequestOutcome::Replaced, EndCause::NotFinished);
    }
    m_turns.lastSource = taken.r.source;
    startJob(taken.r, taken.reply);
}

void KX5Link::startJob(const Request& r, std::shared_ptr<LinkReply> reply) {
    m_job.current = r;
    m_job.reply = std::move(reply);
    m_job.confirmed = false;
    m_job.ms = 0;
    m_sched.startStep(r.mcNo);
    // The new request gets a reply wait of its own, not the rest of another's.
    m_timers.tmrRecvErr.stop();
    m_out.reset();
    m_sched.enter(r.step);
}

// An answering station whose image lacks a block (never read, or not since it came back) has
// that block read, in the poll's turn and never ahead of anyone's request.
bool KX5Link::takeBackgroundRead() {
    if (!m_turns.backgroundReads) return false;
    for (int i = 0; i < m_line.count(); ++i) {
        const LineModel::Station* st = m_line.at(i);
        if (!st->answered || st->conn != ConnState::OK) continue;
        for (int b = 1; b <= 4; ++b) {
            if (st->imageAtMs[size_t(b - 1)] != 0) continue;
            Request r = Request::readBlock(st->mcNo, b);
            r.source = kBackgroundSource;
            startJob(r, nullptr);
            return true;
        }
    }
    return false;
}

// Windows hear of a request's end as soon as it is decided (a write at its acknowledgement);
// its reply finishes with the job.
void KX5Link::endCurrent(RequestOutcome outcome, EndCause cause) {
    if (!m_job.current) return;
    if (outcome != RequestOutcome::Done) {
        finishJob(outcome, cause);
        return;
    }
    m_job.confirmed = true;
    if (m_job.current->source != kBackgroundSource)
        emit requestEnded(*m_job.current, outcome, cause);
}

void KX5Link::finishJob(RequestOutcome outcome, EndCause cause) {
    if (!m_job.current) return;
    const Request r = *m_job.current;
    const std::shared_ptr<LinkReply> reply = std::move(m_job.reply);
    const bool told = m_job.confirmed;
    m_job.current.reset();
    m_job.reply.reset();
    m_job.confirmed = false;
    // The poll gets a quarter more of the line's time than the request took (a monitor
    // exchange the unit), so it keeps more than half of the line whatever the pacing.
    if (m_line.findAnswered(0) >= 0) {
        const double monitor = exchangeMs(m_wire.monitorBytes);
        m_turns.pollOwed = std::clamp(int(std::ceil(1.25 * m_job.ms / monitor)), 1, 4);
    }
    // The link's own background read gives the poll its turn next, but never holds up
    // anyone's request.
    m_turns.owedSoft = r.source == kBackgroundSource;
    m_job.ms = 0;
    if (told && outcome == RequestOutcome::Done) {
        if (reply) reply->end(outcome, cause);
    } else {
        tellEnded(r, reply, outcome, cause);
    }
}

void KX5Link::pollExchangeDone() {
    if (m_turns.pollOwed > 0) --m_turns.pollOwed;
}

// The port went down: nothing waiting or unconfirmed is delivered later.
void KX5Link::dropRequests() {
    while (!m_turns.queue.empty()) {
        const Waiting w = m_turns.queue.front();
        m_turns.queue.pop_front();
        tellEnded(w.r, w.reply, RequestOutcome::Dropped, EndCause::NotSent);
    }
    if (m_job.current) {
        const bool secondHalf =
            m_sched.phase == Phase::InputPause ||
            (m_sched.phase == Phase::Writing && m_sched.gSendStep == kStepWriteInput2);
        if (secondHalf)
            finishJob(RequestOutcome::SecondHalfLost, EndCause::PortClosed);
        else if (m_job.confirmed) // written; only its read-back is cut short
            finishJob(RequestOutcome::Done);
        else
            finishJob(RequestOutcome::Dropped, EndCause::NotFinished);
    }
    m_job.current.reset();
    m_turns.pollOwed = 0;
    m_sched.startStep(0);
}

// ---------------- station indices ----------------

int KX5Link::NextStationIdx() const {
    return m_sched.nextIdx(m_line.count());
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
    return idx >= 0 ? idx + 1 : m_sched.gMC_Idx + 1;
}

void KX5Link::clampIndices() {
    m_sched.clamp(m_line.count());
    if (gMC_SelIdx < 0 || gMC_SelIdx >= m_line.count()) gMC_SelIdx = 0;
}

void KX5Link::advanceMonitorPoll() {
    int next = FindConnectedStation(m_sched.gMC_Idx + 1);
    if (next < 0) next = FindConnectedStation(0);
    m_sched.gMC_Idx = next < 0 ? 0 : next;
}

// ---------------- send tick ----------------

// The timer's ticks come through here: in the fast pacing the line stays quiet for 3.5
// characters after the last byte heard, which a millisecond timer can only round; the rest,
// under a millisecond, is waited out by ticking again at once.
void KX5Link::sendTimerFired() {
    if (m_wire.fast && m_timers.lastRead.isValid() &&
        kQuietGapChars * charMs() * 1e6 > double(m_timers.lastRead.nsecsElapsed())) {
        m_timers.tmrSend.start(0);
        return;
    }
    tmrSend_Timer();
}

void KX5Link::tmrSend_Timer() {
    if (gathering()) {
        m_timers.sendDue = true;
        m_timers.tmrSend.stop();
        return;
    }
    m_timers.tmrSend.stop();
    if (m_sched.gPortCloseReq) {
        goOffline(LinkNote{});
        return;
    }
    // A tick on a closed port still traces its request; nothing goes out while the port is
    // being reopened or the controller takes in a new input type.
    if (m_sched.holdsSending() && m_sched.phase != Phase::Closed) return;
    if (m_sched.gMC_NextIdx > 0) {
        m_sched.gMC_Idx = m_sched.gMC_NextIdx;
        m_sched.gMC_NextIdx = 0;
    }
    clampIndices();
    if (m_line.count() == 0) return; // nothing to poll
    m_assembler.reset();
    // Between two requests the poll has its share. A windows' request may cut a windows'
    // parameter read or read-back short, as any requested step pre-empts the one running;
    // never a write before its acknowledgement, nor another source's work.
    const bool idle = !m_job.current && m_sched.gSendStep == kStepMonitor;
    const bool cutsRead = m_job.current && m_job.current->source == 0 &&
                          (m_job.confirmed || !m_job.current->isWrite()) &&
                          m_sched.phase != Phase::InputPause &&
                          std::any_of(m_turns.queue.begin(), m_turns.queue.end(),
                                      [](const Waiting& w) { return w.r.source == 0; });
    const bool pollFirst = m_turns.pollOwed > 0 && !m_turns.owedSoft && m_line.findAnswered(0) >= 0;
    if (!m_turns.queue.empty() && ((idle && !pollFirst) || cutsRead ||
                                   (!m_job.current && m_sched.phase != Phase::Sweeping &&
                                    m_sched.gSendStep != kStepMonitor))) {
        takePending();
    } else if (idle && m_turns.pollOwed == 0 && takeBackgroundRead()) {
        // the background read goes out below
    } else if (rediscoveryDue()) {
        sendRediscovery();
        return;
    }
    const StepRow* step = findStep(m_sched.gSendStep);
    if (!step) return; // a step without a request sends nothing
    const int polled = m_line.mcNoAt(m_sched.gMC_Idx);
    int target = step->target == StepRow::Target::Polled ? polled : gMC_No;
    if (m_sched.stepMcNo > 0) target = m_sched.stepMcNo;
    const int idx = rowOf(target) - 1;

    switch (step->kind) {
    case StepRow::Kind::Model:
        sendFrame(buildModelReq(target, m_wire.sumLen), m_sched.gSendStep, target, idx, 0, false);
        break;
    case StepRow::Kind::Read: {
        if (m_sched.gSendStep == kStepMonitor) ++m_turns.sinceRediscovery;
        // A read-back names the registers its write wrote.
        const std::vector<int>& regs =
            step->regs.empty() && m_job.current ? m_job.current->regs : step->regs;
        sendFrame(buildReadReq(target, regs, m_wire.sumLen), m_sched.gSendStep, target, idx,
                  readLen(count(regs), m_wire.sumLen), false);
        break;
    }
    case StepRow::Kind::Write: {
        if (!m_job.current) { // only a request starts a write; nothing to write without one
            m_sched.enter(kStepMonitor);
            sendTimerOn();
            return;
        }
        const std::vector<int>& regs = step->regs.empty() ? m_job.current->regs : step->regs;
        const std::vector<int>& vals = step->values == StepRow::Values::RegVal2
                                           ? m_job.current->values2
                                           : m_job.current->values;
        sendFrame(buildWriteReq(target, regs, vals, m_wire.sumLen), m_sched.gSendStep, target, idx,
                  ackLen(m_wire.sumLen), false);
        break;
    }
    }
}

// Traces the frame, arms the port for the answer, writes it and makes it the outstanding
// transaction. The reply wait runs from the first send of a transaction; a retry of the same
// one keeps what is left of it.
void KX5Link::sendFrame(const QByteArray& frame, int step, int mcNo, int idx, int replyLen,
                        bool rediscovery) {
    setSending(true);
    m_timers.tmrBall_Send.start();
    sprdCommD.add(frame, true);
    const QByteArray command = frame.mid(3, 3);
    // The fast pacing handles every byte as it comes, so a write's acknowledgement is read
    // to its end whatever pieces it arrives in.
    m_port->setRThreshold(command == "DWR" && !m_wire.fast ? kWriteThreshold : 1);
    if (!m_port->isOpen()) return;
    const bool retry = m_out && m_out->step == step && m_out->mcNo == mcNo;
    if (!retry || !m_timers.tmrRecvErr.isActive()) {
        const int expected = replyLen > 0 ? replyLen : modelReplyLen(m_wire.sumLen);
        int wait = replyWaitMs(static_cast<int>(frame.size()), expected);
        if (m_job.current && m_job.current->replyWaitMs > 0 && step != kStepMonitor && !rediscovery)
            wait =
                std::max(m_job.current->replyWaitMs,
                         int(std::ceil((frame.size() + expected) * charMs())) + kAnswerAllowanceMs);
        m_timers.tmrRecvErr.setInterval(wait);
        m_timers.tmrRecvErr.start();
    }
    m_out = Transaction{step, mcNo, idx, command, replyLen, rediscovery, {}};
    if (m_job.current && step != kStepMonitor && !rediscovery)
        m_job.ms += exchangeMs(int(frame.size()) +
                               (replyLen > 0 ? replyLen : modelReplyLen(m_wire.sumLen)));
    if (!m_port->write(frame)) return; // failed() follows and takes the port down
    ++m_line.statsOf(mcNo).requests;
    m_line.statsCounted(mcNo);
    m_timers.sentAt.start();
}

bool KX5Link::rediscoveryDue() const {
    if (m_sched.phase != Phase::Monitoring || m_sched.gSendStep != kStepMonitor ||
        !m_turns.queue.empty() || m_turns.sinceRediscovery < kRediscoverEvery - 1)
        return false;
    return m_line.anyUnanswered();
}

// One station in use that has not answered is asked for its model, the next one each time.
void KX5Link::sendRediscovery() {
    const int n = m_line.count();
    for (int k = 1; k <= n; ++k) {
        const int i = (m_turns.rediscoverIdx + k) % n;
        if (m_line.at(i)->answered) continue;
        m_turns.rediscoverIdx = i;
        m_turns.sinceRediscovery = 0;
        const int mc = m_line.mcNoAt(i);
        sendFrame(buildModelReq(mc, m_wire.sumLen), kStepModel, mc, i, 0, true);
        return;
    }
}

// The polled station's model query is settled, by an answer or, when `silent`, by its third
// time-out: ask the next one, or end the sweep. Without a KX5 anywhere a sweep that ends in an
// answer starts again; one that ends in silence gives the line up (false: the port closed or
// the next sweep waits).
bool KX5Link::endModelQuery(bool silent) {
    m_sched.gMC_NextIdx = NextStationIdx();
    if (m_sched.gMC_NextIdx != 0) {
        m_sched.gMC_Idx = m_sched.gMC_NextIdx;
        m_sched.enter(kStepModel);
        return true;
    }
    const int first = FindConnectedStation(0);
    if (first < 0 && silent) {
        sweepUnheard();
        return false;
    }
    note(LinkNote::Kind::Clear);
    if (m_host) m_host->SetOnlineState(true);
    m_sched.gMC_Idx = first < 0 ? 0 : first;
    m_sched.enter(first < 0 ? kStepModel : kStepReadAll1);
    return true;
}

void KX5Link::pause_Done() {
    m_timers.tmrPause.stop();
    if (m_sched.phase != Phase::InputPause || !m_port->isOpen()) return;
    m_sched.enter(kStepWriteInput2);
    sendTimerOn();
}

// ---------------- watchdog and lamps ----------------

// A requested read or write that goes unanswered three times is given up, so it cannot hold
// the line; the poll goes on from the next station.
void KX5Link::giveUp(bool refused) {
    const int mc = m_out ? m_out->mcNo : m_sched.stepMcNo;
    const bool secondHalf = m_sched.gSendStep == kStepWriteInput2;
    const bool unconfirmed = m_job.current && !m_job.confirmed;
    const EndCause cause = refused ? EndCause::Refused : EndCause::Unanswered;
    const RequestOutcome outcome = secondHalf ? RequestOutcome::SecondHalfLost
                                   : refused  ? RequestOutcome::Refused
                                              : RequestOutcome::GivenUp;
    if (unconfirmed) {
        endCurrent(outcome, cause);
    } else {
        // A write's read-back: the write stands, its blocks are read again before they are
        // served.
        if (m_job.current && m_job.current->source != kBackgroundSource)
            emit requestEnded(Request::readAll(mc), outcome, cause);
        m_line.expireImage(mc);
        finishJob(RequestOutcome::Done);
    }
    m_job.current.reset();
    m_out.reset();
    m_sched.startStep(0);
    m_sched.mRecvErrCnt = 0;
    m_sched.enter(kStepMonitor);
    advanceMonitorPoll();
}

void KX5Link::tmrRecvErr_Timer() {
    if (gathering()) {
        m_timers.watchdogDue = true;
        return;
    }
    m_timers.tmrRecvErr.stop();
    clampIndices();
    if (m_line.count() == 0) return;
    const int silent = m_out ? m_out->mcNo : m_line.mcNoAt(m_sched.gMC_Idx);
    const int row = m_out ? m_out->idx + 1 : rowOf(silent);
    const bool rediscovery = m_out && m_out->rediscovery;
    const LineFault why = m_out && m_out->fault ? *m_out->fault : LineFault::Silent;
    m_line.setConn(silent, ConnState::NG, why);
    ++m_line.statsOf(silent).timeouts;
    m_line.statsCounted(silent);
    emit stationFailed(silent, why);
    markStale(row - 1);
    if (!rediscovery && m_sched.gSendStep == kStepMonitor) pollExchangeDone();
    if (rediscovery) { // still off: the poll goes on, the next one is asked ten exchanges on
        m_out.reset();
    } else if (m_sched.requested()) {
        if (++m_sched.stepTimeouts >= kGiveUpAfter) giveUp(false);
    } else if (++m_sched.mRecvErrCnt > 2) {
        m_sched.mRecvErrCnt = 0;
        m_out.reset(); // a late answer from this station no longer counts
        if (m_sched.gSendStep == kStepModel) {
            note(LinkNote{.kind = LinkNote::Kind::StationSilent,
                          .mcNo = m_line.mcNoAt(m_sched.gMC_Idx)});
            m_line.setUnanswered(m_line.mcNoAt(m_sched.gMC_Idx));
            updateCurrentFor();
            if (!endModelQuery(true)) return;
        } else {
            advanceMonitorPoll();
        }
    }
    if (m_port->isOpen()) m_timers.tmrSend.start(m_wire.fast ? quietGapMs() : kSendTickMs);
}

void KX5Link::tmrBall_Send_Timer() {
    setSending(false);
    m_timers.tmrBall_Send.stop();
}

void KX5Link::tmrBall_Recv_Timer() {
    setReceiving(false);
    m_timers.tmrBall_Recv.stop();
}
