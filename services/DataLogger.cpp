#include "services/DataLogger.h"

#include "link/KX5Link.h"
#include "services/DataLog.h"
#include "services/EventLog.h"
#include "services/LineStatus.h"

#include <QDir>
#include <algorithm>

DataLogger::DataLogger(KX5Link* link, EventLog* events, QObject* parent)
    : QObject(parent), m_link(link), m_events(events) {
    tellEvents();
}

void DataLogger::tick(const QDateTime& now, int tickMs) {
    if (!running()) {
        m_since = {};
        return;
    }
    if (!m_since.isValid()) m_since = now;
    m_tickMs = tickMs;
    write(now, tickMs);
    emit ticked(now);
}

void DataLogger::write(const QDateTime& now, int tickMs) {
    if (!logIntervalPassed(mLastSave, now, m_settings.intervalSeconds(), tickMs)) return;
    mLastSave = now;
    if (m_link->phase() == KX5Link::Phase::Closed) return;
    const LineModel& line = m_link->line();
    for (int k = 0; k < line.count(); ++k) {
        // Only current values: a station whose latest exchange failed, whose reading has aged,
        // or that has not answered since the port was opened or reopened, gets no record.
        const LineModel::Station* st = line.at(k);
        if (!line.answering(st->mcNo)) continue;
        // A record that cannot be written is skipped; the other stations still get theirs.
        const int mc = st->mcNo;
        // Through the settings' own path, which never leads out of the data folder.
        const QString path =
            m_settings.path(QStringLiteral("_%1.DAT").arg(mc, 2, 10, QLatin1Char('0')));
        QString why;
        const bool written = AppendDataRecord(path, st->values, now, &why);
        if (written) {
            if (now.date() != m_countDay) m_countDay = now.date(), m_today = 0;
            ++m_today;
            m_last[mc] = now;
        }
        if (written || !why.isEmpty()) noteResult(mc, path, why);
    }
}

void DataLogger::setSettings(const DataSaveSettings& settings) {
    if (settings == m_settings) return;
    m_settings = settings;
    tellEvents();
    emit stateChanged();
}

void DataLogger::tellEvents() {
    m_events->setFiles(m_settings, running());
}

void DataLogger::setRunning(bool on) {
    if (on == m_on) return;
    if (!on) m_events->add(0, QT_TRANSLATE_NOOP("EventLog", "Data saving stopped"));
    m_on = on;
    tellEvents();
    if (on)
        m_events->add(0,
                      m_settings.unit == DataSaveSettings::Unit::Minutes
                          ? QT_TRANSLATE_NOOP("EventLog", "Data saving started: %1 every %2 min")
                          : QT_TRANSLATE_NOOP("EventLog", "Data saving started: %1 every %2 sec"),
                      {m_settings.filesPattern(), QString::number(m_settings.interval)});
    emit stateChanged();
}

void DataLogger::noteResult(int mc, const QString& path, const QString& why) {
    QString& last = m_failure[mc];
    if (why == last) return;
    if (why.isEmpty()) {
        m_events->add(mc, QT_TRANSLATE_NOOP("EventLog", "Data saved again to %1"), {path});
        // The status bar's message is taken back only while it still says this station's failure.
        if (m_status) m_status->clearIf(StatusMessage::Source::DataLog, mc);
    } else {
        // The system's error text is English; the list says it in the user's words.
        m_events->add(mc,
                      FileNotice{QStringLiteral("Data not saved to %1: %2").arg(path, why),
                                 QCoreApplication::translate("EventLog", "Data not saved to %1: %2")
                                     .arg(path, shownWriteError(why))});
        if (m_status) {
            const QString shown = shownFailure(mc, path, why);
            m_status->say(StatusMessage::Source::DataLog, FileNotice{shown, shown}, mc);
        }
    }
    last = why;
}

QString DataLogger::shownFailure(int mc, const QString& path, const QString& why) {
    return tr("MC [%1] Data not saved to %2: %3").arg(mc).arg(path, shownWriteError(why));
}

QString DataLogger::timeText(const QDateTime& t, const QDateTime& now) {
    // Today's times alone; an older one with its date.
    return t.toString(t.date() == now.date() ? QStringLiteral("hh:mm:ss")
                                             : QStringLiteral("yyyy-MM-dd hh:mm:ss"));
}

bool DataLogger::Progress::anyLate() const {
    return std::any_of(stations.begin(), stations.end(), [](const Station& s) { return s.late; });
}

DataLogger::Progress DataLogger::progress(const QDateTime& now) const {
    Progress p;
    p.now = now;
    if (!running()) return p;
    p.since = m_since;
    p.today = now.date() == m_countDay ? m_today : 0;
    // Records come a whole number of ticks apart (see logIntervalPassed): late is past two of
    // those spacings, so a tick's jitter never turns a station red.
    const qint64 spacingMs =
        (m_settings.intervalSeconds() * 1000 / qMax(1, m_tickMs) + 1) * qint64(m_tickMs);
    const LineModel& line = m_link->line();
    for (int k = 0; k < line.count(); ++k) {
        const int mc = line.mcNoAt(k);
        const auto it = m_last.find(mc);
        const QDateTime last = it == m_last.end() ? QDateTime() : it->second;
        // A station with no record since saving started counts from the start.
        const QDateTime from =
            last.isValid() && (!m_since.isValid() || last > m_since) ? last : m_since;
        const bool late = from.isValid() && from.msecsTo(now) > 2 * spacingMs;
        p.stations.push_back({mc, last, late});
    }
    return p;
}

FileNotice DataLogger::progressText(const Progress& p) {
    if (!p.since.isValid()) return {};
    const auto stamp = [&](const QDateTime& t) { return timeText(t, p.now); };
    QStringList lastEn, lastShown;
    for (const auto& s : p.stations) {
        const QString when = s.last.isValid() ? stamp(s.last) : QStringLiteral("-");
        const QString mark = s.late ? QStringLiteral("!") : QString();
        lastEn << QStringLiteral("MC %1 %2%3").arg(s.mcNo).arg(when, mark);
        lastShown << tr("MC %1 %2%3").arg(s.mcNo).arg(when, mark);
    }
    const char* source = QT_TR_NOOP("Saving since %1, %2 records today, last records: %3");
    return {QString::fromLatin1(source).arg(stamp(p.since)).arg(p.today).arg(lastEn.join(", ")),
            tr(source).arg(stamp(p.since)).arg(p.today).arg(lastShown.join(QStringLiteral(", ")))};
}
