#include "services/TraceRecorder.h"

#include "link/KX5Link.h"
#include "services/DataLog.h"
#include "services/EventLog.h"
#include "services/LineStatus.h"
#include "services/TraceFile.h"

#include <QDir>
#include <QFileInfo>

TraceRecorder::TraceRecorder(KX5Link* link, EventLog* events, QObject* parent)
    : QObject(parent), m_link(link), m_events(events) {
    connect(&link->sprdCommD, &TraceLog::rowAdded, this, &TraceRecorder::record);
}

QString TraceRecorder::filePath(const QDate& day) const {
    return m_files.path(QStringLiteral("_Trace_") + day.toString(QStringLiteral("yyyyMMdd")) +
                        QStringLiteral(".TXT"));
}

void TraceRecorder::setOn(bool on) {
    if (on == m_on) return;
    m_on = on;
    m_failure.clear();
    m_file.clear();
    if (on)
        m_events->add(0, QT_TRANSLATE_NOOP("EventLog", "Trace recording on: %1"),
                      {filePath(clock().date())});
    else
        m_events->add(0, QT_TRANSLATE_NOOP("EventLog", "Trace recording off"));
}

void TraceRecorder::record(int row) {
    if (!m_on) return;
    const QDateTime now = clock();
    const QString path = filePath(now.date());
    const QByteArray line = traceLine(m_link->sprdCommD, row).toUtf8() + "\r\n";
    // A new day, and now and then within one, the oldest files give way.
    if (path != m_file || ++m_sincePrune >= 2000) {
        m_file = path;
        m_sincePrune = 0;
        prune();
    }
    // Today's file has its share of the limit too: beyond it, it is set aside under the time
    // it ended and a new one begins, so a busy line cannot fill the disk within a day.
    const QFileInfo today(path);
    if (today.isFile() && !today.isSymLink() && today.size() + line.size() > pieceBytes()) {
        const QString piece = piecePath(now);
        if (!QFileInfo::exists(piece) && QFile::rename(path, piece)) prune();
    }
    QString why;
    appendWhole(path, line, &why);
    noteResult(path, why);
}

QString TraceRecorder::piecePath(const QDateTime& end) const {
    return m_files.path(QStringLiteral("_Trace_") +
                        end.toString(QStringLiteral("yyyyMMdd-HHmmsszzz")) +
                        QStringLiteral(".TXT"));
}

void TraceRecorder::prune() {
    const QDir dir(m_files.folder);
    // By name is by time: a day's pieces ("-" sorts before ".") come before its file.
    QFileInfoList files = dir.entryInfoList(
        {m_files.fileName() + QStringLiteral("_Trace_????????.TXT"),
         m_files.fileName() + QStringLiteral("_Trace_????????") + QStringLiteral("-?????????.TXT")},
        QDir::Files, QDir::Name);
    const QString current = QFileInfo(m_file).absoluteFilePath();
    // The file being written keeps room to grow to its share; the others fit in the rest.
    qint64 total = pieceBytes();
    for (const QFileInfo& f : files)
        if (f.absoluteFilePath() != current) total += f.size();
    for (const QFileInfo& f : files) {
        if (total <= m_limitBytes) break;
        if (f.absoluteFilePath() == current) continue;
        if (QFile::remove(f.absoluteFilePath())) {
            total -= f.size();
            m_events->add(
                0, QT_TRANSLATE_NOOP("EventLog", "Trace file removed to keep within the limit: %1"),
                {f.fileName()});
        }
    }
}

void TraceRecorder::noteResult(const QString& path, const QString& why) {
    if (why == m_failure) return;
    m_failure = why;
    if (why.isEmpty()) {
        m_events->add(0, QT_TRANSLATE_NOOP("EventLog", "Trace recorded again to %1"), {path});
        return;
    }
    const QString shown = tr("Trace not recorded to %1: %2").arg(path, shownWriteError(why));
    m_events->add(0,
                  FileNotice{QStringLiteral("Trace not recorded to %1: %2").arg(path, why), shown});
    if (m_status) m_status->say(StatusMessage::Source::Trace, FileNotice{shown, shown});
}
