// The link's port: opening it, closing it, losing it and reopening it, and the unattended
// retries of a line that will not open or that nobody answers.
#include "link/KX5Link.h"

#include "link/LinkWire.h"

using namespace LinkWire;

namespace {

// A setting the port refused, named as the settings hold it ("abc", not the 0 it counts as).
PortFault named(PortFault f, const PortSettings& s) {
    using F = PortFault::Field;
    if (f.kind != PortFault::Kind::BadSettings) return f;
    const std::pair<F, int> lines[] = {{F::Baud, PortSettings::kBaud},
                                       {F::Parity, PortSettings::kParity},
                                       {F::DataBits, PortSettings::kDataBits},
                                       {F::StopBits, PortSettings::kStopBits}};
    f.text = s.commText();
    for (const auto& [field, line] : lines)
        if (field == f.field) f.text = s.text(line);
    return f;
}

} // namespace
// ---------------- port control ----------------

void KX5Link::openUnattended() {
    if (m_sched.phase != Phase::Closed) return;
    // Line settings no port takes never start to work by themselves: tried once, not for ever.
    m_unattended.keepTrying = m_wire.settings.canOpen();
    mSetPortOpen_Click();
}

void KX5Link::mSetPortOpen_Click() {
    if (m_sched.phase == Phase::Reopening) { // the user gives up on the lost port
        goOffline(LinkNote{});
        return;
    }
    if (m_sched.phase != Phase::Closed) {
        // Before any controller answered, between sweeps, or while the controller takes in a
        // new input type, there is no exchange worth finishing and no tick to close at: close
        // now, while the phase still tells what is cut short.
        const bool pausing =
            m_sched.phase == Phase::SweepPause || m_sched.phase == Phase::InputPause;
        if (!gLinkUp || pausing) {
            goOffline(LinkNote{});
            return;
        }
        m_sched.gPortCloseReq = true;
        m_sched.phase = Phase::Closing;
        return;
    }
    if (m_line.count() == 0) {
        note(LinkNote::Kind::NoStations);
        return;
    }
    note(LinkNote::Kind::Checking);
    offerClose(true);
    sprdCommD.clear();
    m_sched.gPortCloseReq = false;
    m_unattended.sweepsUnheard = 0;
    m_unattended.openedOnce = false;
    m_line.clearConn();
    OpenPort();
    const QString settings =
        m_wire.onLine.commText() + QLatin1Char(' ') + m_wire.onLine.text(PortSettings::kProtocol);
    if (!m_port->isOpen()) {
        emit portOpened(m_wire.onLine.port, settings, named(m_port->fault(), m_wire.onLine));
        if (m_unattended.keepTrying) { // tried again every kReopenMs, as a lost port is
            stopAll();
            m_unattended.reopenAttempt = 0;
            m_sched.phase = Phase::Reopening;
            m_timers.tmrReopen.start();
            note(LinkNote::Kind::CannotOpenRetrying, named(m_port->fault(), m_wire.onLine));
            return;
        }
        // OpenPort has noted the cause for the window to word; the command offers opening again.
        offerClose(false);
        stopAll();
        return;
    }
    m_unattended.openedOnce = true;
    emit portOpened(m_wire.onLine.port, settings, PortFault{});
    startSweep();
}

void KX5Link::startSweep() {
    m_line.markAllStale();
    gMC_No = 0;
    if (!m_turns.queue.empty() || m_job.current) dropRequests();
    m_turns.pollOwed = 0;
    m_sched = Schedule{}; // from the first station, nothing asked for
    m_turns.sinceRediscovery = 0;
    m_turns.rediscoverIdx = -1;
    m_out.reset();
    m_timers.lastRead.invalidate();
    m_sched.enter(kStepModel);
    // The rate and the pacing hold for as long as the port stays open.
    m_timers.tmrSend.start(m_wire.fast ? quietGapMs() : kSendTickMs);
}

void KX5Link::OpenPort() {
    takeSettings();
    m_port->setPortName(m_wire.onLine.port);
    m_port->setSettings(m_wire.onLine.line);
    if (!m_port->isOpen() && !m_port->open()) {
        note(LinkNote::Kind::CannotOpen, named(m_port->fault(), m_wire.onLine));
        return;
    }
    emit portStateChanged(true);
    offerClose(true);
}

void KX5Link::ClosePort() {
    const bool hadRequests = !m_turns.queue.empty() || m_job.current;
    const bool wasOpen = m_sched.phase != Phase::Closed || m_port->isOpen();
    stopAll();
    if (m_port->isOpen()) {
        m_port->flushInput();
        m_port->close();
    }
    if (!m_port->isOpen()) {
        emit portStateChanged(false);
        offerClose(false);
    }
    // Said while the phase still tells what was cut short.
    if (hadRequests) dropRequests();
    m_line.markAllStale();
    // Nothing on a closed line is answering: no station keeps a last "OK"; one that did not
    // answer keeps its "NG".
    m_line.clearAnswering();
    m_job.current.reset();
    m_sched.gPortCloseReq = false;
    m_unattended.keepTrying = false;
    m_sched.phase = Phase::Closed;
    if (wasOpen) emit portClosed(m_wire.onLine.port);
}

void KX5Link::goOffline(const std::optional<LinkNote>& why) {
    if (why) note(*why);
    ClosePort();
    offerClose(false);
    emit portStateChanged(false);
    if (m_host) m_host->SetOnlineState(false);
}

void KX5Link::onPortFailed(const PortFault& why) {
    if (!m_port->isOpen() && m_sched.phase == Phase::Closed) return;
    // A port that failed is closed without a flush: flushing it fails again.
    m_port->close();
    if (!m_unattended.autoReopen || m_sched.gPortCloseReq) {
        goOffline(LinkNote{.kind = LinkNote::Kind::PortClosed, .fault = why});
        return;
    }
    // Keep the port command at "close", so the user can end the retries; every station is
    // unheard until the line is back, so nothing stale is logged meanwhile.
    stopAll();
    emit portStateChanged(false);
    for (int i = 0; i < m_line.count(); ++i)
        m_line.setConn(m_line.mcNoAt(i), ConnState::NG);
    m_unattended.reopenAttempt = 0;
    note(LinkNote::Kind::PortLost);
    dropRequests();
    m_line.markAllStale();
    m_sched.phase = Phase::Reopening;
    m_timers.tmrReopen.start();
    emit portLost(why);
}

void KX5Link::reopen_Timer() {
    ++m_unattended.reopenAttempt;
    OpenPort();
    if (!m_port->isOpen()) {
        if (m_unattended.openedOnce)
            note(LinkNote::Kind::PortLostAttempt, PortFault{}, m_unattended.reopenAttempt);
        else
            note(LinkNote::Kind::CannotOpenAttempt, named(m_port->fault(), m_wire.onLine),
                 m_unattended.reopenAttempt);
        return;
    }
    m_timers.tmrReopen.stop();
    note(LinkNote::Kind::Checking);
    m_line.clearConn();
    // Nobody watches a line that came back by itself: its controllers may still be starting.
    m_unattended.keepTrying = true;
    m_unattended.sweepsUnheard = 0;
    if (m_unattended.openedOnce)
        emit portRestored();
    else
        emit portOpened(m_wire.onLine.port, lineSettingsText(), PortFault{});
    m_unattended.openedOnce = true;
    startSweep();
}

void KX5Link::sweepAgain_Timer() {
    m_timers.tmrSweepAgain.stop();
    if (m_sched.phase != Phase::SweepPause || !m_port->isOpen()) return;
    note(LinkNote::Kind::Checking);
    startSweep();
}

// A whole sweep heard nobody: what was tried is said, as a wrong line setting looks just
// like this. A port the user opened closes; an unattended one is swept again after a pause.
void KX5Link::sweepUnheard() {
    if (m_sched.gPortCloseReq) { // the user's close, asked for during the sweep's last wait
        goOffline(LinkNote{});
        return;
    }
    const QString at = lineSettingsText();
    if (!m_unattended.keepTrying) {
        goOffline(LinkNote{.kind = LinkNote::Kind::NobodyAnswered, .settings = at});
        emit nobodyAnswered(at, 0);
        return;
    }
    const int pause = qMin(kSweepPauseMaxMs, 1000 << qMin(m_unattended.sweepsUnheard++, 4));
    m_timers.tmrSend.stop();
    m_sched.phase = Phase::SweepPause;
    m_timers.tmrSweepAgain.start(pause);
    note(LinkNote{
        .kind = LinkNote::Kind::NobodyAnsweredRetrying, .settings = at, .number = pause / 1000});
    emit nobodyAnswered(at, pause);
}
