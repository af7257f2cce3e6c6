#include "monitor/DataLogger.h"

#include "link/KX5Link.h"
#include "monitor/DataLog.h"
#include "monitor/EventLog.h"

#include <QDir>

DataLogger::DataLogger(KX5Link* link, EventLog* events, QObject* parent)
    : QObject(parent), m_link(link), m_events(events) {
    tellEvents();
}

void DataLogger::tick(const QDateTime& now, int tickMs) {
    if (!running()) return;
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
        // Panel 4 is cleared only while it still says this station's failure.
        if (m_link->panel(4) == shownFailure(mc, path, last)) m_link->setPanel(4, QString());
    } else {
        // The system's error text is English; the list says it in the user's words.
        m_events->add(mc,
                      FileNotice{QStringLiteral("Data not saved to %1: %2").arg(path, why),
                                 QCoreApplication::translate("EventLog", "Data not saved to %1: %2")
                                     .arg(path, shownWriteError(why))});
        m_link->setPanel(4, shownFailure(mc, path, why));
    }
    last = why;
}

QString DataLogger::shownFailure(int mc, const QString& path, const QString& why) {
    return tr("MC [%1] Data not saved to %2: %3").arg(mc).arg(path, shownWriteError(why));
}
