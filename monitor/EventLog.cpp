#include "monitor/EventLog.h"

#include "monitor/DataLog.h"

#include "link/Cells.h"
#include "link/KX5Link.h"
#include "link/mdlKX5.h"

namespace {

struct Bit {
    int word; // monitor-table column
    int bit;
    const char* name;
};
const Bit kBits[] = {{MonitorCol::ALMSTS, 0, "AL1"},     {MonitorCol::ALMSTS, 1, "AL2"},
                     {MonitorCol::ERRSTS, 0, "PV BOUT"}, {MonitorCol::ERRSTS, 1, "RJC ERR"},
                     {MonitorCol::ERRSTS, 2, "PV POVR"}, {MonitorCol::ERRSTS, 3, "PV MOVR"},
                     {MonitorCol::ERRSTS, 8, "AT ERR"}};

} // namespace

EventLog::EventLog(KX5Link* link, QObject* parent) : QObject(parent), m_link(link) {
    events.setMaxCols(3);
    events.setText(1, 0, QStringLiteral("Date Time"));
    events.setText(2, 0, QStringLiteral("MC No"));
    events.setText(3, 0, QStringLiteral("Event"));
    connect(link, &KX5Link::portLost, this,
            [this](const QString& cause) { add(0, QStringLiteral("Port lost: %1").arg(cause)); });
    connect(link, &KX5Link::portRestored, this,
            [this] { add(0, QStringLiteral("Port reopened")); });
    // A request that ended without being confirmed is worth a line; a confirmed one is not.
    connect(link, &KX5Link::requestEnded, this,
            [this](const Request& r, RequestOutcome outcome, const QString& text) {
                if (outcome != RequestOutcome::Done) add(r.mcNo, text);
            });
    // Each reply and each failure is looked at as it happens, so an alarm shorter than the
    // graph's tick is still logged.
    connect(link, &KX5Link::monitorStored, this, [this](int idx) { checkRow(idx + 1); });
    connect(link, &KX5Link::monitorStale, this, [this](int idx) { checkRow(idx + 1); });
    connect(link, &KX5Link::stationFound, this, [this](int mcNo, const QString& model) {
        add(mcNo, QStringLiteral("Answered: %1, polled from now on").arg(model));
    });
}

QString EventLog::filePath(const QDate& day) {
    return gDSaveFolder + QLatin1Char('/') + gDSaveName + QStringLiteral("_Events_") +
           day.toString(QStringLiteral("yyyyMMdd")) + QStringLiteral(".TXT");
}

void EventLog::add(int mcNo, const QString& text) {
    const QDateTime now = clock();
    // Keep the newest. One removal, not a rewrite of every row: a list that stays full for
    // hours would otherwise repaint itself on every new entry.
    if (events.maxRows() >= kMaxRows) events.removeRows(1, events.maxRows() - kMaxRows + 1);
    events.appendRow();
    const QString stamp = now.toString(QStringLiteral("yyyy-MM-dd hh:mm:ss"));
    const QString mc = mcNo > 0 ? QString::number(mcNo) : QString();
    events.setRowTexts(events.maxRows(), 1, {stamp, mc, text});
    if (gDSaveEnable == QLatin1String("Yes") && gDSaveRun) {
        // Whole lines or nothing, like the data records: a full disk never glues two together.
        // A failed write loses this line only; the list keeps it.
        appendWhole(filePath(now.date()),
                    (stamp + QLatin1Char('\t') + mc + QLatin1Char('\t') + text).toUtf8() + "\r\n");
    }
}

void EventLog::check() {
    const int rows = qMin(m_link->sprdMonitoring.maxRows(), static_cast<int>(gMC_List.size()));
    for (int r = 1; r <= rows; ++r)
        checkRow(r);
}

void EventLog::checkRow(int r) {
    const Grid& mon = m_link->sprdMonitoring;
    const Grid& st = m_link->sprdStatus;
    if (r < 1 || r > qMin(mon.maxRows(), static_cast<int>(gMC_List.size()))) return;
    if (m_seen.size() < size_t(r)) m_seen.resize(size_t(r));
    Seen& seen = m_seen[static_cast<size_t>(r - 1)];
    const int mc = gMC_List[static_cast<size_t>(r - 1)];
    const QString conn = st.text(StatusCol::ConnState, r);
    if (seen.conn != conn && !conn.isEmpty()) {
        if (conn == QLatin1String("NG"))
            add(mc, QStringLiteral("No answer (NG)"));
        else if (seen.conn == QLatin1String("NG"))
            add(mc, QStringLiteral("Answering again"));
        seen.conn = conn;
    }
    // Bits count only once a station's values have arrived; a lamp already on then is logged.
    if (mon.text(MonitorCol::COMSTS, r).isEmpty()) return;
    const int alm = cInt(mon.text(MonitorCol::ALMSTS, r));
    const int err = cInt(mon.text(MonitorCol::ERRSTS, r));
    for (const Bit& b : kBits) {
        const int before =
            seen.known ? (b.word == MonitorCol::ALMSTS ? seen.alm : seen.err) >> b.bit & 1 : 0;
        const int now = (b.word == MonitorCol::ALMSTS ? alm : err) >> b.bit & 1;
        if (before != now)
            add(mc, QStringLiteral("%1 %2").arg(
                        QLatin1String(b.name), now ? QStringLiteral("on") : QStringLiteral("off")));
    }
    seen.known = true;
    seen.alm = alm;
    seen.err = err;
}
