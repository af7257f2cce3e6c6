#include "link/LineModel.h"

#include "link/Steps.h"

#include <QElapsedTimer>
#include <algorithm>

LineModel::LineModel(QObject* parent) : QObject(parent) {
    for (int mc = 0; mc <= kMaxMcNo; ++mc)
        m_all[size_t(mc)].mcNo = mc;
    m_index.fill(-1);
    setClock({});
    m_ageTimer.setSingleShot(true);
    connect(&m_ageTimer, &QTimer::timeout, this, &LineModel::checkAges);
}

void LineModel::setClock(std::function<qint64()> nowMs) {
    if (!nowMs) {
        // A steady clock that starts above 0, so that 0 can mean "never".
        auto t = std::make_shared<QElapsedTimer>();
        t->start();
        nowMs = [t] { return t->elapsed() + 1; };
    }
    m_now = std::move(nowMs);
}

void LineModel::setCurrentFor(int ms) {
    m_currentForMs = std::max(ms, 1);
    checkAges();
}

void LineModel::checkAges() {
    const qint64 now = m_now();
    for (int mc : m_order) {
        const StationValues& v = m_all[size_t(mc)].values;
        if (v.fresh && now - v.readAtMs > m_currentForMs) markStale(mc);
    }
    scheduleAgeCheck();
}

// One timer for the whole line, set for the reading that ages first.
void LineModel::scheduleAgeCheck() {
    qint64 first = -1;
    for (int mc : m_order) {
        const StationValues& v = m_all[size_t(mc)].values;
        if (v.fresh && (first < 0 || v.readAtMs < first)) first = v.readAtMs;
    }
    if (first < 0) {
        m_ageTimer.stop();
        return;
    }
    const qint64 due = first + m_currentForMs + 1 - m_now();
    m_ageTimer.start(int(std::clamp<qint64>(due, 0, 1 << 30)));
}

bool LineModel::answering(int mcNo) const {
    const Station* s = station(mcNo);
    return s && s->inUse && s->answered && s->conn == ConnState::OK && s->values.fresh &&
           s->values.storedAt.isValid();
}

int LineModel::blockOf(int reg) {
    for (int b = 1; b <= 4; ++b) {
        const std::vector<int>& regs = findStep(kStepReadAll1 + b - 1)->regs;
        if (std::find(regs.begin(), regs.end(), reg) != regs.end()) return b;
    }
    return 0;
}

qint64 LineModel::imageAgeMs(int mcNo, int reg) const {
    const Station* s = station(mcNo);
    const int b = blockOf(reg);
    if (!s || b == 0 || s->imageAtMs[size_t(b - 1)] == 0 || !s->image.count(reg)) return -1;
    return m_now() - s->imageAtMs[size_t(b - 1)];
}

void LineModel::expireImage(int mcNo) {
    if (Station* s = find(mcNo)) s->imageAtMs.fill(0);
}

LineModel::Station* LineModel::find(int mcNo) {
    return mcNo >= 1 && mcNo <= kMaxMcNo ? &m_all[size_t(mcNo)] : nullptr;
}

const LineModel::Station* LineModel::station(int mcNo) const {
    return mcNo >= 1 && mcNo <= kMaxMcNo ? &m_all[size_t(mcNo)] : nullptr;
}

void LineModel::setStations(const StationList& list) {
    for (int mc : m_order)
        m_all[size_t(mc)].inUse = false;
    m_order.clear();
    m_index.fill(-1);
    for (const StationEntry& e : list) {
        Station* s = find(e.mcNo);
        if (!s || s->inUse) continue; // MC Nos travel as two digits, and once each
        s->inUse = true;
        s->name = e.name;
        m_index[size_t(e.mcNo)] = static_cast<int>(m_order.size());
        m_order.push_back(e.mcNo);
    }
    emit stationChanged(0, List);
}

StationList LineModel::stations() const {
    StationList out;
    for (int mc : m_order)
        out.push_back({mc, m_all[size_t(mc)].name});
    return out;
}

int LineModel::mcNoAt(int idx) const {
    return idx >= 0 && idx < count() ? m_order[size_t(idx)] : 0;
}

int LineModel::indexOf(int mcNo) const {
    return mcNo >= 1 && mcNo <= kMaxMcNo ? m_index[size_t(mcNo)] : -1;
}

const LineModel::Station* LineModel::at(int idx) const {
    return station(mcNoAt(idx));
}

int LineModel::findAnswered(int start) const {
    if (start < 0 || start >= count()) start = 0;
    for (int i = start; i < count(); ++i)
        if (m_all[size_t(m_order[size_t(i)])].answered) return i;
    return -1;
}

bool LineModel::anyUnanswered() const {
    for (int mc : m_order)
        if (!m_all[size_t(mc)].answered) return true;
    return false;
}

const StationValues* LineModel::values(int idx) const {
    const Station* s = at(idx);
    return s ? &s->values : nullptr;
}

ConnState LineModel::connState(int idx) const {
    const Station* s = at(idx);
    return s ? s->conn : ConnState::Unknown;
}

bool LineModel::isFresh(int idx) const {
    const Station* s = at(idx);
    return s && s->values.fresh;
}

void LineModel::setModel(int mcNo, ControllerModel m) {
    Station* s = find(mcNo);
    if (!s) return;
    const bool answered = isKX5(m);
    if (s->model == m && s->answered == answered) return;
    s->model = m;
    s->answered = answered;
    emit stationChanged(mcNo, Model);
}

void LineModel::setUnanswered(int mcNo) {
    Station* s = find(mcNo);
    if (!s || !s->answered) return;
    s->answered = false;
    emit stationChanged(mcNo, Model);
}

void LineModel::setConn(int mcNo, ConnState c, std::optional<LineFault> fault) {
    Station* s = find(mcNo);
    if (!s || (s->conn == c && s->fault == fault)) return;
    // Back from silence: what it holds may have been changed at its keys meanwhile.
    if (s->conn == ConnState::NG && c == ConnState::OK) s->imageAtMs.fill(0);
    if (s->conn != c)
        s->connSince = c == ConnState::Unknown ? QDateTime() : QDateTime::currentDateTimeUtc();
    s->conn = c;
    s->fault = fault;
    emit stationChanged(mcNo, Conn);
}

void LineModel::noteFault(int mcNo, LineFault fault) {
    Station* s = find(mcNo);
    if (!s || s->fault == fault) return;
    s->fault = fault;
    emit stationChanged(mcNo, Conn);
}

void LineModel::clearConn() {
    for (int mc : m_order)
        setConn(mc, ConnState::Unknown);
}

void LineModel::clearAnswering() {
    for (int mc : m_order)
        if (m_all[size_t(mc)].conn == ConnState::OK) setConn(mc, ConnState::Unknown);
}

void LineModel::storeValues(int mcNo, const std::array<int, StationValues::kCount>& regs,
                            const QDateTime& at) {
    Station* s = find(mcNo);
    if (!s) return;
    s->values.regs = regs;
    s->values.storedAt = at;
    s->values.readAtMs = m_now();
    s->values.fresh = true;
    emit stationChanged(mcNo, Values);
    if (!m_ageTimer.isActive()) scheduleAgeCheck();
}

void LineModel::storeKeys(int mcNo, const std::array<int, 6>& keys) {
    Station* s = find(mcNo);
    if (!s || !s->values.storedAt.isValid()) return; // nothing to show them with yet
    for (size_t k = 0; k < keys.size(); ++k)
        s->values.regs[MonReg::PRINT + k] = keys[k];
    emit stationChanged(mcNo, Keys);
}

void LineModel::markStale(int mcNo) {
    Station* s = find(mcNo);
    if (!s || !s->values.fresh) return;
    s->values.fresh = false;
    emit stationChanged(mcNo, Freshness);
}

void LineModel::markAllStale() {
    for (int mc = 1; mc <= kMaxMcNo; ++mc)
        markStale(mc);
}

void LineModel::storeImage(int mcNo, const std::vector<int>& regs, const std::vector<int>& vals,
                           int block) {
    Station* s = find(mcNo);
    if (!s) return;
    for (size_t i = 0; i < regs.size() && i < vals.size(); ++i)
        s->image[regs[i]] = vals[i];
    if (block >= 1 && block <= 4) s->imageAtMs[size_t(block - 1)] = m_now();
    Changes what = block == 0 ? Changes(Image | Written) : Changes(Image);
    // A read-back of live registers is newer than the last reading: shown and served at once.
    if (block == 0 && s->values.storedAt.isValid()) {
        const std::vector<int>& live = findStep(kStepMonitor)->regs;
        for (size_t i = 0; i < regs.size() && i < vals.size(); ++i) {
            const auto it = std::find(live.begin(), live.end(), regs[i]);
            if (it == live.end()) continue;
            s->values.regs[size_t(it - live.begin())] = vals[i];
            what |= Values;
        }
    }
    emit stationChanged(mcNo, what);
}

std::optional<int> LineModel::imageValue(int mcNo, int reg) const {
    const std::map<int, int>* img = image(mcNo);
    if (!img) return std::nullopt;
    const auto it = img->find(reg);
    if (it == img->end()) return std::nullopt;
    return it->second;
}

const std::map<int, int>* LineModel::image(int mcNo) const {
    const Station* s = station(mcNo);
    return s && !s->image.empty() ? &s->image : nullptr;
}

void LineModel::resetStats() {
    m_stats.clear();
    emit stationChanged(0, Stats);
}
