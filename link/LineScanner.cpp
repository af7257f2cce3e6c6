#include "link/LineScanner.h"

#include "link/ControllerModel.h"
#include "link/Frames.h"
#include "link/KX5Link.h"
#include "link/mdlKX5.h"

#include <cmath>

namespace {

constexpr int kWhoRequestLen = 8; // STX, address, "WHO", CR, LF; the checksum comes on top
constexpr int kWhoReplyLen = 22;  // and ",OK," with a ten-character model

bool isFrom(const QByteArray& frame, int mcNo) {
    return frame.size() >= 3 && frame[0] == STX && frame[1] == '0' + mcNo / 10 % 10 &&
           frame[2] == '0' + mcNo % 10;
}

} // namespace

QString ScanSetting::text() const {
    return line.text() + (protocol == PortSettings::Protocol::Std ? QLatin1String(" STD")
                                                                  : QLatin1String(" SUM"));
}

LineScanner::LineScanner(std::unique_ptr<SerialPort> port, QObject* parent)
    : QObject(parent), m_port(std::move(port)) {
    for (int n = 1; n <= 99; ++n)
        m_numbers.push_back(n);
    for (QTimer* t : {&m_wait, &m_gather, &m_next}) {
        t->setSingleShot(true);
        t->setTimerType(Qt::PreciseTimer);
    }
    m_gather.setInterval(KX5Link::kGatherMs);
    connect(&m_wait, &QTimer::timeout, this, &LineScanner::onTimeout);
    connect(&m_gather, &QTimer::timeout, this, &LineScanner::onGathered);
    connect(&m_next, &QTimer::timeout, this, &LineScanner::sendNext);
    connect(m_port.get(), &SerialPort::received, this, &LineScanner::onReceived);
    connect(m_port.get(), &SerialPort::failed, this, [this](const PortFault& why) {
        if (m_running)
            finish(false,
                   {.kind = ScanProblem::Kind::PortFailed, .port = m_portName, .fault = why});
    });
}

LineScanner::~LineScanner() {
    if (m_port->isOpen()) m_port->close();
}

const std::vector<int>& LineScanner::rates() {
    static const std::vector<int> r = {9600, 4800, 2400, 1200};
    return r;
}

std::vector<ScanSetting> LineScanner::allSettings(const ScanSetting& current) {
    std::vector<ScanSetting> out{current};
    for (const int rate : rates())
        for (const auto protocol : {PortSettings::Protocol::Std, PortSettings::Protocol::Sum}) {
            ScanSetting s = current;
            s.line.baud = rate;
            s.protocol = protocol;
            if (!(s == current)) out.push_back(s);
        }
    return out;
}

double LineScanner::charMs(const ScanSetting& s) const {
    return s.line.charMs();
}

int LineScanner::replyWaitMs(const ScanSetting& s) const {
    const double wire = (2 * s.sumLen() + kWhoRequestLen + kWhoReplyLen) * charMs(s);
    const int answer =
        m_fast ? KX5Link::kAnswerAllowanceMs : KX5Link::kReplyWaitMs + KX5Link::kGatherMs;
    return static_cast<int>(std::ceil(wire)) + answer;
}

int LineScanner::boundMs(const std::vector<ScanSetting>& settings) const {
    int total = 0;
    for (const ScanSetting& s : settings)
        total += replyWaitMs(s) * static_cast<int>(m_numbers.size());
    return total;
}

int LineScanner::remainingMs() const {
    if (!m_running) return 0;
    int total = 0;
    for (size_t i = m_settingIdx; i < m_settings.size(); ++i) {
        const size_t left = m_numbers.size() - (i == m_settingIdx ? m_numberIdx : 0);
        total += replyWaitMs(m_settings[i]) * static_cast<int>(left);
    }
    return total;
}

ScanProblem LineScanner::start(const std::vector<ScanSetting>& settings) {
    using K = ScanProblem::Kind;
    if (m_running) return {.kind = K::Running};
    if (m_link && (m_link->phase() != KX5Link::Phase::Closed || m_link->port()->isOpen()))
        return {.kind = K::LinkOpen, .port = m_portName};
    if (settings.empty() || m_numbers.empty()) return {.kind = K::Nothing};
    m_settings = settings;
    m_finds.clear();
    m_settingIdx = m_numberIdx = 0;
    m_done = 0;
    m_complete = false;
    if (const ScanProblem why = openAt(m_settings.front()); !why.isNone()) return why;
    m_running = true;
    emit progress(0, static_cast<int>(m_settings.size() * m_numbers.size()), m_settings.front());
    m_next.start(0);
    return {};
}

ScanProblem LineScanner::openAt(const ScanSetting& s) {
    if (m_port->isOpen()) m_port->close();
    m_port->setPortName(m_portName);
    m_port->setSettings(s.line);
    if (!m_port->open())
        return {.kind = ScanProblem::Kind::CannotOpen,
                .port = m_portName,
                .settings = s.line.text(),
                .fault = m_port->fault()};
    m_port->setRThreshold(1);
    m_port->flushInput();
    return {};
}

void LineScanner::cancel() {
    if (m_running) finish(true);
}

void LineScanner::finish(bool cancelled, const ScanProblem& problem) {
    m_wait.stop();
    m_gather.stop();
    m_next.stop();
    m_waiting = false;
    m_running = false;
    if (m_port->isOpen()) m_port->close();
    emit finished(cancelled, problem);
}

void LineScanner::sendNext() {
    if (!m_running) return;
    if (m_numberIdx >= m_numbers.size()) {
        m_numberIdx = 0;
        if (++m_settingIdx >= m_settings.size()) {
            m_complete = true;
            finish(false);
            return;
        }
        if (const ScanProblem why = openAt(m_settings[m_settingIdx]); !why.isNone()) {
            finish(false, why);
            return;
        }
    }
    const ScanSetting& s = m_settings[m_settingIdx];
    m_assembler.reset();
    m_port->flushInput(); // a late answer to the previous query is no one's
    m_waiting = true;
    m_wait.start(replyWaitMs(s));
    emit asking(m_numbers[m_numberIdx], s);
    m_port->write(buildModelReq(m_numbers[m_numberIdx], s.sumLen()));
}

void LineScanner::onReceived() {
    if (!m_waiting) {
        m_port->flushInput();
        return;
    }
    if (m_fast)
        onGathered();
    else if (!m_gather.isActive())
        m_gather.start();
}

void LineScanner::onGathered() {
    m_gather.stop();
    if (!m_running || !m_waiting) return;
    const ScanSetting& s = m_settings[m_settingIdx];
    const int mcNo = m_numbers[m_numberIdx];
    const int pause = m_fast ? static_cast<int>(std::floor(KX5Link::kQuietGapChars * charMs(s)))
                             : KX5Link::kSendTickMs;
    for (const ReplyAssembler::Event& e : m_assembler.feed(m_port->readAll())) {
        if (!isFrom(e.bytes, mcNo)) continue; // noise or another station: keep waiting
        if (e.kind == ReplyAssembler::Event::Kind::Refusal) {
            // It heard something at this setting but not a request it could take.
            advance(pause);
            return;
        }
        if (e.kind != ReplyAssembler::Event::Kind::Frame || e.bytes.mid(3, 3) != "WHO" ||
            e.bytes.size() != kWhoReplyLen + s.sumLen() ||
            (s.sumLen() > 0 && !CheckFrameSum(e.bytes)))
            continue;
        const QString text = QString::fromLatin1(e.bytes);
        ScanFind f{mcNo, text.mid(10, 10).trimmed(), isKX5(modelFromReply(text)), s};
        if (f.kx5) f.model = modelText(modelFromReply(text));
        m_finds.push_back(f);
        emit found(f);
        advance(pause);
        return;
    }
}

void LineScanner::onTimeout() {
    if (!m_running || !m_waiting) return;
    if (m_gather.isActive()) onGathered(); // what came in so far still counts
    // The wait already covers the line's quiet time: the next number goes out at once.
    if (m_waiting) advance(0);
}

void LineScanner::advance(int delayMs) {
    m_wait.stop();
    m_waiting = false;
    ++m_numberIdx;
    ++m_done;
    emit progress(m_done, static_cast<int>(m_settings.size() * m_numbers.size()),
                  m_settings[m_settingIdx]);
    m_next.start(delayMs);
}
