#include "monitor/EventLog.h"

#include "monitor/DataLog.h"

#include "link/KX5Link.h"
#include "link/mdlKX5.h"

EventLog::EventLog(KX5Link* link, QObject* parent) : QObject(parent), m_link(link) {
    events.setMaxCols(3);
    // The list's headings are captions; its lines are the events file's English.
    events.setHeaderContext("EventLog");
    events.setText(1, 0, QStringLiteral(QT_TRANSLATE_NOOP("EventLog", "Date Time")));
    events.setText(2, 0, QStringLiteral(QT_TRANSLATE_NOOP("EventLog", "MC No")));
    events.setText(3, 0, QStringLiteral(QT_TRANSLATE_NOOP("EventLog", "Event")));
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
    connect(link, &KX5Link::monitorStored, this, &EventLog::checkStation);
    connect(link, &KX5Link::monitorStale, this, &EventLog::checkStation);
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
    emit added(stamp, mcNo, text);
    if (gDSaveEnable == QLatin1String("Yes") && gDSaveRun) {
        // Whole lines or nothing, like the data records: a full disk never glues two together.
        // A failed write loses this line only; the list keeps it.
        const QString path = filePath(now.date());
        QString why;
        appendWhole(path,
                    (stamp + QLatin1Char('\t') + mc + QLatin1Char('\t') + text).toUtf8() + "\r\n",
                    &why);
        // A file that cannot be written is said once per cause, in the list and panel 4 only.
        if (why != m_fileFailure) {
            m_fileFailure = why;
            const QString said = why.isEmpty()
                                     ? QStringLiteral("Events saved again to %1").arg(path)
                                     : QStringLiteral("Events not saved to %1: %2").arg(path, why);
            events.appendRow();
            events.setRowTexts(events.maxRows(), 1, {stamp, QString(), said});
            if (!why.isEmpty())
                m_link->setPanel(4,
                                 tr("Events not saved to %1: %2").arg(path, shownWriteError(why)));
        }
    }
}

void EventLog::checkStation(int idx) {
    if (idx < 0 || idx >= static_cast<int>(gMC_List.size())) return;
    const StationValues* values = m_link->values(idx);
    if (!values) return;
    if (m_seen.size() <= size_t(idx)) m_seen.resize(size_t(idx) + 1);
    Seen& seen = m_seen[static_cast<size_t>(idx)];
    const int mc = gMC_List[static_cast<size_t>(idx)];
    const ConnState conn = m_link->connState(idx);
    if (seen.conn != conn && conn != ConnState::Unknown) {
        if (conn == ConnState::NG)
            add(mc, QStringLiteral("No answer (NG)"));
        else if (seen.conn == ConnState::NG)
            add(mc, QStringLiteral("Answering again"));
        seen.conn = conn;
    }
    // Lamps count only once a station's values have arrived; a lamp already on then is logged.
    if (!values->storedAt.isValid()) return;
    const Reading now = decode(*values);
    for (size_t i = 0; i < kLampBits.size(); ++i) {
        if (!kLampBits[i].logged || now.lamps[i] == seen.lamps[i]) continue;
        add(mc, QStringLiteral("%1 %2").arg(QLatin1String(kLampBits[i].name),
                                            now.lamps[i] ? QStringLiteral("on")
                                                         : QStringLiteral("off")));
    }
    seen.lamps = now.lamps;
}
