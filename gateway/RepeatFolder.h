// Keeps a client that repeats itself from flooding the event list: an event is said the first
// time and whenever it changes; the same event again is counted, and the count is said once
// per span ("... (and 57 more like it in the last 10 min)"). Time is handed in, so the
// folding is tested without waiting.
#pragma once

#include "files/FileChecks.h"

#include <QString>
#include <QtGlobal>
#include <map>
#include <vector>

class RepeatFolder {
public:
    static constexpr qint64 kSpanMs = 10 * 60 * 1000;

    struct Said {
        int mcNo = 0;
        FileNotice text;
    };
    // An event of a group (one client's events of one kind about the same registers) at nowMs:
    // what to say now, in order. A text unlike the group's last one is a change, said at once,
    // after the count of the repeats before it.
    std::vector<Said> occur(const QString& group, int mcNo, const FileNotice& text, qint64 nowMs);
    // The counts of the groups whose span has ended (of every group when all is set).
    std::vector<Said> due(qint64 nowMs, bool all = false);

private:
    struct Group {
        int mcNo = 0;
        FileNotice text;
        qint64 since = 0; // when it was last said
        int folded = 0;   // repeats since then, not said
    };
    static Said count(const Group& g, qint64 nowMs);
    std::map<QString, Group> m_groups;
};
