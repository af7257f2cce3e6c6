#include "monitor/TraceRecorder.h"

#include "link/KX5Link.h"
#include "link/mdlKX5.h"
#include "monitor/DataLog.h"
#include "monitor/EventLog.h"
#include "monitor/TraceFile.h"

#include <QDir>
#include <QFileInfo>

TraceRecorder::TraceRecorder(KX5Link* link, EventLog* events, QObject* parent)
    : QObject(parent), m_link(link), m_events(events) {
    connect(&link->sprdCommD, &TraceLog::rowAdded, this, &TraceRecorder::record);
}

QString TraceRecorder::filePath(const QDate& day) {
    return gDSaveFolder + QLatin1Char('/') + gDSaveName + QStringLiteral("_Trace_") +
           day.toString(QStringLiteral("yyyyMMdd")) + QStringLiteral(".TXT");
}

void TraceRecorder::setOn(bool on) {
    if (on == m_on) return;
    m_on = on;
    m_failure.clear();
    m_file.clear();
    m_events->add(0, on ? QStringLiteral("Trace recording on: %1").arg(filePath(clock().date()))
                        : QStringLiteral("Trace recording off"));
}

void TraceRecorder::record(int row) {
    if (!m_on) return;
    const QString path = filePath(clock().date());
    // A new day, and now and then within one, the oldest days give way.
    if (path != m_file || ++m_sincePrune >= 2000) {
        m_file = path;
        m_sincePrune = 0;
        prune();
    }
    QString why;
    appendWhole(path, traceLine(m_link->sprdCommD, row).toUtf8() + "\r\n", &why);
    noteResult(path, why);
}

void TraceRecorder::prune() {
    const QDir dir(gDSaveFolder);
    const QString pattern = gDSaveName + QStringLiteral("_Trace_????????.TXT");
    // By name is by day: the oldest first.
    QFileInfoList files = dir.entryInfoList({pattern}, QDir::Files, QDir::Name);
    qint64 total = 0;
    for (const QFileInfo& f : files)
        total += f.size();
    for (const QFileInfo& f : files) {
        if (total <= m_limitBytes || f.absoluteFilePath() == QFileInfo(m_file).absoluteFilePath())
            break;
        if (QFile::remove(f.absoluteFilePath())) {
            total -= f.size();
            m_events->add(0, QStringLiteral("Trace file removed to keep within the limit: %1")
                                 .arg(f.fileName()));
        }
    }
}

void TraceRecorder::noteResult(const QString& path, const QString& why) {
    if (why == m_failure) return;
    m_failure = why;
    if (why.isEmpty()) {
        m_events->add(0, QStringLiteral("Trace recorded again to %1").arg(path));
        return;
    }
    m_events->add(0, QStringLiteral("Trace not recorded to %1: %2").arg(path, why));
    m_link->setPanel(4, tr("Trace not recorded to %1: %2").arg(path, shownWriteError(why)));
}
