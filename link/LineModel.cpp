#include "link/LineModel.h"

LineModel::LineModel(QObject* parent) : QObject(parent) {
    for (int mc = 0; mc <= kMaxMcNo; ++mc)
        m_all[size_t(mc)].mcNo = mc;
    m_index.fill(-1);
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
    s->values.fresh = true;
    emit stationChanged(mcNo, Values);
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

void LineModel::storeImage(int mcNo, const std::vector<int>& regs, const std::vector<int>& vals) {
    Station* s = find(mcNo);
    if (!s) return;
    for (size_t i = 0; i < regs.size() && i < vals.size(); ++i)
        s->image[regs[i]] = vals[i];
    emit stationChanged(mcNo, Image);
}

void LineModel::storeWritten(int mcNo, const std::vector<int>& regs, const std::vector<int>& vals) {
    Station* s = find(mcNo);
    if (!s) return;
    bool changed = false;
    for (size_t i = 0; i < regs.size() && i < vals.size(); ++i)
        if (const auto it = s->image.find(regs[i]); it != s->image.end() && it->second != vals[i]) {
            it->second = vals[i];
            changed = true;
        }
    if (changed) emit stationChanged(mcNo, Changes(Image | Written));
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
