#include "services/AlarmBook.h"

#include "link/JsonText.h"
#include "link/LineModel.h"
#include "services/EventLog.h"

#include <algorithm>
#include <set>

AlarmBook::State AlarmBook::Alarm::state() const {
    if (!active()) return State::ClearedUnacknowledged;
    return acknowledged() ? State::ActiveAcknowledged : State::ActiveUnacknowledged;
}

AlarmBook::AlarmBook(LineModel& line, EventLog* events, QObject* parent)
    : QObject(parent), m_line(line), m_events(events) {
    connect(&line, &LineModel::stationChanged, this, [this](int mcNo, LineModel::Changes what) {
        if (what & LineModel::List) forgetStationsOutOfUse();
        if (what & LineModel::Values) checkStation(mcNo);
    });
}

QString AlarmBook::loginName() {
    QString name = qEnvironmentVariable("USERNAME"); // Windows
    if (name.isEmpty()) name = qEnvironmentVariable("USER");
    return name;
}

int AlarmBook::unacknowledged() const {
    return int(std::count_if(m_alarms.begin(), m_alarms.end(),
                             [](const Alarm& a) { return !a.acknowledged(); }));
}

AlarmBook::Counts AlarmBook::counts(int mcNo) const {
    Counts c;
    for (const Alarm& a : m_alarms)
        if (a.mcNo == mcNo) {
            c.active += a.active();
            c.unacknowledged += !a.acknowledged();
        }
    return c;
}

std::vector<AlarmBook::Alarm>::iterator AlarmBook::find(int mcNo, StatusLamp lamp) {
    return std::find_if(m_alarms.begin(), m_alarms.end(),
                        [&](const Alarm& a) { return a.mcNo == mcNo && a.lamp == lamp; });
}

void AlarmBook::say(int mcNo, const char* source, const QStringList& args) {
    if (m_events) m_events->add(mcNo, source, args);
}

// Runs at every stored reply: the lamps are read straight from the status words, and the list
// is touched only when one of them differs from the active alarms.
void AlarmBook::checkStation(int mcNo) {
    const LineModel::Station* st = m_line.station(mcNo);
    if (!st || !st->inUse || !st->values.fresh || !st->values.storedAt.isValid()) return;
    // The lamps whose switching is logged are the alarms: AL1 to AL3 and the input and tuning
    // errors; the mode lamps are not.
    Lamps now;
    for (size_t i = 0; i < kLampBits.size(); ++i)
        now[i] = kLampBits[i].logged &&
                 (st->values.regs[size_t(kLampBits[i].word)] >> kLampBits[i].bit & 1) != 0;
    Lamps& active = m_active[size_t(mcNo)];
    if (now == active) return;
    for (size_t i = 0; i < kLampBits.size(); ++i) {
        if (now[i] == active[i]) continue;
        if (now[i])
            raise(mcNo, kLampBits[i].lamp, st->values);
        else
            clear(mcNo, kLampBits[i].lamp);
    }
    active = now;
    emit stationChanged(mcNo);
    emit changed();
}

void AlarmBook::raise(int mcNo, StatusLamp lamp, const StationValues& values) {
    const Reading r = decode(values);
    // One alarm per lamp: one that went out unacknowledged comes back as new.
    auto it = find(mcNo, lamp);
    if (it == m_alarms.end()) {
        m_alarms.push_back({});
        it = m_alarms.end() - 1;
        it->mcNo = mcNo;
        it->lamp = lamp;
    }
    it->id = m_nextId++;
    it->raisedAt = clock();
    it->pv = r.pvText();
    it->unit = r.unit;
    it->ackedAt = {};
    it->ackedBy.clear();
    it->clearedAt = {};
    // The value it was raised at: what an operator asks first when reading the list later.
    say(mcNo, QT_TRANSLATE_NOOP("EventLog", "%1 on, PV %2"),
        {QLatin1String(kLampBits[size_t(lamp)].name), it->value()});
    emit raised(*it);
}

void AlarmBook::clear(int mcNo, StatusLamp lamp) {
    const auto it = find(mcNo, lamp);
    if (it == m_alarms.end()) return;
    it->clearedAt = clock();
    say(mcNo, QT_TRANSLATE_NOOP("EventLog", "%1 off"),
        {QLatin1String(kLampBits[size_t(lamp)].name)});
    if (it->acknowledged()) m_alarms.erase(it);
}

void AlarmBook::doAcknowledge(Alarm& a) {
    a.ackedAt = clock();
    a.ackedBy = user();
    say(a.mcNo, QT_TRANSLATE_NOOP("EventLog", "%1 acknowledged by %2"),
        {QLatin1String(kLampBits[size_t(a.lamp)].name), a.ackedBy});
}

void AlarmBook::removeGone() {
    std::erase_if(m_alarms, [](const Alarm& a) { return !a.active() && a.acknowledged(); });
}

bool AlarmBook::acknowledge(quint64 id) {
    const auto it =
        std::find_if(m_alarms.begin(), m_alarms.end(), [id](const Alarm& a) { return a.id == id; });
    if (it == m_alarms.end() || it->acknowledged()) return false;
    const int mc = it->mcNo;
    doAcknowledge(*it);
    removeGone();
    emit stationChanged(mc);
    emit changed();
    return true;
}

int AlarmBook::acknowledgeAll() {
    int n = 0;
    std::set<int> stations;
    for (Alarm& a : m_alarms)
        if (!a.acknowledged()) {
            doAcknowledge(a);
            stations.insert(a.mcNo);
            ++n;
        }
    if (n == 0) return 0;
    removeGone();
    for (int mc : stations)
        emit stationChanged(mc);
    emit changed();
    return n;
}

// A station taken out of use is no longer watched: its alarms could never clear.
void AlarmBook::forgetStationsOutOfUse() {
    std::set<int> gone;
    for (const Alarm& a : m_alarms)
        if (m_line.indexOf(a.mcNo) < 0) gone.insert(a.mcNo);
    std::erase_if(m_alarms, [&gone](const Alarm& a) { return gone.count(a.mcNo) > 0; });
    for (int mc = 1; mc <= LineModel::kMaxMcNo; ++mc)
        if (m_line.indexOf(mc) < 0) m_active[size_t(mc)].reset();
    if (gone.empty()) return;
    for (int mc : gone)
        emit stationChanged(mc);
    emit changed();
}

QByteArray AlarmBook::json(int mcNo) const {
    if (m_line.indexOf(mcNo) < 0) return {};
    const auto time = [](const QDateTime& t) {
        return t.isValid() ? jsonString(t.toUTC().toString(Qt::ISODate)) : QByteArray("null");
    };
    static const char* const kState[] = {"active_unacknowledged", "active_acknowledged",
                                         "cleared_unacknowledged"};
    QByteArray list;
    int unacked = 0;
    for (const Alarm& a : m_alarms) {
        if (a.mcNo != mcNo) continue;
        unacked += !a.acknowledged();
        if (!list.isEmpty()) list += ',';
        list += "{\"alarm\":" + jsonString(lampKey(kLampBits[size_t(a.lamp)].name)) +
                ",\"state\":\"" + kState[int(a.state())] + "\",\"raisedAt\":" + time(a.raisedAt) +
                ",\"pv\":" + a.pv.toLatin1() + ",\"unit\":" + jsonString(plainUnit(a.unit)) +
                ",\"acknowledgedAt\":" + time(a.ackedAt) + ",\"acknowledgedBy\":" +
                (a.acknowledged() ? jsonString(a.ackedBy) : QByteArray("null")) +
                ",\"clearedAt\":" + time(a.clearedAt) + '}';
    }
    return "{\"mc\":" + QByteArray::number(mcNo) +
           ",\"unacknowledged\":" + QByteArray::number(unacked) + ",\"alarms\":[" + list + "]}";
}
