// The link's receive side: the gather, frames checked against the request they must answer,
// refusals and faults counted, and what accepted replies carry stored in the line model.
#include "link/Cells.h"
#include "link/Frames.h"
#include "link/KX5Link.h"
#include "link/LinkWire.h"
#include "link/Steps.h"

#include <algorithm>

using namespace LinkWire;

// ---------------- receive ----------------

void KX5Link::MSComm1_OnComm() {
    if (!m_port->isOpen()) {
        m_port->flushInput();
        return;
    }
    setReceiving(true);
    m_timers.tmrBall_Recv.start();
    if (m_wire.fast) { // every byte as it comes: a frame is handled the moment it is complete
        readAndHandle();
        return;
    }
    // Let the rest of the reply come in; the window keeps painting meanwhile.
    if (!m_timers.tmrGather.isActive()) m_timers.tmrGather.start();
}

// Everything waiting is read and traced; a close the user asked for is done instead of parsing.
void KX5Link::readAndHandle() {
    const QByteArray bytes = m_port->readAll();
    m_timers.lastRead.start();
    sprdCommD.add(bytes, false);
    if (m_sched.gPortCloseReq)
        goOffline(LinkNote{});
    else
        handleBytes(bytes);
}

void KX5Link::gather_Done() {
    m_timers.tmrGather.stop();
    if (m_port->isOpen()) readAndHandle();
    // Ticks that fell due during the gather run now, unless its handling switched them off.
    const bool watchdog = m_timers.watchdogDue, send = m_timers.sendDue;
    m_timers.watchdogDue = m_timers.sendDue = false;
    if (watchdog && m_timers.tmrRecvErr.isActive()) tmrRecvErr_Timer();
    if (send && !m_timers.tmrSend.isActive() && !m_timers.tmrRecvErr.isActive() && m_port->isOpen())
        sendTimerOn();
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
bool KX5Link::answers(const QByteArray& frame, std::vector<int>* values) const {
    if (!m_out || !isFrom(frame, m_out->mcNo) || frame.mid(3, 3) != m_out->command) return false;
    if (m_out->replyLen > 0 && frame.size() != m_out->replyLen) return false;
    // A character damaged on the line (a parity error arrives as NUL) or a lower-case digit
    // would be stored as a wrong value: every value must be one by the rule the decoder reads.
    if (m_out->command == "DRR") {
        const int n = (frame.size() - 11 - m_wire.sumLen) / 5;
        values->clear();
        for (int i = 1; i <= n; ++i) {
            const std::optional<int> v = valueField(field(frame, i));
            if (frame[9 + 5 * (i - 1)] != ',' || !v) return false;
            values->push_back(*v);
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
    if (m_sched.gSendStep < 20 && !m_out->rediscovery)
        m_line.noteFault(m_out->mcNo, LineFault::Refused);
    if (m_out->step == kStepMonitor) {
        markStale(m_out->idx);
        pollExchangeDone();
    }
    // A refusal is an answer: a requested read or write is tried as often as a silent one
    // would be, then reported as refused.
    if (m_sched.requested() && ++m_sched.stepRefusals >= kGiveUpAfter) {
        m_timers.tmrRecvErr.stop();
        giveUp(true);
        sendTimerOn();
        return;
    }
    sendTimerOn();
}

void KX5Link::handleFrame(const QByteArray& frame) {
    std::vector<int> values; // a read reply's, decoded once
    if (!answers(frame, &values)) {
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
        onReadReply(frame, values);
    else
        onWriteAck(frame);
}

void KX5Link::countReply(bool accepted, bool sumOK, bool hasOK) {
    const int mc = m_out ? m_out->mcNo : 0;
    StationStats& st = m_line.statsOf(mc);
    if (!accepted) {
        ++(!sumOK ? st.badSums : !hasOK ? st.noOk : st.refusals);
        m_line.statsCounted(mc);
        if (m_out)
            m_out->fault = !sumOK   ? LineFault::BadChecksum
                           : !hasOK ? LineFault::NoOk
                                    : LineFault::Refused;
        return;
    }
    ++st.good;
    st.lastGood = QDateTime::currentDateTimeUtc(); // the local clock reads the zone files
    const double ms = m_timers.sentAt.isValid() ? m_timers.sentAt.nsecsElapsed() / 1e6 : 0;
    st.totalMs += ms;
    st.worstMs = qMax(st.worstMs, ms);
    m_line.statsCounted(mc);
    // The sweep's answer is told where the model is known to be a KX5.
    if (m_out && m_out->command != "WHO") emit stationAnswered(m_out->mcNo);
}

void KX5Link::onModelReply(const QByteArray& frame) {
    // Whatever the station says settles its model query.
    countReply(true, true, true);
    const Transaction t = *m_out;
    m_timers.tmrRecvErr.stop();
    m_out.reset();
    const ControllerModel m = modelFromReply(QString::fromLatin1(frame));
    m_line.setModel(t.mcNo, m);
    updateCurrentFor(); // the poll round follows the stations that answer
    if (isKX5(m)) {
        if (gMC_No == 0) {
            gMC_SelIdx = t.idx;
            gMC_No = t.mcNo;
            if (m_host) m_host->showSelectedMcNo(QString::number(gMC_No));
            gLinkUp = true;
        }
        const QString model = modelText(m);
        m_unattended.sweepsUnheard = 0;
        if (t.rediscovery)
            emit stationFound(t.mcNo, model);
        else
            emit stationAnswered(t.mcNo);
    } else {
        m_line.setConn(t.mcNo, ConnState::NG, LineFault::NotKX5);
        emit stationFailed(t.mcNo, LineFault::NotKX5);
    }
    if (!t.rediscovery) endModelQuery(false);
    sendTimerOn();
}

void KX5Link::onReadReply(const QByteArray& frame, const std::vector<int>& values) {
    const bool hasOK = QString::fromLatin1(frame).contains(QLatin1String("OK"));
    const bool sumOK = m_wire.sumLen == 0 || CheckFrameSum(frame);
    countReply(hasOK && sumOK, sumOK, hasOK);
    if (!hasOK || !sumOK) {
        // The watchdog keeps running and the same request goes out again.
        if (m_sched.gSendStep == kStepMonitor && (!sumOK || m_wire.sumLen == 0))
            m_line.noteFault(m_out->mcNo, sumOK ? LineFault::NoOk : LineFault::BadChecksum);
        markStale(m_out->idx);
        m_port->flushInput();
        sendTimerOn();
        return;
    }
    const Transaction t = *m_out;
    m_timers.tmrRecvErr.stop();
    m_out.reset();
    m_sched.startStep(m_sched.stepMcNo);
    if (t.step == kStepMonitor) {
        StoreMonitorReply(t.idx, values);
        pollExchangeDone();
        advanceMonitorPoll();
        sendTimerOn();
        return;
    }
    if (t.step == kStepReadBack) { // what the controller kept of the write: the job is done
        if (m_job.current && count(values) >= count(m_job.current->regs))
            m_line.storeImage(t.mcNo, m_job.current->regs, values);
        finishJob(RequestOutcome::Done);
        backToMonitoring();
        sendTimerOn();
        return;
    }
    StoreParamReply(t.mcNo, t.step - kStepReadAll1 + 1, values);
    if (t.step == kStepReadAll3) StoreRecorderKeys(t.idx, values);
    const StepRow* def = findStep(t.step);
    const bool oneBlock = m_job.current && m_job.current->block > 0 && !m_job.confirmed;
    if (def->next > 0 && !oneBlock) {
        m_sched.enter(def->next);
    } else { // the last block: back to monitoring
        if (!oneBlock) {
            if (m_host) m_host->paramReadComplete();
            emit paramsRead(t.mcNo);
        }
        if (m_job.current && !m_job.confirmed && m_job.current->source != kBackgroundSource)
            endCurrent(RequestOutcome::Done);
        finishJob(RequestOutcome::Done);
        backToMonitoring();
    }
    sendTimerOn();
}

// The poll goes on where it left off: starting again from the first station after every
// request would starve the later ones on a busy line.
void KX5Link::backToMonitoring() {
    m_sched.startStep(0);
    const int next = FindConnectedStation(m_sched.gMC_Idx);
    m_sched.gMC_Idx = next < 0 ? 0 : next;
    m_sched.enter(kStepMonitor);
}

void KX5Link::onWriteAck(const QByteArray& frame) {
    const bool hasOK = QString::fromLatin1(frame).contains(QLatin1String("OK"));
    const bool sumOK = m_wire.sumLen == 0 || CheckFrameSum(frame);
    countReply(hasOK && sumOK, sumOK, hasOK);
    if (!hasOK || !sumOK) { // sent again, unchanged, under the same watchdog
        sendTimerOn();
        return;
    }
    const int step = m_out->step;
    m_timers.tmrRecvErr.stop();
    m_out.reset();
    m_sched.startStep(m_sched.stepMcNo);
    if (step == kStepWriteInput1) {
        // Hold the scheduler while the controller takes in the new input type; the second
        // half goes out before anything else.
        m_timers.tmrSend.stop();
        m_sched.phase = Phase::InputPause;
        m_timers.tmrPause.start();
        if (m_job.current) emit inputPauseStarted(*m_job.current);
        return;
    }
    const bool readBack = !m_job.current || m_job.current->readBack;
    const bool readWritten = m_job.current && m_job.current->readBackWritten;
    if (m_job.current) endCurrent(RequestOutcome::Done);
    // The image changes only by what the controller reports: the read-back, not the values
    // sent.
    if (readWritten) {
        m_sched.enter(kStepReadBack);
    } else if (readBack) {
        m_sched.enter(findStep(step)->next);
    } else {
        finishJob(RequestOutcome::Done);
        backToMonitoring();
    }
    sendTimerOn();
}

// ---------------- storing replies ----------------

void KX5Link::StoreMonitorReply(int idx, const std::vector<int>& values) {
    const int mc = m_line.mcNoAt(idx);
    if (mc == 0 || count(values) < MonReg::Count) return;
    std::array<int, StationValues::kCount> regs{};
    std::copy_n(values.begin(), MonReg::Count, regs.begin());
    m_line.storeValues(mc, regs, QDateTime::currentDateTimeUtc());
}

void KX5Link::StoreMonitorReply(int idx, const QByteArray& frame) {
    if (hasFields(frame, MonReg::Count)) StoreMonitorReply(idx, fieldValues(frame, MonReg::Count));
}

void KX5Link::StoreRecorderKeys(int idx, const std::vector<int>& values) {
    // Block 3 holds 501 to 506 too: a key written from a station's row shows its new state as
    // soon as the write's re-read brings it, not at the station's next monitor turn.
    const std::vector<int>& regs = findStep(kStepReadAll3)->regs;
    if (count(values) < count(regs)) return;
    std::array<int, 6> keys{};
    for (int i = 0; i < count(regs); ++i) {
        const int reg = regs[size_t(i)];
        if (reg >= 501 && reg <= 506) keys[size_t(reg - 501)] = values[size_t(i)];
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

void KX5Link::StoreParamReply(int mcNo, int block, const std::vector<int>& values) {
    if (block < 1 || block > 4) return;
    const std::vector<int>& regs = findStep(kStepReadAll1 + block - 1)->regs;
    if (count(values) < count(regs)) return;
    m_line.storeImage(mcNo, regs, {values.begin(), values.begin() + count(regs)}, block);
}
