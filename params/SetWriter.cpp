#include "params/SetWriter.h"

#include "link/Cells.h"
#include "link/KX5Link.h"
#include "link/Steps.h"
#include "link/mdlKX5.h"
#include "services/LinkWords.h"

#include <QCoreApplication>
#include <algorithm>

namespace {

// The reports are shown in the Write Set window; no widget here, so the context is named.
QString say(const char* text) {
    return QCoreApplication::translate("SetWriter", text);
}

bool inInputGroup(int reg) {
    return reg >= 610 && reg <= 619;
}

QString regList(const std::vector<ParamDiff>& diffs, size_t most = 4) {
    QStringList names;
    for (size_t i = 0; i < diffs.size() && i < most; ++i)
        //: A register that differs: name (register) the station's value, the set's value.
        names << say(QT_TRANSLATE_NOOP("SetWriter", "%1 (%2) %3, set %4"))
                     .arg(diffs[i].name)
                     .arg(diffs[i].reg)
                     .arg(diffs[i].station, diffs[i].set);
    if (diffs.size() > most)
        names << say(QT_TRANSLATE_NOOP("SetWriter", "%1 more")).arg(diffs.size() - most);
    return names.join(QStringLiteral("; "));
}

} // namespace

SetWriter::SetWriter(KX5Link* link, ParamSet set, std::vector<int> mcNos, QObject* parent)
    : QObject(parent), m_link(link), m_set(std::move(set)) {
    for (int mc : mcNos) {
        m_stations.push_back(Station{});
        m_stations.back().mcNo = mc;
    }
    connect(link, &KX5Link::requestEnded, this,
            [this](const Request& r, RequestOutcome outcome, EndCause cause) {
                onEnded(r, outcome, LinkWords::ended(r, outcome, cause).shown);
            });
    connect(link, &KX5Link::paramsRead, this, &SetWriter::onRead);
}

QString SetWriter::stateWord(State s) {
    switch (s) {
    case State::Waiting:
        return say(QT_TRANSLATE_NOOP("SetWriter", "waiting"));
    case State::Reading:
        return say(QT_TRANSLATE_NOOP("SetWriter", "reading"));
    case State::NotAnswering:
        return say(QT_TRANSLATE_NOOP("SetWriter", "not answering"));
    case State::Equal:
        return say(QT_TRANSLATE_NOOP("SetWriter", "unchanged"));
    case State::Differs:
        return say(QT_TRANSLATE_NOOP("SetWriter", "differs"));
    case State::Writing:
        return say(QT_TRANSLATE_NOOP("SetWriter", "writing"));
    case State::Verified:
        return say(QT_TRANSLATE_NOOP("SetWriter", "written and verified"));
    case State::Refused:
        return say(QT_TRANSLATE_NOOP("SetWriter", "refused (NG)"));
    case State::NotConfirmed:
        return say(QT_TRANSLATE_NOOP("SetWriter", "not confirmed"));
    case State::Stopped:
        return say(QT_TRANSLATE_NOOP("SetWriter", "stopped"));
    }
    return QString();
}

int SetWriter::writtenCount() const {
    int n = 0;
    for (const Station& s : m_stations)
        n += s.written;
    return n;
}

int SetWriter::refusals(int mcNo) const {
    const auto it = m_link->lineStats().find(mcNo);
    return it == m_link->lineStats().end() ? 0 : int(it->second.refusals);
}

bool SetWriter::compare(QString* error) {
    if (m_busy) return false;
    // A set is only meaningful for the model it was taken from: checked for every station
    // before anything goes out.
    for (const Station& st : m_stations) {
        const ControllerModel model = m_link->model(st.mcNo);
        if (isKX5(model) && model != m_set.model) {
            *error = say(QT_TRANSLATE_NOOP(
                             "SetWriter",
                             "line 2: the set is of a %1, MC %2 is a %3. Nothing was sent."))
                         .arg(modelText(m_set.model))
                         .arg(st.mcNo)
                         .arg(modelText(model));
            return false;
        }
    }
    m_writing = false;
    m_cancel = false;
    m_busy = true;
    m_at = -1;
    next();
    return true;
}

void SetWriter::write() {
    if (m_busy) return;
    m_writing = true;
    m_cancel = false;
    m_busy = true;
    m_at = -1;
    next();
}

void SetWriter::cancel() {
    if (m_busy) m_cancel = true;
}

void SetWriter::next() {
    m_wait = Wait::None;
    m_request.reset();
    const State due = m_writing ? State::Differs : State::Waiting;
    while (++m_at < int(m_stations.size())) {
        Station& st = m_stations[size_t(m_at)];
        if (st.state != due) continue;
        if (m_cancel) {
            st.state = State::Stopped;
            st.report = m_writing
                            ? say(QT_TRANSLATE_NOOP("SetWriter", "cancelled: nothing written"))
                            : say(QT_TRANSLATE_NOOP("SetWriter", "cancelled: not read"));
            emit stationChanged(m_at);
            continue;
        }
        startStation();
        return;
    }
    m_busy = false;
    emit finished();
}

void SetWriter::startStation() {
    Station& st = m_stations[size_t(m_at)];
    m_finalRead = false;
    m_finalNote.clear();
    if (!m_writing) {
        st.state = State::Reading;
        emit stationChanged(m_at);
        readNow();
        return;
    }
    st.state = State::Writing;
    st.attempted = true;
    st.written = 0;
    st.report.clear();
    m_writes = plan(st);
    emit stationChanged(m_at);
    sendNext();
}

// The input type and unit go first, as the input window sends them: the controller resets
// the rest of the input group when they change, so 612 to 619 follow after its pause. Then
// each other register on its own, so nothing is sent that the confirmation did not show.
std::vector<Request> SetWriter::plan(const Station& st) const {
    const auto setRaw = [this](int reg) {
        for (const ParamSetEntry& e : m_set.entries)
            if (e.reg == reg) return e.raw;
        return 0;
    };
    std::vector<Request> out;
    const bool typeChange = std::any_of(st.diffs.begin(), st.diffs.end(), [](const ParamDiff& d) {
        return d.reg == 610 || d.reg == 611;
    });
    if (typeChange) {
        std::vector<int> second;
        for (int reg : findStep(kStepWriteInput2)->regs)
            second.push_back(setRaw(reg));
        out.push_back(Request::inputWrite(st.mcNo, {setRaw(610), setRaw(611)}, second));
        out.back().readBack = false; // the station is read whole once its writes are done
    }
    std::vector<int> regs;
    for (const ParamDiff& d : st.diffs)
        if (!(typeChange && inInputGroup(d.reg))) regs.push_back(d.reg);
    std::stable_sort(regs.begin(), regs.end(), [](int a, int b) {
        if (inInputGroup(a) != inInputGroup(b)) return inInputGroup(a);
        return a < b;
    });
    for (int reg : regs) {
        out.push_back(Request::writeOne(st.mcNo, reg, setRaw(reg)));
        out.back().readBack = false;
    }
    return out;
}

void SetWriter::sendNext() {
    Station& st = m_stations[size_t(m_at)];
    if (m_cancel) {
        endStation(State::Stopped,
                   say(QT_TRANSLATE_NOOP("SetWriter", "cancelled: %1 of %2 registers written"))
                       .arg(st.written)
                       .arg(st.diffs.size()));
        return;
    }
    if (m_writes.empty()) {
        m_finalRead = true;
        readNow();
        return;
    }
    const Request r = m_writes.front();
    m_writes.erase(m_writes.begin());
    m_refusalsBefore = refusals(st.mcNo);
    const RequestReply reply = m_link->request(r);
    if (!reply.taken) {
        finishAll(State::Stopped, LinkWords::refusal(reply));
        return;
    }
    m_request = r;
    m_wait = Wait::Ack;
}

void SetWriter::readNow() {
    Station& st = m_stations[size_t(m_at)];
    const RequestReply reply = m_link->request(Request::readAll(st.mcNo));
    if (!reply.taken) {
        if (m_writing)
            finishAll(State::Stopped, LinkWords::refusal(reply));
        else
            endStation(State::NotAnswering, LinkWords::refusal(reply));
        return;
    }
    m_request = Request::readAll(st.mcNo);
    m_wait = Wait::Read;
}

void SetWriter::onRead(int mcNo) {
    if (m_at < 0 || m_at >= int(m_stations.size())) return;
    Station& st = m_stations[size_t(m_at)];
    if (mcNo != st.mcNo) return;
    if (m_wait != Wait::Read) return;
    m_wait = Wait::None;
    const std::map<int, int>* image = m_link->paramImage(mcNo);
    st.image = image ? *image : std::map<int, int>();
    if (!m_writing) {
        assess(m_at);
        endStation(st.state, st.report);
        return;
    }
    std::vector<ParamDiff> diffs;
    for (const ParamDiff& d : compareParamImage(m_set, st.image))
        if (d.writable) diffs.push_back(d);
    st.diffs = diffs;
    if (!m_finalNote.isEmpty())
        endStation(
            State::Refused,
            diffs.empty()
                ? say(QT_TRANSLATE_NOOP("SetWriter", "%1; now holds the set")).arg(m_finalNote)
                : say(QT_TRANSLATE_NOOP("SetWriter", "%1; still differs: %2"))
                      .arg(m_finalNote, regList(diffs)));
    else if (diffs.empty())
        endStation(State::Verified,
                   say(QT_TRANSLATE_NOOP("SetWriter", "written and verified (%1 registers)"))
                       .arg(st.written));
    else
        endStation(State::NotConfirmed,
                   say(QT_TRANSLATE_NOOP("SetWriter", "%1 registers written, but reads back: %2"))
                       .arg(QString::number(st.written), regList(diffs)));
}

// What the station will get: the copied registers that differ, or with "write all" every one
// the set copies; an input type change goes out as the whole input group, 612 to 619 as the
// set holds them, so every one is shown as written even where it agrees now.
void SetWriter::assess(int i) {
    Station& st = m_stations[size_t(i)];
    st.diffs.clear();
    st.notCopied.clear();
    for (const ParamDiff& d : compareParamImage(m_set, st.image))
        (d.writable ? st.diffs : st.notCopied).push_back(d);
    const bool typeChange = std::any_of(st.diffs.begin(), st.diffs.end(), [](const ParamDiff& d) {
        return d.reg == 610 || d.reg == 611;
    });
    for (const ParamSetEntry& e : m_set.entries) {
        if (!e.writable || !(m_writeAll || (typeChange && inInputGroup(e.reg)))) continue;
        const bool listed = std::any_of(st.diffs.begin(), st.diffs.end(),
                                        [&e](const ParamDiff& d) { return d.reg == e.reg; });
        if (!listed) st.diffs.push_back({e.name, e.reg, e.shown, e.shown, e.raw, e.raw, true});
    }
    std::stable_sort(st.diffs.begin(), st.diffs.end(),
                     [](const ParamDiff& a, const ParamDiff& b) { return a.reg < b.reg; });
    if (st.diffs.empty()) {
        st.state = State::Equal;
        st.report =
            st.notCopied.empty()
                ? say(QT_TRANSLATE_NOOP("SetWriter", "equal to the set: left unchanged"))
                : say(QT_TRANSLATE_NOOP("SetWriter", "equal to the set in every register it "
                                                     "copies, left unchanged; differs in %1, "
                                                     "which a set does not copy"))
                      .arg(regList(st.notCopied));
        return;
    }
    st.state = State::Differs;
    st.report = say(QT_TRANSLATE_NOOP("SetWriter", "%1 registers to write")).arg(st.diffs.size());
    if (!st.notCopied.empty())
        st.report += say(QT_TRANSLATE_NOOP("SetWriter", "; differs also in %1, not copied"))
                         .arg(regList(st.notCopied));
}

void SetWriter::setWriteAll(bool all) {
    m_writeAll = all;
    if (m_writing) return;
    for (int i = 0; i < int(m_stations.size()); ++i) {
        const State s = m_stations[size_t(i)].state;
        if (s != State::Equal && s != State::Differs) continue;
        assess(i);
        emit stationChanged(i);
    }
}

bool SetWriter::failed(const Station& st) {
    return st.attempted && st.state != State::Verified;
}

QString SetWriter::summary() const {
    int verified = 0, failedOnes = 0, equal = 0, differ = 0, regs = 0;
    for (const Station& st : m_stations) {
        verified += st.state == State::Verified;
        equal += st.state == State::Equal;
        if (st.state == State::Differs) ++differ, regs += int(st.diffs.size());
        failedOnes += failed(st);
    }
    if (!m_writing && differ > 0)
        return say(QT_TRANSLATE_NOOP("SetWriter", "%1 registers to write to %2 stations "
                                                  "(listed). Write... writes exactly those."))
            .arg(regs)
            .arg(differ);
    if (!m_writing)
        return say(QT_TRANSLATE_NOOP("SetWriter", "Nothing to write. Stations holding the set: "
                                                  "%1, not read: %2."))
            .arg(equal)
            .arg(int(m_stations.size()) - equal);
    //: After Write Set: stations read back equal to the set, failed (may hold part of it),
    //: never written, and left alone as equal already.
    return say(QT_TRANSLATE_NOOP("SetWriter", "Stations verified: %1, failed: %2, not reached: "
                                              "%3, equal already: %4. Each station's result "
                                              "is listed."))
        .arg(verified)
        .arg(failedOnes)
        .arg(int(m_stations.size()) - verified - failedOnes - equal)
        .arg(equal);
}

void SetWriter::onEnded(const Request& r, RequestOutcome outcome, const QString& text) {
    if (m_at < 0 || m_at >= int(m_stations.size()) || m_wait == Wait::None) return;
    Station& st = m_stations[size_t(m_at)];
    const bool readOfThis = r.step == kStepReadAll1 && r.mcNo == st.mcNo;
    if (m_wait == Wait::Read && readOfThis) {
        if (outcome == RequestOutcome::Done) return; // paramsRead carries the values
        const QString why =
            m_writing ? say(QT_TRANSLATE_NOOP("SetWriter", "%1 registers written, then %2"))
                            .arg(QString::number(st.written), text)
                      : text;
        if (outcome == RequestOutcome::Dropped)
            finishAll(State::Stopped, why);
        else
            endStation(outcome == RequestOutcome::Replaced ? State::Stopped : State::NotAnswering,
                       why);
        return;
    }
    if (m_wait != Wait::Ack || !m_request || !(r == *m_request)) return;
    const int regs = r.step == kStepWriteInput1 ? 10 : 1;
    switch (outcome) {
    case RequestOutcome::Done:
        st.written += regs;
        emit stationChanged(m_at);
        // The next write at once: the whole station is read after the last.
        m_wait = Wait::None;
        QMetaObject::invokeMethod(this, &SetWriter::sendNext, Qt::QueuedConnection);
        return;
    case RequestOutcome::Refused:
    case RequestOutcome::GivenUp:
        // A refusal is an answer: reported as one, with what the station holds after it, also
        // when time-outs followed it.
        if (outcome == RequestOutcome::Refused || refusals(st.mcNo) > m_refusalsBefore) {
            // What the controller holds after refusing is read and reported with it.
            m_finalNote =
                say(QT_TRANSLATE_NOOP("SetWriter", "refused (NG) at %1 after %2 registers written"))
                    .arg(r.step == kStepWriteOne
                             ? say(QT_TRANSLATE_NOOP("SetWriter", "register %1")).arg(r.regs.at(0))
                             : LinkWords::what(r).logged)
                    .arg(st.written);
            m_finalRead = true;
            m_wait = Wait::None;
            QMetaObject::invokeMethod(this, &SetWriter::readNow, Qt::QueuedConnection);
        } else {
            endStation(
                State::NotAnswering,
                say(QT_TRANSLATE_NOOP("SetWriter", "no answer after %1 of %2 registers written"))
                    .arg(st.written)
                    .arg(st.diffs.size()));
        }
        return;
    case RequestOutcome::Replaced:
        endStation(
            State::Stopped,
            say(QT_TRANSLATE_NOOP("SetWriter",
                                  "interrupted by another request after %1 registers written"))
                .arg(st.written));
        return;
    case RequestOutcome::SecondHalfLost:
        // The station fell silent in the input group's pause: it holds a new type with the
        // old range. The others are independent of it.
        st.written += 2;
        endStation(State::NotAnswering,
                   say(QT_TRANSLATE_NOOP("SetWriter", "input type written, range not written: "
                                                      "check this controller")));
        return;
    case RequestOutcome::Dropped:
        finishAll(State::Stopped,
                  say(QT_TRANSLATE_NOOP("SetWriter", "%1 registers written, then: %2"))
                      .arg(QString::number(st.written), text));
        return;
    }
}

void SetWriter::endStation(State s, const QString& report) {
    Station& st = m_stations[size_t(m_at)];
    st.state = s;
    st.report = report;
    m_wait = Wait::None;
    emit stationChanged(m_at);
    QMetaObject::invokeMethod(this, &SetWriter::next, Qt::QueuedConnection);
}

// The port went: the station being worked and every one after it end with the reason.
void SetWriter::finishAll(State s, const QString& report) {
    const State due = m_writing ? State::Differs : State::Waiting;
    for (int i = m_at; i < int(m_stations.size()); ++i) {
        Station& st = m_stations[size_t(i)];
        if (i != m_at && st.state != due) continue;
        st.state = s;
        st.report =
            i == m_at ? report : say(QT_TRANSLATE_NOOP("SetWriter", "not done: %1")).arg(report);
        emit stationChanged(i);
    }
    m_at = int(m_stations.size());
    m_wait = Wait::None;
    m_request.reset();
    m_busy = false;
    emit finished();
}
