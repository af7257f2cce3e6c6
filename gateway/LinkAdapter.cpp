#include "gateway/LinkAdapter.h"

#include "link/KX5Link.h"
#include "link/Steps.h"

#include <QDateTime>

LinkAdapter::LinkAdapter(KX5Link* link, QObject* parent) : QObject(parent), m_link(link) {
    m_retry.setSingleShot(true);
    m_retry.setInterval(2); // the wait is part of a write's answer time
    connect(&m_retry, &QTimer::timeout, this, &LinkAdapter::pump);
    // A safety net: every station again once a second.
    m_every.setInterval(1000);
    connect(&m_every, &QTimer::timeout, this, &LinkAdapter::refreshAll);
    m_every.start();
    connect(&link->line(), &LineModel::stationChanged, this,
            [this](int mcNo, LineModel::Changes what) {
                if (what & LineModel::List)
                    refreshAll();
                else if (what & (LineModel::Values | LineModel::Freshness | LineModel::Conn |
                                 LineModel::Model | LineModel::Image))
                    refresh(mcNo);
            });
    connect(link, &KX5Link::paramsRead, this, &LinkAdapter::refresh);
    connect(link, &KX5Link::stationFound, this, [this](int mc) { refresh(mc); });
    connect(link, &KX5Link::stationFailed, this, [this](int mc) { refresh(mc); });
    connect(link, &KX5Link::portClosed, this, &LinkAdapter::refreshAll);
    connect(link, &KX5Link::portLost, this, &LinkAdapter::refreshAll);
    connect(
        link, &KX5Link::requestEnded, this,
        [this](const Request& r, RequestOutcome o, const QString& text) { onEnded(r, o, text); });
    refreshAll();
}

LinkAdapter::~LinkAdapter() {
    dropJobs(QStringLiteral("the gateway stopped"));
}

std::shared_ptr<const StationSnapshot> LinkAdapter::snapshot(int mcNo) const {
    static const auto none = std::make_shared<const StationSnapshot>();
    if (mcNo < 1 || mcNo > 99) return none;
    const auto& s = m_snapshots[size_t(mcNo)];
    return s ? s : none;
}

void LinkAdapter::refreshAll() {
    for (int mc = 1; mc <= 99; ++mc)
        refresh(mc);
}

void LinkAdapter::refresh(int mcNo) {
    auto s = std::make_shared<StationSnapshot>();
    const LineModel::Station* st = m_link->line().station(mcNo);
    s->inUse = st && st->inUse;
    if (s->inUse) s->values = st->values;
    s->answering = s->inUse && m_link->phase() != KX5Link::Phase::Closed && st->answered &&
                   st->conn == ConnState::OK && s->values.fresh;
    if (const std::map<int, int>* image = s->inUse ? m_link->paramImage(mcNo) : nullptr)
        s->image = *image;
    m_snapshots[size_t(mcNo)] = std::move(s);
}

void LinkAdapter::submit(std::shared_ptr<LineJob> job) {
    QMetaObject::invokeMethod(
        this,
        [this, job] {
            m_queue.push_back({job, QDateTime::currentMSecsSinceEpoch()});
            pump();
        },
        Qt::QueuedConnection);
}

void LinkAdapter::dropJobs(const QString& why) {
    m_retry.stop();
    for (Queued& q : m_queue)
        end(*q.job, false, why);
    m_queue.clear();
    if (m_active) finish(false, why);
}

void LinkAdapter::pump() {
    while (!m_active && !m_queue.empty()) {
        Queued q = std::move(m_queue.front());
        m_queue.pop_front();
        if (q.job->cancelled) {
            end(*q.job, false, QStringLiteral("the client stopped waiting"));
            continue;
        }
        if (QDateTime::currentMSecsSinceEpoch() - q.since > kQueueWaitMs) {
            end(*q.job, false, QStringLiteral("the line was busy for too long"));
            continue;
        }
        // Only into an idle scheduler: a request waiting there would be replaced by ours.
        const bool idle =
            m_link->phase() == KX5Link::Phase::Monitoring && !m_link->pendingRequest().has_value();
        if (!idle && m_link->phase() != KX5Link::Phase::Closed) {
            m_queue.push_front(std::move(q));
            m_retry.start();
            return;
        }
        m_active = q.job;
        startNext();
    }
}

void LinkAdapter::startNext() {
    const LineJob& job = *m_active;
    Request r;
    if (job.kind == LineJob::Kind::ReadImage) {
        r = Request::readAll(job.mcNo);
    } else {
        const auto [reg, value] = job.writes[job.next];
        r = Request::writeOneOf(job.mcNo, reg, value);
        // The acknowledgement is the answer, and the link puts the acknowledged value into the
        // station's image, so the blocks need not be read again before the next client's turn.
        r.readBack = false;
    }
    m_sent = std::make_unique<Request>(r);
    const RequestReply reply = m_link->request(r);
    if (!reply.taken) {
        m_sent.reset();
        finish(false, reply.refusal);
    }
}

void LinkAdapter::onEnded(const Request& r, RequestOutcome outcome, const QString& text) {
    const bool done = outcome == RequestOutcome::Done;
    if (!m_active || !m_sent || !(r == *m_sent)) return;
    m_sent.reset();
    if (outcome == RequestOutcome::Replaced) { // a window came first: ours goes again
        m_queue.push_front({m_active, QDateTime::currentMSecsSinceEpoch()});
        m_active.reset();
        m_retry.start();
        return;
    }
    if (!done) {
        finish(false, text);
        return;
    }
    if (m_active->kind == LineJob::Kind::Write && ++m_active->next < m_active->writes.size()) {
        startNext();
        return;
    }
    finish(true, text);
}

void LinkAdapter::finish(bool ok, const QString& text) {
    const std::shared_ptr<LineJob> job = std::move(m_active);
    m_active.reset();
    m_sent.reset();
    if (job) end(*job, ok, text);
    if (!m_queue.empty()) m_retry.start();
}

void LinkAdapter::end(LineJob& job, bool ok, const QString& text) {
    if (const auto done = std::exchange(job.done, nullptr)) done(ok, text);
}
