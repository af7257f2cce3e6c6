// The event list: alarms raised, acknowledged and cleared (AlarmBook words them), a station going
// NG and coming back, the port lost and reopened, each with its date and time. Shown in the main
// window's "Events" tab and, while data saving is on, appended to a daily events file in the
// data folder.
#pragma once

#include "files/DataSaveSettings.h"
#include "files/FileChecks.h"
#include "link/Reading.h"

#include <QDateTime>
#include <QObject>
#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <vector>

class KX5Link;
class LineStatus;

// One line of the list.
struct EventEntry {
    QString stamp; // yyyy-MM-dd hh:mm:ss
    int mcNo = 0;  // 0: the port or the program, not a station
    QString shown; // in the user's language, led by the station's description
};

class EventLog : public QObject {
    Q_OBJECT
public:
    static constexpr int kMaxRows = 2000; // the oldest entries go first

    explicit EventLog(KX5Link* link, QObject* parent = nullptr);
    // Where its trouble is said for the status bar (none: not said there).
    void setStatus(LineStatus* status) { m_status = status; }

    // The newest kMaxRows entries, oldest first; none when the list is not kept.
    const std::deque<EventEntry>& entries() const { return m_entries; }
    // Without a window to show it, the list is not kept: each entry is passed on (added, listed,
    // the events file) as it comes.
    void setListKept(bool kept);
    std::function<QDateTime()> clock = [] { return QDateTime::currentDateTime(); };

    // An event worded from source (marked QT_TRANSLATE_NOOP("EventLog", ...)) with %1, %2, ...
    // from args: in English for the file and standard error, in the user's language for the list.
    void add(int mcNo, const char* source, const QStringList& args = {});
    // An event already worded both ways. A station's description, if it has one, leads the text
    // ("Oven 2: AL1 on, PV 123.4"); column 2 stays the bare MC No.
    void add(int mcNo, const FileNotice& event);
    // Where the events file goes, and whether lines go there (while data saving runs).
    void setFiles(const DataSaveSettings& files, bool saving);
    // <folder>/<name>_Events_YYYYMMDD.TXT for the given day.
    QString filePath(const QDate& day) const;

signals:
    // An entry was added to the list, text in English without the station's description (the
    // headless program writes it to standard error, naming the station its own way).
    void added(const QString& stamp, int mcNo, const QString& text);
    // An entry joined the end of entries(); when the list was full, its oldest went first.
    void listed(const EventEntry& entry);

private:
    void stationFailed(int mcNo, LineFault why);
    void stationAnswered(int mcNo);
    void list(EventEntry entry);

    KX5Link* m_link;
    std::deque<EventEntry> m_entries;
    bool m_listKept = true;
    LineStatus* m_status = nullptr;
    // Per MC No, why it last failed; none while it answers or before it was heard of.
    std::map<int, std::optional<LineFault>> m_fault;
    bool m_lineUnheard = false; // an unattended line's sweeps hear nobody
    QString m_fileFailure;      // why the last line could not go to the events file; "" if it went
    DataSaveSettings m_files;
    bool m_saving = false;
};
