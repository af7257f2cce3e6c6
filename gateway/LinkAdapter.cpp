#include "gateway/LinkAdapter.h"

#include "link/KX5Link.h"
#include "link/Steps.h"

#include <QDateTime>

LinkAdapter::LinkAdapter(KX5Link* link, QObject* parent) : QObject(parent), m_link(link) {
    // A job waiting for a busy line is looked at again when the line changes, and at the latest
    // when its wait runs out.
    m_deadline.setSingleShot(true);
    connect(&m_deadline, &QTimer::timeout, this, &LinkAdapter::pump);
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
                pumpSoon();
            });
    connect(link, &KX5Link::paramsRead, this, &LinkAdapter::refresh);
    connect(link, &KX5Link::stationFound, this, [this](int mc) { refresh(mc); });
    connect(link, &KX5Link::stationFailed, this, [this](int mc) {
        refresh(mc);
        pumpSoon();
    });
    connect(link, &KX5Link::portClosed, this, &LinkAdapter::refreshAll);
    connect(link, &KX5Link::portLost, this, &LinkAdapter::refreshAll);
    // Whatever may have freed the line.
    connect(link, &KX5Link::portStateChanged, this, &LinkAdapter::pumpSoon);
    connect(link, &KX5Link::commandChanged, this, &LinkAdapter::pumpSoon);
    connect(link, &KX5Link::portLost, this, &LinkAdapter::pumpSoon);
    connect(link, &KX5Link::nobodyAnswered, this, &LinkAdapter::pumpSoon);
    connect(link, &KX5Link::requestEnded, this,
            [this](const Request& r, RequestOutcome o, const QString& text, const QString& shown) {
                onEnded(r, o, FileNotice{text, shown});
            });
    refreshAll();
}

LinkAdapter::~LinkAdapter() {
    dropJobs();
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

void LinkAdapter::dropJobs() {
    const FileNotice why =
        fileNotice("Gateway", QT_TRANSLATE_NOOP("Gateway", "the gateway stopped"), {});
    m_deadline.stop();
    for (Queued& q : m_queue) {
        q.job->unsent = true;
        end(*q.job, false, why);
    }
    m_queue.clear();
    if (m_active) finish(false, why);
}

// The link tells of a change from inside its own handling, before its scheduler has moved on:
// look once it has.
void LinkAdapter::pumpSoon() {
    if (m_pumpDue || m_active || m_queue.empty()) return;
    m_pumpDue = true;
    QMetaObject::invokeMethod(this, &LinkAdapter::pump, Qt::QueuedConnection);
}

void LinkAdapter::pump() {
    m_pumpDue = false;
    while (!m_active && !m_queue.empty()) {
        Queued q = std::move(m_queue.front());
        m_queue.pop_front();
        const qint64 now = QDateTime::currentMSecsSinceEpoch();
        if (q.job->cancelled) {
            q.job->unsent = true;
            end(*q.job, false,
                fileNotice("Gateway", QT_TRANSLATE_NOOP("Gateway", "the client stopped waiting"),
                           {}));
            continue;
        }
        if (now - q.since >= kQueueWaitMs) {
            q.job->unsent = true;
            end(*q.job, false,
                fileNotice("Gateway",
                           QT_TRANSLATE_NOOP("Gateway", "the line was busy for too long"), {}));
            continue;
        }
        // Only into an idle scheduler: a request waiting there would be replaced by ours. While
        // the port is down or closing the link refuses at once, and says why.
        const KX5Link::Phase p = m_link->phase();
        const bool idle = p == KX5Link::Phase::Monitoring && !m_link->pendingRequest();
        const bool down = p == KX5Link::Phase::Closed || p == KX5Link::Phase::Closing ||
                          p == KX5Link::Phase::Reopening || p == KX5Link::Phase::SweepPause;
        if (!idle && !down) {
            m_deadline.start(int(q.since + kQueueWaitMs - now));
            m_queue.push_front(std::move(q));
            return;
        }
        m_deadline.stop();
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
        m_active->unsent = true;
        finish(false, FileNotice{reply.refusal, reply.refusal});
    }
}

void LinkAdapter::onEnded(const Request& r, RequestOutcome outcome, const FileNotice& text) {
    if (!m_active || !m_sent || !(r == *m_sent)) {
        pumpSoon(); // someone else's request ended: the line may be free
        return;
    }
    m_sent.reset();
    // A window came first: ours goes again. The next register of a write queues as well: the
    // link is still finishing this one, and a window may be waiting for its turn.
    const bool more =
        m_active->kind == LineJob::Kind::Write && m_active->next + 1 < m_active->writes.size();
    if (outcome == RequestOutcome::Replaced || (outcome == RequestOutcome::Done && more)) {
        if (outcome == RequestOutcome::Done) ++m_active->next;
        m_queue.push_front({std::exchange(m_active, nullptr), QDateTime::currentMSecsSinceEpoch()});
        pumpSoon();
        return;
    }
    if (outcome == RequestOutcome::Done && m_active->kind == LineJob::Kind::Write) ++m_active->next;
    m_active->refused = outcome == RequestOutcome::Refused;
    finish(outcome == RequestOutcome::Done, text);
}

void LinkAdapter::finish(bool ok, const FileNotice& text) {
    const std::shared_ptr<LineJob> job = std::move(m_active);
    m_active.reset();
    m_sent.reset();
    if (job) end(*job, ok, text);
    pumpSoon();
}

void LinkAdapter::end(LineJob& job, bool ok, const FileNotice& text) {
    if (const auto done = std::exchange(job.done, nullptr)) done(ok, text);
}
