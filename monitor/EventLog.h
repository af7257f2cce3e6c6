// The event list: alarm lamps and error bits switching on and off, a station going NG and
// coming back, the port lost and reopened, each with its date and time. Shown in the main
// window's "Events" tab and, while data saving is on, appended to a daily events file in the
// data folder.
#pragma once

#include "link/Grid.h"

#include <QDateTime>
#include <QObject>
#include <functional>
#include <vector>

class KX5Link;

class EventLog : public QObject {
    Q_OBJECT
public:
    static constexpr int kMaxRows = 2000; // the oldest entries go first

    explicit EventLog(KX5Link* link, QObject* parent = nullptr);

    // Columns: 1 date and time, 2 MC No (empty for the port), 3 the event.
    Grid events;
    std::function<QDateTime()> clock = [] { return QDateTime::currentDateTime(); };

    // Compares the stations' alarm and error bits and states with what was seen last.
    void check();
    // The same for the station in row r of the monitor table.
    void checkRow(int r);
    void add(int mcNo, const QString& text);
    // <folder>/<name>_Events_YYYYMMDD.TXT for the given day.
    static QString filePath(const QDate& day);

private:
    struct Seen {
        bool known = false;
        int alm = 0, err = 0;
        QString conn;
    };
    KX5Link* m_link;
    std::vector<Seen> m_seen;
};
