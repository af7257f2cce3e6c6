#include "services/EventLog.h"

#include "services/DataLog.h"
#include "services/LineStatus.h"
#include "services/LinkWords.h"

#include "link/KX5Link.h"
#include "link/SerialPort.h"

EventLog::EventLog(KX5Link* link, QObject* parent) : QObject(parent), m_link(link) {
    connect(link, &KX5Link::portLost, this, [this](const PortFault& why) {
        // The cause in the user's language in the list, in English in the file.
        const FileNotice cause = LinkWords::fault(why);
        add(0, fileNotice("EventLog", QT_TR_NOOP("Port lost: %1"), {cause.logged}, {cause.shown}));
    });
    connect(link, &KX5Link::portRestored, this, [this] { add(0, QT_TR_NOOP("Port reopened")); });
    // A request that ended without being confirmed is worth a line; a confirmed one is not.
    connect(link, &KX5Link::requestEnded, this,
            [this](const Request& r, RequestOutcome outcome, EndCause cause) {
                if (outcome != RequestOutcome::Done)
                    add(r.mcNo, LinkWords::ended(r, outcome, cause));
            });
    connect(link, &KX5Link::stationFound, this, [this](int mcNo, const QString& model) {
        m_fault[mcNo].reset();
        add(mcNo, QT_TR_NOOP("Answered: %1, polled from now on"), {model});
    });
    connect(link, &KX5Link::stationFailed, this, &EventLog::stationFailed);
    connect(link, &KX5Link::stationAnswered, this, &EventLog::stationAnswered);
    connect(link, &KX5Link::portOpened, this,
            [this](const QString& port, const QString& settings, const PortFault& why) {
                const FileNotice cause = LinkWords::fault(why);
                if (why.isNone())
                    add(0, QT_TR_NOOP("Port %1 opened at %2"), {port, settings});
                else
                    add(0, fileNotice("EventLog", QT_TR_NOOP("Port %1 could not be opened: %2"),
                                      {port, cause.logged}, {port, cause.shown}));
            });
    connect(link, &KX5Link::portClosed, this, [this](const QString& port) {
        m_lineUnheard = false;
        add(0, QT_TR_NOOP("Port %1 closed"), {port});
    });
    // An unattended line that hears nobody is said once, not at every sweep.
    connect(link, &KX5Link::nobodyAnswered, this, [this](const QString& at, int retryMs) {
        if (m_lineUnheard && retryMs > 0) return;
        m_lineUnheard = retryMs > 0;
        add(0,
            retryMs > 0 ? QT_TR_NOOP("No station answered at %1: asking again until one does")
                        : QT_TR_NOOP("No station answered at %1"),
            {at});
    });
}

// A station's trouble is logged when it begins or changes kind, from the very first request,
// so a station that never answered is in the file too; not again at every failed exchange.
void EventLog::stationFailed(int mcNo, LineFault why) {
    std::optional<LineFault>& seen = m_fault[mcNo];
    if (seen == why) return;
    seen = why;
    // In the order of LineFault.
    static const char* const kSaid[] = {QT_TR_NOOP("No answer (NG)"),
                                        QT_TR_NOOP("Refuses the requests: answers NG (NG)"),
                                        QT_TR_NOOP("Replies with a wrong checksum (NG)"),
                                        QT_TR_NOOP("Replies without OK (NG)"),
                                        QT_TR_NOOP("Replies that do not fit the request (NG)"),
                                        QT_TR_NOOP("Answers, but not as a KX5 (NG)")};
    add(mcNo, kSaid[static_cast<size_t>(why)]);
}

void EventLog::stationAnswered(int mcNo) {
    m_lineUnheard = false;
    const auto it = m_fault.find(mcNo);
    if (it == m_fault.end() || !it->second) return;
    it->second.reset();
    add(mcNo, QT_TR_NOOP("Answering again"));
}

void EventLog::setFiles(const DataSaveSettings& files, bool saving) {
    m_files = files;
    m_saving = saving;
}

QString EventLog::filePath(const QDate& day) const {
    return m_files.path(QStringLiteral("_Events_") + day.toString(QStringLiteral("yyyyMMdd")) +
                        QStringLiteral(".TXT"));
}

void EventLog::add(int mcNo, const char* source, const QStringList& args) {
    add(mcNo, fileNotice("EventLog", source, args));
}

void EventLog::add(int mcNo, const FileNotice& event) {
    // A station is named by its description too, where the user gave it one: MC numbers alone
    // say little on a line of many ovens.
    FileNotice said = event;
    const LineModel::Station* st = mcNo > 0 ? m_link->line().station(mcNo) : nullptr;
    if (const QString name = st ? st->name.trimmed() : QString(); !name.isEmpty()) {
        const char* const named = QT_TR_NOOP("%1: %2");
        said.logged = QString::fromLatin1(named).arg(name, event.logged);
        said.shown = tr(named).arg(name, event.shown);
    }
    const QDateTime now = clock();
    const QString stamp = now.toString(QStringLiteral("yyyy-MM-dd hh:mm:ss"));
    const QString mc = mcNo > 0 ? QString::number(mcNo) : QString();
    list({stamp, mcNo, said.shown});
    emit added(stamp, mcNo, event.logged);
    if (m_saving) {
        // Whole lines or nothing, like the data records: a full disk never glues two together.
        // A failed write loses this line only; the list keeps it.
        const QString path = filePath(now.date());
        QString why;
        appendWhole(path,
                    (stamp + QLatin1Char('\t') + mc + QLatin1Char('\t') + said.logged).toUtf8() +
                        "\r\n",
                    &why);
        // A file that cannot be written is said once per cause, in the list and panel 4 only.
        if (why != m_fileFailure) {
            m_fileFailure = why;
            const QString shown =
                why.isEmpty() ? tr("Events saved again to %1").arg(path)
                              : tr("Events not saved to %1: %2").arg(path, shownWriteError(why));
            list({stamp, 0, shown});
            if (!why.isEmpty() && m_status)
                m_status->say(StatusMessage::Source::Events, FileNotice{shown, shown});
        }
    }
}

void EventLog::setListKept(bool kept) {
    m_listKept = kept;
    if (!kept) m_entries.clear();
}

void EventLog::list(EventEntry entry) {
    if (!m_listKept) {
        emit listed(entry);
        return;
    }
    // Keep the newest.
    if (m_entries.size() >= size_t(kMaxRows)) m_entries.pop_front();
    m_entries.push_back(std::move(entry));
    emit listed(m_entries.back());
}
