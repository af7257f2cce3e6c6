#include "gateway/LinkAdapter.h"

#include "link/KX5Link.h"
#include "services/LinkWords.h"

LinkAdapter::LinkAdapter(KX5Link* link, QObject* parent) : QObject(parent), m_link(link) {
    m_cancelCheck.setInterval(100);
    connect(&m_cancelCheck, &QTimer::timeout, this, &LinkAdapter::withdrawCancelled);
}

LinkAdapter::~LinkAdapter() {
    dropJobs();
}

StationView LinkAdapter::station(int mcNo) const {
    StationView s;
    const LineModel& line = m_link->line();
    const LineModel::Station* st = line.station(mcNo);
    s.inUse = st && st->inUse;
    if (!s.inUse) return s;
    s.values = &st->values;
    // One rule for every consumer; a closed port answers for nobody.
    s.answering = m_link->phase() != KX5Link::Phase::Closed && line.answering(mcNo);
    s.image = &st->image;
    const qint64 now = line.nowMs();
    for (size_t b = 0; b < s.imageAgeMs.size(); ++b)
        s.imageAgeMs[b] = st->imageAtMs[b] ? now - st->imageAtMs[b] : -1;
    s.imageMaxAgeMs = m_imageMaxAgeMs;
    if (m_alarmCounts) s.alarms = m_alarmCounts(mcNo);
    return s;
}

void LinkAdapter::setServing(bool on) {
    m_link->setBackgroundReads(on);
}

void LinkAdapter::submit(std::shared_ptr<LineJob> job) {
    QMetaObject::invokeMethod(
        this,
        [this, job] {
            m_jobs.push_back({job, m_nextSource++, nullptr});
            if (m_nextSource > 1 << 30) m_nextSource = 1;
            step(m_jobs.back());
            if (!m_cancelCheck.isActive()) m_cancelCheck.start();
        },
        Qt::QueuedConnection);
}

void LinkAdapter::dropJobs() {
    const FileNotice why =
        fileNotice("Gateway", QT_TRANSLATE_NOOP("Gateway", "the gateway stopped"), {});
    while (!m_jobs.empty()) {
        Running& run = m_jobs.back();
        if (!run.reply || m_link->withdraw(run.reply)) run.job->unsent = true;
        finish(m_jobs.size() - 1, false, why);
    }
}

// The job's next request goes to the link's queue under the job's own source.
void LinkAdapter::step(Running& run) {
    LineJob& job = *run.job;
    const auto i = size_t(&run - m_jobs.data());
    if (job.cancelled) {
        job.unsent = true;
        finish(
            i, false,
            fileNotice("Gateway", QT_TRANSLATE_NOOP("Gateway", "the client stopped waiting"), {}));
        return;
    }
    Request r;
    if (job.kind == LineJob::Kind::ReadImage) {
        r = Request::readBlock(job.mcNo, job.blocks[job.next]);
    } else {
        const auto [reg, value] = job.writes[job.next];
        r = Request::writeOneOf(job.mcNo, reg, value);
        // What the client reads next is what the controller kept, not what was sent.
        r.readBack = false;
        r.readBackWritten = true;
    }
    r.source = run.source;
    r.replyWaitMs = m_serialTimeoutMs;
    run.reply = m_link->submit(r);
    if (run.reply->isFinished()) { // refused at once: the port is down, the station unknown
        job.unsent = true;
        finish(i, false, LinkWords::ended(*run.reply));
        return;
    }
    connect(run.reply.get(), &LinkReply::finished, this,
            [this, reply = run.reply.get()] { onFinished(reply); });
}

void LinkAdapter::onFinished(LinkReply* reply) {
    for (size_t i = 0; i < m_jobs.size(); ++i) {
        Running& run = m_jobs[i];
        if (run.reply.get() != reply) continue;
        LineJob& job = *run.job;
        const RequestOutcome o = reply->outcome();
        const std::shared_ptr<LinkReply> keep = std::move(run.reply);
        if (o == RequestOutcome::Done) {
            ++job.next;
            const size_t total =
                job.kind == LineJob::Kind::Write ? job.writes.size() : job.blocks.size();
            if (job.next < total)
                step(run);
            else
                finish(i, true, FileNotice{});
        } else if (o == RequestOutcome::Replaced) {
            step(run); // its turn comes again
        } else {
            job.refused = o == RequestOutcome::Refused;
            finish(i, false, LinkWords::ended(*reply));
        }
        return;
    }
}

// A client that stopped waiting: what it asked for and is still waiting in the queue is not
// sent. A write already on the line is worked to its end.
void LinkAdapter::withdrawCancelled() {
    for (size_t i = 0; i < m_jobs.size();) {
        Running& run = m_jobs[i];
        if (run.job->cancelled && run.reply && m_link->withdraw(run.reply)) {
            run.job->unsent = true;
            finish(i, false,
                   fileNotice("Gateway", QT_TRANSLATE_NOOP("Gateway", "the client stopped waiting"),
                              {}));
            continue;
        }
        ++i;
    }
    if (m_jobs.empty()) m_cancelCheck.stop();
}

void LinkAdapter::finish(size_t i, bool ok, const FileNotice& text) {
    const std::shared_ptr<LineJob> job = m_jobs[i].job;
    m_jobs.erase(m_jobs.begin() + qsizetype(i));
    end(*job, ok, text);
}

void LinkAdapter::end(LineJob& job, bool ok, const FileNotice& text) {
    if (const auto done = std::exchange(job.done, nullptr)) done(ok, text);
}
